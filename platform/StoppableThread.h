#pragma once
// A thread that watches a stop event. Nothing is ever killed: Stop() signals, Join() waits
// (optionally bounded), and the destructor waits for the body to return.
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "platform/Event.h"

namespace platform {

class StoppableThread {
  public:
    using Body = std::function<void(Event& stop)>;

    StoppableThread() = default;
    ~StoppableThread();
    StoppableThread(const StoppableThread&) = delete;
    StoppableThread& operator=(const StoppableThread&) = delete;

    // Starts the body with a fresh (reset) stop event; false when already running.
    bool Start(Body body);
    void RequestStop();
    // Waits until the body has returned; false on time-out (the thread keeps running).
    bool Join(uint32_t timeoutMs = kInfinite);
    // Stop, then Join with the time-out.
    bool StopAndJoin(uint32_t timeoutMs = kInfinite);

    bool Running() const;
    Event& StopEvent() { return state_->stop; }

  private:
    struct State {
        Event stop{true, false};
        Event finished{true, false};
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
    std::thread thread_;
};

}  // namespace platform
