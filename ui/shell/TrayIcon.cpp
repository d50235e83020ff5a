#include "ui/shell/TrayIcon.h"

#include "platform/Trace.h"
#include "ui/core/MessageModel.h"
#include "ui/shell/IconResources.h"

namespace ui {

CTrayIcon::CTrayIcon() = default;

CTrayIcon::~CTrayIcon() {
    DeleteTrayIcon();
}

void CTrayIcon::CreateTrayIcon(HWND hWnd, UINT iconResource, const std::string& toolTip,
                               UINT message) {
    DeleteTrayIcon();
    m_hWnd = hWnd;
    m_uIconId = iconResource;
    m_uMessage = message;
    m_sToolTip = toolTip;
    if (!HasBackend())
        return;
    m_native = GetBackend().CreateTrayIcon(*this);
    if (!m_native) {
        platform::Trace("ui: the desktop has no tray; the program runs without a tray icon");
        return;
    }
    m_bEnabled = true;
    m_native->SetToolTip(toolTip);
    if (auto image = LoadIconResource(iconResource))
        m_native->SetIcon(*image);
}

void CTrayIcon::DeleteTrayIcon() {
    m_native.reset();
    m_bEnabled = false;
}

bool CTrayIcon::SetTooltipText(const std::string& text) {
    m_sToolTip = text;
    if (!m_native)
        return false;
    m_native->SetToolTip(text);
    return true;
}

bool CTrayIcon::SetIcon(UINT iconResource) {
    if (!m_native)
        return false;
    auto image = LoadIconResource(iconResource);
    if (!image)
        return false;
    m_uIconId = iconResource;
    m_native->SetIcon(*image);
    return true;
}

bool CTrayIcon::SetIcon(const std::string& imageFile) {
    if (!m_native)
        return false;
    auto image = LoadIconFile(imageFile);
    if (!image)
        return false;
    m_native->SetIcon(*image);
    return true;
}

void CTrayIcon::OnTrayClick(MouseButton button, Point /*screenPos*/) {
    if (button != MouseButton::Left && button != MouseButton::Right)
        return;
    // Posted, as the desktop does: the tray's own event must finish first.
    PostMessage(m_hWnd, m_uMessage, m_uIconId,
                button == MouseButton::Left ? WM_LBUTTONUP : WM_RBUTTONUP);
}

}  // namespace ui
