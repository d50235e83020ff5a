#pragma once
// Watches the bus every 100 ms: claims the slot of each supported interface that appears and
// frees the slot of each one that goes away, reporting both by synchronous message; after its
// first scan it posts the product-title message once.
//
// Threads: the owner's thread calls Start, Stop and the destructor; the loop runs on its own
// thread (or the owner's, through Run) and reports through the ScanReporter from there.
// PassesDone may be read from any thread. The destructor waits for the loop, since the loop
// touches this object: every wait in a pass is bounded (opening, reading the bus) or is
// released when the window goes (the reporter's send).
#include <atomic>
#include <cstdint>
#include <memory>

#include "hid/DeviceSlotList.h"
#include "hid/HidDevice.h"
#include "hid/ScanReporter.h"
#include "platform/Event.h"
#include "platform/HidTransport.h"
#include "platform/StoppableThread.h"

namespace hid {

class DeviceScanThread {
  public:
    static constexpr uint32_t kPassIntervalMs = 100;
    static constexpr uint32_t kStopWaitMs = 1000;  // the destructor traces each time it passes

    // productTitleMessage: the registered message posted after the first scan.
    DeviceScanThread(DeviceSlotList& slots, ScanReporter& reporter, uint32_t productTitleMessage,
                     platform::HidTransport* transport = nullptr);
    ~DeviceScanThread();
    DeviceScanThread(const DeviceScanThread&) = delete;
    DeviceScanThread& operator=(const DeviceScanThread&) = delete;

    // Runs the loop on its own thread until Stop.
    bool Start();
    // Signals the stop event and waits at most timeoutMs for the loop to end; false on
    // time-out (the loop ends later; call Stop again before this object goes).
    bool Stop(uint32_t timeoutMs);

    // The loop itself, for an owner that brings its own thread and stop event.
    void Run(platform::Event& stop);

    // One pass without the pause: scan (when a slot is free), then the presence check.
    // False when the bus could not be listed (the loop then ends).
    bool RunPass();
    bool ScanBus();
    void CheckPresence();

    int PassesDone() const { return passes_; }

  private:
    void TryClaim(const std::string& path);

    DeviceSlotList& slots_;
    ScanReporter& reporter_;
    const uint32_t productTitleMessage_;
    platform::HidTransport* transport_;
    std::unique_ptr<CHidDevice> device_;  // created on the first run, kept for our life
    bool titlePosted_ = false;
    std::atomic<int> passes_{0};
    platform::StoppableThread thread_;
};

}  // namespace hid
