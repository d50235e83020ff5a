#include "platform/linux/FdWait.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "platform/Event.h"

namespace platform::linux_fd {

int64_t NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

int64_t DeadlineAfter(uint32_t timeoutMs) {
    return timeoutMs == kInfinite ? -1 : NowMs() + timeoutMs;
}

bool Expired(int64_t deadlineMs) {
    return deadlineMs >= 0 && NowMs() >= deadlineMs;
}

WaitResult WaitFd(int fd, short events, int abortFd, int64_t deadlineMs) {
    for (;;) {
        pollfd fds[2] = {{abortFd, POLLIN, 0}, {fd, events, 0}};
        int timeout = -1;
        if (deadlineMs >= 0) {
            int64_t left = deadlineMs - NowMs();
            timeout = left > 0 ? static_cast<int>(left) : 0;
        }
        int n = poll(fds, 2, timeout);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return WaitResult::Failed;
        }
        if (fds[0].revents & POLLIN)
            return WaitResult::Aborted;
        if (n == 0)
            return WaitResult::TimedOut;
        if (fds[1].revents & (events | POLLHUP | POLLERR | POLLNVAL))
            return (fds[1].revents & POLLNVAL) ? WaitResult::Failed : WaitResult::Ready;
    }
}

int MakeAbortFd() {
    return eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

void SignalAbort(int abortFd) {
    uint64_t one = 1;
    // The counter only grows; a failed write means it is already signalled enough.
    [[maybe_unused]] ssize_t n = write(abortFd, &one, sizeof one);
}

bool IsAborted(int abortFd) {
    pollfd p{abortFd, POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}

}  // namespace platform::linux_fd
