// The mouse's byte rules and periods without a device: settings block, event area, keep-alive.
#include <gtest/gtest.h>

#include <json/value.h>

#include "devices/mouse/EventArea.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "devices/mouse/SettingsBlock.h"

namespace {

using devices::COrvaneMouseDevice;
namespace mouse = devices::mouse;

TEST(MouseRules, KeepAlivePeriodsStayWithinTheTimer) {
    EXPECT_EQ(COrvaneMouseDevice::KeepAlivePeriodMs(3), 3u * 60000 - 10000);
    EXPECT_EQ(COrvaneMouseDevice::KeepAlivePeriodMs(1), 50000u);
    EXPECT_EQ(COrvaneMouseDevice::KeepAlivePeriodMs(0), 0u);  // no re-arm
    EXPECT_EQ(COrvaneMouseDevice::KeepAlivePeriodMs(-4), 0u);
    EXPECT_EQ(COrvaneMouseDevice::KeepAlivePeriodMs(0xFFFF), 0x7FFFFFFFu);
}

TEST(MouseRules, SettingsBlockDecodesWhatItEncodes) {
    mouse::SettingsSource source;
    source.light.mode = 3;
    source.light.speed = 4;
    source.light.red = 1;
    source.light.green = 2;
    source.light.blue = 3;
    source.stages.assign(9, profile::DpiStageRecord{1, 0, 400, 400, 9, 9, 9});  // 7 are sent
    const mouse::SettingsBlock block = mouse::EncodeSettingsBlock(source);
    EXPECT_EQ(block[3], 0);
    EXPECT_EQ(block[77], 0);  // past the seventh stage
    EXPECT_EQ(mouse::StageOf(block, 6).x, 400);
    // Modes map through the device values; an unknown value stays raw.
    const auto read = mouse::DecodeSettingsBlock(block, {0, 1, 2, 5, 3});
    EXPECT_EQ(read.mode, 4);
    EXPECT_EQ(mouse::DecodeSettingsBlock(block, {7, 8}).mode, 3);
    EXPECT_EQ(read.speed, 4);
    EXPECT_EQ(read.red, 1);
    EXPECT_EQ(read.green, 2);
    EXPECT_EQ(read.blue, 3);
    mouse::SettingsBlock odd = block;
    odd[3] = 200;  // not a speed the program writes
    EXPECT_EQ(mouse::DecodeSettingsBlock(odd, {}).speed, 0);
    EXPECT_EQ(mouse::MergeLightMode(0, 14), 14);
    EXPECT_EQ(mouse::MergeLightMode(0, 3), 0);
    EXPECT_EQ(mouse::MergeLightMode(2, 14), 2);
    // A custom mode is sent as code 0: a device holding 0 keeps it, even where the list maps
    // code 0 to another position.
    mouse::SettingsBlock custom{};
    EXPECT_EQ(mouse::MergeLightMode(mouse::DecodeSettingsBlock(custom, {}), 14), 14);
    EXPECT_EQ(mouse::MergeLightMode(mouse::DecodeSettingsBlock(custom, {}), 3), 0);
    EXPECT_EQ(mouse::MergeLightMode(mouse::DecodeSettingsBlock(custom, {9, 9, 0}), 14), 14);
    EXPECT_EQ(mouse::MergeLightMode(mouse::DecodeSettingsBlock(custom, {9, 9, 0}), 3), 2);
    custom[1] = 2;
    EXPECT_EQ(mouse::MergeLightMode(mouse::DecodeSettingsBlock(custom, {}), 14), 2);
}

TEST(MouseRules, MacroEventsAndTheirArea) {
    Json::Value down(Json::objectValue);
    down["Action"] = "down";
    down["Button"] = 4;
    down["Type"] = 10;
    down["Delay"] = "50";
    Json::Value up = down;
    up["Action"] = "up";
    EXPECT_EQ(mouse::EncodeEvent(down), (mouse::EncodedEvent{0x32, 0x00, 0x8A, 0x04}));
    EXPECT_EQ(mouse::EncodeEvent(up), (mouse::EncodedEvent{0x32, 0x00, 0x0A, 0x04}));
    const auto area = mouse::BuildEventArea({{mouse::EncodeEvent(down), mouse::EncodeEvent(up)}});
    ASSERT_TRUE(area.has_value());
    EXPECT_EQ(area->size(), 30u);
    EXPECT_EQ((std::vector<uint8_t>(area->begin(), area->begin() + 6)),
              (std::vector<uint8_t>{0xAA, 0x55, 0x1E, 0x00, 0x01, 0x00}));
    EXPECT_EQ((*area)[16], 0x12);
    // An area the 16-bit header cannot describe is not built.
    std::vector<std::vector<mouse::EncodedEvent>> big(2, std::vector<mouse::EncodedEvent>(8200));
    EXPECT_FALSE(mouse::BuildEventArea(big).has_value());
}

}  // namespace
