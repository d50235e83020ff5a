// The exchange rules: retries, result codes, faults, suspension, busy and the trace.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "hid/ResultCode.h"
#include "platform/Trace.h"
#include "tests/unit/proto/ChannelFixture.h"

namespace {

using prototest::ChannelTest;

TEST_F(ChannelTest, WrongEchoIsRetriedOnceAndASecondMismatchIsAccepted) {
    OpenCable();
    faults.SetWrongEcho(false);
    EXPECT_EQ(channel.BeginTransaction(), hid::kResultOk);
    EXPECT_EQ(Requests().size(), 2u);

    log.Clear();
    faults.SetWrongEcho(true);
    EXPECT_EQ(channel.BeginTransaction(), hid::kResultOk);
    EXPECT_EQ(Requests().size(), 2u);  // no third request
    faults.Clear();
}

TEST_F(ChannelTest, SilentDeviceTakesExactlyOneRetryAndEndsWithNoAnswer) {
    OpenCable();
    faults.SetNoAnswer(true);
    uint8_t block[34] = {1, 2, 3};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(channel.ReadInfoBlock(block), hid::kResultNoAnswer);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(Requests().size(), 2u);
    EXPECT_GE(elapsed, std::chrono::milliseconds(2 * hid::kCableTimeoutMs));
    EXPECT_EQ(block[0], 1);  // nothing handed over
}

TEST_F(ChannelTest, UnlinkedReceiverGivesNotLinkedWithoutRetry) {
    OpenReceiver();
    linked = false;
    uint8_t byte = 0;
    EXPECT_EQ(channel.ReadMemory(&byte, 1, 0), hid::kResultNotLinked);
    EXPECT_EQ(Requests().size(), 1u);
    linked = true;
    EXPECT_EQ(channel.ReadMemory(&byte, 1, 0), hid::kResultOk);
}

TEST_F(ChannelTest, ProbeLinkOnBothConnectionsAndItsLogLine) {
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("proto-log-" + std::to_string(::getpid()));
    std::filesystem::create_directories(home / "R207QX-ACE");
    ::setenv("XDG_DATA_HOME", home.c_str(), 1);

    OpenCable();
    EXPECT_TRUE(channel.ProbeLink());
    EXPECT_TRUE(Requests().empty());  // nothing is sent over the cable

    OpenReceiver();
    EXPECT_TRUE(channel.ProbeLink());
    ASSERT_EQ(Requests().size(), 1u);
    const hid::Packet probe = {0x04, 0xAA, 0x00, 0xAA};
    EXPECT_EQ(Requests()[0], probe);

    linked = false;
    EXPECT_FALSE(channel.ProbeLink());
    faults.SetStatusAt(0xFF, 1);
    linked = true;
    EXPECT_FALSE(channel.ProbeLink());  // linked, but the device refused

    std::ifstream logFile(home / "R207QX-ACE" / "Linkhive.log");
    std::string text((std::istreambuf_iterator<char>(logFile)), {});
    EXPECT_NE(text.find(":Hid2_4GDeviceIsLink>0xAA    false\n"), std::string::npos);
    std::filesystem::remove_all(home);
}

TEST_F(ChannelTest, RefusingStatusStopsAChunkedWriteAtThatChunk) {
    OpenReceiver();
    std::vector<uint8_t> block(87, 0x3C);
    faults.SetStatusAt(0xFE, 2);
    EXPECT_EQ(channel.WriteMemory(block.data(), block.size(), 128), hid::kResultStatusRejected);
    EXPECT_EQ(Requests().size(), 2u);
    EXPECT_EQ(firmware.Memory(128, 24), std::vector<uint8_t>(24, 0x3C));  // chunk 1 stays
    EXPECT_NE(firmware.Memory(152, 1)[0], 0x3C);

    faults.SetStatusAt(0xFF, 1);
    EXPECT_EQ(channel.BeginTransaction(), hid::kResultStatusFailed);
    std::vector<uint8_t> read(87, 0);
    faults.SetStatusAt(0xFF, 3);
    EXPECT_EQ(channel.ReadMemory(read.data(), read.size(), 128), hid::kResultStatusFailed);
    EXPECT_EQ(read[0], 0x3C);  // the chunks before stay copied
    EXPECT_EQ(read[48], 0);
}

TEST_F(ChannelTest, ClosedChannelSuspensionAndWriteFailure) {
    uint8_t block[34] = {};
    EXPECT_EQ(channel.ReadInfoBlock(block), hid::kResultNoAnswer);
    EXPECT_EQ(channel.BeginTransaction(), hid::kResultNoAnswer);
    EXPECT_TRUE(Requests().empty());

    OpenCable();
    channel.SetSuspended(true);
    block[0] = 0x42;
    EXPECT_EQ(channel.ReadInfoBlock(block), hid::kResultOk);
    EXPECT_EQ(channel.WriteMemory(block, 34, 0), hid::kResultOk);
    EXPECT_EQ(channel.EndTransaction(), hid::kResultOk);
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(block[0], 0x42);  // nothing was read, nothing copied
    channel.SetSuspended(false);

    transport.SetWritesFail(true);
    EXPECT_EQ(channel.BeginTransaction(), hid::kResultWriteFailed);
    EXPECT_EQ(channel.WriteLightStream(block, 34), hid::kResultWriteFailed);
    transport.SetWritesFail(false);
    EXPECT_FALSE(channel.Busy());
    EXPECT_EQ(channel.BeginTransaction(), hid::kResultOk);
}

TEST_F(ChannelTest, TracesTheTracedExchangeOnly) {
    OpenCable();
    platform::TraceCapture capture;
    EXPECT_EQ(channel.BeginTransaction(), hid::kResultOk);
    const auto lines = capture.Lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "命令");
    EXPECT_EQ(lines[1].substr(0, 17), "04 01 00 01   00 ");
    EXPECT_EQ(lines[3], "返回");
    EXPECT_EQ(lines[4].substr(0, 27), "04 01 00 01   00 00 00 00  ");
    capture.Clear();
    uint8_t frame[24] = {};
    EXPECT_EQ(channel.WriteLightStream(frame, sizeof frame), hid::kResultOk);
    EXPECT_TRUE(capture.Lines().empty());
}

TEST_F(ChannelTest, LightStreamDropsChunksWhileAnotherExchangeIsUnderWay) {
    OpenCable();
    platform::TraceCapture capture;
    std::thread other;
    {
        // Hold the I/O lock so another thread's exchange stays in progress.
        platform::LockGuard io(channel.IoLock());
        other = std::thread([&] { EXPECT_EQ(channel.BeginTransaction(), hid::kResultOk); });
        while (!channel.Busy())
            std::this_thread::yield();
        std::vector<uint8_t> frame(100, 0x11);
        EXPECT_EQ(channel.WriteLightStream(frame.data(), frame.size()), hid::kResultOk);
    }
    other.join();
    EXPECT_EQ(firmware.Counters().lightChunks, 0u);
    EXPECT_TRUE(capture.Contains("放弃灯光数据"));
    std::vector<uint8_t> frame(100, 0x22);
    EXPECT_EQ(channel.WriteLightStream(frame.data(), frame.size()), hid::kResultOk);
    EXPECT_EQ(firmware.Counters().lightChunks, 2u);
}

TEST_F(ChannelTest, FastExchangeReadsAgainInsteadOfWritingAgain) {
    OpenCable();
    faults.SetWrongEcho(false);
    std::vector<uint8_t> frame(10, 1);
    // The wrong answer is followed by no second answer: the second read times out.
    EXPECT_EQ(channel.WriteLightStream(frame.data(), frame.size()), hid::kResultNoAnswer);
    EXPECT_EQ(Requests().size(), 1u);
}

TEST_F(ChannelTest, ConnectionSetsChunkSize) {
    EXPECT_EQ(channel.ChunkSize(), 24);
    EXPECT_FALSE(channel.Wireless());
    channel.SetConnection(1);
    EXPECT_EQ(channel.ChunkSize(), 56);
    channel.SetConnection(2);
    EXPECT_EQ(channel.ChunkSize(), 24);
    EXPECT_TRUE(channel.Wireless());
    channel.SetConnection(7);
    EXPECT_EQ(channel.ChunkSize(), 56);
    EXPECT_FALSE(channel.Wireless());
}

}  // namespace

// A device that sends input reports shorter than its collection's: the channel once took
// them as whole answers padded with zeros, so an information block or a settings block read
// "succeeded" with zeros that were then saved.
TEST_F(ChannelTest, AnAnswerTooShortForWhatTheCommandReadsIsNoAnswer) {
    OpenCable();
    faults.SetShortAnswer(8);
    uint8_t block[34] = {1, 2, 3};
    EXPECT_EQ(channel.ReadInfoBlock(block), hid::kResultNoAnswer);
    EXPECT_EQ(Requests().size(), 2u);  // the one retry, as for no answer
    EXPECT_EQ(block[0], 1);
    std::vector<uint8_t> settings(87, 0xEE);
    EXPECT_EQ(channel.ReadMemory(settings.data(), settings.size(), 128), hid::kResultNoAnswer);
    EXPECT_EQ(settings, std::vector<uint8_t>(87, 0xEE));
    uint8_t answer[64];
    std::fill_n(answer, 64, 0x55);
    uint32_t answerBytes = 99;
    const hid::Packet read = hid::BuildRequest(hid::Command::ReadMemory, 4, 0);
    EXPECT_EQ(channel.SendPacket(read.data(), read.size(), answer, 64, answerBytes),
              hid::kResultNoAnswer);
    EXPECT_EQ(answerBytes, 0u);
    EXPECT_EQ(answer[3], 0);  // nothing of the short report is handed on

    // Commands that read only the status need the first 8 bytes.
    log.Clear();
    EXPECT_EQ(channel.BeginTransaction(), hid::kResultOk);
    EXPECT_EQ(channel.WriteMemory(settings.data(), 40, 0x200), hid::kResultOk);
    EXPECT_EQ(Requests().size(), 2u);
    faults.SetShortAnswer(7);
    EXPECT_EQ(channel.BeginTransaction(), hid::kResultNoAnswer);

    // Exactly the bytes read are enough; one fewer is not.
    faults.SetShortAnswer(8 + 10);
    uint8_t ten[10] = {};
    EXPECT_EQ(channel.ReadMemory(ten, 10, 128), hid::kResultOk);
    EXPECT_EQ(std::vector<uint8_t>(ten, ten + 10), firmware.Memory(128, 10));
    EXPECT_EQ(channel.ReadMemory(ten, 11, 128), hid::kResultNoAnswer);
    uint8_t power[2] = {};
    faults.SetShortAnswer(9);
    EXPECT_EQ(channel.ReadShort(power, 2, 0), hid::kResultNoAnswer);
    faults.SetShortAnswer(10);
    EXPECT_EQ(channel.ReadShort(power, 2, 0), hid::kResultOk);
    EXPECT_EQ(power[0], 85);
    faults.Clear();
}

TEST_F(ChannelTest, ThroughTheReceiverTheProbeNeedsItsByteAndNotLinkedItsHeader) {
    OpenReceiver();
    faults.SetShortAnswer(8);
    EXPECT_FALSE(channel.ProbeLink());
    uint8_t frame[24] = {};
    EXPECT_EQ(channel.WriteLightStream(frame, sizeof frame), hid::kResultOk);
    linked = false;
    uint8_t byte = 0;
    EXPECT_EQ(channel.ReadMemory(&byte, 1, 0), hid::kResultNotLinked);
    faults.SetShortAnswer(7);
    log.Clear();
    EXPECT_EQ(channel.ReadMemory(&byte, 1, 0), hid::kResultNoAnswer);
    EXPECT_EQ(Requests().size(), 2u);
    linked = true;
    faults.Clear();
    EXPECT_TRUE(channel.ProbeLink());
}
