#pragma once
// The main window's background threads: twenty entries, each empty or holding one running
// thread. Shutdown signals every entry, then waits for each in turn, bounded. A thread that
// does not end within its wait is left to finish on its own: its entry object, which owns
// everything the thread still touches, is handed to a detached reaper that drops it once the
// thread has ended. Entries with no thread are skipped.
//
// Threads: the window thread owns the table (Start, StopAll); the entries' threads see only
// what their entry object gives them.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace app {

// One running thread as the table sees it.
class ThreadEntry {
  public:
    virtual ~ThreadEntry() = default;
    virtual void RequestStop() = 0;
    // True once the thread has ended, waiting at most timeoutMs.
    virtual bool Join(uint32_t timeoutMs) = 0;
};

enum class StopOutcome { Empty, Ended, TimedOut };

class ThreadTable {
  public:
    static constexpr size_t kEntries = 20;
    static constexpr uint32_t kStopWaitMs = 1000;
    // How long the reaper of a left thread waits in all before it gives up on it (the
    // process is ending by then).
    static constexpr uint32_t kReaperWaitMs = 60000;

    ThreadTable() = default;
    ~ThreadTable();
    ThreadTable(const ThreadTable&) = delete;
    ThreadTable& operator=(const ThreadTable&) = delete;

    // False when the index is out of range or the entry is in use.
    bool Set(size_t index, std::shared_ptr<ThreadEntry> entry);
    bool InUse(size_t index) const { return index < kEntries && entries_[index] != nullptr; }

    // Signals every entry, then waits for each up to waitMs; traces each outcome. Answers
    // the outcome per entry.
    std::array<StopOutcome, kEntries> StopAll(uint32_t waitMs = kStopWaitMs);

  private:
    std::array<std::shared_ptr<ThreadEntry>, kEntries> entries_{};
};

}  // namespace app
