#pragma once
// One event interface of a device (the wired mouse's or the receiver's): the open HID
// interface and the thread that reads its input reports and hands each report's code
// (byte 1 + byte 2 x 256) to a handler on that thread. Open, Reopen and Close from the
// window thread; the handler runs on the channel's own thread.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "hid/HidDevice.h"
#include "platform/RecursiveLock.h"
#include "platform/StoppableThread.h"

namespace devices {

class NotifyChannel {
  public:
    using Handler = std::function<void(uint16_t code)>;
    // How long Close waits for the thread before it says so in the trace (and waits on).
    static constexpr uint32_t kStopWaitMs = 500;
    // A read waits without limit (Close and Open cut it short by closing the interface);
    // after a failed read the thread waits this long before it tries again.
    static constexpr uint32_t kRetryMs = 100;

    explicit NotifyChannel(platform::HidTransport* transport = nullptr);
    ~NotifyChannel();
    NotifyChannel(const NotifyChannel&) = delete;
    NotifyChannel& operator=(const NotifyChannel&) = delete;

    // Closes what is open, opens path and starts the reading thread. False when the
    // interface cannot be opened (the thread still runs and idles until a later open).
    bool Open(const std::string& path, Handler handler);
    // Stops the thread and closes the interface; nothing when not open.
    void Close();
    // Close, and end the thread even when the last open failed (before the owner goes).
    void Shutdown();
    bool IsOpen() const { return open_.load(); }
    bool ThreadRunning() const { return thread_.Running(); }

  private:
    void Run(platform::Event& stop);

    hid::CHidDevice device_;
    std::atomic<bool> open_{false};
    platform::RecursiveLock lock_;  // opening and closing
    platform::StoppableThread thread_;
    Handler handler_;
};

}  // namespace devices
