#pragma once
// The mouse's 87-byte settings block of one onboard profile: how the profile's stages,
// system record, active stage and light record become its bytes, and what reading it back
// takes from it. Pure byte rules, shared by the device object and t418-zenctl.
// Threads: any (no state).
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "profile/LightRecords.h"
#include "profile/Records.h"

namespace devices::mouse {

constexpr size_t kSettingsBlockSize = 87;
constexpr uint16_t kProfileStride = 128;
constexpr int kStageCount = 7;
constexpr size_t kStageOffset = 14;
// Light modes from this index on are the program's own effects; the device knows none.
constexpr uint8_t kFirstCustomMode = 12;
// The light scales of the block: brightness and speed run 0-4 (speed is sent as 4 - speed).
constexpr uint8_t kMaxBrightness = 4;
constexpr uint8_t kMaxSpeed = 4;

using SettingsBlock = std::array<uint8_t, kSettingsBlockSize>;

struct SettingsSource {
    std::vector<profile::DpiStageRecord> stages;  // beyond the list: written as zero
    profile::SystemRecord system{};
    int32_t activeStage = 0;
    profile::LightRecord light;
    uint8_t firstByte = 0;
};

// Brightness and speed past their scale (a hand-edited document) are sent as the maximum.
SettingsBlock EncodeSettingsBlock(const SettingsSource& source);

// What a connection takes from the block the device holds.
struct SettingsReadBack {
    uint8_t onboardProfile = 0;
    uint8_t deviceMode = 0;  // block byte 1 as the device holds it
    uint8_t mode = 0;        // already mapped through the mode values
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t multiColour = 0;
    uint8_t red = 0, green = 0, blue = 0;
    uint8_t activeStage = 0;
};

// modeValues: the device value of each mode index; the first index whose value equals the
// block's mode byte is the mode (none: the raw byte stays).
SettingsReadBack DecodeSettingsBlock(const SettingsBlock& block,
                                     const std::vector<int>& modeValues);

// The system record with the halves the block carries replaced; "SilentAltitude" and the
// stages are not taken from the device.
profile::SystemRecord MergeSystemWords(const SettingsBlock& block, profile::SystemRecord words);

// The device knows no custom mode and reports it as 0: then the profile's custom mode stays.
uint8_t MergeLightMode(uint8_t deviceMode, uint8_t profileMode);
// The same for a whole read-back, compared on the device's own code (a custom mode is sent as
// code 0), so that a list whose code 0 is not position 0 keeps the custom mode too.
uint8_t MergeLightMode(const SettingsReadBack& read, uint8_t profileMode);

profile::DpiStageRecord StageOf(const SettingsBlock& block, int index);

}  // namespace devices::mouse
