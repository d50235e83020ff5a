#pragma once
// The mouse hook over the program's own windows: every mouse button press and release of
// every window of the process reaches the sink before the window and its controls see it (a
// process-wide input observer of the GUI library), as the record a low-level mouse hook
// reports, with the pointer's screen position. Nothing is withheld. Buttons pressed over
// another program are not seen.
//
// Threads: window thread only (checked in debug builds), like the input observers it uses.
#include <cstdint>
#include <optional>

#include "platform/InputHook.h"
#include "ui/core/Backend.h"
#include "ui/core/KeyInput.h"

namespace panels::hook {

class WindowMouseHook final : public platform::MouseHook, private ui::InputObserver {
  public:
    WindowMouseHook() = default;
    ~WindowMouseHook() override;
    WindowMouseHook(const WindowMouseHook&) = delete;
    WindowMouseHook& operator=(const WindowMouseHook&) = delete;

    bool Start(platform::MouseHookSink sink) override;
    void Stop() override;
    bool Running() const override { return running_; }

  private:
    bool OnKeyInput(ui::HWND, const ui::KeyEvent&) override { return false; }
    bool OnMouseInput(ui::HWND window, const ui::MouseEvent& event, ui::Point screenPos) override;

    platform::MouseHookSink sink_;
    bool running_ = false;
};

// What a hook reports for one mouse button event of the GUI library; nothing for a button
// or action it has no message for. A double click is a press, as a system hook reports it.
struct HookMouseEvent {
    uint32_t message = 0;
    platform::HookMouseRecord record;
};
std::optional<HookMouseEvent> MakeHookMouseEvent(const ui::MouseEvent& event, ui::Point screenPos,
                                                 uint32_t window, uint32_t timeMs);

}  // namespace panels::hook
