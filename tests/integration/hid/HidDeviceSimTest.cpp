// CHidDevice against the simulator over the real simulated bus.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "hid/HidDevice.h"
#include "hid/PathParsers.h"
#include "platform/Event.h"
#include "tests/integration/hid/SimBusFixture.h"

namespace {

using namespace std::chrono_literals;

// Answers each output report with the same bytes, first byte kept, second incremented.
class EchoHandler : public sim::CollectionHandler {
  public:
    void OnOutputReport(const sim::Report& report, sim::ReportSink& host) override {
        {
            std::lock_guard<std::mutex> lock(mutex);
            received.push_back(report);
        }
        sim::Report answer = report;
        if (answer.size() > 1)
            ++answer[1];
        host.SendInputReport(answer);
    }
    std::mutex mutex;
    std::vector<sim::Report> received;
};

class HidDeviceSimTest : public testsupport::SimBusTest {
  protected:
    void SetUp() override {
        SimBusTest::SetUp();
        echo_ = std::make_shared<EchoHandler>();
        simulator_->SetFirmwareFactory(
            [this](const sim::BusDevice&, const sim::BusInterface&,
                   const sim::BusCollection& c) -> std::shared_ptr<sim::CollectionHandler> {
                if (c.role == sim::CollectionRole::Command)
                    return echo_;
                return nullptr;
            });
        ASSERT_TRUE(simulator_->Plug("mouse-cable"));
        commandPath_ = PathOf("mouse-cable-if1-col2");
        ASSERT_FALSE(commandPath_.empty());
    }
    std::shared_ptr<EchoHandler> echo_;
    std::string commandPath_;
};

TEST_F(HidDeviceSimTest, OpenReadsAttributesCapabilitiesAndPathNumbers) {
    hid::CHidDevice device;
    ASSERT_TRUE(device.Open(commandPath_, true, true, true, false));
    EXPECT_TRUE(device.IsOpen());
    EXPECT_EQ(device.VendorID(), 0x320F);
    EXPECT_EQ(device.ProductID(), 0x22A4);
    EXPECT_EQ(device.UsagePage(), 0xFF1C);
    EXPECT_EQ(device.Usage(), 0x92);
    EXPECT_EQ(device.Capabilities().InputReportByteLength, 64);
    EXPECT_EQ(device.Capabilities().OutputReportByteLength, 64);
    EXPECT_EQ(device.InterfaceNumber(), 1);
    EXPECT_EQ(device.CollectionNumber(), 2);
    device.Close();
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(device.VendorID(), 0);
}

TEST_F(HidDeviceSimTest, WriteThenReadMovesWholeReportsAndFlushDropsQueuedOnes) {
    hid::CHidDevice device;
    ASSERT_TRUE(device.Open(commandPath_, true, true, true, false));
    uint8_t request[64] = {4, 7, 1, 2, 3};
    uint32_t moved = 0;
    ASSERT_TRUE(device.Write(request, sizeof request, moved, 1000));
    EXPECT_EQ(moved, 64u);
    uint8_t answer[64] = {};
    ASSERT_TRUE(device.Read(answer, sizeof answer, moved, 1000));
    EXPECT_EQ(moved, 64u);
    EXPECT_EQ(answer[0], 4);
    EXPECT_EQ(answer[1], 8);
    EXPECT_EQ(answer[4], 3);

    // Two answers queue up; FlushQueue drops them, so the next read times out.
    ASSERT_TRUE(device.Write(request, sizeof request, moved, 1000));
    ASSERT_TRUE(device.Write(request, sizeof request, moved, 1000));
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(device.FlushQueue());
    EXPECT_FALSE(device.Read(answer, sizeof answer, moved, 30));
    EXPECT_EQ(moved, 0u);
}

TEST_F(HidDeviceSimTest, TransfersFailWithoutAccessOrWhenClosedAndTimeOutWithoutAnswer) {
    hid::CHidDevice device;
    uint8_t report[64] = {4};
    uint32_t moved = 99;
    EXPECT_FALSE(device.Read(report, sizeof report, moved, 10));
    EXPECT_EQ(moved, 0u);
    ASSERT_TRUE(device.Open(commandPath_, true, false, true, false));
    EXPECT_FALSE(device.Write(report, sizeof report, moved, 100));  // opened read-only
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(device.Read(report, sizeof report, moved, 50));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 45ms);
    EXPECT_FALSE(
        device.Open(folder_ + "/nothing#vid_320f&pid_22a4&mi_01&col02", true, true, true, false));
    EXPECT_FALSE(device.IsOpen());
}

TEST_F(HidDeviceSimTest, UnplugFailsThePendingReadAndEveryLaterTransfer) {
    hid::CHidDevice device;
    ASSERT_TRUE(device.Open(commandPath_, true, true, true, false));
    std::thread unplug([&] {
        std::this_thread::sleep_for(50ms);
        simulator_->Unplug("mouse-cable");
    });
    uint8_t report[64] = {4};
    uint32_t moved = 0;
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(device.Read(report, sizeof report, moved, platform::kInfinite));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    unplug.join();
    EXPECT_FALSE(device.Write(report, sizeof report, moved, 100));
}

TEST_F(HidDeviceSimTest, UnlimitedReadReturnsAtOnceWhenAnotherThreadCloses) {
    hid::CHidDevice device;
    ASSERT_TRUE(device.Open(commandPath_, true, true, true, false));
    std::atomic<bool> result{true};
    std::atomic<bool> done{false};
    std::thread reader([&] {
        uint8_t report[64];
        uint32_t moved = 0;
        result = device.Read(report, sizeof report, moved, platform::kInfinite);
        done = true;
    });
    std::this_thread::sleep_for(30ms);
    EXPECT_FALSE(done);
    auto start = std::chrono::steady_clock::now();
    device.Close();  // returns only once the reader has left its transfer
    reader.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_FALSE(result);
    // A fresh Open is not disturbed by the abort of the old connection.
    ASSERT_TRUE(device.Open(commandPath_, true, true, true, false));
    uint8_t request[64] = {4, 1};
    uint32_t moved = 0;
    ASSERT_TRUE(device.Write(request, sizeof request, moved, 1000));
    EXPECT_TRUE(device.Read(request, sizeof request, moved, 1000));
}

// Readers and writers on several threads while another thread closes and reopens the device
// over and over: nothing may touch a released connection (the sanitizer pass checks that).
TEST_F(HidDeviceSimTest, CloseAndReopenWhileTransfersRunIsSafe) {
    hid::CHidDevice device;
    ASSERT_TRUE(device.Open(commandPath_, true, true, true, false));
    std::atomic<bool> stop{false};
    std::atomic<int> transfers{0};
    auto reader = [&] {
        uint8_t report[64];
        uint32_t moved = 0;
        while (!stop) {
            device.Read(report, sizeof report, moved, platform::kInfinite);
            ++transfers;
        }
    };
    auto writer = [&] {
        uint8_t report[64] = {4, 1};
        uint32_t moved = 0;
        while (!stop) {
            device.Write(report, sizeof report, moved, 20);
            device.FlushQueue();
            ++transfers;
        }
    };
    std::thread r1(reader), r2(reader), w1(writer);
    for (int i = 0; i < 200; ++i) {
        if (i % 2)
            device.Close();
        else
            device.Open(commandPath_, true, true, true, false);
    }
    stop = true;
    device.Close();  // ends the unlimited reads
    r1.join();
    r2.join();
    w1.join();
    EXPECT_GT(transfers.load(), 0);
}

}  // namespace
