#include "tools/zenctl/FollowLoop.h"

#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace zenctl {
namespace {

sigset_t FollowSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

}  // namespace

FollowLoop::FollowLoop() {
    const sigset_t signals = FollowSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

void FollowLoop::Post(std::function<void()> task) {
    std::lock_guard<std::mutex> lock(mutex_);
    tasks_.push_back(std::move(task));
    changed_.notify_all();
}

void FollowLoop::StartTimer(int id, uint32_t ms) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::erase_if(timers_, [id](const Timer& t) { return t.id == id; });
    timers_.push_back({id, Clock::now() + std::chrono::milliseconds(ms)});
    changed_.notify_all();
}

int FollowLoop::Run(long seconds, const TimerAction& onTimer) {
    std::atomic<bool> stop{false};
    std::atomic<bool> finished{false};
    // The signals are taken by a watcher that looks every 100 ms whether the loop ended.
    std::thread watcher([this, &stop, &finished] {
        const sigset_t signals = FollowSignals();
        const timespec wait{0, 100 * 1000 * 1000};
        while (!finished.load()) {
            if (sigtimedwait(&signals, nullptr, &wait) > 0) {
                std::lock_guard<std::mutex> lock(mutex_);
                stop = true;
                changed_.notify_all();
                return;
            }
        }
    });
    const bool bounded = seconds >= 0;
    const Clock::time_point end = Clock::now() + std::chrono::seconds(bounded ? seconds : 0);
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop.load() && (!bounded || Clock::now() < end)) {
        if (!tasks_.empty()) {
            std::vector<std::function<void()>> run;
            run.swap(tasks_);
            lock.unlock();
            for (auto& task : run)
                task();
            lock.lock();
            continue;
        }
        const Clock::time_point now = Clock::now();
        auto due = std::find_if(timers_.begin(), timers_.end(),
                                [now](const Timer& t) { return t.due <= now; });
        if (due != timers_.end()) {
            const int id = due->id;
            timers_.erase(due);
            lock.unlock();
            onTimer(id);
            lock.lock();
            continue;
        }
        Clock::time_point next = bounded ? end : now + std::chrono::hours(1);
        for (const Timer& t : timers_)
            next = std::min(next, t.due);
        changed_.wait_until(lock, next);
    }
    lock.unlock();
    finished = true;
    watcher.join();
    return 0;
}

}  // namespace zenctl
