#pragma once
// CWindowWnd: one top-level window with a handle and a message procedure (HandleMessage).
// The realisation's native window reports input and painting; they arrive here as the
// Win32-numbered messages (WM_LBUTTONDOWN, WM_PAINT with PaintArgs, WM_SIZE, ...), so that
// HandleMessage sees every message. The default procedure closes on WM_CLOSE and handles
// the system commands.
//
// Threads: a window belongs to the window thread (checked in debug builds); other threads
// reach it only through its handle (SendMessage, PostMessage).
//
// Lifetime: a window that deletes itself (in OnFinalMessage) calls DeleteSelf, which waits
// until no message of the window is being handled any more. Code that handles a message may
// therefore destroy its own window and still touch its members until it returns.
#include <functional>
#include <memory>
#include <string>

#include "platform/WindowsMacros.h"
#include "ui/core/Backend.h"
#include "ui/core/MessageModel.h"
#include "ui/core/UIDefs.h"

namespace ui {

class CWindowWnd : public IMessageTarget {
  public:
    CWindowWnd();
    virtual ~CWindowWnd();
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    HWND GetHWND() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    bool RegisterWindowClass() { return true; }  // nothing to register on this platform
    // Creates the native window and sends WM_CREATE; shown when style has WS_VISIBLE.
    // Returns the handle, nullptr on failure.
    HWND Create(HWND hwndParent, const std::string& name, DWORD style, DWORD exStyle,
                const RECT& rc, void* menu = nullptr);
    HWND Create(HWND hwndParent, const std::string& name, DWORD style, DWORD exStyle, int x = 0,
                int y = 0, int cx = 0, int cy = 0, void* menu = nullptr);

    void ShowWindow(bool show = true, bool takeFocus = true);
    // Shows the window with its owner disabled and runs a loop until the window is closed;
    // returns the value given to Close (IDCANCEL if it ended otherwise).
    UINT ShowModal();
    // Ends the window with a result: a modal loop returns it. The window is destroyed once
    // the current message has been handled (WM_CLOSE goes through HandleMessage first).
    void Close(UINT nRet = IDOK);
    void CenterWindow();
    // The program's icon resources are image files: RegisterIconResource maps an id.
    void SetIcon(UINT resourceId);
    void SetIcon(const std::string& imageFile);
    static void RegisterIconResource(UINT resourceId, const std::string& imageFile);

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    void ResizeClient(int cx = -1, int cy = -1);

    // Native window operations (screen coordinates).
    RECT GetWindowRect() const;
    // Turns a point in this window's client coordinates into screen coordinates (windows
    // have no native frame: the client area starts at the window's corner). False, and the
    // point unchanged, while the window has no native window.
    bool ClientToScreen(POINT& pt) const;
    void SetWindowPos(const RECT& rc);
    bool IsWindowVisible() const;
    void SetTitle(const std::string& title);
    const std::string& GetTitle() const { return m_sTitle; }
    DWORD GetStyle() const { return m_dwStyle; }
    DWORD GetExStyle() const { return m_dwExStyle; }
    HWND GetOwner() const { return m_hWndOwner; }
    void EnableWindow(bool enable);
    bool IsWindowEnabled() const { return m_bEnabled; }
    bool IsMinimized() const { return m_bMinimized; }
    bool IsMaximized() const { return m_bMaximized; }
    NativeWindow* GetNativeWindow() const { return m_native.get(); }
    int GetModalResult() const { return m_nModalResult; }

    virtual std::string GetWindowClassName() const = 0;
    virtual std::string GetSuperClassName() const { return {}; }
    virtual UINT GetClassStyle() const { return 0; }

    // The message procedure: every message of this window passes here.
    virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    // How the message model and the native window's events call HandleMessage: the window
    // outlives the call even when the message destroys it.
    LRESULT Deliver(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void RunTask(const std::function<void()>& task) override;

    // Used by the message model (DestroyWindow): WM_DESTROY, unregistration, OnFinalMessage.
    void DestroyNow() override;

    // Keeps the window object alive while it lives: a DeleteSelf meanwhile waits for it.
    // Whatever runs window code outside Deliver (control timers) holds one.
    class InUse {
      public:
        explicit InUse(CWindowWnd& window) : window_(window) { ++window_.m_nInUse; }
        ~InUse();
        InUse(const InUse&) = delete;
        InUse& operator=(const InUse&) = delete;

      private:
        CWindowWnd& window_;
    };

  protected:
    // After the window is gone (handle already invalid); a window that owns itself calls
    // DeleteSelf here.
    virtual void OnFinalMessage(HWND hWnd);
    // Deletes this object once no message of it is being handled (at once when none is).
    // Calling it again changes nothing.
    void DeleteSelf();
    // The default procedure for what HandleMessage leaves.
    LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam);
    // Pop-ups (menus, drop-down lists) close on an outside click and have no frame. A window
    // created with WS_EX_NOACTIVATE is one too, and never takes activation when shown.
    virtual bool IsPopupWindow() const { return false; }

    HWND m_hWnd = nullptr;

  private:
    class Events;
    std::unique_ptr<Events> m_events;
    std::unique_ptr<NativeWindow> m_native;
    std::string m_sTitle;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    HWND m_hWndOwner = nullptr;
    bool m_bEnabled = true;
    bool m_bMinimized = false;
    bool m_bMaximized = false;
    bool m_bDestroying = false;
    int m_nInUse = 0;
    bool m_bDeleteWhenIdle = false;
    bool m_bModal = false;
    int m_nModalResult = IDCANCEL;
    RECT m_rcRestore;
};

// The window object behind a handle; nullptr when the handle is no CWindowWnd.
CWindowWnd* GetWindowObject(HWND hwnd);

}  // namespace ui
