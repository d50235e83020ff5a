#include "panels/hook/WindowMouseHook.h"

#include <utility>

#include "ui/core/ThreadCheck.h"

namespace panels::hook {
namespace {

constexpr uint32_t kWindowMouseHitClient = 1;

// The down message of a button and its X button number; 0 for no button.
uint32_t DownMessageOf(ui::MouseButton button, uint32_t& xButton) {
    xButton = 0;
    switch (button) {
        case ui::MouseButton::Left:
            return platform::kHookLeftDown;
        case ui::MouseButton::Right:
            return platform::kHookRightDown;
        case ui::MouseButton::Middle:
            return platform::kHookMiddleDown;
        case ui::MouseButton::X1:
            xButton = platform::kHookXButton1;
            return platform::kHookXDown;
        case ui::MouseButton::X2:
            xButton = platform::kHookXButton2;
            return platform::kHookXDown;
        case ui::MouseButton::None:
            break;
    }
    return 0;
}

}  // namespace

std::optional<HookMouseEvent> MakeHookMouseEvent(const ui::MouseEvent& event, ui::Point screenPos,
                                                 uint32_t window, uint32_t timeMs) {
    uint32_t xButton = 0;
    const uint32_t down = DownMessageOf(event.button, xButton);
    if (down == 0)
        return std::nullopt;
    HookMouseEvent out;
    switch (event.action) {
        case ui::MouseAction::Down:
        case ui::MouseAction::DoubleClick:
            out.message = down;
            break;
        case ui::MouseAction::Up:
            out.message = down + 1;  // every up message follows its down message
            break;
        default:
            return std::nullopt;
    }
    out.record.x = screenPos.x;
    out.record.y = screenPos.y;
    out.record.window = window;
    out.record.hitTest = window != 0 ? kWindowMouseHitClient : 0;
    out.record.time = timeMs;
    out.record.mouseData = platform::MakeHookMouseData(xButton);
    return out;
}

WindowMouseHook::~WindowMouseHook() {
    Stop();
}

bool WindowMouseHook::Start(platform::MouseHookSink sink) {
    UI_ASSERT_WINDOW_THREAD("WindowMouseHook::Start");
    if (!sink)
        return false;
    sink_ = std::move(sink);
    ui::UnregisterInputObserver(this);
    ui::RegisterInputObserver(this);
    running_ = true;
    return true;
}

void WindowMouseHook::Stop() {
    UI_ASSERT_WINDOW_THREAD("WindowMouseHook::Stop");
    if (!running_)
        return;
    running_ = false;
    ui::UnregisterInputObserver(this);
}

bool WindowMouseHook::OnMouseInput(ui::HWND window, const ui::MouseEvent& event,
                                   ui::Point screenPos) {
    if (!running_)
        return false;
    const auto handle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window) & 0xFFFFFFFFu);
    const std::optional<HookMouseEvent> hooked = MakeHookMouseEvent(
        event, screenPos, handle, static_cast<uint32_t>(ui::GetBackend().NowMs() & 0xFFFFFFFFu));
    if (!hooked)
        return false;
    // A copy: the sink may stop, restart or destroy this hook while it runs.
    const platform::MouseHookSink sink = sink_;
    sink(hooked->message, hooked->record);
    return false;
}

}  // namespace panels::hook
