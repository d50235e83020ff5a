#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "hid/Packet.h"
#include "sim/firmware/CommandPath.h"
#include "sim/firmware/DeviceFirmware.h"

namespace {

using sim::Report;
using sim::firmware::CommandPath;
using sim::firmware::DeviceFirmware;

Report Request(hid::Command code, uint8_t length, uint16_t address,
               std::vector<uint8_t> data = {}) {
    const hid::Packet p = hid::BuildRequest(code, length, address, data);
    return Report(p.begin(), p.end());
}

std::vector<uint8_t> Data(const Report& answer, size_t n) {
    return {answer.begin() + 8, answer.begin() + 8 + static_cast<std::ptrdiff_t>(n)};
}

class MouseFirmware : public ::testing::Test {
  protected:
    DeviceFirmware fw{sim::firmware::MouseModel()};
};

TEST_F(MouseFirmware, InfoBlockCarriesSignatureKeyCountAndMark) {
    Report a = fw.Answer(Request(hid::Command::ReadInfoBlock, 24, 0));
    EXPECT_EQ(a[3], 0x03);
    EXPECT_EQ(a[7], 0x00);
    EXPECT_EQ(a[8], 0xAA);
    EXPECT_EQ(a[9], 0x55);
    EXPECT_EQ(a[8 + 5], 16);
    EXPECT_EQ(a[8 + 7], 0x12);
    a = fw.Answer(Request(hid::Command::ReadInfoBlock, 10, 24));
    EXPECT_EQ(a[7], 0x00);
    // Past the 34 bytes is refused.
    a = fw.Answer(Request(hid::Command::ReadInfoBlock, 11, 24));
    EXPECT_EQ(a[7], hid::kStatusRejected);
}

TEST_F(MouseFirmware, RejectsWrongReportIdBadChecksumAndLongLength) {
    Report r = Request(hid::Command::ReadMemory, 1, 0);
    r[0] = 0x05;
    EXPECT_EQ(fw.Answer(r)[7], hid::kStatusFailed);
    r = Request(hid::Command::ReadMemory, 1, 0);
    r[1] ^= 0x01;
    EXPECT_EQ(fw.Answer(r)[7], hid::kStatusFailed);
    EXPECT_EQ(fw.Answer(Report(r.begin(), r.begin() + 40))[7], hid::kStatusFailed);
    EXPECT_EQ(fw.Answer(Request(hid::Command::ReadMemory, 57, 0))[7], hid::kStatusRejected);
    EXPECT_EQ(fw.Counters().rejected, 4u);
}

TEST_F(MouseFirmware, MemoryHoldsProfilesAtStride128AndWritesStick) {
    Report a = fw.Answer(Request(hid::Command::ReadMemory, 1, 0));
    EXPECT_EQ(a[8], 0);  // current profile
    std::vector<uint8_t> block(31);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<uint8_t>(0xA0 + i);
    a = fw.Answer(Request(hid::Command::WriteMemory, 31, 2 * 128 + 56, block));
    EXPECT_EQ(a[7], 0);
    EXPECT_EQ(fw.Memory(2 * 128 + 56, 31), block);
    a = fw.Answer(Request(hid::Command::ReadMemory, 31, 2 * 128 + 56));
    EXPECT_EQ(Data(a, 31), block);
    // The end of the 64 KiB is refused rather than wrapped.
    a = fw.Answer(Request(hid::Command::WriteMemory, 8, 0xFFFC, block));
    EXPECT_EQ(a[7], hid::kStatusRejected);
}

TEST_F(MouseFirmware, KeyTableReadsIdentityWhileWritesGoToTheActiveMapByBank) {
    std::vector<uint8_t> keys(6, 0x77);
    fw.Answer(Request(hid::Command::WriteKeyTable, 6, 512 + 3, keys));
    const Report a = fw.Answer(Request(hid::Command::ReadKeyTable, 6, 0));
    EXPECT_EQ(Data(a, 6), (std::vector<uint8_t>{0x10, 0x01, 0x00, 0x10, 0x02, 0x00}));
    const auto bank1 = fw.ActiveKeyMap(1);
    EXPECT_EQ(bank1[3], 0x77);
    EXPECT_EQ(bank1[8], 0x77);
    EXPECT_EQ(fw.ActiveKeyMap(0)[3], 0x10);  // bank 0 untouched, still the factory map
}

TEST_F(MouseFirmware, ShortReadPowerStateAndSmallCommands) {
    Report a = fw.Answer(Request(hid::Command::ReadShort, 2, 0));
    EXPECT_EQ(Data(a, 3), (std::vector<uint8_t>{85, 0, 0}));
    a = fw.Answer(Request(hid::Command::ProbeLink, 0, 0));
    EXPECT_EQ(a[3], 0xAA);
    EXPECT_EQ(a[8], 0xFF);
    EXPECT_FALSE(fw.LightControlTaken());
    fw.Answer(Request(hid::Command::TakeLightControl, 0, 0));
    EXPECT_TRUE(fw.LightControlTaken());
    fw.Answer(Request(hid::Command::BeginTransaction, 0, 0));
    EXPECT_TRUE(fw.InTransaction());
    fw.Answer(Request(hid::Command::EndTransaction, 0, 0));
    EXPECT_FALSE(fw.InTransaction());
    EXPECT_EQ(fw.Answer(Request(static_cast<hid::Command>(0x33), 0, 0))[7], hid::kStatusFailed);
}

TEST_F(MouseFirmware, MacroAreaIsLimitedByTheInfoBlockSize) {
    fw.SetInfoByte(6, 1);  // 128 bytes
    std::vector<uint8_t> chunk(56, 1);
    EXPECT_EQ(fw.Answer(Request(hid::Command::WriteMacroData, 56, 56, chunk))[7], 0);
    EXPECT_EQ(fw.Answer(Request(hid::Command::WriteMacroData, 56, 112, chunk))[7],
              hid::kStatusRejected);
}

TEST_F(MouseFirmware, KeyPressesCycleStageAndProfile) {
    EXPECT_EQ(fw.CycleStage(), 1);
    EXPECT_EQ(fw.Memory(12, 1)[0], 1);
    for (int i = 0; i < 4; ++i)
        fw.CycleStage();
    EXPECT_EQ(fw.ActiveStage(), 0);  // five enabled stages wrap
    EXPECT_EQ(fw.CycleProfile(), 1);
    EXPECT_EQ(fw.Memory(0, 1)[0], 1);
}

class Paths : public ::testing::Test {
  protected:
    DeviceFirmware fw{sim::firmware::MouseModel()};
    sim::firmware::FaultInjector faults;
    sim::firmware::PacketLog log;
    sim::firmware::ExchangeMonitor monitor;
    std::atomic<bool> linked{true};
    CommandPath cable{"mouse-cable", fw, faults, log, monitor, nullptr};
    CommandPath receiver{"mouse-receiver", fw, faults, log, monitor, &linked};
    int connection = 0;
};

TEST_F(Paths, CableAndReceiverShareOneMouse) {
    std::vector<uint8_t> one = {3};
    EXPECT_TRUE(
        cable.Handle(Request(hid::Command::WriteMemory, 1, 300, one), &connection).answered);
    const auto out = receiver.Handle(Request(hid::Command::ReadMemory, 1, 300), &connection);
    EXPECT_EQ(out.answer[8], 3);
}

TEST_F(Paths, UnlinkedReceiverAnswersAaAndProbeSaysNotLinked) {
    linked = false;
    auto out = receiver.Handle(Request(hid::Command::ReadMemory, 1, 0), &connection);
    EXPECT_EQ(out.answer[3], 0xAA);
    out = receiver.Handle(Request(hid::Command::ProbeLink, 0, 0), &connection);
    EXPECT_EQ(out.answer[3], 0xAA);
    EXPECT_NE(out.answer[8], 0xFF);
    linked = true;
    out = receiver.Handle(Request(hid::Command::ProbeLink, 0, 0), &connection);
    EXPECT_EQ(out.answer[8], 0xFF);
    // The cable does not care about the receiver's link.
    linked = false;
    EXPECT_EQ(cable.Handle(Request(hid::Command::ReadMemory, 1, 0), &connection).answer[3], 0x05);
}

TEST_F(Paths, FaultsApplyInOrder) {
    faults.SetWrongEcho(false);
    EXPECT_NE(cable.Handle(Request(hid::Command::BeginTransaction, 0, 0), &connection).answer[3],
              0x01);
    EXPECT_EQ(cable.Handle(Request(hid::Command::BeginTransaction, 0, 0), &connection).answer[3],
              0x01);

    std::vector<uint8_t> data(56, 0x5A);
    faults.SetStatusAt(0xFE, 2);
    EXPECT_EQ(
        cable.Handle(Request(hid::Command::WriteMemory, 56, 1000, data), &connection).answer[7], 0);
    EXPECT_EQ(
        cable.Handle(Request(hid::Command::WriteMemory, 56, 1056, data), &connection).answer[7],
        0xFE);
    EXPECT_EQ(fw.Memory(1000, 1)[0], 0x5A);
    EXPECT_EQ(fw.Memory(1056, 1)[0], 0x00);  // the refused chunk was not written

    faults.SetNoAnswer(true);
    EXPECT_FALSE(cable.Handle(Request(hid::Command::BeginTransaction, 0, 0), &connection).answered);
    faults.Clear();
    faults.SetSlow(25);
    const auto slow = cable.Handle(Request(hid::Command::BeginTransaction, 0, 0), &connection);
    EXPECT_TRUE(slow.answered);
    EXPECT_EQ(slow.delayMs, 25u);
    EXPECT_EQ(faults.Describe(), "slow-25ms");
}

TEST_F(Paths, LogRecordsBothWaysAndMonitorFlagsRequestsBeforeALateAnswer) {
    cable.Handle(Request(hid::Command::BeginTransaction, 0, 0), &connection);
    const auto entries = log.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(entries[0].request);
    EXPECT_FALSE(entries[1].request);
    EXPECT_NE(sim::firmware::PacketLog::Format(entries[0]).find("cable > 04 01 00 01"),
              std::string::npos);

    faults.SetSlow(5);
    int other = 0;
    cable.Handle(Request(hid::Command::BeginTransaction, 0, 0), &connection);
    cable.Handle(Request(hid::Command::BeginTransaction, 0, 0), &other);  // another handle
    EXPECT_EQ(monitor.Violations(), 0u);
    cable.OnAnswerSent(&connection);
    cable.Handle(Request(hid::Command::BeginTransaction, 0, 0), &connection);
    EXPECT_EQ(monitor.Violations(), 0u);
    // The answer above is still on its way: a second request on that handle interleaves.
    cable.Handle(Request(hid::Command::BeginTransaction, 0, 0), &connection);
    EXPECT_EQ(monitor.Violations(), 1u);
    EXPECT_EQ(monitor.Requests(), 5u);
}

}  // namespace
