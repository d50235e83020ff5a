#include "ui/core/KeyInput.h"

#include <algorithm>
#include <vector>

#include "ui/core/LinuxKeyCodes.h"
#include "ui/core/ScanCodes.h"
#include "ui/core/ThreadCheck.h"

namespace ui {
namespace {

std::vector<InputObserver*>& Observers() {
    static std::vector<InputObserver*> observers;  // newest last
    return observers;
}

bool IsRegistered(InputObserver* observer) {
    const std::vector<InputObserver*>& list = Observers();
    return std::find(list.begin(), list.end(), observer) != list.end();
}

// Newest first, until one consumes the event.
template <typename Ask>
bool AskObservers(const Ask& ask) {
    if (Observers().empty())
        return false;
    // A copy: observers may register and unregister while they are called.
    const std::vector<InputObserver*> snapshot = Observers();
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        if (IsRegistered(*it) && ask(*it))
            return true;
    }
    return false;
}

}  // namespace

void RegisterInputObserver(InputObserver* observer) {
    UI_ASSERT_WINDOW_THREAD("RegisterInputObserver");
    if (observer != nullptr && !IsRegistered(observer))
        Observers().push_back(observer);
}

void UnregisterInputObserver(InputObserver* observer) {
    UI_ASSERT_WINDOW_THREAD("UnregisterInputObserver");
    std::vector<InputObserver*>& list = Observers();
    list.erase(std::remove(list.begin(), list.end(), observer), list.end());
}

namespace detail {

void ResolveKeyCodes(KeyEvent& key) {
    if (key.scanCode == 0 && key.nativeCode != 0) {
        if (std::optional<PcScanCode> pc = ScanFromDesktopKeycode(key.nativeCode)) {
            key.scanCode = pc->scan;
            key.extended = pc->extended;
        }
    }
    if (key.scanCode == 0 && key.nativeCode == 0 && key.virtualKey != 0) {
        // No native code (offscreen desktops, injected keys): the virtual key's first row.
        const int row = FindScanRowByVk(TableVkFromMessageVk(key.virtualKey));
        if (row >= 0) {
            key.scanCode = ScanCodeTable()[row].scan;
            key.extended = ScanCodeTable()[row].extended;
        }
    }
    const int row = key.scanCode != 0 ? FindScanRow(key.scanCode, key.extended) : -1;
    key.keyVk = row >= 0 ? ScanCodeTable()[row].vk : 0;
    if (key.virtualKey == 0)
        key.virtualKey = MessageVkFromTableVk(key.keyVk);
}

bool DispatchKeyInput(HWND window, const KeyEvent& key) {
    UI_ASSERT_WINDOW_THREAD("DispatchKeyInput");
    return AskObservers([&](InputObserver* o) { return o->OnKeyInput(window, key); });
}

bool DispatchMouseInput(HWND window, const MouseEvent& event, Point screenPos) {
    UI_ASSERT_WINDOW_THREAD("DispatchMouseInput");
    return AskObservers(
        [&](InputObserver* o) { return o->OnMouseInput(window, event, screenPos); });
}

}  // namespace detail
}  // namespace ui
