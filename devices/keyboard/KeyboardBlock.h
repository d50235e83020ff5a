#pragma once
// The keyboard's 45-byte onboard settings block: built from the light record and the
// keyboard system record, and read back into them. Pure rules. Threads: any.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "profile/LightRecords.h"
#include "profile/Records.h"

namespace devices::keyboard {

constexpr size_t kBlockSize = 45;
constexpr uint16_t kProfileStride = 25;
// Light mode codes the device keeps as "lit by the host" (the two music modes).
constexpr uint8_t kHostLitCode = 0xFE;
constexpr uint8_t kOnboardMode = 20;

using SettingsBlock = std::array<uint8_t, kBlockSize>;

// The block of the table; none when the light record's mode has no entry in the mode list
// (nothing is to be sent then).
std::optional<SettingsBlock> EncodeBlock(const profile::LightRecord& light,
                                         const profile::KeyboardSystemRecord& system,
                                         const std::vector<int>& lightValues, uint8_t firstByte);

// The position of a mode code in the list (first entry with that value); none without one.
std::optional<uint8_t> PositionOfCode(uint8_t code, const std::vector<int>& lightValues);

struct BlockReadBack {
    profile::LightRecord light;            // the record as the block gives it
    profile::KeyboardSystemRecord system;  // with the three flags of the block
    uint8_t modePosition = 0;              // block byte 1 as a list position (or as read)
};

// Reads a block back into the records: the light record takes the block's mode (a code of
// 0xFE keeps the current mode), brightness, 4 - byte 3 as speed, direction, multicolour,
// colours, secondary mode and custom group; the system record takes "WFlag", "Key6Flag" and
// "WinFlag" (the repeat settings and the report rate keep the record's values).
BlockReadBack DecodeBlock(const SettingsBlock& block, const std::vector<int>& lightValues,
                          const profile::LightRecord& current,
                          const profile::KeyboardSystemRecord& system);

}  // namespace devices::keyboard
