#pragma once
// The mouse pad's layouts: where its onboard blocks lie, what its power state holds, and its
// light modes. Any thread (constants).
#include <cstddef>
#include <cstdint>

namespace sim::firmware {

constexpr size_t kPadProfileStride = 64;
constexpr size_t kPadBlockSize = 21;
constexpr size_t kPadProfiles = 3;
// Light mode codes 0-8; "press pad-light" steps through them.
constexpr uint8_t kPadModeCount = 9;
constexpr size_t kPadPowerSize = 6;
// Power state byte 5: the phone lying on the pad (0 none; the power item names 1, 2 and 3).
constexpr size_t kPadPhoneByte = 5;

}  // namespace sim::firmware
