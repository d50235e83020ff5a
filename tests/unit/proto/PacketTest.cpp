#include <gtest/gtest.h>

#include <vector>

#include "hid/Packet.h"

namespace {

TEST(Packet, BeginTransactionChecksumIsOneLowByteFirst) {
    const hid::Packet p = hid::BuildRequest(hid::Command::BeginTransaction, 0, 0);
    EXPECT_EQ(p[0], 0x04);
    EXPECT_EQ(p[1], 0x01);
    EXPECT_EQ(p[2], 0x00);
    EXPECT_EQ(p[3], 0x01);
    for (size_t i = 4; i < p.size(); ++i)
        EXPECT_EQ(p[i], 0) << i;
}

TEST(Packet, ChecksumNeedsTheHighByteAndIgnoresBytesBeforeTheCode) {
    std::vector<uint8_t> data(56, 0xFF);
    hid::Packet p = hid::BuildRequest(hid::Command::WriteMemory, 56, 0x1234, data);
    // 0x06 + 56 + 0x34 + 0x12 + 56 x 0xFF = 0x3896
    const uint32_t expected = 0x06 + 56 + 0x34 + 0x12 + 56 * 0xFF;
    EXPECT_EQ(hid::PacketChecksum(p), expected & 0xFFFF);
    EXPECT_EQ(p[1], expected & 0xFF);
    EXPECT_EQ(p[2], (expected >> 8) & 0xFF);
    EXPECT_EQ(p[5], 0x34);
    EXPECT_EQ(p[6], 0x12);
    EXPECT_TRUE(hid::ChecksumMatches(p));
    p[0] = 0x05;  // the report ID is outside the sum
    EXPECT_TRUE(hid::ChecksumMatches(p));
    p[63] ^= 1;
    EXPECT_FALSE(hid::ChecksumMatches(p));
}

TEST(Packet, PadRequestZeroFillsShortAndCutsLongInput) {
    const std::vector<uint8_t> shortInput = {4, 9, 9, 1};
    hid::Packet p = hid::PadRequest(shortInput);
    EXPECT_EQ(p[3], 1);
    EXPECT_EQ(p[4], 0);
    EXPECT_EQ(p[63], 0);
    std::vector<uint8_t> longInput(80);
    for (size_t i = 0; i < longInput.size(); ++i)
        longInput[i] = static_cast<uint8_t>(i);
    p = hid::PadRequest(longInput);
    EXPECT_EQ(p[63], 63);
}

TEST(Packet, TraceFormatGroupsBytesAsTheSystemDoes) {
    hid::Packet p{};
    for (size_t i = 0; i < p.size(); ++i)
        p[i] = static_cast<uint8_t>(i);
    const auto lines = hid::FormatPacketTrace(p);
    EXPECT_EQ(lines[0],
              "00 01 02 03   04 05 06 07   08 09 0a 0b   0c 0d 0e 0f  10 11 12 13  14 15 16 17  "
              "18 19 1a 1b  1c 1d 1e 1f");
    EXPECT_EQ(lines[1].substr(0, 14), "20 21 22 23   ");
    EXPECT_EQ(lines[1].substr(lines[1].size() - 11), "3c 3d 3e 3f");
}

}  // namespace
