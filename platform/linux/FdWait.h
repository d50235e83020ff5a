#pragma once
// Waiting on a file descriptor that another thread can cut short through an eventfd.
#include <cstdint>

namespace platform::linux_fd {

enum class WaitResult { Ready, Aborted, TimedOut, Failed };

// Waits until fd has the poll events (POLLIN or POLLOUT) or hang-up, the abort eventfd is
// signalled, or the time-out ends. Abort wins over readiness. deadlineMs is an absolute
// monotonic time in ms (from NowMs), or -1 for no limit.
WaitResult WaitFd(int fd, short events, int abortFd, int64_t deadlineMs);

int64_t NowMs();
int64_t DeadlineAfter(uint32_t timeoutMs);  // -1 for kInfinite
bool Expired(int64_t deadlineMs);

int MakeAbortFd();  // eventfd; -1 on failure
void SignalAbort(int abortFd);
bool IsAborted(int abortFd);

}  // namespace platform::linux_fd
