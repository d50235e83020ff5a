#include "windows/MsgWnd.h"

#include "ui/core/ControlUI.h"
#include "ui/core/StringUtil.h"
#include "windows/DialogDpi.h"
#include "windows/DpiChange.h"

namespace windows {

namespace {

// WS_POPUP | WS_CLIPCHILDREN, a tool window: no taskbar entry of its own.
constexpr ui::DWORD kMsgStyle = ui::WS_POPUP | ui::WS_CLIPCHILDREN;
constexpr ui::DWORD kMsgExStyle = ui::WS_EX_TOOLWINDOW;

}  // namespace

int ShowMessage(ui::HWND parent, const std::string& title, const std::string& text, int dpi,
                bool textIsKey, int buttons) {
    auto* box = new CMsgWnd();
    std::shared_ptr<const bool> final = box->FinalFlag();
    if (box->Create(parent, "msgwnd", kMsgStyle, kMsgExStyle) == nullptr) {
        // A window that got as far as its final message has deleted itself already.
        if (!*final)
            delete box;
        return 0;
    }
    if (!title.empty())
        box->SetTitleText(title);
    if (!text.empty())
        box->SetMessageText(text, textIsKey);
    box->SetDPI(dpi);
    box->SetButtons(buttons);
    box->CenterWindow();
    // Only the confirm button answers 1; however else the box ended counts as "no".
    return box->ShowModal() == 1 ? 1 : 0;
}

CMsgWnd::CMsgWnd() = default;

void CMsgWnd::InitWindow() {
    m_pCloseBtn = m_pm.FindControl("closebtn");
}

void CMsgWnd::SetTitleText(const std::string& title) {
    if (ui::CControlUI* label = m_pm.FindControl("MessageTitle"))
        label->SetText(title);
}

void CMsgWnd::SetMessageText(const std::string& text, bool textIsKey) {
    if (ui::CControlUI* label = m_pm.FindControl("MessageText")) {
        label->SetResourceText(textIsKey);
        label->SetText(text);
    }
}

void CMsgWnd::SetDPI(int dpi) {
    DpiChoice choice = SetDialogDpi(m_dpi, dpi, "MSG_WND DPI SET ERROR");
    if (!choice.apply)
        return;
    m_dpi = choice.dpi;
    ui::CPaintManagerUI::SetAllDPI(m_dpi);
}

void CMsgWnd::SetButtons(int buttons) {
    ui::CControlUI* confirm = m_pm.FindControl("confirm_btn");
    ui::CControlUI* cancel = m_pm.FindControl("cancel_btn");
    if (buttons != kMsgButtonsConfirm && buttons != kMsgButtonsConfirmAndCancel)
        return;
    if (confirm != nullptr)
        confirm->SetVisible(true);
    if (cancel != nullptr)
        cancel->SetVisible(buttons == kMsgButtonsConfirmAndCancel);
}

void CMsgWnd::OnClick(ui::TNotifyUI& msg) {
    if (msg.pSender == nullptr)
        return;
    const std::string name = msg.pSender->GetName();
    if (ui::EqualsNoCase(name, "confirm_btn")) {
        Close(1);
    } else if (msg.pSender == m_pCloseBtn || ui::EqualsNoCase(name, "cancel_btn") ||
               ui::EqualsNoCase(name, "closebtn")) {
        Close(0);
    } else {
        WindowImplBase::OnClick(msg);  // minimise, maximise, restore
    }
}

ui::LRESULT CMsgWnd::HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                         bool& bHandled) {
    if (uMsg != ui::WM_DPICHANGED) {
        bHandled = false;
        return 0;
    }
    m_dpi = FollowDpiChange(*this, m_pm, wParam, lParam);
    bHandled = true;
    return 0;
}

void CMsgWnd::OnFinalMessage(ui::HWND /*hWnd*/) {
    *m_final = true;
    DeleteSelf();
}

}  // namespace windows
