#pragma once
// The input hook controller of the main window: installs a keyboard hook for a window in one
// of the hook modes, and while it is installed sends that window, for every key press and
// release, the registered message of the mode, synchronously, with wParam the key message
// (0x100, 0x101, 0x104, 0x105) and lParam a pointer to the hook's platform::HookKeyboardRecord,
// valid only during the call. Every key except Caps Lock, Num Lock and Scroll Lock is withheld
// from everybody else while the keyboard hook is installed.
//
// The key capture of the key panel installs it in single-key mode while the keyboard edit has
// the focus, over the program's own windows. The macro recorder installs it in a recording
// mode (4, 8, 16, 32) with the hook library: keys and mouse buttons then come from the
// recording input (RecordingInput.h: a script, the desktop's input devices, or the program's
// windows), keys with the mode's keyboard message and every mouse button press and release
// with the mode's mouse message ("WM_HOOK_KEY_MSMACRO_MSG" and its siblings), wParam the
// button message (0x201-0x20C) and lParam a pointer to a platform::HookMouseRecord, valid
// only during the call. Keys read from the desktop's devices cannot be withheld.
//
// Threads: window thread only (checked in debug builds); the messages are sent on it.
#include <cstdint>
#include <memory>

#include "panels/hook/RecordingInput.h"
#include "platform/InputHook.h"
#include "ui/core/UIDefs.h"

namespace panels::hook {

// Hook modes and the registered message each sends for a key (names as the program registers
// them, app/AppMessages.h).
enum HookMode : int {
    kHookModeNone = 0,
    kHookSingleKey = 1,         // "WM_HOOK_KEY_SINGLEKEY_MSG": the key panel's capture
    kHookHitKey = 2,            // "WM_HOOK_KEY_HITKEY_MSG"
    kHookRecordAppend = 4,      // "WM_HOOK_KEY_KBMACRO_MSG"
    kHookRecordBefore = 8,      // "WM_HOOK_KEY_KBMACROPREVIOUS_MSG"
    kHookRecordAfter = 16,      // "WM_HOOK_KEY_KBMACROLATER_MSG"
    kHookRecordSingle = 32,     // "WM_HOOK_KEY_KBMACROSINGLE_MSG"
    kHookMouseSingleKey = 256,  // "WM_HOOK_MOU_SINGLEKEY_MSG"
    kHookMouseHitKey = 512,     // "WM_HOOK_MOU_HITKEY_MSG"
    kHookMouseRecord = 1024,    // "WM_HOOK_MOU_KBMACRO_MSG"
};

// The name of the message a mode sends; nullptr for any other mode (it sends nothing).
const char* HookMessageName(int mode);
// The name of the message a recording mode sends for a mouse button; nullptr for others.
const char* HookMouseMessageName(int mode);
constexpr bool IsRecordingMode(int mode) {
    return mode == kHookRecordAppend || mode == kHookRecordBefore || mode == kHookRecordAfter ||
           mode == kHookRecordSingle;
}

class CDeviceHook {
  public:
    // With the keyboard hook over the program's windows (WindowKeyboardHook) and the
    // recording input of ChooseRecordingInput.
    CDeviceHook();
    // With another keyboard hook (tests), used in every mode, and the mouse buttons of the
    // program's windows; null: a keyboard hook can never be installed.
    explicit CDeviceHook(std::unique_ptr<platform::KeyboardHook> keyboardHook);
    // With another keyboard hook for the modes that do not record, and the recording input
    // the factory makes at each install in a recording mode.
    CDeviceHook(std::unique_ptr<platform::KeyboardHook> keyboardHook,
                RecordingInputFactory recordingInput);
    ~CDeviceHook();  // removes the hook
    CDeviceHook(const CDeviceHook&) = delete;
    CDeviceHook& operator=(const CDeviceHook&) = delete;

    // Replaces what is installed: removes the keyboard hook and the library hook, then
    // installs the keyboard hook when asked and the library hook when asked (it delivers
    // mouse buttons in the recording modes only), for window in mode. 1 on success; 0 when
    // window is no window or the keyboard hook cannot be set (nothing is installed then).
    // caller is kept as given.
    int Install(int caller, int mode, ui::HWND window, bool keyboard, bool library);
    // Removes both hooks: 1 when a keyboard hook was installed, else 0 (and nothing happens).
    int Remove();

    bool IsInstalled() const { return KeyboardInstalled() || libraryInstalled_; }
    bool KeyboardInstalled() const;
    bool LibraryInstalled() const { return libraryInstalled_; }
    // What the installed hook was given; 0 and null when nothing is installed.
    int Mode() const { return mode_; }
    ui::HWND Window() const { return window_; }
    int Caller() const { return caller_; }
    // The registered number sent for each key; 0 when the mode sends nothing.
    ui::UINT Message() const { return message_; }
    // The registered number sent for each mouse button; 0 outside the recording modes.
    ui::UINT MouseMessage() const { return mouseMessage_; }
    bool MouseInstalled() const;
    // Where the keys and buttons of the last recording install come from, and whether the
    // desktop's devices could not be read then (the panel may tell the user).
    RecordingSource Source() const { return source_; }
    bool GlobalInputUnavailable() const { return globalUnavailable_; }

  private:
    bool OnKeyboardEvent(uint32_t message, const platform::HookKeyboardRecord& record);
    void OnMouseEvent(uint32_t message, const platform::HookMouseRecord& record);
    bool StartKeys(platform::KeyboardHook* hook);
    void Forget();

    std::unique_ptr<platform::KeyboardHook> keyboardHook_;
    RecordingInputFactory recordingFactory_;
    RecordingInput recording_;
    platform::KeyboardHook* activeKeys_ = nullptr;  // keyboardHook_ or recording_.keys
    RecordingSource source_ = RecordingSource::kWindow;
    bool globalUnavailable_ = false;
    ui::UINT mouseMessage_ = 0;
    ui::HWND window_ = nullptr;
    int mode_ = kHookModeNone;
    int caller_ = 0;
    ui::UINT message_ = 0;
    bool libraryInstalled_ = false;
};

}  // namespace panels::hook
