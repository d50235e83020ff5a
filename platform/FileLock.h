#pragma once
// An exclusive lock shared between processes through a lock file. The OS drops it when the
// holder ends in any way (even killed), so a crashed holder never blocks the next one.
// Threads: one lock object belongs to one thread.
#include <string>

namespace platform {

class FileLock {
  public:
    enum class Mode { Wait, Try };

    // Creates the lock file when missing (its folder must exist) and takes the lock: Wait
    // blocks until it is free, Try gives up at once. Held() says whether it was taken.
    FileLock(const std::string& path, Mode mode);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return handle_ >= 0; }
    // True when Try found the lock taken by another holder (not merely an unusable file).
    bool Busy() const { return busy_; }
    // Replaces the lock file's content (while held); false when not held or not written.
    bool WriteContent(const std::string& text);
    void Release();

  private:
    int handle_ = -1;
    bool busy_ = false;
};

}  // namespace platform
