#pragma once
// Puts a window on the session message bus under its title: messages posted to the title
// or broadcast arrive in the window's queue as posted messages, copy-data records as
// WM_COPYDATA sent to the window (lParam points to a COPYDATASTRUCT while it is handled;
// wParam is 0, there is no sending window here). Everything arrives on the window thread.
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
    // Leaves the bus. Safe on the window thread, even while a record waits for that thread.
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
