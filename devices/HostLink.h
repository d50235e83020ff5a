#pragma once
// HostLink: what a device object asks of whoever runs it (the main window's device list, a
// tool, a test): messages to the main window, tasks on the window thread, the list item's
// timers, and its last power record. Device classes that have threads of their own derive
// from it beside COrvaneUSBDevice; the device list wires every such object the same way.
//
// Without a sink messages go to the main window (nothing without one); without a poster a
// task runs where it is asked for; without a timer request the timer's work runs at once.
//
// Threads: the setters on the window thread before the device's threads start; SendToMain
// and OnWindowThread from any thread.
#include <array>
#include <cstdint>
#include <functional>
#include <utility>

#include "ui/core/MessageModel.h"

namespace devices {

class HostLink {
  public:
    using MessageSink = std::function<intptr_t(uint32_t msg, uintptr_t wParam, intptr_t lParam)>;
    using WindowPoster = std::function<void(std::function<void()>)>;
    using TimerRequest = std::function<void(int id, uint32_t ms)>;
    using PowerState = std::array<uint8_t, 6>;

    virtual ~HostLink() = default;

    void SetMessageSink(MessageSink sink) { messageSink_ = std::move(sink); }
    void SetWindowPoster(WindowPoster poster) { windowPoster_ = std::move(poster); }
    void SetTimerRequest(TimerRequest request) { timerRequest_ = std::move(request); }

    // The power record the power item shows (all zero before the first query).
    virtual PowerState PowerRecord() const { return {}; }
    // Ends the device's own threads (preview); the notification channels are the base's.
    virtual void StopDeviceThreads() {}

  protected:
    intptr_t SendToMain(ui::HWND mainWindow, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
        if (messageSink_)
            return messageSink_(msg, wParam, lParam);
        if (mainWindow == nullptr)
            return 0;
        return static_cast<intptr_t>(ui::SendMessage(mainWindow, msg, wParam, lParam));
    }
    void OnWindowThread(std::function<void()> task) {
        if (windowPoster_)
            windowPoster_(std::move(task));
        else
            task();
    }
    // Asks for the list item's timer; false when nobody takes timers (the caller then does
    // the timer's work itself).
    bool RequestTimer(int id, uint32_t ms) {
        if (!timerRequest_)
            return false;
        timerRequest_(id, ms);
        return true;
    }

  private:
    MessageSink messageSink_;
    WindowPoster windowPoster_;
    TimerRequest timerRequest_;
};

}  // namespace devices
