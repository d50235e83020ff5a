// The command channel against the simulated devices over the real simulated bus.
#include <gtest/gtest.h>

#include <chrono>

#include "hid/ResultCode.h"
#include "tests/integration/proto/BusFixture.h"

namespace {

using prototest::BusTest;

TEST_F(BusTest, ReadsTheMouseAsTheProgramDoesOnBothConnections) {
    for (bool receiver : {false, true}) {
        auto channel = OpenChannel(receiver);
        EXPECT_TRUE(channel->ProbeLink());
        uint8_t info[34] = {};
        EXPECT_EQ(channel->BeginTransaction(), hid::kResultOk);
        EXPECT_EQ(channel->ReadInfoBlock(info), hid::kResultOk);
        EXPECT_EQ(channel->EndTransaction(), hid::kResultOk);
        EXPECT_EQ(info[0] | (info[1] << 8), 0x55AA);
        EXPECT_EQ(info[7], 0x12);
        ASSERT_TRUE(channel->SetBlockSize(static_cast<uint16_t>(info[5] * 3)));
        std::vector<uint8_t> keys(512, 0xEE);
        EXPECT_EQ(channel->ReadKeyTable(keys.data()), hid::kResultOk);
        EXPECT_EQ(keys[3 * 10], 0x14);  // page key 10's factory code in slot 10
        EXPECT_EQ(keys[48], 0xEE);      // beyond the block size: untouched
        uint8_t profile = 0xFF;
        EXPECT_EQ(channel->ReadMemory(&profile, 1, 0), hid::kResultOk);
        EXPECT_EQ(profile, 0);
        std::vector<uint8_t> block(87);
        EXPECT_EQ(channel->ReadMemory(block.data(), block.size(), profile * 128), hid::kResultOk);
        EXPECT_EQ(block, devices.Mouse().Memory(0, 87));
        uint8_t power[2] = {};
        EXPECT_EQ(channel->ReadShort(power, 2, 0), hid::kResultOk);
        EXPECT_EQ(power[0], 85);
    }
}

TEST_F(BusTest, WritesThroughOnePathAreSeenThroughTheOther) {
    auto cable = OpenChannel(false);
    auto receiver = OpenChannel(true);
    std::vector<uint8_t> block(87);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<uint8_t>(i * 3);
    EXPECT_EQ(receiver->BeginTransaction(), hid::kResultOk);
    EXPECT_EQ(receiver->WriteMemory(block.data(), block.size(), 128), hid::kResultOk);
    EXPECT_EQ(receiver->EndTransaction(), hid::kResultOk);
    std::vector<uint8_t> back(87);
    EXPECT_EQ(cable->ReadMemory(back.data(), back.size(), 128), hid::kResultOk);
    EXPECT_EQ(back, block);
}

TEST_F(BusTest, FaultsGiveTheirResultCodes) {
    auto receiver = OpenChannel(true);
    devices.SetLinked(false);
    EXPECT_FALSE(receiver->ProbeLink());
    uint8_t byte = 0;
    EXPECT_EQ(receiver->ReadMemory(&byte, 1, 0), hid::kResultNotLinked);
    devices.SetLinked(true);
    EXPECT_TRUE(receiver->ProbeLink());

    auto cable = OpenChannel(false);
    devices.Faults().SetWrongEcho(false);
    EXPECT_EQ(cable->BeginTransaction(), hid::kResultOk);
    devices.Faults().SetWrongEcho(true);
    EXPECT_EQ(cable->BeginTransaction(), hid::kResultOk);  // the second mismatch is accepted
    devices.Faults().Clear();

    std::vector<uint8_t> block(87, 0x66);
    devices.Faults().SetStatusAt(0xFF, 2);
    EXPECT_EQ(cable->WriteMemory(block.data(), block.size(), 256), hid::kResultStatusFailed);
    EXPECT_EQ(devices.Mouse().Memory(256, 56), std::vector<uint8_t>(56, 0x66));
    EXPECT_NE(devices.Mouse().Memory(312, 1)[0], 0x66);

    devices.Faults().SetSlow(30);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(cable->BeginTransaction(), hid::kResultOk);  // late, within the time-out
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
    devices.Faults().Clear();

    devices.Faults().SetNoAnswer(true);
    EXPECT_EQ(cable->BeginTransaction(), hid::kResultNoAnswer);
    devices.Faults().Clear();
    EXPECT_EQ(devices.Monitor().Violations(), 0u);
}

TEST_F(BusTest, KeyPressesReachTheEventCollection) {
    hid::CHidDevice events(transport.get());
    ASSERT_TRUE(events.Open(PathOf("mouse-cable-if0-col3"), true, false, true, false));
    // Wait until the bus has registered the connection.
    int told = 0;
    for (int i = 0; i < 100 && told == 0; ++i) {
        told = devices.NotifyMouse(0x0401);
        if (!told)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_GT(told, 0);
    uint8_t report[16] = {};
    uint32_t got = 0;
    ASSERT_TRUE(events.Read(report, sizeof report, got, 1000));
    EXPECT_EQ(report[1] | (report[2] << 8), 0x0401);

    devices.PressDpi();
    ASSERT_TRUE(events.Read(report, sizeof report, got, 1000));
    EXPECT_EQ(report[0], sim::firmware::kNotificationReportId);
    EXPECT_EQ(report[1] | (report[2] << 8), 0x1110);  // stage 1, profile 0
    devices.PressProfile();
    ASSERT_TRUE(events.Read(report, sizeof report, got, 1000));
    EXPECT_EQ(report[1] | (report[2] << 8), 0x1001);
    auto cable = OpenChannel(false);
    uint8_t profile = 0;
    EXPECT_EQ(cable->ReadMemory(&profile, 1, 0), hid::kResultOk);
    EXPECT_EQ(profile, 1);
}

}  // namespace
