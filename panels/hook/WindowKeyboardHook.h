#pragma once
// The keyboard hook over the program's own windows: every key press and release of every
// window of the process reaches the sink before the window and its controls see it (a
// process-wide input observer of the GUI library), as the record a low-level keyboard hook
// reports, and a withheld key reaches no control, nor does the text it types. Keys pressed
// while another program has the focus are not seen.
//
// Threads: window thread only (checked in debug builds), like the input observers it uses.
#include <cstdint>

#include "platform/InputHook.h"
#include "ui/core/Backend.h"
#include "ui/core/KeyInput.h"

namespace panels::hook {

class WindowKeyboardHook final : public platform::KeyboardHook, private ui::InputObserver {
  public:
    WindowKeyboardHook() = default;
    ~WindowKeyboardHook() override;
    WindowKeyboardHook(const WindowKeyboardHook&) = delete;
    WindowKeyboardHook& operator=(const WindowKeyboardHook&) = delete;

    bool Start(platform::KeyboardHookSink sink) override;
    void Stop() override;
    bool Running() const override { return running_; }

  private:
    bool OnKeyInput(ui::HWND window, const ui::KeyEvent& key) override;

    platform::KeyboardHookSink sink_;
    bool running_ = false;
    // Alt keys seen going down and not up since the start (the events' own modifier state
    // counts too).
    bool leftAltDown_ = false;
    bool rightAltDown_ = false;
};

// What a hook reports for one key event of the GUI library: the record and its message.
// A key goes down with 0x100 and up with 0x101, or with 0x104 and 0x105 while Alt is held; the
// Alt key itself goes down with 0x104 and up with 0x101, as a system hook reports it.
struct HookKeyEvent {
    uint32_t message = 0;
    platform::HookKeyboardRecord record;
};
HookKeyEvent MakeHookKeyEvent(const ui::KeyEvent& key, bool altHeld, uint32_t timeMs);

}  // namespace panels::hook
