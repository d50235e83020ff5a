#include "panels/hook/WindowKeyboardHook.h"

#include <utility>

#include "ui/core/ScanCodes.h"
#include "ui/core/ThreadCheck.h"

namespace panels::hook {
namespace {

// Table codes of the Alt keys (ui/core/ScanCodes.h).
constexpr uint32_t kWindowHookLeftAlt = 0xA4;
constexpr uint32_t kWindowHookRightAlt = 0xA5;

uint32_t HookVkOf(const ui::KeyEvent& key) {
    // The table code carries the side of a modifier; keypad Enter is Enter to a system hook.
    if (key.keyVk == ui::kVkNumEnter)
        return ui::VK_RETURN;
    if (key.keyVk != 0)
        return key.keyVk;
    return key.virtualKey;
}

bool IsAltVk(uint32_t vk) {
    return vk == kWindowHookLeftAlt || vk == kWindowHookRightAlt || vk == ui::VK_MENU;
}

}  // namespace

HookKeyEvent MakeHookKeyEvent(const ui::KeyEvent& key, bool altHeld, uint32_t timeMs) {
    HookKeyEvent out;
    out.record.vkCode = HookVkOf(key);
    out.record.scanCode = key.scanCode;
    out.record.flags = (key.extended ? platform::kHookFlagExtended : 0u) |
                       (key.down ? 0u : platform::kHookFlagReleased);
    out.record.time = timeMs;
    const bool isAlt = IsAltVk(out.record.vkCode);
    if (key.down)
        out.message = altHeld || isAlt ? platform::kHookSysKeyDown : platform::kHookKeyDown;
    else
        out.message = altHeld && !isAlt ? platform::kHookSysKeyUp : platform::kHookKeyUp;
    return out;
}

WindowKeyboardHook::~WindowKeyboardHook() {
    Stop();
}

bool WindowKeyboardHook::Start(platform::KeyboardHookSink sink) {
    UI_ASSERT_WINDOW_THREAD("WindowKeyboardHook::Start");
    if (!sink)
        return false;
    sink_ = std::move(sink);
    leftAltDown_ = rightAltDown_ = false;
    // Registered again, it is the newest observer and sees keys before the others.
    ui::UnregisterInputObserver(this);
    ui::RegisterInputObserver(this);
    running_ = true;
    return true;
}

void WindowKeyboardHook::Stop() {
    UI_ASSERT_WINDOW_THREAD("WindowKeyboardHook::Stop");
    if (!running_)
        return;
    running_ = false;
    ui::UnregisterInputObserver(this);
}

bool WindowKeyboardHook::OnKeyInput(ui::HWND, const ui::KeyEvent& key) {
    if (!running_)
        return false;
    const uint32_t vk = HookVkOf(key);
    if (vk == kWindowHookLeftAlt)
        leftAltDown_ = key.down;
    else if (vk == kWindowHookRightAlt)
        rightAltDown_ = key.down;
    const bool altHeld = leftAltDown_ || rightAltDown_ || (key.modifiers & ui::kModAlt) != 0;
    const HookKeyEvent event = MakeHookKeyEvent(
        key, altHeld, static_cast<uint32_t>(ui::GetBackend().NowMs() & 0xFFFFFFFFu));
    // A copy: the sink may stop or restart this hook, or destroy it, while it runs.
    const platform::KeyboardHookSink sink = sink_;
    return sink(event.message, event.record);
}

}  // namespace panels::hook
