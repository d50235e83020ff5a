// Three kinds of thread on one channel, as the program runs them: the window thread writing
// and reading settings, a light-stream thread, and a notification reader on the event
// collection. No exchange may interleave with another and nothing may deadlock.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "hid/ResultCode.h"
#include "tests/integration/proto/BusFixture.h"

namespace {

using prototest::BusTest;
using Clock = std::chrono::steady_clock;

void RunStress(BusTest& test, hid::CHidChannel& channel, hid::CHidDevice& events,
               sim::firmware::SimulatedDevices& devices, std::chrono::milliseconds duration) {
    // Late answers (still within the 10 ms lead) let the device see a request that comes
    // before the previous answer was sent.
    devices.Faults().SetSlow(8);
    std::atomic<bool> stop{false};
    std::atomic<int> writerFailures{0}, lightFailures{0}, mismatches{0};
    std::atomic<int> writerRounds{0}, lightFrames{0}, notifications{0};

    std::thread window([&] {
        std::vector<uint8_t> block(87), back(87), shoot(120);
        for (uint8_t round = 1; !stop; ++round) {
            for (size_t i = 0; i < block.size(); ++i)
                block[i] = static_cast<uint8_t>(round + i);
            const uint16_t address = static_cast<uint16_t>(128 * (1 + round % 4));
            int r = channel.BeginTransaction();
            r = r == hid::kResultOk ? channel.WriteMemory(block.data(), block.size(), address) : r;
            r = r == hid::kResultOk ? channel.EndTransaction() : r;
            r = r == hid::kResultOk ? channel.ReadMemory(back.data(), back.size(), address) : r;
            if (r != hid::kResultOk)
                ++writerFailures;
            else if (back != block)
                ++mismatches;
            // The shoot area takes no command lock; it must still not interleave.
            if (channel.WriteShootBlock(shoot.data(), shoot.size()) != hid::kResultOk)
                ++writerFailures;
            ++writerRounds;
        }
    });
    std::thread light([&] {
        std::vector<uint8_t> frame(72, 0x40);
        while (!stop) {
            if (channel.WriteLightStream(frame.data(), frame.size()) != hid::kResultOk)
                ++lightFailures;
            ++lightFrames;
        }
    });
    std::thread reader([&] {
        uint8_t report[16];
        while (!stop) {
            uint32_t got = 0;
            if (events.Read(report, sizeof report, got, 50))
                ++notifications;
        }
    });
    std::thread keys([&] {
        while (!stop) {
            devices.PressDpi();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });

    std::this_thread::sleep_for(duration);
    stop = true;
    const auto joinStart = Clock::now();
    window.join();
    light.join();
    reader.join();
    keys.join();
    devices.Faults().Clear();
    // Every thread ends within a few exchanges of being told: nothing is stuck on a lock.
    EXPECT_LT(Clock::now() - joinStart, std::chrono::seconds(3));

    EXPECT_EQ(writerFailures, 0);
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(lightFailures, 0);
    EXPECT_GT(writerRounds, 3);
    EXPECT_GT(lightFrames, 3);
    EXPECT_GT(notifications, 3);
    EXPECT_EQ(devices.Monitor().Violations(), 0u)
        << "requests were written before the previous answer was read";
    EXPECT_GT(devices.Monitor().Requests(), 50u);
    (void)test;
}

TEST_F(BusTest, WindowLightAndNotificationThreadsShareTheCable) {
    auto channel = OpenChannel(false);
    hid::CHidDevice events(transport.get());
    ASSERT_TRUE(events.Open(PathOf("mouse-cable-if0-col3"), true, false, true, false));
    RunStress(*this, *channel, events, devices, std::chrono::milliseconds(1500));
}

TEST_F(BusTest, WindowLightAndNotificationThreadsShareTheReceiver) {
    auto channel = OpenChannel(true);
    hid::CHidDevice events(transport.get());
    ASSERT_TRUE(events.Open(PathOf("mouse-receiver-if0-col3"), true, false, true, false));
    RunStress(*this, *channel, events, devices, std::chrono::milliseconds(1500));
}

}  // namespace
