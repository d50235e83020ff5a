#pragma once
// The programs of the current user that are running now, and word when that set changes.
// A program is known by the names it answers to (the base name of its executable, the
// name the system shows for it, the base name of its first argument) and, where readable,
// its full command line. The realisation of the system scans on a thread of its own; a
// scripted one lets tests start and end programs by hand.
//
// Threads: one owning thread calls Start, Stop and the destructor; Running may be called
// from any thread. The change handler runs on the watcher's thread (the scripted watcher:
// on the thread that starts or ends a program) and must only hand the news on (post a
// message); it must not call back into the watcher's Start or Stop.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

struct RunningProgram {
    int pid = 0;
    // Distinct, non-empty; names[0] is the one to show.
    std::vector<std::string> names;
    std::string commandLine;  // arguments joined by single spaces; "" when unreadable
    // When it started, in the system's ticks since boot: larger started later.
    uint64_t started = 0;

    const std::string& Name() const;
};

class ProcessWatcher {
  public:
    using ChangeHandler = std::function<void()>;
    static constexpr uint32_t kDefaultIntervalMs = 2000;

    virtual ~ProcessWatcher() = default;

    // Takes a first look at once (Running answers it when Start returns), then watches.
    // False when already started or when the system refuses the first look.
    virtual bool Start(ChangeHandler changed) = 0;
    virtual void Stop() = 0;
    // The programs seen at the latest look, in no particular order.
    virtual std::vector<RunningProgram> Running() const = 0;
};

// The system's watcher: a look every intervalMs on a stoppable thread.
std::unique_ptr<ProcessWatcher> MakeProcessWatcher(
    uint32_t intervalMs = ProcessWatcher::kDefaultIntervalMs);

// One look of the system's watcher (the command-line tool's view); empty when refused.
std::vector<RunningProgram> ListRunningPrograms();

// Programs started and ended by hand. Each call that changes the set runs the change
// handler (when started) before it returns.
class ScriptedProcessWatcher : public ProcessWatcher {
  public:
    bool Start(ChangeHandler changed) override;
    void Stop() override;
    std::vector<RunningProgram> Running() const override;

    // A new program; answers its pid. started counts up with every launch.
    int Launch(const std::string& name, const std::string& commandLine = {});
    // False when no such program runs.
    bool End(int pid);
    // Ends every program of that name; answers how many.
    int EndAll(const std::string& name);

  private:
    void Changed();

    mutable std::mutex lock_;
    std::vector<RunningProgram> running_;
    ChangeHandler changed_;
    int nextPid_ = 1000;
    uint64_t ticks_ = 0;
    bool started_ = false;
};

}  // namespace platform
