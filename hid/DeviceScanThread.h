#pragma once
// Watches the bus every 100 ms: claims the slot of each supported interface that appears and
// frees the slot of each one that goes away, reporting both by synchronous message; after its
// first scan it posts the product-title message once.
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

    // productTitleMessage: the registered message posted after the first scan.
    DeviceScanThread(DeviceSlotList& slots, ScanReporter& reporter, uint32_t productTitleMessage,
                     platform::HidTransport* transport = nullptr);
    ~DeviceScanThread();
    DeviceScanThread(const DeviceScanThread&) = delete;
    DeviceScanThread& operator=(const DeviceScanThread&) = delete;

    // Runs the loop on its own thread until Stop.
    bool Start();
    // Signals the stop event and waits (bounded) for the loop to end; false on time-out.
    bool Stop(uint32_t timeoutMs = platform::kInfinite);

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
