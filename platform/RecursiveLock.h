#pragma once
// The critical section of the system's design: recursive, usable with std::lock_guard.
// Threads: any (that is its job).
#include <mutex>

namespace platform {

using RecursiveLock = std::recursive_mutex;
using LockGuard = std::lock_guard<std::recursive_mutex>;

}  // namespace platform
