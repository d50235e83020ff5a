#pragma once
// Puts a window on the session message bus under its title: messages posted to the title
// or broadcast arrive in the window's queue as posted messages, copy-data records as
// WM_COPYDATA sent to the window (lParam points to a COPYDATASTRUCT while it is handled;
// wParam is the sending process's id as the system reports it, 0 when unknown: there is no
// sending window here). Everything arrives on the window thread, in
// the order it came. Posted messages whose parameters are pointers in this library (WM_PAINT,
// WM_MENUCLICK, ...) are dropped: no other process can hand us a pointer. The bus listener never
// waits for the window: a copy-data record waits in the window's queue, and its sender is told that
// it was handled once the window has handled it, or that it was not when the sender's time ran out
// first (the record is then dropped, never handled late).
//
// Threads: Join and the destructor on the window thread.
#include <memory>
#include <string>

#include "ui/core/UIDefs.h"

namespace platform {
class BusEndpoint;
}

namespace ui {

class SessionBusBridge {
  public:
    // Joins the bus for the window; empty when the bus cannot be used.
    static std::unique_ptr<SessionBusBridge> Join(HWND window, const std::string& title);
    // Leaves the bus: the title is gone for senders at once, records still queued for the
    // window are dropped (their senders told so), and the listener thread is joined.
    ~SessionBusBridge();
    SessionBusBridge(const SessionBusBridge&) = delete;
    SessionBusBridge& operator=(const SessionBusBridge&) = delete;

    struct Shared;

  private:
    SessionBusBridge() = default;
    std::shared_ptr<Shared> shared_;
    std::unique_ptr<platform::BusEndpoint> endpoint_;
};

}  // namespace ui
