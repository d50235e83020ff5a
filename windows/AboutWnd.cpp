#include "windows/AboutWnd.h"

#include "ui/core/ControlUI.h"
#include "ui/core/StringUtil.h"
#include "windows/DialogDpi.h"
#include "windows/DpiChange.h"

namespace windows {

namespace {

CAboutWnd* g_open = nullptr;  // the one about window (window thread only)

constexpr ui::DWORD kAboutStyle = ui::WS_POPUP | ui::WS_VISIBLE;
constexpr ui::DWORD kAboutExStyle = ui::WS_EX_TOOLWINDOW;

}  // namespace

ui::HWND CAboutWnd::Open(ui::HWND owner, int dpi) {
    if (g_open != nullptr) {
        g_open->ShowWindow(true, true);
        return nullptr;
    }
    auto* about = new CAboutWnd();
    g_open = about;
    // Two spaces: the window shows no title of its own.
    if (about->Create(owner, "  ", kAboutStyle, kAboutExStyle, 0, 0, 800, 572) == nullptr) {
        // A window that reached its final message has deleted itself and cleared g_open.
        if (g_open == about) {
            g_open = nullptr;
            delete about;
        }
        return nullptr;
    }
    DpiChoice choice = SetDialogDpi(about->m_pm.GetDPI(), dpi, "ABOUT_WND DPI SET ERROR");
    if (choice.apply)
        about->m_pm.SetDPI(choice.dpi);
    about->CenterWindow();
    return about->GetHWND();
}

ui::HWND CAboutWnd::Current() {
    return g_open != nullptr ? g_open->GetHWND() : nullptr;
}

CAboutWnd::~CAboutWnd() {
    if (g_open == this)
        g_open = nullptr;
}

void CAboutWnd::InitWindow() {
    ShowVersion();
}

void CAboutWnd::ShowVersion() {
    ui::CControlUI* probe = m_pm.FindControl("text_test");
    ui::CControlUI* label = m_pm.FindControl("software_ver_label");
    if (probe == nullptr || label == nullptr)
        return;
    // The hidden probe translates the key; the label shows the result as plain text.
    probe->SetResourceText(true);
    probe->SetText("software_rev_text");
    label->SetResourceText(false);
    label->SetText(probe->GetText());
}

void CAboutWnd::OnClick(ui::TNotifyUI& msg) {
    if (msg.pSender == nullptr)
        return;
    const std::string name = msg.pSender->GetName();
    if (ui::EqualsNoCase(name, "closebtn"))
        Close(0);
    else if (ui::EqualsNoCase(name, "homepage_btn"))
        return;  // no home page to open
    else
        WindowImplBase::OnClick(msg);
}

ui::LRESULT CAboutWnd::HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                           bool& bHandled) {
    bHandled = true;
    if (uMsg == kMsgLanguageChanged) {
        ShowVersion();
        if (ui::CControlUI* root = m_pm.GetRoot())
            root->NeedUpdate();
        m_pm.NeedUpdate();
        return 0;
    }
    if (uMsg == ui::WM_DPICHANGED) {
        FollowDpiChange(*this, m_pm, wParam, lParam);
        return 0;
    }
    bHandled = false;
    return 0;
}

void CAboutWnd::OnFinalMessage(ui::HWND /*hWnd*/) {
    if (g_open == this)
        g_open = nullptr;
    DeleteSelf();
}

}  // namespace windows
