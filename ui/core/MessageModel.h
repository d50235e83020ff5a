#pragma once
// The window message model: every window has a handle; messages to it run on the window
// thread. SendMessage from the window thread calls the window at once; from another thread
// it queues the message and blocks until the window thread has handled it, and is released
// (result 0) when the window is destroyed first. PostMessage queues. The quit message ends
// the innermost running loop: the program's MessageLoop, or a modal dialog's loop, which then
// ends only that dialog.
#include <cstdint>
#include <string>

#include "platform/WindowsMacros.h"
#include "ui/core/UIDefs.h"

namespace ui {

// What the message model needs of a window. CWindowWnd implements it, so the model knows
// no window class and windows sit above it.
class IMessageTarget {
  public:
    virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) = 0;
    virtual std::string GetWindowClassName() const = 0;
    virtual const std::string& GetTitle() const = 0;
    // Destroys the window at once (DestroyWindow).
    virtual void DestroyNow() = 0;

  protected:
    ~IMessageTarget() = default;
};

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// False when the handle is no window.
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);
bool IsWindow(HWND hwnd);
// Destroys a window: WM_DESTROY, pending sends released, timers gone, OnFinalMessage.
bool DestroyWindow(HWND hwnd);
// Window timers: WM_TIMER with wParam = id every elapse ms until killed (killing it inside
// its own WM_TIMER keeps it dead). Setting an id again restarts it. Window thread only.
uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT elapseMs);
bool KillTimer(HWND hwnd, uintptr_t id);
// First window whose class name (when given) and title (when given) match.
HWND FindWindow(const std::string& className, const std::string& title);
// The window behind a handle (CWindowWnd.h has the typed GetWindowObject).
IMessageTarget* GetMessageTarget(HWND hwnd);
bool IsWindowThread();

namespace detail {
// Used by CWindowWnd.
HWND RegisterWindow(IMessageTarget* window);
void UnregisterWindow(HWND hwnd);
// Runs a loop until the quit message (window == nullptr) or until the window is gone or
// EndModalLoop is called for it. Returns the loop's code.
int RunLoop(HWND modalWindow);
void EndModalLoop(HWND window, int code);
}  // namespace detail

}  // namespace ui
