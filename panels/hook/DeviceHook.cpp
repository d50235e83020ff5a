#include "panels/hook/DeviceHook.h"

#include <utility>

#include "panels/hook/WindowKeyboardHook.h"
#include "platform/MessageBus.h"
#include "platform/Trace.h"
#include "ui/core/MessageModel.h"
#include "ui/core/ThreadCheck.h"

namespace panels::hook {
namespace {

struct HookModeMessage {
    int mode;
    const char* name;
};

constexpr HookModeMessage kHookModeMessages[] = {
    {kHookSingleKey, "WM_HOOK_KEY_SINGLEKEY_MSG"},
    {kHookHitKey, "WM_HOOK_KEY_HITKEY_MSG"},
    {kHookRecordAppend, "WM_HOOK_KEY_KBMACRO_MSG"},
    {kHookRecordBefore, "WM_HOOK_KEY_KBMACROPREVIOUS_MSG"},
    {kHookRecordAfter, "WM_HOOK_KEY_KBMACROLATER_MSG"},
    {kHookRecordSingle, "WM_HOOK_KEY_KBMACROSINGLE_MSG"},
    {kHookMouseSingleKey, "WM_HOOK_MOU_SINGLEKEY_MSG"},
    {kHookMouseHitKey, "WM_HOOK_MOU_HITKEY_MSG"},
    {kHookMouseRecord, "WM_HOOK_MOU_KBMACRO_MSG"},
};

// The lock keys keep working while the hook withholds every other key, so that their state
// (and its light) stays true to what the user pressed.
constexpr uint32_t kDeviceHookCapsLock = 0x14;
constexpr uint32_t kDeviceHookNumLock = 0x90;
constexpr uint32_t kDeviceHookScrollLock = 0x91;

bool PassesTheHook(uint32_t vk) {
    return vk == kDeviceHookCapsLock || vk == kDeviceHookNumLock || vk == kDeviceHookScrollLock;
}

}  // namespace

const char* HookMessageName(int mode) {
    for (const HookModeMessage& row : kHookModeMessages) {
        if (row.mode == mode)
            return row.name;
    }
    return nullptr;
}

CDeviceHook::CDeviceHook() : CDeviceHook(std::make_unique<WindowKeyboardHook>()) {}

CDeviceHook::CDeviceHook(std::unique_ptr<platform::KeyboardHook> keyboardHook)
    : keyboardHook_(std::move(keyboardHook)) {}

CDeviceHook::~CDeviceHook() {
    Remove();
}

bool CDeviceHook::KeyboardInstalled() const {
    return keyboardHook_ != nullptr && keyboardHook_->Running();
}

int CDeviceHook::Install(int caller, int mode, ui::HWND window, bool keyboard, bool library) {
    UI_ASSERT_WINDOW_THREAD("CDeviceHook::Install");
    Remove();
    // A hook for no window would withhold every key and tell nobody.
    if (!ui::IsWindow(window))
        return 0;
    ui::UINT message = 0;
    if (const char* name = HookMessageName(mode)) {
        message = platform::RegisterMessage(name);
        if (message == 0)
            platform::TraceF("CDeviceHook: %s cannot be registered; keys are not sent", name);
    }
    if (keyboard) {
        if (keyboardHook_ == nullptr ||
            !keyboardHook_->Start([this](uint32_t key, const platform::HookKeyboardRecord& r) {
                return OnKeyboardEvent(key, r);
            })) {
            return 0;
        }
    }
    // The hook library (mouse buttons anywhere) comes with the macro recorder; until then
    // only the wish is kept, so that Remove and the state read as they will.
    libraryInstalled_ = library;
    caller_ = caller;
    window_ = window;
    mode_ = mode;
    message_ = message;
    return 1;
}

int CDeviceHook::Remove() {
    UI_ASSERT_WINDOW_THREAD("CDeviceHook::Remove");
    const bool hadKeyboard = KeyboardInstalled();
    if (hadKeyboard)
        keyboardHook_->Stop();
    Forget();
    return hadKeyboard ? 1 : 0;
}

void CDeviceHook::Forget() {
    libraryInstalled_ = false;
    caller_ = 0;
    window_ = nullptr;
    mode_ = kHookModeNone;
    message_ = 0;
}

bool CDeviceHook::OnKeyboardEvent(uint32_t message, const platform::HookKeyboardRecord& record) {
    if (!ui::IsWindow(window_)) {
        // The window is gone: the hook goes with it instead of withholding keys for nobody.
        Remove();
        return false;
    }
    const bool withhold = !PassesTheHook(record.vkCode);
    if (message_ != 0) {
        // The receiver may remove or replace the hook, or destroy its window, while it runs;
        // nothing of this object is touched after the call.
        platform::HookKeyboardRecord copy = record;
        ui::SendMessage(window_, message_, message, reinterpret_cast<ui::LPARAM>(&copy));
    }
    return withhold;
}

}  // namespace panels::hook
