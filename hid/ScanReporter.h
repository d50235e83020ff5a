#pragma once
// How the device scan thread tells its owner about arrivals and removals: window-message
// style, Send waits until the message has been handled, Post only queues it.
// Threads: the scan thread calls both; a realisation hands the work to its own thread.
#include <cstdint>

namespace hid {

// Arrival and removal of a supported interface; wParam is the slot index, lParam 0.
constexpr uint32_t WM_USB_MAINMESS_DEVICE_ADD = 3090;
constexpr uint32_t WM_USB_MAINMESS_DEVICE_REMOVE = 3091;

class ScanReporter {
  public:
    virtual ~ScanReporter() = default;
    virtual void Send(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
    virtual void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

}  // namespace hid
