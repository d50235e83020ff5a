// Exact request bytes and chunking of every command, over the cable and through the receiver.
#include <gtest/gtest.h>

#include <numeric>

#include "hid/ResultCode.h"
#include "tests/unit/proto/ChannelFixture.h"

namespace {

using hid::Command;
using prototest::ChannelTest;

struct Chunk {
    uint8_t length;
    uint16_t address;
};

void ExpectChunks(const std::vector<hid::Packet>& requests, Command code,
                  const std::vector<Chunk>& chunks) {
    ASSERT_EQ(requests.size(), chunks.size());
    for (size_t i = 0; i < chunks.size(); ++i) {
        const hid::Packet& p = requests[i];
        EXPECT_EQ(p[0], 0x04) << i;
        EXPECT_EQ(p[3], static_cast<uint8_t>(code)) << i;
        EXPECT_EQ(p[4], chunks[i].length) << i;
        EXPECT_EQ(hid::PacketAddress(p), chunks[i].address) << i;
        EXPECT_EQ(p[7], 0) << i;
        EXPECT_TRUE(hid::ChecksumMatches(p)) << i;
        for (size_t b = 8 + chunks[i].length; b < 64; ++b)
            ASSERT_EQ(p[b], 0) << "padding of chunk " << i << " at " << b;
    }
}

std::vector<Chunk> Split(size_t total, size_t chunk, uint16_t base) {
    std::vector<Chunk> out;
    for (size_t at = 0; at < total; at += chunk)
        out.push_back(
            {static_cast<uint8_t>(std::min(chunk, total - at)), static_cast<uint16_t>(base + at)});
    return out;
}

std::vector<uint8_t> Pattern(size_t n, uint8_t seed) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<uint8_t>(seed + i * 7);
    return v;
}

TEST_F(ChannelTest, SinglePacketCommandsOnBothConnections) {
    for (bool wireless : {false, true}) {
        log.Clear();
        wireless ? OpenReceiver() : OpenCable();
        EXPECT_EQ(channel.BeginTransaction(), hid::kResultOk);
        EXPECT_EQ(channel.EndTransaction(), hid::kResultOk);
        EXPECT_EQ(channel.TakeLightControl(), hid::kResultOk);
        const auto requests = Requests();
        ASSERT_EQ(requests.size(), 3u);
        const hid::Packet begin = {0x04, 0x01, 0x00, 0x01};
        EXPECT_EQ(requests[0], begin);
        const hid::Packet end = {0x04, 0x02, 0x00, 0x02};
        EXPECT_EQ(requests[1], end);
        const hid::Packet take = {0x04, 0x1C, 0x00, 0x1C};
        EXPECT_EQ(requests[2], take);
    }
    EXPECT_TRUE(firmware.LightControlTaken());
    EXPECT_FALSE(firmware.InTransaction());
}

TEST_F(ChannelTest, InfoBlockIsOnePacketOnTheCableAndTwoThroughTheReceiver) {
    OpenCable();
    uint8_t block[34] = {};
    EXPECT_EQ(channel.ReadInfoBlock(block), hid::kResultOk);
    ExpectChunks(Requests(), Command::ReadInfoBlock, {{34, 0}});
    EXPECT_EQ(block[0], 0xAA);
    EXPECT_EQ(block[1], 0x55);
    EXPECT_EQ(block[5], 16);

    log.Clear();
    OpenReceiver();
    uint8_t again[34] = {};
    EXPECT_EQ(channel.ReadInfoBlock(again), hid::kResultOk);
    ExpectChunks(Requests(), Command::ReadInfoBlock, {{24, 0}, {10, 24}});
    EXPECT_TRUE(std::equal(block, block + 34, again));

    // Written back in one packet of 0x22 bytes whatever the connection.
    log.Clear();
    again[7] = 0;
    EXPECT_EQ(channel.WriteInfoBlock(again), hid::kResultOk);
    const auto requests = Requests();
    ExpectChunks(requests, Command::WriteInfoBlock, {{0x22, 0}});
    EXPECT_TRUE(std::equal(again, again + 34, requests[0].begin() + 8));
    EXPECT_EQ(firmware.InfoBlock()[7], 0);
}

TEST_F(ChannelTest, KeyTablesChunkOverTheBlockSize) {
    OpenCable();
    std::vector<uint8_t> table(512, 0xEE);
    EXPECT_EQ(channel.ReadKeyTable(table.data()), hid::kResultOk);
    ExpectChunks(Requests(), Command::ReadKeyTable, Split(512, 56, 0));  // 9 x 56 + 8
    EXPECT_EQ(Requests().size(), 10u);
    EXPECT_EQ(table[0], 0x10);
    EXPECT_EQ(table[511], 0x00);

    log.Clear();
    const auto keys = Pattern(512, 3);
    EXPECT_EQ(channel.WriteKeyTable(keys.data(), 0), hid::kResultOk);
    ExpectChunks(Requests(), Command::WriteKeyTable, Split(512, 56, 0));
    EXPECT_EQ(firmware.ActiveKeyMap(0), keys);

    log.Clear();
    OpenReceiver();
    ASSERT_TRUE(channel.SetBlockSize(48));
    EXPECT_EQ(channel.ReadKeyTable(table.data()), hid::kResultOk);
    ExpectChunks(Requests(), Command::ReadKeyTable, Split(48, 24, 0));
    log.Clear();
    EXPECT_EQ(channel.ReadKeyByteTable(table.data()), hid::kResultOk);  // 48 / 3 = 16 bytes
    ExpectChunks(Requests(), Command::ReadKeyByteTable, {{16, 0}});
    EXPECT_EQ(table[15], 15);
}

TEST_F(ChannelTest, BlockSizeAndBankAreCheckedBeforeAnyIo) {
    OpenCable();
    ASSERT_TRUE(channel.SetBlockSize(300));
    EXPECT_FALSE(channel.SetBlockSize(513));
    EXPECT_EQ(channel.BlockSize(), 300);
    EXPECT_TRUE(channel.SetBlockSize(512));
    std::vector<uint8_t> keys(512, 1);
    EXPECT_EQ(channel.WriteKeyTable(keys.data(), 1), hid::kResultInvalidBank);
    EXPECT_TRUE(Requests().empty());
}

TEST_F(ChannelTest, MemoryAndProfileKeysAddressBasePlusOffset) {
    OpenReceiver();
    const auto block = Pattern(87, 9);
    EXPECT_EQ(channel.WriteMemory(block.data(), block.size(), 2 * 128), hid::kResultOk);
    const auto requests = Requests();
    ExpectChunks(requests, Command::WriteMemory, Split(87, 24, 256));
    EXPECT_TRUE(std::equal(block.begin() + 72, block.end(), requests[3].begin() + 8));
    EXPECT_EQ(firmware.Memory(256, 87), block);

    log.Clear();
    OpenCable();
    std::vector<uint8_t> back(87);
    EXPECT_EQ(channel.ReadMemory(back.data(), back.size(), 256), hid::kResultOk);
    ExpectChunks(Requests(), Command::ReadMemory, {{56, 256}, {31, 312}});
    EXPECT_EQ(back, block);

    log.Clear();
    const auto keys = Pattern(100, 1);
    EXPECT_EQ(channel.WriteProfileKeys(keys.data(), keys.size(), 3, 512), hid::kResultOk);
    ExpectChunks(Requests(), Command::WriteProfileKeys, {{56, 1536}, {44, 1592}});
    log.Clear();
    std::vector<uint8_t> keysBack(100);
    EXPECT_EQ(channel.ReadProfileKeys(keysBack.data(), keysBack.size(), 3, 512), hid::kResultOk);
    ExpectChunks(Requests(), Command::ReadProfileKeys, {{56, 1536}, {44, 1592}});
    EXPECT_EQ(keysBack, keys);
}

TEST_F(ChannelTest, AreasAndStreamsChunkAsTheirCommandsSay) {
    OpenReceiver();
    const auto area = Pattern(130, 5);
    EXPECT_EQ(channel.WriteMacroData(area.data(), area.size()), hid::kResultOk);
    ExpectChunks(Requests(), Command::WriteMacroData, Split(130, 24, 0));
    EXPECT_EQ(firmware.MacroArea(130), area);

    log.Clear();
    EXPECT_EQ(channel.WriteShootBlock(area.data(), area.size()), hid::kResultOk);
    ExpectChunks(Requests(), Command::WriteShootBlock, Split(130, 56, 0));  // 56 also here
    EXPECT_EQ(firmware.ShootArea(130), area);

    log.Clear();
    EXPECT_EQ(channel.WriteLightStream(area.data(), 60), hid::kResultOk);
    ExpectChunks(Requests(), Command::WriteLightStream, Split(60, 24, 0));
    EXPECT_EQ(firmware.LightStream(60), std::vector<uint8_t>(area.begin(), area.begin() + 60));
}

TEST_F(ChannelTest, ReadShortCopiesItsLengthAndRefusesMoreThanOnePacket) {
    OpenCable();
    uint8_t power[3] = {9, 9, 9};
    EXPECT_EQ(channel.ReadShort(power, 2, 0), hid::kResultOk);
    ExpectChunks(Requests(), Command::ReadShort, {{2, 0}});
    EXPECT_EQ(power[0], 85);
    EXPECT_EQ(power[1], 0);
    EXPECT_EQ(power[2], 9);  // only the asked length is copied

    log.Clear();
    std::vector<uint8_t> big(64, 7);
    EXPECT_EQ(channel.ReadShort(big.data(), 57, 0), hid::kResultNoAnswer);
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(big[0], 7);
    EXPECT_EQ(channel.ReadShort(big.data(), 56, 0), hid::kResultOk);
}

TEST_F(ChannelTest, SendPacketPadsShortRequestsAndCutsLongOnes) {
    OpenCable();
    const uint8_t shortRequest[5] = {0x04, 0x01, 0x00, 0x01, 0x00};
    uint8_t answer[64];
    uint32_t got = 0;
    EXPECT_EQ(channel.SendPacket(shortRequest, sizeof shortRequest, answer, 64, got),
              hid::kResultOk);
    EXPECT_EQ(got, 64u);
    std::vector<uint8_t> longRequest(80, 0);
    longRequest[0] = 0x04;
    longRequest[3] = 0x01;
    longRequest[1] = 0x01;
    longRequest[70] = 0x55;  // beyond the packet: not sent, not summed
    EXPECT_EQ(channel.SendPacket(longRequest.data(), longRequest.size(), answer, 64, got),
              hid::kResultOk);
    const auto requests = Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], requests[1]);
    EXPECT_EQ(answer[7], 0);  // the checksum was right
}

}  // namespace
