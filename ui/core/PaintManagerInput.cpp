// Input dispatch of the paint manager: window messages into control events, the hot, pushed
// and captured controls, the keyboard focus and the caption drag.
#include "ui/core/PaintManager.h"

#include "ui/core/ControlUI.h"
#include "ui/core/KeyState.h"
#include "ui/core/MessageModel.h"
#include "ui/core/ScanCodes.h"
#include "ui/core/WindowWnd.h"

namespace ui {
namespace {

struct TabSearch {
    CControlUI* focus;
    CControlUI* last = nullptr;
    CControlUI* next = nullptr;
    bool passedFocus = false;
    bool forward = true;
};

CControlUI* FindTabStop(CControlUI* control, void* data) {
    auto* search = static_cast<TabSearch*>(data);
    if (control == search->focus) {
        search->passedFocus = true;
        if (!search->forward)
            return search->last ? control : nullptr;
        return nullptr;
    }
    if ((control->GetControlFlags() & UIFLAG_TABSTOP) == 0 || !control->IsKeyboardEnabled())
        return nullptr;
    if (search->forward) {
        if (search->next == nullptr)
            search->next = control;  // wraps to the first
        if (search->passedFocus || search->focus == nullptr) {
            search->next = control;
            return control;
        }
    } else {
        if (!search->passedFocus)
            search->last = control;
        search->next = control;  // wraps to the last
    }
    return nullptr;
}

// The first filter that handles the message ends the run. A copy is walked: a filter may
// remove itself.
bool RunFilters(std::vector<IMessageFilterUI*> filters, UINT uMsg, WPARAM wParam, LPARAM lParam,
                LRESULT& lRes) {
    for (IMessageFilterUI* filter : filters) {
        bool handled = false;
        LRESULT r = filter->MessageHandler(uMsg, wParam, lParam, handled);
        if (handled) {
            lRes = r;
            return true;
        }
    }
    return false;
}

uint32_t ModifiersFromKeys(WPARAM keys) {
    return static_cast<uint32_t>(keys & (MK_SHIFT | MK_CONTROL | MK_ALT));
}

}  // namespace

// --- input -------------------------------------------------------------------------------

void CPaintManagerUI::SendEvent(CControlUI* control, int type, POINT pt, WPARAM wParam,
                                LPARAM lParam, uint32_t key) {
    if (control == nullptr)
        return;
    TEventUI event;
    event.Type = type;
    event.pSender = control;
    event.dwTimestamp = HasBackend() ? static_cast<DWORD>(GetBackend().NowMs()) : 0;
    event.ptMouse = pt;
    event.chKey = key;
    event.wKeyState = static_cast<uint16_t>(m_uKeyState);
    event.wParam = wParam;
    event.lParam = lParam;
    if (type == UIEVENT_KEYDOWN || type == UIEVENT_KEYUP) {
        event.wScanCode = static_cast<uint16_t>(ScanFromKeyLParam(lParam));
        event.bExtendedKey = ExtendedFromKeyLParam(lParam);
        const int row =
            event.wScanCode != 0 ? FindScanRow(event.wScanCode, event.bExtendedKey) : -1;
        event.wKeyVk = row >= 0 ? ScanCodeTable()[row].vk : 0;
    }
    control->Event(event);
}

void CPaintManagerUI::UpdateCursor(CControlUI* control) {
    NativeWindow* native = GetNativeWindow();
    if (native == nullptr)
        return;
    CursorShape shape = CursorShape::Arrow;
    if (control != nullptr && control->IsEffectivelyEnabled()) {
        std::string cursor = control->GetCursor();
        if (EqualsNoCase(cursor, "hand"))
            shape = CursorShape::Hand;
        else if (EqualsNoCase(cursor, "ibeam"))
            shape = CursorShape::IBeam;
        else if (EqualsNoCase(cursor, "sizewe"))
            shape = CursorShape::SizeWE;
        else if (EqualsNoCase(cursor, "sizens"))
            shape = CursorShape::SizeNS;
        else if (EqualsNoCase(cursor, "wait"))
            shape = CursorShape::Wait;
    }
    native->SetCursor(shape);
}

void CPaintManagerUI::DispatchMouseMove(POINT pt, WPARAM /*keys*/) {
    CControlUI* hit = FindControl(pt);
    if (hit != nullptr && !hit->IsEffectivelyEnabled())
        hit = nullptr;
    if (hit != m_pEventHover) {
        CControlUI* old = m_pEventHover;
        m_pEventHover = hit;
        if (old != nullptr)
            SendEvent(old, UIEVENT_MOUSELEAVE, pt);
        if (m_pEventHover != nullptr)
            SendEvent(m_pEventHover, UIEVENT_MOUSEENTER, pt);
        UpdateCursor(m_pEventHover);
    }
    if (m_pEventClick != nullptr) {
        SendEvent(m_pEventClick, UIEVENT_MOUSEMOVE, pt);
    } else if (m_pEventHover != nullptr) {
        SendEvent(m_pEventHover, UIEVENT_MOUSEMOVE, pt);
    }
}

bool CPaintManagerUI::StartCaptionDrag(POINT pt, CControlUI* hit) {
    if (m_rcCaption.bottom <= 0)
        return false;
    // The caption band: its right is a margin from the window's right edge, its bottom the
    // band's height from the top.
    SIZE client = GetClientSize();
    RECT scaled = m_dpi.Scale(m_rcCaption);
    RECT caption{scaled.left, scaled.top, client.cx - scaled.right, scaled.bottom};
    if (!caption.Contains(pt))
        return false;
    if (hit != nullptr) {
        const std::string cls = hit->GetClass();
        bool passive = EqualsNoCase(cls, "ControlUI") || EqualsNoCase(cls, "LabelUI") ||
                       EqualsNoCase(cls, "TextUI") || EqualsNoCase(cls, "ContainerUI") ||
                       EqualsNoCase(cls, "VerticalLayoutUI") ||
                       EqualsNoCase(cls, "HorizontalLayoutUI") || EqualsNoCase(cls, "TabLayoutUI");
        if (!passive)
            return false;
    }
    CWindowWnd* window = GetWindowObject(m_hWndPaint);
    if (window == nullptr || !HasBackend())
        return false;
    m_bCaptionDrag = true;
    m_ptDragCursor = GetBackend().CursorPos();
    m_rcDragWindow = window->GetWindowRect();
    SetCapture();
    return true;
}

bool CPaintManagerUI::PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    return RunFilters(m_aPreMessageFilters, uMsg, wParam, lParam, lRes);
}

bool CPaintManagerUI::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    lRes = 0;
    if (m_hWndPaint == nullptr)
        return false;
    if (RunFilters(m_aMessageFilters, uMsg, wParam, lParam, lRes))
        return true;
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (uMsg) {
        case WM_APP_NOTIFY:
            DrainAsyncNotify();
            return true;
        case WM_PAINT: {
            auto* args = reinterpret_cast<PaintArgs*>(lParam);
            if (args != nullptr && args->target != nullptr)
                Paint(*args->target, args->dirty);
            return true;
        }
        case WM_SIZE:
            return OnSizeMessage(wParam, lParam);
        case WM_MOUSEMOVE:
            return OnMouseMoveMessage(pt, wParam);
        case WM_MOUSELEAVE:
            return OnMouseLeaveMessage();
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return OnButtonDownMessage(uMsg, pt, wParam, lParam);
        case WM_LBUTTONUP:
            return OnButtonUpMessage(pt, wParam, lParam);
        case WM_RBUTTONDOWN:
            return OnRightButtonDownMessage(pt, wParam, lParam);
        case WM_RBUTTONUP:
            return OnRightButtonUpMessage(pt, wParam, lParam);
        case WM_CONTEXTMENU:
            return OnPointedMessage(UIEVENT_CONTEXTMENU, pt, static_cast<WPARAM>(lParam), lParam);
        case WM_MOUSEWHEEL:
            m_uKeyState = ModifiersFromKeys(wParam);
            return OnPointedMessage(UIEVENT_SCROLLWHEEL, pt, wParam,
                                    GET_WHEEL_DELTA_WPARAM(wParam));
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR:
            return OnKeyMessage(uMsg, wParam, lParam);
        case WM_KILLFOCUS:
            return OnKillFocusMessage();
        case WM_DESTROY:
            RemoveAllTimers();
            return false;
        default:
            return false;  // WM_MOUSEHOVER and the rest: the window's own handling
    }
}

bool CPaintManagerUI::OnSizeMessage(WPARAM wParam, LPARAM lParam) {
    ++m_nSizeMessages;
    if (m_pRoot != nullptr) {
        m_pRoot->NeedUpdate();
        m_bUpdateNeeded = true;
        ResolveLayout();
        SendNotify(m_pRoot, "windowsize", wParam, lParam);
    }
    return false;
}

bool CPaintManagerUI::OnMouseMoveMessage(POINT pt, WPARAM wParam) {
    if (m_bCaptionDrag) {
        Point now = GetBackend().CursorPos();
        if (CWindowWnd* window = GetWindowObject(m_hWndPaint)) {
            window->SetWindowPos(
                m_rcDragWindow.Offset(now.x - m_ptDragCursor.x, now.y - m_ptDragCursor.y));
        }
        return true;
    }
    m_ptLastMousePos = pt;
    m_uKeyState = ModifiersFromKeys(wParam);
    ResolveLayout();
    DispatchMouseMove(pt, wParam);
    return false;
}

bool CPaintManagerUI::OnMouseLeaveMessage() {
    if (m_pEventHover != nullptr && m_pEventClick == nullptr) {
        CControlUI* old = m_pEventHover;
        m_pEventHover = nullptr;
        SendEvent(old, UIEVENT_MOUSELEAVE, m_ptLastMousePos);
    }
    return false;
}

bool CPaintManagerUI::OnButtonDownMessage(UINT uMsg, POINT pt, WPARAM wParam, LPARAM lParam) {
    m_ptLastMousePos = pt;
    m_uKeyState = ModifiersFromKeys(wParam);
    ResolveLayout();
    CControlUI* control = FindControl(pt);
    if (uMsg == WM_LBUTTONDOWN && StartCaptionDrag(pt, control))
        return true;
    if (control == nullptr || !control->IsEffectivelyEnabled())
        return false;
    m_pEventClick = control;
    if (control != m_pFocus)
        SetFocus(control);
    SetCapture();
    if (m_pEventClick != nullptr) {
        SendEvent(m_pEventClick, uMsg == WM_LBUTTONDOWN ? UIEVENT_BUTTONDOWN : UIEVENT_DBLCLICK, pt,
                  wParam, lParam);
    }
    return false;
}

bool CPaintManagerUI::OnButtonUpMessage(POINT pt, WPARAM wParam, LPARAM lParam) {
    if (m_bCaptionDrag) {
        m_bCaptionDrag = false;
        ReleaseCapture();
        return true;
    }
    m_ptLastMousePos = pt;
    m_uKeyState = ModifiersFromKeys(wParam);
    CControlUI* control = m_pEventClick;
    m_pEventClick = nullptr;
    ReleaseCapture();
    // A click may close the window: ask by handle, read no member before that.
    HWND self = m_hWndPaint;
    if (control != nullptr)
        SendEvent(control, UIEVENT_BUTTONUP, pt, wParam, lParam);
    // The hot control may have changed while the button was held.
    if (IsWindow(self))
        DispatchMouseMove(pt, wParam);
    return false;
}

bool CPaintManagerUI::OnRightButtonDownMessage(POINT pt, WPARAM wParam, LPARAM lParam) {
    m_ptLastMousePos = pt;
    m_uKeyState = ModifiersFromKeys(wParam);
    ResolveLayout();
    CControlUI* control = FindControl(pt);
    if (control == nullptr || !control->IsEffectivelyEnabled())
        return false;
    m_pEventRClick = control;
    if (control != m_pFocus)
        SetFocus(control);
    if (m_pEventRClick != nullptr)
        SendEvent(m_pEventRClick, UIEVENT_RBUTTONDOWN, pt, wParam, lParam);
    return false;
}

bool CPaintManagerUI::OnRightButtonUpMessage(POINT pt, WPARAM wParam, LPARAM lParam) {
    m_ptLastMousePos = pt;
    CControlUI* control = m_pEventRClick;
    m_pEventRClick = nullptr;
    if (control != nullptr)
        SendEvent(control, UIEVENT_RBUTTONUP, pt, wParam, lParam);
    return false;
}

bool CPaintManagerUI::OnPointedMessage(int eventType, POINT pt, WPARAM wParam, LPARAM lParam) {
    ResolveLayout();
    CControlUI* control = FindControl(pt);
    if (control == nullptr || !control->IsEffectivelyEnabled())
        return false;
    SendEvent(control, eventType, pt, wParam, lParam);
    return false;
}

bool CPaintManagerUI::OnKeyMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const bool down = uMsg == WM_KEYDOWN || uMsg == WM_SYSKEYDOWN;
    if (down && wParam == VK_TAB && m_pFocus != nullptr &&
        (m_pFocus->GetControlFlags() & UIFLAG_WANTRETURN) == 0) {
        // Tab walks the focus; Shift+Tab backwards.
        SetNextTabControl(ui::GetKeyState(VK_SHIFT) >= 0);
        return true;
    }
    if (m_pFocus == nullptr)
        return false;
    int type = UIEVENT_CHAR;
    if (down)
        type = UIEVENT_KEYDOWN;
    else if (uMsg == WM_KEYUP || uMsg == WM_SYSKEYUP)
        type = UIEVENT_KEYUP;
    SendEvent(m_pFocus, type, m_ptLastMousePos, wParam, lParam, static_cast<uint32_t>(wParam));
    return false;
}

bool CPaintManagerUI::OnKillFocusMessage() {
    if (m_pEventClick != nullptr) {
        CControlUI* control = m_pEventClick;
        m_pEventClick = nullptr;
        ReleaseCapture();
        SendEvent(control, UIEVENT_BUTTONUP, m_ptLastMousePos);
    }
    return false;
}

void CPaintManagerUI::SetFocus(CControlUI* control) {
    if (control == m_pFocus)
        return;
    if (control != nullptr && (!control->IsVisible() || !control->IsEffectivelyEnabled()))
        return;
    CControlUI* old = m_pFocus;
    m_pFocus = nullptr;
    if (old != nullptr) {
        SendEvent(old, UIEVENT_KILLFOCUS, m_ptLastMousePos, 0, reinterpret_cast<LPARAM>(control));
        SendNotify(old, "killfocus");
    }
    // A handler of the old control's "killfocus" may have moved the focus or removed the
    // new control; the later decision stands.
    if (m_pFocus != nullptr)
        return;
    if (control != nullptr && m_pRoot != nullptr) {
        m_pFocus = control;
        SendEvent(control, UIEVENT_SETFOCUS, m_ptLastMousePos);
        if (m_pFocus == control)
            SendNotify(control, "setfocus");
    }
}

bool CPaintManagerUI::SetNextTabControl(bool forward) {
    if (m_pRoot == nullptr)
        return false;
    TabSearch search;
    search.focus = m_pFocus;
    search.forward = forward;
    m_pRoot->FindControl(FindTabStop, &search, UIFIND_VISIBLE | UIFIND_ENABLED);
    CControlUI* next = forward ? search.next : (search.last ? search.last : search.next);
    if (next == nullptr || next == m_pFocus)
        return false;
    SetFocus(next);
    return true;
}

void CPaintManagerUI::SetCapture() {
    m_bMouseCapture = true;
    if (NativeWindow* native = GetNativeWindow())
        native->SetMouseCapture(true);
}

void CPaintManagerUI::ReleaseCapture() {
    if (!m_bMouseCapture)
        return;
    m_bMouseCapture = false;
    if (NativeWindow* native = GetNativeWindow())
        native->SetMouseCapture(false);
}

}  // namespace ui
