#pragma once
// CTrayIcon: the program's icon in the desktop's tray. A left or right button release on it
// reaches the owner window as the tray message (UIMSG_TRAYICON unless another is given) with
// wParam = the icon id and lParam = WM_LBUTTONUP or WM_RBUTTONUP. On a desktop without a
// tray nothing is shown, a trace line says so, and the program carries on.
// Threads: window thread only.
#include <memory>
#include <string>

#include "ui/core/Backend.h"
#include "ui/core/UIDefs.h"

namespace ui {

class CTrayIcon : private TrayIconEvents {
  public:
    CTrayIcon();
    ~CTrayIcon() override;
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // iconResource: an id registered with CWindowWnd::RegisterIconResource.
    void CreateTrayIcon(HWND hWnd, UINT iconResource, const std::string& toolTip = "",
                        UINT message = UIMSG_TRAYICON);
    void DeleteTrayIcon();
    bool SetTooltipText(const std::string& text);
    std::string GetTooltipText() const { return m_sToolTip; }
    bool SetIcon(UINT iconResource);
    bool SetIcon(const std::string& imageFile);
    // True while an icon is shown in a tray.
    bool IsVisible() const { return m_native != nullptr; }
    bool Enabled() const { return m_bEnabled; }

  private:
    void OnTrayClick(MouseButton button, Point screenPos) override;

    std::unique_ptr<NativeTrayIcon> m_native;
    HWND m_hWnd = nullptr;
    UINT m_uMessage = UIMSG_TRAYICON;
    UINT m_uIconId = 0;
    std::string m_sToolTip;
    bool m_bEnabled = false;
};

}  // namespace ui
