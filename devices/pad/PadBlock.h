#pragma once
// The mouse pad's onboard settings block: 21 bytes, read and written at profile x 64. The
// device object keeps a mirror of it in which byte 1 is the light mode's position in the
// pad's mode list and byte 3 the speed; the device holds the mode's code and 4 - speed.
// Pure functions. Any thread.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "profile/LightRecords.h"

namespace devices::pad {

constexpr size_t kBlockSize = 21;
constexpr uint16_t kProfileStride = 64;
// What a read asks for: the block and what follows it, in two 24-byte chunks.
constexpr size_t kReadLength = 45;
constexpr uint8_t kMaxSpeed = 4;
constexpr uint8_t kMaxBrightness = 4;

using Block = std::array<uint8_t, kBlockSize>;

// The mirror of a block read from onboard profile `profile`: byte 0 the profile, byte 1 the
// position of the first mode whose code it is (unchanged when none is), byte 3 the speed.
Block DecodeBlock(const uint8_t* read, uint8_t profile, const std::vector<int>& modeCodes);

// The block to send for a mirror: byte 1 the code of the mode at the mirror's position, byte 3
// 4 - speed; none when the position lies beyond the list (there is no code to send).
std::optional<Block> EncodeBlock(const Block& mirror, const std::vector<int>& modeCodes);

// The light record's part of the mirror: mode position, brightness, speed, multicolour and
// colours; the other bytes stay as they were read.
void PutLight(Block& mirror, const profile::LightRecord& light);
// The other way: the mirror's light bytes into a light record (its other bytes kept).
profile::LightRecord TakeLight(const Block& mirror, profile::LightRecord light);

}  // namespace devices::pad
