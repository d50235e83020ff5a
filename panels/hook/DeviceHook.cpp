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

constexpr HookModeMessage kHookMouseModeMessages[] = {
    {kHookRecordAppend, "WM_HOOK_KEY_MSMACRO_MSG"},
    {kHookRecordBefore, "WM_HOOK_KEY_MSMACROPREVIOUS_MSG"},
    {kHookRecordAfter, "WM_HOOK_KEY_MSMACROLATER_MSG"},
    {kHookRecordSingle, "WM_HOOK_KEY_MSMACROSINGLE_MSG"},
};

ui::UINT RegisterHookMessage(const char* name) {
    if (name == nullptr)
        return 0;
    const ui::UINT message = platform::RegisterMessage(name);
    if (message == 0)
        platform::TraceF("CDeviceHook: %s cannot be registered; it is not sent", name);
    return message;
}

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

const char* HookMouseMessageName(int mode) {
    for (const HookModeMessage& row : kHookMouseModeMessages) {
        if (row.mode == mode)
            return row.name;
    }
    return nullptr;
}

CDeviceHook::CDeviceHook()
    : CDeviceHook(std::make_unique<WindowKeyboardHook>(),
                  [] { return ChooseRecordingInput(InputDeviceFolder()); }) {}

CDeviceHook::CDeviceHook(std::unique_ptr<platform::KeyboardHook> keyboardHook)
    : CDeviceHook(std::move(keyboardHook), [] {
          RecordingInput input = WindowRecordingInput();
          input.keys.reset();  // keys from the given hook
          return input;
      }) {}

CDeviceHook::CDeviceHook(std::unique_ptr<platform::KeyboardHook> keyboardHook,
                         RecordingInputFactory recordingInput)
    : keyboardHook_(std::move(keyboardHook)), recordingFactory_(std::move(recordingInput)) {}

CDeviceHook::~CDeviceHook() {
    Remove();
}

bool CDeviceHook::KeyboardInstalled() const {
    return activeKeys_ != nullptr && activeKeys_->Running();
}

bool CDeviceHook::MouseInstalled() const {
    return recording_.mouse != nullptr && recording_.mouse->Running();
}

bool CDeviceHook::StartKeys(platform::KeyboardHook* hook) {
    if (hook == nullptr ||
        !hook->Start([this](uint32_t key, const platform::HookKeyboardRecord& r) {
            return OnKeyboardEvent(key, r);
        }))
        return false;
    activeKeys_ = hook;
    return true;
}

int CDeviceHook::Install(int caller, int mode, ui::HWND window, bool keyboard, bool library) {
    UI_ASSERT_WINDOW_THREAD("CDeviceHook::Install");
    Remove();
    // A hook for no window would withhold every key and tell nobody.
    if (!ui::IsWindow(window))
        return 0;
    // Set before anything starts: a hook may deliver while it starts.
    caller_ = caller;
    window_ = window;
    mode_ = mode;
    message_ = RegisterHookMessage(HookMessageName(mode));
    const bool recording = IsRecordingMode(mode) && recordingFactory_;
    if (recording) {
        recording_ = recordingFactory_();
        source_ = recording_.source;
        globalUnavailable_ = recording_.globalUnavailable;
    }
    if (keyboard) {
        platform::KeyboardHook* keys = keyboardHook_.get();
        if (recording && recording_.keys != nullptr)
            keys = recording_.keys.get();
        bool started = StartKeys(keys);
        if (!started && recording && source_ != RecordingSource::kWindow) {
            // The chosen source failed at its start (a device went): the windows remain.
            platform::Trace("CDeviceHook: the recording input failed; the windows' input is used");
            recording_ = WindowRecordingInput();
            source_ = RecordingSource::kWindow;
            globalUnavailable_ = true;
            started = StartKeys(recording_.keys.get());
        }
        if (!started) {
            recording_ = RecordingInput{};
            Forget();
            return 0;
        }
    }
    if (library && recording && recording_.mouse != nullptr) {
        mouseMessage_ = RegisterHookMessage(HookMouseMessageName(mode));
        if (!recording_.mouse->Start([this](uint32_t button, const platform::HookMouseRecord& r) {
                OnMouseEvent(button, r);
            }))
            platform::Trace("CDeviceHook: the mouse hook cannot be set; buttons are not sent");
    }
    libraryInstalled_ = library;
    return 1;
}

int CDeviceHook::Remove() {
    UI_ASSERT_WINDOW_THREAD("CDeviceHook::Remove");
    const bool hadKeyboard = KeyboardInstalled();
    if (hadKeyboard)
        activeKeys_->Stop();
    if (recording_.mouse != nullptr)
        recording_.mouse->Stop();
    if (recording_.keys != nullptr)
        recording_.keys->Stop();
    // The hooks go with their sources (closed devices, stopped timers); a source that is
    // delivering keeps itself alive until it returns.
    recording_ = RecordingInput{};
    Forget();
    return hadKeyboard ? 1 : 0;
}

void CDeviceHook::Forget() {
    activeKeys_ = nullptr;
    mouseMessage_ = 0;
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

void CDeviceHook::OnMouseEvent(uint32_t message, const platform::HookMouseRecord& record) {
    if (!ui::IsWindow(window_)) {
        Remove();
        return;
    }
    if (mouseMessage_ != 0) {
        platform::HookMouseRecord copy = record;
        ui::SendMessage(window_, mouseMessage_, message, reinterpret_cast<ui::LPARAM>(&copy));
    }
}

}  // namespace panels::hook
