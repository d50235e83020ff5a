#include "platform/ProcessWatcher.h"

#include <chrono>

#include "platform/StoppableThread.h"
#include "platform/Trace.h"
#include "platform/linux/ProcessScan.h"

namespace platform {
namespace {

uint64_t ProcWatchNowMs() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

class ProcWatcher : public ProcessWatcher {
  public:
    explicit ProcWatcher(uint32_t intervalMs) : intervalMs_(intervalMs) {}
    ~ProcWatcher() override { Stop(); }

    bool Start(ChangeHandler changed) override {
        if (thread_.Running())
            return false;
        // The state is shared with the thread, so that a thread left running past Stop's
        // bound still has what it touches.
        auto state = state_;
        {
            std::lock_guard<std::mutex> hold(state->lock);
            if (!state->scan.Look(ProcWatchNowMs()) && !state->scan.Readable()) {
                Trace("ProcessWatcher: /proc cannot be read; no programs are watched\n");
                return false;
            }
            state->programs = state->scan.Programs();
        }
        const uint32_t interval = intervalMs_;
        return thread_.Start([state, interval, changed = std::move(changed)](Event& stop) {
            while (!stop.Wait(interval)) {
                bool news = false;
                {
                    std::lock_guard<std::mutex> hold(state->lock);
                    news = state->scan.Look(ProcWatchNowMs());
                    if (news)
                        state->programs = state->scan.Programs();
                }
                if (news && changed)
                    changed();
            }
        });
    }

    void Stop() override {
        if (thread_.Running() && !thread_.Stop(3000))
            Trace("ProcessWatcher: the scan did not end in time\n");
    }

    std::vector<RunningProgram> Running() const override {
        std::lock_guard<std::mutex> hold(state_->lock);
        return state_->programs;
    }

  private:
    struct State {
        std::mutex lock;
        linux_proc::ProcessScan scan;
        std::vector<RunningProgram> programs;
    };
    uint32_t intervalMs_;
    std::shared_ptr<State> state_ = std::make_shared<State>();
    StoppableThread thread_{3000};
};

}  // namespace

std::unique_ptr<ProcessWatcher> MakeProcessWatcher(uint32_t intervalMs) {
    return std::make_unique<ProcWatcher>(intervalMs);
}

std::vector<RunningProgram> ListRunningPrograms() {
    linux_proc::ProcessScan scan;
    scan.Look(ProcWatchNowMs());
    return scan.Programs();
}

}  // namespace platform
