#include "sim/firmware/AnswerScheduler.h"

#include <algorithm>

namespace sim::firmware {

AnswerScheduler::AnswerScheduler() : thread_([this] { Run(); }) {}

AnswerScheduler::~AnswerScheduler() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void AnswerScheduler::Schedule(std::chrono::milliseconds delay, ReportSink& host, Report answer,
                               std::function<void()> sent) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        items_.push_back(
            {std::chrono::steady_clock::now() + delay, &host, std::move(answer), std::move(sent)});
    }
    changed_.notify_all();
}

void AnswerScheduler::Forget(ReportSink& host) {
    std::lock_guard<std::mutex> lock(mutex_);
    items_.erase(std::remove_if(items_.begin(), items_.end(),
                                [&](const Item& item) { return item.host == &host; }),
                 items_.end());
}

void AnswerScheduler::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (items_.empty()) {
            changed_.wait(lock);
            continue;
        }
        // Answers to one connection leave in the order they were scheduled.
        auto next = std::min_element(items_.begin(), items_.end(),
                                     [](const Item& a, const Item& b) { return a.due < b.due; });
        if (next->due > std::chrono::steady_clock::now()) {
            changed_.wait_until(lock, next->due);
            continue;
        }
        Item item = std::move(*next);
        items_.erase(next);
        // Counted as sent first: the host may answer it with its next request at once.
        if (item.sent)
            item.sent();
        // Sent under the lock so that Forget cannot return while the host is being used.
        item.host->SendInputReport(item.answer);
    }
}

}  // namespace sim::firmware
