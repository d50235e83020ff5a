#include "GalleryWindow.h"

#include <cstdio>
#include <string>

#include "GalleryDialog.h"
#include "GalleryState.h"
#include "LedSwatch.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/ListUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/core/MessageModel.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/shell/MenuWnd.h"

namespace gallery {

GalleryWindow::GalleryWindow(bool quitOnClose) : quitOnClose_(quitOnClose) {}

GalleryWindow::~GalleryWindow() {
    ui::UnregisterInputObserver(&keyWatch_);
}

bool GalleryWindow::KeyWatch::OnKeyInput(ui::HWND, const ui::KeyEvent& key) {
    if (key.down) {
        char text[32];
        std::snprintf(text, sizeof text, "%X,%X,%d", key.keyVk, key.scanCode, key.extended ? 1 : 0);
        events_.lastKey = text;
    }
    return false;
}

ui::CControlUI* GalleryWindow::CreateControl(const std::string& className) {
    if (className == "LedSwatch")
        return new CLedSwatchUI;
    return nullptr;
}

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
    if (msg.sType == "itemactivate" && msg.pSender)
        events_.activated = msg.pSender->GetText();
    if (msg.sType == "click" && msg.pSender) {
        ++events_.clicks;
        events_.lastClick = msg.pSender->GetName();
        if (events_.lastClick == "btn_apply")
            RunDialog();
    }
    WindowImplBase::Notify(msg);
}

ui::LRESULT GalleryWindow::HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam,
                                               ui::LPARAM /*lParam*/, bool& bHandled) {
    bHandled = false;
    if (uMsg == ui::WM_CONTEXTMENU) {
        OpenMenu(ui::GetBackend().CursorPos(), ui::eMenuAlignment_Left | ui::eMenuAlignment_Top);
        bHandled = true;
    } else if (uMsg == ui::WM_MENUCLICK) {
        auto* cmd = reinterpret_cast<ui::MenuCmd*>(wParam);
        if (cmd != nullptr)
            events_.menuChosen = cmd->szName;
        m_pm.DeletePtr(cmd);
        bHandled = true;
    }
    return 0;
}

void GalleryWindow::OpenMenu(ui::Point screenPos, ui::DWORD alignment) {
    if (ui::CMenuWnd::CreateMenu(nullptr, "menu.xml", screenPos, &m_pm, nullptr, alignment))
        ++events_.menusOpened;
}

void GalleryWindow::RunDialog() {
    GalleryDialog dialog;
    if (dialog.Create(m_hWnd, "Apply the settings", ui::WS_POPUP, ui::WS_EX_TOOLWINDOW) == nullptr)
        return;
    dialog.CenterWindow();
    events_.dialogRect = dialog.GetWindowRect();
    events_.dialogOpen = true;
    events_.dialogResult.clear();
    const ui::UINT result = dialog.ShowModal();
    events_.dialogOpen = false;
    events_.dialogRect = ui::Rect{};
    events_.dialogResult = result == ui::IDOK ? "ok" : "cancel";
}

bool GalleryWindow::IsPose(const std::string& name) {
    return name == "plain" || name == "combo" || name == "showcase";
}

void GalleryWindow::Pose(const std::string& name) {
    if (name == "showcase") {
        ShowStates();
    } else if (name == "combo") {
        m_pm.UpdateLayout();
        // As the user opens it: focused first.
        if (auto* combo = dynamic_cast<ui::CComboUI*>(m_pm.FindControl("combo_rate"))) {
            m_pm.SetFocus(combo);
            combo->Activate();
        }
    }
}

void GalleryWindow::WriteStateTo(const std::string& path) {
    stateFile_ = std::make_unique<StateFile>(*this, path);
    ui::RegisterInputObserver(&keyWatch_);
    stateFile_->Update();
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
    OpenMenu(ui::Point{frame.left + 962, frame.top + 636},
             ui::eMenuAlignment_Right | ui::eMenuAlignment_Bottom);
}

void GalleryWindow::OnFinalMessage(ui::HWND hwnd) {
    ui::UnregisterInputObserver(&keyWatch_);
    stateFile_.reset();
    WindowImplBase::OnFinalMessage(hwnd);
    if (quitOnClose_)
        ui::PostQuitMessage(0);
    DeleteSelf();  // the window owns itself from Create on
}

}  // namespace gallery
