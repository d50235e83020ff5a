#include "platform/StoppableThread.h"

#include "platform/Trace.h"

namespace platform {

StoppableThread::~StoppableThread() {
    if (Stop(stopOnDestroyMs_))
        return;
    TraceF("StoppableThread: the body did not end within %u ms; it is left to end on its own",
           stopOnDestroyMs_);
    thread_.detach();
}

bool StoppableThread::Start(Body body) {
    if (thread_.joinable()) {
        if (!state_->finished.IsSet())
            return false;
        thread_.join();
    }
    state_ = std::make_shared<State>();
    auto state = state_;
    thread_ = std::thread([state, body = std::move(body)] {
        body(state->stop);
        state->finished.Set();
    });
    return true;
}

void StoppableThread::RequestStop() {
    state_->stop.Set();
}

bool StoppableThread::Join(uint32_t timeoutMs) {
    if (!thread_.joinable())
        return true;
    if (!state_->finished.Wait(timeoutMs))
        return false;
    thread_.join();
    return true;
}

bool StoppableThread::Stop(uint32_t timeoutMs) {
    RequestStop();
    return Join(timeoutMs);
}

bool StoppableThread::Running() const {
    return thread_.joinable() && !state_->finished.IsSet();
}

}  // namespace platform
