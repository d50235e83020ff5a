#include "ui/core/WindowImplBase.h"

#include "platform/Trace.h"
#include "ui/core/ControlUI.h"

namespace ui {

WindowImplBase::WindowImplBase() {
    AddNotifyHandler("click", [this](TNotifyUI& msg) { OnClick(msg); });
}

WindowImplBase::~WindowImplBase() = default;

LRESULT WindowImplBase::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM /*lParam*/,
                                       bool& bHandled) {
    if (uMsg == WM_KEYDOWN && (wParam == VK_ESCAPE || wParam == VK_RETURN)) {
        bHandled = ResponseDefaultKeyEvent(wParam);
    }
    return 0;
}

bool WindowImplBase::ResponseDefaultKeyEvent(WPARAM wParam) {
    // Return goes to the focused control; Escape is swallowed (windows close themselves).
    return wParam == VK_ESCAPE;
}

void WindowImplBase::Notify(TNotifyUI& msg) {
    NotifyPump(msg);
}

void WindowImplBase::OnClick(TNotifyUI& msg) {
    if (msg.pSender == nullptr)
        return;
    const std::string name = msg.pSender->GetName();
    if (EqualsNoCase(name, "closebtn")) {
        Close(IDCANCEL);
    } else if (EqualsNoCase(name, "minbtn")) {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (EqualsNoCase(name, "maxbtn")) {
        SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    } else if (EqualsNoCase(name, "restorebtn")) {
        SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    }
}

CControlUI* WindowImplBase::CreateControl(const std::string& /*pstrClass*/) {
    return nullptr;
}

std::string WindowImplBase::QueryControlText(const std::string& /*key*/,
                                             const std::string& /*type*/) {
    return {};
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = true;
    m_pm.Init(m_hWnd, GetManagerName());
    m_pm.AddPreMessageFilter(this);
    InitResource();
    CDialogBuilder builder;
    CControlUI* root = builder.Create(GetSkinFile(), "", this, &m_pm);
    if (root == nullptr) {
        platform::TraceF("ui: window %s has no layout", GetWindowClassName().c_str());
        return -1;
    }
    m_pm.AttachDialog(root);
    m_pm.AddNotifier(this);
    // The layout's size (DPI-scaled) wins over the size given to Create.
    SIZE size = m_pm.GetInitSize();
    if (size.cx > 0 && size.cy > 0)
        ResizeClient(size.cx, size.cy);
    if (!m_pm.GetWindowCaption().empty() && GetTitle().empty())
        SetTitle(m_pm.GetWindowCaption());
    InitWindow();
    m_pm.SendNotify(m_pm.GetRoot(), "windowinit", 0, 0, true);
    return 0;
}

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnMouseWheel(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnMouseHover(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnKillFocus(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnSetFocus(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnChar(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnLButtonDown(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnLButtonUp(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnMouseMove(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnNcActivate(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnNcCalcSize(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnNcPaint(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

bool WindowImplBase::IsInStaticControl(CControlUI* control) {
    if (control == nullptr)
        return false;
    std::string cls = control->GetClass();
    return EqualsNoCase(cls, "ControlUI") || EqualsNoCase(cls, "LabelUI") ||
           EqualsNoCase(cls, "TextUI") || EqualsNoCase(cls, "ContainerUI") ||
           EqualsNoCase(cls, "VerticalLayoutUI") || EqualsNoCase(cls, "HorizontalLayoutUI") ||
           EqualsNoCase(cls, "TabLayoutUI");
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lRes = 0;
    bool bHandled = true;
    switch (uMsg) {
        case WM_CREATE:
            lRes = OnCreate(uMsg, wParam, lParam, bHandled);
            break;
        case WM_CLOSE:
            lRes = OnClose(uMsg, wParam, lParam, bHandled);
            break;
        case WM_DESTROY:
            lRes = OnDestroy(uMsg, wParam, lParam, bHandled);
            break;
        case WM_SIZE:
            lRes = OnSize(uMsg, wParam, lParam, bHandled);
            break;
        case WM_KEYDOWN:
            lRes = OnKeyDown(uMsg, wParam, lParam, bHandled);
            break;
        case WM_SYSCOMMAND:
            lRes = OnSysCommand(uMsg, wParam, lParam, bHandled);
            break;
        case WM_MOUSEWHEEL:
            lRes = OnMouseWheel(uMsg, wParam, lParam, bHandled);
            break;
        case WM_MOUSEHOVER:
            lRes = OnMouseHover(uMsg, wParam, lParam, bHandled);
            break;
        case WM_KILLFOCUS:
            lRes = OnKillFocus(uMsg, wParam, lParam, bHandled);
            break;
        case WM_SETFOCUS:
            lRes = OnSetFocus(uMsg, wParam, lParam, bHandled);
            break;
        case WM_CHAR:
            lRes = OnChar(uMsg, wParam, lParam, bHandled);
            break;
        case WM_GETMINMAXINFO:
            lRes = OnGetMinMaxInfo(uMsg, wParam, lParam, bHandled);
            break;
        case WM_LBUTTONDOWN:
            lRes = OnLButtonDown(uMsg, wParam, lParam, bHandled);
            break;
        case WM_LBUTTONUP:
            lRes = OnLButtonUp(uMsg, wParam, lParam, bHandled);
            break;
        case WM_MOUSEMOVE:
            lRes = OnMouseMove(uMsg, wParam, lParam, bHandled);
            break;
        case WM_NCACTIVATE:
            lRes = OnNcActivate(uMsg, wParam, lParam, bHandled);
            break;
        default:
            bHandled = false;
            break;
    }
    if (bHandled)
        return lRes;
    HWND self = m_hWnd;
    lRes = HandleCustomMessage(uMsg, wParam, lParam, bHandled);
    if (bHandled || !IsWindow(self))
        return lRes;
    if (m_pm.PreMessageHandler(uMsg, wParam, lParam, lRes))
        return lRes;
    if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes))
        return lRes;
    if (!IsWindow(self))
        return lRes;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

}  // namespace ui
