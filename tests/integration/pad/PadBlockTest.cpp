// The pad's block codec with a mode list whose codes are not their positions.
#include <gtest/gtest.h>

#include "devices/pad/PadBlock.h"

namespace {

using devices::pad::Block;

const std::vector<int> kCodes = {10, 11, 12, 7};

TEST(PadBlock, CodesAndSpeedTurnIntoPositionsAndBack) {
    uint8_t read[devices::pad::kReadLength] = {};
    for (size_t i = 0; i < sizeof read; ++i)
        read[i] = static_cast<uint8_t>(0x40 + i);
    read[1] = 7;
    read[3] = 1;
    const Block mirror = devices::pad::DecodeBlock(read, 2, kCodes);
    EXPECT_EQ(mirror[0], 2);
    EXPECT_EQ(mirror[1], 3);
    EXPECT_EQ(mirror[3], 3);
    EXPECT_EQ(mirror[20], 0x40 + 20);
    const auto sent = devices::pad::EncodeBlock(mirror, kCodes);
    ASSERT_TRUE(sent.has_value());
    EXPECT_EQ((*sent)[1], 7);
    EXPECT_EQ((*sent)[3], 1);
    // Encoding works on a copy: the mirror encodes the same way twice.
    EXPECT_EQ(devices::pad::EncodeBlock(mirror, kCodes), sent);
}

TEST(PadBlock, UnknownCodesStayAndPositionsBeyondTheListHaveNoBlock) {
    uint8_t read[devices::pad::kReadLength] = {};
    read[1] = 99;
    read[3] = 9;  // beyond 4: speed 0
    const Block mirror = devices::pad::DecodeBlock(read, 0, kCodes);
    EXPECT_EQ(mirror[1], 99);
    EXPECT_EQ(mirror[3], 0);
    EXPECT_FALSE(devices::pad::EncodeBlock(mirror, kCodes).has_value());
    EXPECT_FALSE(devices::pad::EncodeBlock(mirror, {}).has_value());
}

TEST(PadBlock, TheLightRecordGoesIntoItsBytesOnly) {
    Block mirror{};
    mirror.fill(0xEE);
    profile::LightRecord light;
    light.mode = 2;
    light.brightness = 3;
    light.speed = 1;
    light.direction = 1;
    light.multiColour = 1;
    light.red = 5;
    light.green = 6;
    light.blue = 7;
    devices::pad::PutLight(mirror, light);
    EXPECT_EQ(mirror[0], 0xEE);
    EXPECT_EQ(mirror[4], 0xEE);  // direction is not the pad's
    EXPECT_EQ(mirror[9], 0xEE);
    EXPECT_EQ((std::array<uint8_t, 8>{mirror[1], mirror[2], mirror[3], mirror[5], mirror[6],
                                      mirror[7], mirror[8], mirror[0]}),
              (std::array<uint8_t, 8>{2, 3, 1, 1, 5, 6, 7, 0xEE}));
    profile::LightRecord back = devices::pad::TakeLight(mirror, profile::LightRecord{});
    light.direction = 0;
    EXPECT_EQ(back, light);
}

}  // namespace
