#pragma once
// Entry 1 of the main window's thread table: watches the instance lock of the audio-capture
// process. Each pass waits 1000 ms, probes the lock and, when it is not held, waits 500 ms
// more; every wait ends at once on the stop event. A change of the lock (and the first probe)
// is reported through onChange, on this thread: the owner hands it to its window.
//
// Threads: the owner's thread calls Start and the ThreadEntry members; probe and onChange
// run on the watchdog's own thread and must not touch the owner.
#include <functional>
#include <memory>

#include "app/ThreadTable.h"
#include "platform/StoppableThread.h"

namespace app::audio {

class AudioWatchdog : public ThreadEntry {
  public:
    static constexpr uint32_t kPassMs = 1000;
    static constexpr uint32_t kMissingExtraMs = 500;

    // probe: true while the lock is held (platform::InstanceIsRunning by default); passMs and
    // missingExtraMs shorter only in tests.
    AudioWatchdog(std::function<void(bool held)> onChange, std::function<bool()> probe = {},
                  uint32_t passMs = kPassMs, uint32_t missingExtraMs = kMissingExtraMs);
    ~AudioWatchdog() override;

    bool Start();
    void RequestStop() override { thread_.RequestStop(); }
    bool Join(uint32_t timeoutMs) override { return thread_.Join(timeoutMs); }

  private:
    std::function<void(bool)> onChange_;
    std::function<bool()> probe_;
    uint32_t passMs_;
    uint32_t missingExtraMs_;
    platform::StoppableThread thread_{1000};
};

}  // namespace app::audio
