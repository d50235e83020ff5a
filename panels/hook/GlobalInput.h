#pragma once
// The desktop-wide input source: keys and mouse buttons from the kernel's input devices that
// this user may read (platform::InputDeviceReader), wherever the pointer and the focus are.
// The nodes are opened when the source starts and closed when it stops; nothing is grabbed.
// The reader thread hands each event to the window thread synchronously (a hidden receiver
// window and ui::SendMessage); there it becomes a hook record, a button with the GUI
// library's cursor position, and reaches the sink of its kind.
//
// Threads: window thread only, except the reader thread inside.
#include <cstdint>
#include <memory>
#include <string>

#include "panels/hook/InputSource.h"
#include "platform/InputDevices.h"
#include "ui/core/UIDefs.h"

namespace panels::hook {

class GlobalInput final : public InputSource, public std::enable_shared_from_this<GlobalInput> {
  public:
    // Always held by a shared pointer. folder: where the event nodes are (tests: a fake one).
    explicit GlobalInput(std::string folder = platform::kInputDeviceFolder);
    ~GlobalInput() override;
    GlobalInput(const GlobalInput&) = delete;
    GlobalInput& operator=(const GlobalInput&) = delete;

    // How many nodes a start would read now (opens them and closes them again).
    int CountReadable();
    // The kernel time stamp (µs, monotonic) of the event being delivered; for measuring.
    int64_t DeliveringTimeUs() const { return deliveringUs_; }
    bool ReaderRunning() const { return reader_.Running(); }

  protected:
    bool Begin() override;
    void End() override;

  private:
    class Receiver;
    void OnRawEvent(const platform::RawInputEvent& raw);

    platform::InputDeviceReader reader_;
    ui::HWND receiver_ = nullptr;  // the receiver window deletes itself
    int64_t deliveringUs_ = 0;
};

}  // namespace panels::hook
