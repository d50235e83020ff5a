#include "ui/core/WindowWnd.h"

#include <map>
#include <mutex>

#include "platform/FileIO.h"
#include "platform/Trace.h"
#include "ui/core/KeyInput.h"
#include "ui/core/KeyState.h"
#include "ui/core/StringUtil.h"
#include "ui/core/ThreadCheck.h"
#include "ui/shell/IconResources.h"

namespace ui {
namespace {

WPARAM MouseKeys(const MouseEvent& e, bool includeButton) {
    WPARAM keys = 0;
    if (e.modifiers & kModShift)
        keys |= MK_SHIFT;
    if (e.modifiers & kModControl)
        keys |= MK_CONTROL;
    if (e.modifiers & kModAlt)
        keys |= MK_ALT;
    if (includeButton) {
        if (e.button == MouseButton::Left)
            keys |= MK_LBUTTON;
        if (e.button == MouseButton::Right)
            keys |= MK_RBUTTON;
        if (e.button == MouseButton::Middle)
            keys |= MK_MBUTTON;
    }
    return keys;
}

int ButtonVk(MouseButton button) {
    switch (button) {
        case MouseButton::Left:
            return VK_LBUTTON;
        case MouseButton::Right:
            return VK_RBUTTON;
        case MouseButton::X1:
            return VK_XBUTTON1;
        case MouseButton::X2:
            return VK_XBUTTON2;
        default:
            return VK_MBUTTON;
    }
}

bool IsXButton(MouseButton button) {
    return button == MouseButton::X1 || button == MouseButton::X2;
}

}  // namespace

// Turns the native window's callbacks into this window's messages.
class CWindowWnd::Events : public NativeWindowEvents {
  public:
    explicit Events(CWindowWnd& owner) : owner_(owner) {}

    void OnPaint(RenderTarget& target, const Rect& dirty) override {
        InUse hold(owner_);
        PaintArgs args{&target, dirty};
        Send(WM_PAINT, 0, reinterpret_cast<LPARAM>(&args));
    }

    void OnMouse(const MouseEvent& e) override {
        InUse hold(owner_);
        detail::NoteModifiers(e.modifiers);
        const bool button = e.action == MouseAction::Down || e.action == MouseAction::Up ||
                            e.action == MouseAction::DoubleClick;
        if (e.action == MouseAction::Down || e.action == MouseAction::Up)
            detail::NoteMouseButton(ButtonVk(e.button), e.action == MouseAction::Down);
        if (button && e.button != MouseButton::None) {
            const RECT r = owner_.GetWindowRect();
            if (detail::DispatchMouseInput(owner_.m_hWnd, e,
                                           Point{r.left + e.pos.x, r.top + e.pos.y}))
                return;
        }
        LPARAM pos = MAKELPARAM(e.pos.x, e.pos.y);
        if (button && IsXButton(e.button)) {
            SendXButton(e, pos);
            return;
        }
        if (e.action != MouseAction::Leave && !inside_) {
            inside_ = true;
            Send(WM_MOUSEHOVER, MouseKeys(e, false), pos);
        }
        switch (e.action) {
            case MouseAction::Move:
                Send(WM_MOUSEMOVE, MouseKeys(e, false) | held_, pos);
                break;
            case MouseAction::Down:
                held_ |= MouseKeys(e, true) & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
                Send(e.button == MouseButton::Left    ? WM_LBUTTONDOWN
                     : e.button == MouseButton::Right ? WM_RBUTTONDOWN
                                                      : WM_MBUTTONDOWN,
                     MouseKeys(e, true) | held_, pos);
                break;
            case MouseAction::Up:
                held_ &= ~(MouseKeys(e, true) & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON));
                Send(e.button == MouseButton::Left    ? WM_LBUTTONUP
                     : e.button == MouseButton::Right ? WM_RBUTTONUP
                                                      : WM_MBUTTONUP,
                     MouseKeys(e, false) | held_, pos);
                // The desktop follows a right button release with a context-menu request.
                if (e.button == MouseButton::Right && IsWindow(owner_.m_hWnd)) {
                    Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(owner_.m_hWnd), pos);
                }
                break;
            case MouseAction::DoubleClick:
                Send(e.button == MouseButton::Right ? WM_RBUTTONDBLCLK : WM_LBUTTONDBLCLK,
                     MouseKeys(e, true), pos);
                break;
            case MouseAction::Wheel: {
                // Wheel positions are client coordinates here (not screen ones).
                WPARAM w = (static_cast<WPARAM>(static_cast<uint16_t>(e.wheelDelta)) << 16) |
                           MouseKeys(e, false);
                Send(WM_MOUSEWHEEL, w, pos);
                break;
            }
            case MouseAction::Leave:
                inside_ = false;
                held_ = 0;
                Send(WM_MOUSELEAVE, 0, 0);
                break;
        }
    }

    void OnKey(const KeyEvent& event) override {
        InUse hold(owner_);
        KeyEvent e = event;
        detail::ResolveKeyCodes(e);
        uint32_t mods = e.modifiers;
        // The modifier key itself: held from its press to its release.
        uint32_t own = 0;
        if (e.virtualKey == VK_SHIFT)
            own = kModShift;
        else if (e.virtualKey == VK_CONTROL)
            own = kModControl;
        else if (e.virtualKey == VK_MENU)
            own = kModAlt;
        mods = e.down ? (mods | own) : (mods & ~own);
        detail::NoteModifiers(mods);
        swallowText_ = false;
        if (e.virtualKey == 0 && e.scanCode == 0)
            return;
        if (detail::DispatchKeyInput(owner_.m_hWnd, e)) {
            // The characters a withheld press types are withheld with it.
            swallowText_ = e.down;
            return;
        }
        if (e.virtualKey == 0)
            return;
        LPARAM l = static_cast<LPARAM>((e.scanCode & 0xFF) << 16) | 1;
        if (e.extended)
            l |= 1 << 24;
        if (e.autoRepeat)
            l |= 0x40000000;
        Send(e.down ? WM_KEYDOWN : WM_KEYUP, e.virtualKey, l);
    }

    void OnText(const std::string& utf8) override {
        InUse hold(owner_);
        if (swallowText_) {
            swallowText_ = false;
            return;
        }
        size_t pos = 0;
        while (pos < utf8.size() && IsWindow(owner_.m_hWnd)) {
            Send(WM_CHAR, NextCodePoint(utf8, pos), 1);
        }
    }

    void OnFocus(bool gained) override {
        InUse hold(owner_);
        Send(WM_ACTIVATE, gained ? 1 : 0, 0);
        Send(gained ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
    }

    void OnResize(Size size) override {
        InUse hold(owner_);
        Send(WM_SIZE, 0, MAKELPARAM(size.cx, size.cy));
    }
    void OnMove(Point pos) override {
        InUse hold(owner_);
        Send(WM_MOVE, 0, MAKELPARAM(pos.x, pos.y));
    }
    void OnCloseRequest() override {
        InUse hold(owner_);
        Send(WM_SYSCOMMAND, SC_CLOSE, 0);
    }

    void OnDpiChanged(int dpi) override {
        InUse hold(owner_);
        RECT suggested = owner_.GetWindowRect();
        Send(WM_DPICHANGED, static_cast<WPARAM>((dpi << 16) | dpi),
             reinterpret_cast<LPARAM>(&suggested));
    }

  private:
    // An X button as the desktop reports it: which one in the high word of wParam.
    void SendXButton(const MouseEvent& e, LPARAM pos) {
        const WPARAM which = e.button == MouseButton::X1 ? XBUTTON1 : XBUTTON2;
        const UINT msg = e.action == MouseAction::Down ? WM_XBUTTONDOWN
                         : e.action == MouseAction::Up ? WM_XBUTTONUP
                                                       : WM_XBUTTONDBLCLK;
        if (!inside_) {
            inside_ = true;
            Send(WM_MOUSEHOVER, MouseKeys(e, false), pos);
        }
        Send(msg, (which << 16) | MouseKeys(e, false) | held_, pos);
    }

    // Callers hold the window (InUse) for the whole callback: it reads owner_ after sends
    // that may destroy the window.
    void Send(UINT msg, WPARAM w, LPARAM l) {
        if (IsWindow(owner_.m_hWnd))
            owner_.HandleMessage(msg, w, l);
    }

    CWindowWnd& owner_;
    bool inside_ = false;
    WPARAM held_ = 0;
    bool swallowText_ = false;  // an observer consumed the key press the next text belongs to
};

CWindowWnd::CWindowWnd() : m_events(std::make_unique<Events>(*this)) {}

CWindowWnd::~CWindowWnd() {
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) {
        // Destroyed without DestroyWindow: unregister so nobody calls into freed memory.
        HWND hwnd = m_hWnd;
        m_hWnd = nullptr;
        detail::UnregisterWindow(hwnd);
    }
}

HWND CWindowWnd::Create(HWND hwndParent, const std::string& name, DWORD style, DWORD exStyle, int x,
                        int y, int cx, int cy, void* menu) {
    return Create(hwndParent, name, style, exStyle, RECT{x, y, x + cx, y + cy}, menu);
}

HWND CWindowWnd::Create(HWND hwndParent, const std::string& name, DWORD style, DWORD exStyle,
                        const RECT& rc, void* /*menu*/) {
    if (m_hWnd != nullptr)
        return nullptr;
    if (!HasBackend()) {
        platform::Trace("ui: no realisation installed, window not created");
        return nullptr;
    }
    InUse hold(*this);  // a failing WM_CREATE destroys the window; it goes after Create
    m_sTitle = name;
    m_dwStyle = style;
    m_dwExStyle = exStyle;
    m_hWndOwner = hwndParent;
    m_hWnd = detail::RegisterWindow(this, GetWindowClassName(), name);

    NativeWindowParams params;
    params.title = name;
    params.rect = rc;
    params.style = style;
    params.exStyle = exStyle;
    params.popup = IsPopupWindow() || (exStyle & WS_EX_NOACTIVATE) != 0;
    params.transparent = (exStyle & WS_EX_LAYERED) != 0;
    if (CWindowWnd* owner = GetWindowObject(hwndParent))
        params.owner = owner->GetNativeWindow();
    m_native = GetBackend().CreateNativeWindow(params, *m_events);
    if (!m_native) {
        platform::Trace("ui: the native window could not be created");
        HWND hwnd = m_hWnd;
        m_hWnd = nullptr;
        detail::UnregisterWindow(hwnd);
        return nullptr;
    }
    HWND self = m_hWnd;
    if (HandleMessage(WM_CREATE, 0, 0) == -1 || !IsWindow(self)) {
        if (IsWindow(self))
            DestroyWindow(self);
        return nullptr;
    }
    Size client{rc.Width(), rc.Height()};
    if (client.cx > 0 && client.cy > 0)
        HandleMessage(WM_SIZE, 0, MAKELPARAM(client.cx, client.cy));
    if (style & WS_VISIBLE)
        ShowWindow(true, true);
    return m_hWnd;
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
    UI_ASSERT_WINDOW_THREAD("CWindowWnd::ShowWindow");
    if (!m_native)
        return;
    if (m_dwExStyle & WS_EX_NOACTIVATE)
        takeFocus = false;
    m_native->Show(show, takeFocus);
    if (show)
        m_bMinimized = false;
    HandleMessage(WM_SHOWWINDOW, show ? 1 : 0, 0);
}

UINT CWindowWnd::ShowModal() {
    if (m_hWnd == nullptr || !IsWindow(m_hWnd))
        return IDCANCEL;
    HWND self = m_hWnd;
    HWND ownerHwnd = m_hWndOwner;
    if (CWindowWnd* owner = GetWindowObject(ownerHwnd))
        owner->EnableWindow(false);
    m_bModal = true;
    ShowWindow(true, true);
    // The window may delete itself when it goes (OnFinalMessage): touch no member after this
    // unless it is still alive.
    int result = detail::RunLoop(self);
    if (IsWindow(self)) {
        // Ended by a quit message aimed at this loop: the dialog goes, the program goes on.
        result = IDCANCEL;
        DestroyWindow(self);
    }
    if (CWindowWnd* owner = GetWindowObject(ownerHwnd)) {
        owner->EnableWindow(true);
        if (owner->GetNativeWindow())
            owner->GetNativeWindow()->Raise();
    }
    return static_cast<UINT>(result);
}

void CWindowWnd::Close(UINT nRet) {
    if (m_hWnd == nullptr)
        return;
    PostMessage(WM_CLOSE, nRet, 0);
}

void CWindowWnd::CenterWindow() {
    if (!m_native)
        return;
    RECT rc = m_native->GetRect();
    RECT area = GetBackend().WorkArea();
    CWindowWnd* owner = GetWindowObject(m_hWndOwner);
    if (owner && owner->GetNativeWindow() && owner->IsWindowVisible() && !owner->IsMinimized()) {
        area = owner->GetNativeWindow()->GetRect();
    }
    int x = area.left + (area.Width() - rc.Width()) / 2;
    int y = area.top + (area.Height() - rc.Height()) / 2;
    RECT work = GetBackend().WorkArea();
    if (!work.IsEmpty()) {
        x = std::max(work.left, std::min(x, work.right - rc.Width()));
        y = std::max(work.top, std::min(y, work.bottom - rc.Height()));
    }
    m_native->SetRect(RECT{x, y, x + rc.Width(), y + rc.Height()});
}

void CWindowWnd::RegisterIconResource(UINT resourceId, const std::string& imageFile) {
    ui::RegisterIconResource(resourceId, imageFile);
}

void CWindowWnd::SetIcon(UINT resourceId) {
    if (!m_native)
        return;
    if (auto image = LoadIconResource(resourceId))
        m_native->SetIcon(*image);
}

void CWindowWnd::SetIcon(const std::string& imageFile) {
    if (!m_native)
        return;
    if (auto image = LoadIconFile(imageFile))
        m_native->SetIcon(*image);
}

LRESULT CWindowWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ui::SendMessage(m_hWnd, msg, wParam, lParam);
}

bool CWindowWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ui::PostMessage(m_hWnd, msg, wParam, lParam);
}

void CWindowWnd::ResizeClient(int cx, int cy) {
    if (!m_native)
        return;
    RECT rc = m_native->GetRect();
    if (cx >= 0)
        rc.right = rc.left + cx;
    if (cy >= 0)
        rc.bottom = rc.top + cy;
    m_native->SetRect(rc);
}

RECT CWindowWnd::GetWindowRect() const {
    return m_native ? m_native->GetRect() : RECT{};
}

bool CWindowWnd::ClientToScreen(POINT& pt) const {
    if (!m_native)
        return false;
    const RECT r = m_native->GetRect();
    pt.x += r.left;
    pt.y += r.top;
    return true;
}

void CWindowWnd::SetWindowPos(const RECT& rc) {
    if (m_native)
        m_native->SetRect(rc);
}

bool CWindowWnd::IsWindowVisible() const {
    return m_native && m_native->IsVisible();
}

void CWindowWnd::SetTitle(const std::string& title) {
    UI_ASSERT_WINDOW_THREAD("CWindowWnd::SetTitle");
    m_sTitle = title;
    if (m_hWnd != nullptr)
        detail::SetWindowTitle(m_hWnd, title);
    if (m_native)
        m_native->SetTitle(title);
}

void CWindowWnd::EnableWindow(bool enable) {
    m_bEnabled = enable;
    if (m_native)
        m_native->SetEnabled(enable);
}

LRESULT CWindowWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(uMsg, wParam, lParam);
}

LRESULT CWindowWnd::Deliver(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    InUse hold(*this);
    return HandleMessage(uMsg, wParam, lParam);
}

CWindowWnd::InUse::~InUse() {
    if (--window_.m_nInUse == 0 && window_.m_bDeleteWhenIdle)
        delete &window_;
}

void CWindowWnd::DeleteSelf() {
    UI_ASSERT_WINDOW_THREAD("CWindowWnd::DeleteSelf");
    if (m_bDeleteWhenIdle)
        return;
    m_bDeleteWhenIdle = true;
    if (m_nInUse == 0)
        delete this;
}

LRESULT CWindowWnd::DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM /*lParam*/) {
    switch (uMsg) {
        case WM_CLOSE:
            m_nModalResult = static_cast<int>(wParam);
            DestroyWindow(m_hWnd);
            return 0;
        case WM_SYSCOMMAND:
            if (!m_native)
                return 0;
            switch (wParam & 0xFFF0) {
                case SC_MINIMIZE:
                    m_native->Minimize();
                    m_bMinimized = true;
                    break;
                case SC_MAXIMIZE:
                    m_native->Maximize(true);
                    m_bMaximized = true;
                    m_bMinimized = false;
                    break;
                case SC_RESTORE:
                    if (m_bMaximized)
                        m_native->Maximize(false);
                    m_bMaximized = false;
                    m_bMinimized = false;
                    m_native->Show(true, true);
                    break;
                case SC_CLOSE:
                    SendMessage(WM_CLOSE, m_bModal ? static_cast<WPARAM>(IDCANCEL) : 0, 0);
                    break;
                default:
                    break;
            }
            return 0;
        default:
            return 0;
    }
}

void CWindowWnd::DestroyNow() {
    if (m_bDestroying || m_hWnd == nullptr)
        return;
    UI_ASSERT_WINDOW_THREAD("ui::DestroyWindow");
    InUse hold(*this);
    m_bDestroying = true;
    HWND hwnd = m_hWnd;
    detail::BeginDestroyWindow(hwnd);
    HandleMessage(WM_DESTROY, 0, 0);
    detail::EndModalLoop(hwnd, m_nModalResult);
    detail::UnregisterWindow(hwnd);
    m_native.reset();
    m_hWnd = nullptr;
    m_bDestroying = false;
    OnFinalMessage(hwnd);  // may delete this
}

void CWindowWnd::OnFinalMessage(HWND /*hWnd*/) {}

void CWindowWnd::RunTask(const std::function<void()>& task) {
    InUse hold(*this);
    task();
}

CWindowWnd* GetWindowObject(HWND hwnd) {
    return dynamic_cast<CWindowWnd*>(GetMessageTarget(hwnd));
}

}  // namespace ui
