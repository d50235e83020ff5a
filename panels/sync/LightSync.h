#pragma once
// The light synchronisation thread: while same-mode synchronisation keeps devices paused (the
// hold flag of their command channel), it plays the chosen shared effect on every LED of
// them through SetLedColour. With no paused device it only sleeps, a second at a time; every
// wait is cut short by its stop event.
//
// LightSyncShared is what the window thread gives the thread: the parameters same-mode
// synchronisation chose and a snapshot of the device lists, both under one lock (an append to
// the program's lists may move their storage, so the thread never reads those).
//
// Threads: LightSyncShared may be used from any thread. LightSyncThread is owned by one
// thread (the window thread), which calls Start, RequestStop, Join and Stop.
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "panels/sync/SyncEffects.h"
#include "platform/StoppableThread.h"

namespace devices {
class COrvaneUSBDevice;
class TickClock;
}  // namespace devices

namespace panels::sync {

class LightSyncShared {
  public:
    void SetParams(const SyncParams& params);
    SyncParams Params() const;
    // The device objects of the four lists (mice, keyboards, mouse pads, headsets). They must
    // outlive the thread: device objects live as long as the program.
    void SetDevices(std::vector<devices::COrvaneUSBDevice*> devices);
    // Copies the devices whose channel is open and whose hold flag is set into `paused`
    // (cleared first; its storage is reused).
    void CopyPaused(std::vector<devices::COrvaneUSBDevice*>& paused) const;

  private:
    mutable std::mutex lock_;
    SyncParams params_;
    std::vector<devices::COrvaneUSBDevice*> devices_;
};

class LightSyncThread {
  public:
    static constexpr uint32_t kPassWaitMs = 1;
    static constexpr uint32_t kIdleWaitMs = 1000;

    // clock: the tick clock of the passes and the flash (the system's when null); it and
    // `shared` must outlive the thread.
    explicit LightSyncThread(std::shared_ptr<LightSyncShared> shared,
                             devices::TickClock* clock = nullptr);
    ~LightSyncThread();
    LightSyncThread(const LightSyncThread&) = delete;
    LightSyncThread& operator=(const LightSyncThread&) = delete;

    bool Start();
    void RequestStop() { thread_.RequestStop(); }
    bool Join(uint32_t timeoutMs) { return thread_.Join(timeoutMs); }
    bool Stop(uint32_t timeoutMs) { return thread_.Stop(timeoutMs); }
    bool Running() const { return thread_.Running(); }

  private:
    struct Loop;
    std::shared_ptr<LightSyncShared> shared_;
    devices::TickClock* clock_;
    platform::StoppableThread thread_;
};

}  // namespace panels::sync
