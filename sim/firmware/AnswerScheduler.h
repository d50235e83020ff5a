#pragma once
// Sends late answers (the "slow" fault) from its own thread, so the bus keeps serving other
// requests meanwhile and a request that arrives before the late answer is seen as such.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "sim/CollectionHandler.h"

namespace sim::firmware {

class AnswerScheduler {
  public:
    AnswerScheduler();
    ~AnswerScheduler();
    AnswerScheduler(const AnswerScheduler&) = delete;
    AnswerScheduler& operator=(const AnswerScheduler&) = delete;

    // Sends `answer` to `host` after `delay`; `sent` is called just before it goes out.
    void Schedule(std::chrono::milliseconds delay, ReportSink& host, Report answer,
                  std::function<void()> sent);
    // Drops what is still due to a connection that closes; after it returns nothing more is
    // sent to that host.
    void Forget(ReportSink& host);

  private:
    struct Item {
        std::chrono::steady_clock::time_point due;
        ReportSink* host;
        Report answer;
        std::function<void()> sent;
    };
    void Run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Item> items_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace sim::firmware
