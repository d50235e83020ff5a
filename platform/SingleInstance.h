#pragma once
// One running instance per user session: an exclusive lock on a file in the runtime folder,
// named after the instance's name (the product title). The holder keeps it for its life; the
// OS drops it when the holder ends in any way, so a crashed holder never blocks a new start.
// Threads: the functions, any; an instance object belongs to the thread that made it.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/FileLock.h"

namespace platform {

class SingleInstance {
  public:
    // Tries to become the instance; IsFirst() tells whether it did. A lock found busy is
    // tried again for kStartRetryMs, since InstanceIsRunning holds it for a moment while it
    // probes. The holder writes its process id into the lock file. Creates the runtime
    // folder (mode 0700) when missing. When the lock cannot be set up at all, the caller
    // goes on as the only instance (IsFirst() true, Held() false).
    static constexpr uint32_t kStartRetryMs = 200;
    explicit SingleInstance(const std::string& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    bool IsFirst() const { return first_; }
    bool Held() const { return lock_ && lock_->Held(); }

  private:
    std::unique_ptr<FileLock> lock_;
    bool first_ = true;
};

// True when another holder has the instance named so (the lock is probed and not kept).
bool InstanceIsRunning(const std::string& name);

// The process id the running holder of the instance wrote, 0 when none runs or it wrote
// nothing readable (yet).
int InstanceHolderId(const std::string& name);

// The lock file used for the name; characters outside [A-Za-z0-9._-] become '_'.
std::string InstanceLockPath(const std::string& name);

// Creates the runtime folder with mode 0700 when missing; false when it is unusable.
bool EnsureRuntimeFolder();

}  // namespace platform
