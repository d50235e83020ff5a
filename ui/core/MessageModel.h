#pragma once
// The window message model: every window has a handle; messages to it run on the window
// thread. SendMessage from the window thread calls the window at once; from another thread
// it queues the message and blocks until the window thread has handled it, and is released
// (result 0) as soon as the window starts being destroyed. PostMessage queues. The quit
// message ends the innermost running loop: the program's MessageLoop, or a modal dialog's
// loop, which then ends only that dialog.
//
// Threads: SendMessage, PostMessage, PostTask, PostQuitMessage, IsWindow, FindWindow and
// IsWindowThread may be called from any thread. Everything else here belongs to the window
// thread (checked in debug builds): timers, DestroyWindow, GetWindowObject (the object is the
// window thread's; another thread must not keep or use the pointer) and the loops.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/WindowsMacros.h"
#include "ui/core/UIDefs.h"

namespace ui {

// What the message model needs of a window. CWindowWnd implements it, so the model knows
// no window class and windows sit above it.
class IMessageTarget {
  public:
    // Handles one message; the window outlives the call even when the message destroys it.
    virtual LRESULT Deliver(UINT uMsg, WPARAM wParam, LPARAM lParam) = 0;
    // Runs a posted task with the window held the same way.
    virtual void RunTask(const std::function<void()>& task) = 0;
    // Destroys the window at once (DestroyWindow).
    virtual void DestroyNow() = 0;

  protected:
    ~IMessageTarget() = default;
};

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// False when the handle is no window.
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Runs task on the window thread, in order with the window's posted messages. False (the task
// dropped at once) when the handle is no window; a task still queued when the window goes is
// dropped unrun. Any thread.
bool PostTask(HWND hwnd, std::function<void()> task);
void PostQuitMessage(int exitCode);
bool IsWindow(HWND hwnd);
// Destroys a window: WM_DESTROY, pending sends released, timers gone, OnFinalMessage.
bool DestroyWindow(HWND hwnd);
// Window timers: WM_TIMER with wParam = id every elapse ms until killed (killing it inside
// its own WM_TIMER keeps it dead). Setting an id again restarts it. Window thread only.
uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT elapseMs);
bool KillTimer(HWND hwnd, uintptr_t id);
// First window whose class name (when given) and title (when given) match; what it compares
// is a copy kept by the message model, so any thread may ask while windows change.
HWND FindWindow(const std::string& className, const std::string& title);
// The window behind a handle (WindowWnd.h has the typed GetWindowObject).
IMessageTarget* GetMessageTarget(HWND hwnd);
bool IsWindowThread();

namespace detail {
// Used by CWindowWnd.
HWND RegisterWindow(IMessageTarget* window, const std::string& className, const std::string& title);
void SetWindowTitle(HWND hwnd, const std::string& title);
// The window starts being destroyed: sends waiting for it are released with 0 and later
// ones from other threads return 0 at once.
void BeginDestroyWindow(HWND hwnd);
void UnregisterWindow(HWND hwnd);
// Runs a loop until the quit message (window == nullptr) or until the window is gone or
// EndModalLoop is called for it. Returns the loop's code.
int RunLoop(HWND modalWindow);
void EndModalLoop(HWND window, int code);
}  // namespace detail

}  // namespace ui
