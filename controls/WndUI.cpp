#include "controls/WndUI.h"

#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowWnd.h"

namespace controls {

void* CWndUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return static_cast<CWndUI*>(this);
    return CControlUI::GetInterface(name);
}

void CWndUI::SetPos(ui::RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    PlaceHostedWindow();
}

void CWndUI::SetVisible(bool visible) {
    CControlUI::SetVisible(visible);
    PlaceHostedWindow();
}

void CWndUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    PlaceHostedWindow();
}

void CWndUI::SetHostedWindow(ui::HWND window) {
    hostedWindow_ = window;
    PlaceHostedWindow();
}

void CWndUI::PlaceHostedWindow() {
    if (!ui::IsWindow(hostedWindow_))
        return;
    ui::CWindowWnd* hosted = ui::GetWindowObject(hostedWindow_);
    if (hosted == nullptr)
        return;
    if (m_pManager != nullptr) {
        // Every window here is top-level: the control's place is offset by the paint
        // window's position on the screen.
        ui::RECT rc = m_rcItem;
        if (ui::CWindowWnd* paint = ui::GetWindowObject(m_pManager->GetPaintWindow())) {
            ui::RECT screen = paint->GetWindowRect();
            rc = rc.Offset(screen.left, screen.top);
        }
        hosted->SetWindowPos(rc);
    }
    hosted->ShowWindow(IsVisible(), false);
}

}  // namespace controls
