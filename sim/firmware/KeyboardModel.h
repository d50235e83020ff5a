#pragma once
// The simulated keyboard's factory state: 104 keys whose identity table lists them by their
// key code (not in the order of any page), a key byte per slot, a 45-byte onboard settings
// block at profile x 25 and a 6-byte power state. Any thread (pure data).
#include <cstddef>
#include <cstdint>

#include "sim/firmware/DeviceModel.h"

namespace sim::firmware {

constexpr size_t kKeyboardKeys = 104;
constexpr size_t kKeyboardProfileStride = 25;
constexpr size_t kKeyboardSettingsSize = 45;
constexpr uint8_t kKeyboardKeyType = 0x20;

DeviceModel KeyboardModel();

// The key byte of a slot (what 0x1B answers for it).
constexpr uint8_t KeyboardKeyByte(size_t slot) {
    return static_cast<uint8_t>(0x80 | (slot % 0x80));
}

}  // namespace sim::firmware
