#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "platform/Event.h"
#include "platform/StoppableThread.h"

using namespace std::chrono;
using platform::Event;

namespace {

long long ElapsedMs(steady_clock::time_point since) {
    return duration_cast<milliseconds>(steady_clock::now() - since).count();
}

TEST(Event, AutoResetIsConsumedByOneWaitManualResetStays) {
    Event autoReset(false, true);
    EXPECT_TRUE(autoReset.Wait(0));
    EXPECT_FALSE(autoReset.Wait(0));

    Event manual(true, true);
    EXPECT_TRUE(manual.Wait(0));
    EXPECT_TRUE(manual.Wait(0));
    manual.Reset();
    EXPECT_FALSE(manual.Wait(0));
}

TEST(Event, WaitTimesOutAndWaitAnyReportsFirstSignalledInOrder) {
    Event a, b(true, true), c(false, true);
    auto start = steady_clock::now();
    EXPECT_FALSE(a.Wait(30));
    EXPECT_GE(ElapsedMs(start), 25);

    EXPECT_EQ(Event::WaitAny({&a, &b, &c}, 0), 1);
    b.Reset();
    EXPECT_EQ(Event::WaitAny({&a, &b, &c}, 0), 2);
    EXPECT_EQ(Event::WaitAny({&a, &b, &c}, 10), -1);
}

TEST(Event, SetFromAnotherThreadWakesAnInfiniteWait) {
    Event e;
    std::thread setter([&] {
        std::this_thread::sleep_for(20ms);
        e.Set();
    });
    EXPECT_TRUE(e.Wait(platform::kInfinite));
    setter.join();
}

TEST(StoppableThread, StopEventCutsALongWaitShort) {
    platform::StoppableThread thread;
    std::atomic<bool> wokeByStop{false};
    ASSERT_TRUE(thread.Start([&](Event& stop) { wokeByStop = stop.Wait(60'000); }));
    EXPECT_TRUE(thread.Running());
    auto start = steady_clock::now();
    EXPECT_TRUE(thread.Stop(5000));
    EXPECT_LT(ElapsedMs(start), 2000);
    EXPECT_TRUE(wokeByStop);
    EXPECT_FALSE(thread.Running());
}

TEST(StoppableThread, BoundedJoinReturnsWhileTheBodyStillRuns) {
    platform::StoppableThread thread;
    Event release(true);
    thread.Start([&](Event&) { release.Wait(); });
    auto start = steady_clock::now();
    EXPECT_FALSE(thread.Join(50));
    EXPECT_LT(ElapsedMs(start), 1000);
    release.Set();
    EXPECT_TRUE(thread.Join(5000));
}

TEST(StoppableThread, DestroyingItWaitsOnlyItsBoundThenLeavesTheBodyToEnd) {
    // A body that ignores its stop event and owns what it touches.
    auto release = std::make_shared<Event>(true);
    auto ended = std::make_shared<Event>(true);
    auto start = steady_clock::now();
    {
        platform::StoppableThread thread(100);
        thread.Start([release, ended](Event&) {
            release->Wait(10'000);
            ended->Set();
        });
        EXPECT_FALSE(thread.Stop(20));
    }
    EXPECT_LT(ElapsedMs(start), 2000);
    EXPECT_FALSE(ended->IsSet());
    release->Set();
    EXPECT_TRUE(ended->Wait(5000));  // it ends on its own, nothing killed
}

TEST(StoppableThread, CanBeRestartedWithAFreshStopEvent) {
    platform::StoppableThread thread;
    std::atomic<int> runs{0};
    thread.Start([&](Event&) { ++runs; });
    EXPECT_TRUE(thread.Join(5000));
    ASSERT_TRUE(thread.Start([&](Event& stop) {
        ++runs;
        EXPECT_FALSE(stop.IsSet());
    }));
    EXPECT_TRUE(thread.Join(5000));
    EXPECT_EQ(runs, 2);
}

}  // namespace
