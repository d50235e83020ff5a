#include "platform/Event.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform {
namespace {

// All events share one lock and one condition: waits on several events stay simple and
// correct, and the program has few enough events that the shared wake-ups cost nothing.
// Both are never destroyed: a thread left to finish on its own (never killed) may still set
// or wait on an event while the process runs its exit handlers.
std::mutex& SharedMutex() {
    static std::mutex* m = new std::mutex;
    return *m;
}

std::condition_variable& SharedCondition() {
    static std::condition_variable* c = new std::condition_variable;
    return *c;
}

}  // namespace

Event::Event(bool manualReset, bool initiallySet)
    : manualReset_(manualReset), signalled_(initiallySet) {}

Event::~Event() = default;

void Event::Set() {
    {
        std::lock_guard<std::mutex> lock(SharedMutex());
        signalled_ = true;
    }
    SharedCondition().notify_all();
}

void Event::Reset() {
    std::lock_guard<std::mutex> lock(SharedMutex());
    signalled_ = false;
}

bool Event::IsSet() const {
    std::lock_guard<std::mutex> lock(SharedMutex());
    return signalled_;
}

bool Event::TryConsume() {
    if (!signalled_)
        return false;
    if (!manualReset_)
        signalled_ = false;
    return true;
}

bool Event::Wait(uint32_t timeoutMs) {
    Event* self = this;
    return WaitAny(&self, 1, timeoutMs) == 0;
}

int Event::WaitAny(std::initializer_list<Event*> events, uint32_t timeoutMs) {
    return WaitAny(events.begin(), static_cast<int>(events.size()), timeoutMs);
}

int Event::WaitAny(Event* const* events, int count, uint32_t timeoutMs) {
    auto firstSignalled = [&]() -> int {
        for (int i = 0; i < count; ++i) {
            if (events[i] && events[i]->TryConsume())
                return i;
        }
        return -1;
    };
    std::unique_lock<std::mutex> lock(SharedMutex());
    int index = firstSignalled();
    if (index >= 0 || timeoutMs == 0)
        return index;
    if (timeoutMs == kInfinite) {
        SharedCondition().wait(lock, [&] { return (index = firstSignalled()) >= 0; });
        return index;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    SharedCondition().wait_until(lock, deadline, [&] { return (index = firstSignalled()) >= 0; });
    return index;
}

}  // namespace platform
