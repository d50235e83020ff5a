#include "GalleryWindow.h"

#include <string>

#include "LedSwatch.h"
#include "ui/core/MessageModel.h"
#include "ui/layout/TabLayoutUI.h"

#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/ListUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/shell/MenuWnd.h"

namespace gallery {

ui::CControlUI* GalleryWindow::CreateControl(const std::string& className) {
    if (className == "LedSwatch")
        return new CLedSwatchUI;
    return nullptr;
}

void GalleryWindow::InitWindow() {}

void GalleryWindow::Notify(ui::TNotifyUI& msg) {
    // The tab options switch the pages of the tab layout.
    if (msg.sType == "selectchanged" && msg.pSender) {
        static const char* const kTabs[] = {"tab_perf", "tab_light", "tab_keys"};
        for (int i = 0; i < 3; ++i) {
            if (msg.pSender->GetName() != kTabs[i])
                continue;
            if (auto* tabs = dynamic_cast<ui::CTabLayoutUI*>(m_pm.FindControl("tabs")))
                tabs->SelectItem(i);
        }
    }
    // The slider label follows the slider as the user drags it.
    if ((msg.sType == "movevaluechanged" || msg.sType == "valuechanged") && msg.pSender &&
        msg.pSender->GetName() == "slider") {
        auto* slider = static_cast<ui::CSliderUI*>(msg.pSender);
        if (ui::CControlUI* label = m_pm.FindControl("slider_value"))
            label->SetText("DPI stage: " + std::to_string(100 + slider->GetValue() * 25));
    }
    WindowImplBase::Notify(msg);
}

void GalleryWindow::ShowStates() {
    m_pm.UpdateLayout();
    // A slider caught mid-drag: the button went down on the thumb and the mouse moved on.
    if (auto* slider = dynamic_cast<ui::CSliderUI*>(m_pm.FindControl("slider"))) {
        ui::RECT thumb = slider->GetThumbRect();
        int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
        SendMessage(ui::WM_MOUSEMOVE, 0, ui::MAKELPARAM(x, y));
        SendMessage(ui::WM_LBUTTONDOWN, ui::MK_LBUTTON, ui::MAKELPARAM(x, y));
        SendMessage(ui::WM_MOUSEMOVE, ui::MK_LBUTTON, ui::MAKELPARAM(x + 40, y + 3));
    }
    if (auto* list = dynamic_cast<ui::CListUI*>(m_pm.FindControl("profile_list")))
        list->SelectItem(1, false, false);
    if (auto* edit = dynamic_cast<ui::CEditUI*>(m_pm.FindControl("edit_name"))) {
        m_pm.SetFocus(edit);
        edit->SetSel(0, 7);
    }
    if (auto* combo = dynamic_cast<ui::CComboUI*>(m_pm.FindControl("combo_rate"))) {
        combo->SelectItem(2, false, false);
        combo->Activate();  // the drop-down list opens below it
    }
    // A pop-up menu opened upwards from the free corner under the tinted images.
    ui::Rect frame = GetNativeWindow() ? GetNativeWindow()->GetRect() : ui::Rect{};
    ui::CMenuWnd::CreateMenu(nullptr, "menu.xml", ui::Point{frame.left + 962, frame.top + 636},
                             &m_pm, nullptr, ui::eMenuAlignment_Right | ui::eMenuAlignment_Bottom);
}

void GalleryWindow::OnFinalMessage(ui::HWND hwnd) {
    WindowImplBase::OnFinalMessage(hwnd);
    if (quitOnClose_)
        ui::PostQuitMessage(0);
    DeleteSelf();  // the window owns itself from Create on
}

}  // namespace gallery
