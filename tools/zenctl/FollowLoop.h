#pragma once
// The window thread of a device object run without a window (connect --follow): the tasks
// the object posts and the list-item timers it asks for run here, in order, until SIGINT or
// SIGTERM arrives or the time given has passed.
//
// Threads: Post and StartTimer from any thread; Run on the thread that owns the device.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace zenctl {

class FollowLoop {
  public:
    // What a timer of the list item does (1002 refresh, 1005 power query, ...).
    using TimerAction = std::function<void(int id)>;

    // Blocks SIGINT and SIGTERM in the calling thread and every thread it starts later, so
    // that Run takes them. Call before the device's threads start.
    FollowLoop();

    void Post(std::function<void()> task);
    // A second request for the same timer replaces the first, as a window timer does.
    void StartTimer(int id, uint32_t ms);

    // Returns 0 on a signal or when seconds (>= 0) have passed.
    int Run(long seconds, const TimerAction& onTimer);

  private:
    using Clock = std::chrono::steady_clock;
    struct Timer {
        int id;
        Clock::time_point due;
    };

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::function<void()>> tasks_;
    std::vector<Timer> timers_;
};

}  // namespace zenctl
