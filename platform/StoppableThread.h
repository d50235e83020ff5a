#pragma once
// A thread that watches a stop event. Nothing is ever killed: Stop signals the event and
// waits, bounded, for the body to return.
//
// The destructor stops the thread and waits at most the bound given at construction
// (kDefaultStopOnDestroyMs unless told otherwise). A body still running then is left to end
// on its own (detached, traced): it keeps its stop event and its own copy of the body, but
// nothing else. So a body that touches its owner must be stopped by that owner (Stop, with
// whatever bound the owner can afford) before the owner goes; one that owns what it touches
// (shared_ptr captures) may simply be destroyed.
//
// Threads: one owning thread calls every member; the body sees only its stop event (Set,
// IsSet and Wait of an Event may be used from any thread).
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "platform/Event.h"

namespace platform {

class StoppableThread {
  public:
    using Body = std::function<void(Event& stop)>;
    static constexpr uint32_t kDefaultStopOnDestroyMs = 5000;

    explicit StoppableThread(uint32_t stopOnDestroyMs = kDefaultStopOnDestroyMs)
        : stopOnDestroyMs_(stopOnDestroyMs) {}
    ~StoppableThread();
    StoppableThread(const StoppableThread&) = delete;
    StoppableThread& operator=(const StoppableThread&) = delete;

    // Starts the body with a fresh (reset) stop event; false when already running.
    bool Start(Body body);
    void RequestStop();
    // Waits until the body has returned; false on time-out (the thread keeps running).
    bool Join(uint32_t timeoutMs);
    // Signals the stop event, then waits at most timeoutMs; true when the body has ended.
    bool Stop(uint32_t timeoutMs);

    bool Running() const;
    Event& StopEvent() { return state_->stop; }

  private:
    struct State {
        Event stop{true, false};
        Event finished{true, false};
    };
    const uint32_t stopOnDestroyMs_;
    std::shared_ptr<State> state_ = std::make_shared<State>();
    std::thread thread_;
};

}  // namespace platform
