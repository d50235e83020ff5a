#include "platform/linux/BusReceipt.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace platform::bus_answer {

ConnectionReceipt::ConnectionReceipt(int fd, uint64_t deadlineMs)
    : fd_(fd),
      deadlineMs_(deadlineMs == 0 ? SteadyMs() + kDefaultSendTimeoutMs
                                  : std::min(deadlineMs, SteadyMs() + kMaxDeadlineAheadMs)) {}

ConnectionReceipt::~ConnectionReceipt() {
    std::lock_guard lock(mutex_);
    if (state_ == State::Taken)
        AnswerLocked(kHandled, true);
    else if (state_ != State::Answered)
        AnswerLocked(kDropped, true);
}

void ConnectionReceipt::AnswerLocked(const char* answer, bool close) {
    if (fd_ < 0)
        return;
    // The sender reads it or has gone; a full buffer cannot happen for three answers.
    ssize_t sent = ::send(fd_, answer, kAnswerBytes, MSG_NOSIGNAL | MSG_DONTWAIT);
    (void)sent;
    if (close) {
        ::close(fd_);
        fd_ = -1;
        state_ = State::Answered;
    }
}

void ConnectionReceipt::Defer() {
    std::lock_guard lock(mutex_);
    deferred_ = true;
    if (state_ == State::Received)
        state_ = State::Deferred;
}

bool ConnectionReceipt::Begin() {
    std::lock_guard lock(mutex_);
    if (state_ != State::Received && state_ != State::Deferred)
        return false;
    if (SteadyMs() >= deadlineMs_) {
        AnswerLocked(kDropped, true);
        return false;
    }
    state_ = State::Taken;
    AnswerLocked(kTaken, false);
    return true;
}

void ConnectionReceipt::Finish() {
    std::lock_guard lock(mutex_);
    if (state_ == State::Taken)
        AnswerLocked(kHandled, true);
}

bool ConnectionReceipt::AfterHandler() {
    std::lock_guard lock(mutex_);
    if (!deferred_ && (state_ == State::Received || state_ == State::Taken))
        AnswerLocked(kHandled, true);
    // Deferred and already begun elsewhere: the thread that began it answers.
    return state_ == State::Answered || state_ == State::Taken;
}

bool ConnectionReceipt::Expire(uint64_t nowMs, bool heldOnlyByCaller) {
    std::lock_guard lock(mutex_);
    if (state_ == State::Deferred && (nowMs >= deadlineMs_ || heldOnlyByCaller))
        AnswerLocked(kDropped, true);
    // A record being handled is answered by its handler's thread; stop watching it.
    return state_ == State::Answered || state_ == State::Taken;
}

}  // namespace platform::bus_answer
