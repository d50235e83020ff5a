#pragma once
// The input hook controller of the main window: installs a keyboard hook for a window in one
// of the hook modes, and while it is installed sends that window, for every key press and
// release, the registered message of the mode, synchronously, with wParam the key message
// (0x100, 0x101, 0x104, 0x105) and lParam a pointer to the hook's platform::HookKeyboardRecord,
// valid only during the call. Every key except Caps Lock, Num Lock and Scroll Lock is withheld
// from everybody else while the keyboard hook is installed.
//
// The key capture of the key panel installs it in single-key mode while the keyboard edit has
// the focus; the macro recorder in its recording modes. The hook library of the recorder
// (mouse buttons anywhere on the desktop) is only remembered as wanted here: it comes with
// the recorder.
//
// Threads: window thread only (checked in debug builds); the messages are sent on it.
#include <cstdint>
#include <memory>

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

class CDeviceHook {
  public:
    // With the keyboard hook over the program's windows (WindowKeyboardHook).
    CDeviceHook();
    // With another keyboard hook (a desktop-wide one, tests); null: a keyboard hook can never
    // be installed.
    explicit CDeviceHook(std::unique_ptr<platform::KeyboardHook> keyboardHook);
    ~CDeviceHook();  // removes the hook
    CDeviceHook(const CDeviceHook&) = delete;
    CDeviceHook& operator=(const CDeviceHook&) = delete;

    // Replaces what is installed: removes the keyboard hook and the library hook, then
    // installs the keyboard hook when asked and remembers the library hook when asked, for
    // window in mode. 1 on success; 0 when window is no window or the keyboard hook cannot be
    // set (nothing is installed then). caller is kept as given.
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

  private:
    bool OnKeyboardEvent(uint32_t message, const platform::HookKeyboardRecord& record);
    void Forget();

    std::unique_ptr<platform::KeyboardHook> keyboardHook_;
    ui::HWND window_ = nullptr;
    int mode_ = kHookModeNone;
    int caller_ = 0;
    ui::UINT message_ = 0;
    bool libraryInstalled_ = false;
};

}  // namespace panels::hook
