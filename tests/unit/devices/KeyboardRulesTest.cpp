// The keyboard's pure rules: its position maps, its settings block both ways and the music
// light's loudness and trigger.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

#include "devices/keyboard/KeyboardAudio.h"
#include "devices/keyboard/KeyboardBlock.h"
#include "devices/keyboard/KeyboardEffects.h"
#include "devices/keyboard/KeyboardLayout.h"

namespace {

namespace kb = devices::keyboard;

// A key table holding the codes of the given positions in the given slots.
std::array<uint8_t, 512> TableOf(const std::vector<std::pair<int, size_t>>& positionAtSlot) {
    std::array<uint8_t, 512> table{};
    for (const auto& [position, slot] : positionAtSlot) {
        const profile::KeyAssignment code = kb::FactoryCode(position);
        table[3 * slot] = code.type;
        table[3 * slot + 1] = code.param1;
        table[3 * slot + 2] = code.param2;
    }
    return table;
}

TEST(KeyboardLayout, FixedPositionsAndKeylessOnes) {
    EXPECT_EQ(kb::FactoryCode(0).Code(), 0x200029u);
    for (int p = 1; p <= 12; ++p)
        EXPECT_EQ(kb::FactoryCode(p).param2, 0x3A + p - 1);
    int keys = 0;
    for (int p = 0; p < kb::kPositions; ++p)
        keys += kb::HasKey(p) ? 1 : 0;
    EXPECT_EQ(keys, 104);
    for (int p = kb::kKeyPositions; p < kb::kPositions; ++p)
        EXPECT_EQ(kb::FactoryCode(p).Code(), 0x200000u) << p;
    EXPECT_FALSE(kb::HasKey(-1));
    EXPECT_FALSE(kb::HasKey(kb::kPositions));
}

TEST(KeyboardLayout, MapsEachPositionToTheFirstSlotWithItsCode) {
    std::array<uint8_t, 512> bytes{};
    for (size_t k = 0; k < bytes.size(); ++k)
        bytes[k] = static_cast<uint8_t>(0x80 + k);
    // Esc in slot 7 and again in slot 9; F1 only past the key count.
    const auto table = TableOf({{0, 7}, {0, 9}, {1, 20}});
    const kb::KeyMaps maps = kb::BuildKeyMaps(table.data(), bytes.data(), table.size(), 12);
    EXPECT_EQ(maps.slot[0], 7);
    EXPECT_EQ(maps.keyByte[0], 0x87);
    EXPECT_EQ(maps.slot[1], kb::kNoSlot) << "beyond the key count";
    EXPECT_EQ(maps.keyByte[1], kb::kNoSlot);
}

TEST(KeyboardLayout, KeylessPositionsNeverTakeADisabledSlot) {
    std::array<uint8_t, 512> bytes{};
    // Slot 3 reads (0x20, 0, 0): a disabled key; nothing maps onto it.
    auto table = TableOf({{0, 0}});
    table[9] = 0x20;
    const kb::KeyMaps maps = kb::BuildKeyMaps(table.data(), bytes.data(), table.size(), 8);
    for (int p = 0; p < kb::kPositions; ++p)
        if (p != 0) {
            EXPECT_EQ(maps.slot[static_cast<size_t>(p)], kb::kNoSlot) << p;
        }
}

std::vector<int> IdentityValues() {
    std::vector<int> values;
    for (int i = 0; i < 31; ++i)
        values.push_back(i);
    return values;
}

TEST(KeyboardBlock, LaysOutTheRecordsInTheirBytes) {
    profile::LightRecord light;
    light.mode = 6;
    light.brightness = 3;
    light.speed = 1;
    light.direction = 1;
    light.multiColour = 1;
    light.red = 0x11;
    light.green = 0x22;
    light.blue = 0x33;
    light.zzccMode = 4;
    light.customGroup = 2;
    const profile::KeyboardSystemRecord system = {profile::MakeWord(10, 2), profile::MakeWord(1, 3),
                                                  profile::MakeWord(1, 1)};
    const auto block = kb::EncodeBlock(light, system, IdentityValues(), 0x07);
    ASSERT_TRUE(block);
    const kb::SettingsBlock& b = *block;
    EXPECT_EQ(b[0], 0x07);
    EXPECT_EQ(b[1], 6);
    EXPECT_EQ(b[2], 3);
    EXPECT_EQ(b[3], 3) << "4 - speed";
    EXPECT_EQ(b[4], 1);
    EXPECT_EQ(b[5], 1);
    EXPECT_EQ((std::array<uint8_t, 3>{b[6], b[7], b[8]}),
              (std::array<uint8_t, 3>{0x11, 0x22, 0x33}))
        << "red, green, blue";
    EXPECT_EQ(b[18], 4);
    EXPECT_EQ(b[19], 1);  // WFlag
    EXPECT_EQ(b[20], 1);  // Key6Flag
    EXPECT_EQ(b[21], 1);  // WinFlag
    EXPECT_EQ(b[22], 3);  // PollingRate
    EXPECT_EQ(b[25], 2);
    for (size_t i : {9u, 16u, 17u, 23u, 24u, 26u, 44u})
        EXPECT_EQ(b[i], 0) << i;
}

TEST(KeyboardBlock, MusicModesAreLitByTheHostBothWays) {
    profile::LightRecord light;
    for (uint8_t mode : {29, 30}) {
        light.mode = mode;
        const auto block = kb::EncodeBlock(light, {}, IdentityValues(), 0);
        ASSERT_TRUE(block);
        EXPECT_EQ((*block)[1], kb::kHostLitCode);
        // Read back, 0xFE keeps the mode the record has.
        const kb::BlockReadBack read = kb::DecodeBlock(*block, IdentityValues(), light, {});
        EXPECT_EQ(read.light.mode, mode);
    }
}

TEST(KeyboardBlock, AModeBeyondTheListSendsNothing) {
    profile::LightRecord light;
    light.mode = 31;
    EXPECT_FALSE(kb::EncodeBlock(light, {}, IdentityValues(), 0));
    EXPECT_FALSE(kb::EncodeBlock(light, {}, {}, 0));
}

TEST(KeyboardBlock, ReadsBackCodesAsPositionsAndOnlyTheThreeFlags) {
    kb::SettingsBlock block{};
    block[1] = 7;
    block[3] = 9;  // out of range: the slowest speed
    block[19] = 1;
    block[20] = 0;
    block[21] = 1;
    block[22] = 2;
    const std::vector<int> values = {5, 7, 9};
    const profile::KeyboardSystemRecord system = {profile::MakeWord(10, 1), profile::MakeWord(1, 3),
                                                  0};
    const kb::BlockReadBack read = kb::DecodeBlock(block, values, {}, system);
    EXPECT_EQ(read.modePosition, 1);
    EXPECT_EQ(read.light.mode, 1);
    EXPECT_EQ(read.light.speed, 0);
    EXPECT_EQ(read.system[0], system[0]) << "repeat settings stay";
    EXPECT_EQ(profile::LowHalf(read.system[1]), 0);
    EXPECT_EQ(profile::HighHalf(read.system[1]), 3) << "the report rate stays the profile's";
    EXPECT_EQ(read.system[2], profile::MakeWord(1, 1));
    block[1] = 8;  // no entry: kept as read
    EXPECT_EQ(kb::DecodeBlock(block, values, {}, system).modePosition, 8);
}

TEST(KeyboardAudio, SilenceLoudnessAndTheTrigger) {
    kb::ResetAudioCounter();
    std::array<uint32_t, 25> silence{};
    EXPECT_EQ(kb::AudioLoudness(silence.data(), silence.size()), 0u);
    std::array<uint32_t, 25> loud{};
    loud.fill(2500);
    EXPECT_EQ(kb::AudioLoudness(loud.data(), loud.size()), 5u);
    for (int frame = 1; frame < 15; ++frame)
        EXPECT_FALSE(kb::AddAudioLoudness(5)) << frame;
    EXPECT_TRUE(kb::AddAudioLoudness(5)) << "the fifteenth loud frame reaches 71";
    EXPECT_FALSE(kb::AddAudioLoudness(5)) << "the counter started again";
    kb::ResetAudioCounter();
}

TEST(KeyboardAudio, HugeValuesAndShortFramesAreSafe) {
    std::array<uint32_t, 25> huge{};
    huge.fill(std::numeric_limits<uint32_t>::max());
    EXPECT_EQ(kb::AudioLoudness(huge.data(), huge.size()), 5u) << "no 32-bit overflow";
    // Three loud values alone: only they count.
    const uint32_t three[3] = {2500, 2500, 2500};
    EXPECT_EQ(kb::AudioLoudness(three, 3), 5u);
    EXPECT_EQ(kb::AudioLoudness(nullptr, 25), 0u);
    EXPECT_EQ(kb::AudioLoudness(three, 0), 0u);
}

TEST(KeyboardEffects, StepsLightTheFrameAndKeepInRange) {
    profile::LightRecord light;
    light.brightness = 4;
    light.multiColour = 1;
    light.direction = 1;
    kb::EffectState state;
    kb::Frame frame{};
    using Step = void (*)(kb::EffectState&, const profile::LightRecord&, kb::Frame&);
    for (Step step : {Step{kb::StepWave}, Step{kb::StepRipple}, Step{kb::StepRain},
                      Step{kb::StepTwinkle}, Step{kb::StepScan}}) {
        size_t lit = 0;
        for (int i = 0; i < 60; ++i) {
            step(state, light, frame);
            for (const devices::LedColour& c : frame)
                lit += c.level > 0 ? 1 : 0;
        }
        EXPECT_GT(lit, 0u);
    }
    // The reactive step fades what a trigger lit.
    kb::Trigger(state, 51);
    kb::StepReactive(state, light, frame);
    const uint8_t first = frame[51].level;
    for (int i = 0; i < 20; ++i)
        kb::StepReactive(state, light, frame);
    EXPECT_GT(first, 0);
    EXPECT_EQ(frame[51].level, 0);
    kb::Trigger(state, -1);  // ignored
    kb::Trigger(state, kb::kPositions);
}

}  // namespace
