#pragma once
// Basic vocabulary of the GUI library: Win32-compatible message numbers and parameter types
// (the program's own message numbers sit on top of them), control event types, state bits
// and lookup flags.
#include <cstdint>
#include <string>

#include "platform/WindowsMacros.h"
#include "ui/core/Geometry.h"

namespace ui {

// --- handles and message parameters --------------------------------------------------------
struct WindowHandleTag;
using HWND = WindowHandleTag*;  // opaque; valid while the window lives (see IsWindow)
using HINSTANCE = void*;
using UINT = unsigned int;
using DWORD = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using RECT = Rect;
using POINT = Point;
using SIZE = Size;

constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>((static_cast<uint32_t>(static_cast<uint16_t>(low))) |
                               (static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16));
}
constexpr int GET_X_LPARAM(LPARAM l) {
    return static_cast<int16_t>(static_cast<uint16_t>(l));
}
constexpr int GET_Y_LPARAM(LPARAM l) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(l) >> 16));
}
constexpr unsigned LOWORD(uintptr_t v) {
    return static_cast<uint16_t>(v);
}
constexpr unsigned HIWORD(uintptr_t v) {
    return static_cast<uint16_t>(v >> 16);
}
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM w) {
    return static_cast<int16_t>(HIWORD(w));
}

// --- window messages (Win32 values) --------------------------------------------------------
enum : UINT {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_SHOWWINDOW = 0x0018,
    WM_SETCURSOR = 0x0020,
    WM_GETMINMAXINFO = 0x0024,
    WM_COPYDATA = 0x004A,
    WM_CONTEXTMENU = 0x007B,
    WM_DISPLAYCHANGE = 0x007E,
    WM_SETICON = 0x0080,
    WM_NCACTIVATE = 0x0086,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSKEYUP = 0x0105,
    WM_SYSCOMMAND = 0x0112,
    WM_TIMER = 0x0113,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MOUSEWHEEL = 0x020A,
    WM_XBUTTONDOWN = 0x020B,  // the high word of wParam is XBUTTON1 or XBUTTON2
    WM_XBUTTONUP = 0x020C,
    WM_XBUTTONDBLCLK = 0x020D,
    WM_POWERBROADCAST = 0x0218,
    WM_MOUSEHOVER = 0x02A1,
    WM_MOUSELEAVE = 0x02A3,
    WM_DPICHANGED = 0x02E0,
    WM_USER = 0x0400,
    WM_APP = 0x8000,
};

// WM_SYSCOMMAND commands.
enum : UINT {
    SC_SIZE = 0xF000,
    SC_MINIMIZE = 0xF020,
    SC_MAXIMIZE = 0xF030,
    SC_CLOSE = 0xF060,
    SC_RESTORE = 0xF120
};
// Mouse-message key state (wParam of WM_MOUSEMOVE and the button messages).
enum : UINT {
    MK_LBUTTON = 0x01,
    MK_RBUTTON = 0x02,
    MK_SHIFT = 0x04,
    MK_CONTROL = 0x08,
    MK_MBUTTON = 0x10,
    MK_ALT = 0x20
};
// Which X button an X button message is about (high word of wParam).
enum : UINT { XBUTTON1 = 0x0001, XBUTTON2 = 0x0002 };
// Virtual keys the library itself looks at.
enum : UINT {
    VK_LBUTTON = 0x01,
    VK_RBUTTON = 0x02,
    VK_MBUTTON = 0x04,
    VK_XBUTTON1 = 0x05,
    VK_XBUTTON2 = 0x06,
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_DELETE = 0x2E
};
// ShowWindow commands.
enum : int {
    SW_HIDE = 0,
    SW_SHOWNORMAL = 1,
    SW_SHOWMINIMIZED = 2,
    SW_SHOWMAXIMIZED = 3,
    SW_SHOWNOACTIVATE = 4,
    SW_SHOW = 5,
    SW_MINIMIZE = 6,
    SW_RESTORE = 9
};
// Dialog results.
enum : UINT { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };
// Window styles the library looks at.
enum : UINT {
    WS_POPUP = 0x80000000u,
    WS_VISIBLE = 0x10000000u,
    WS_CHILD = 0x40000000u,
    WS_CAPTION = 0x00C00000u,
    WS_SYSMENU = 0x00080000u,
    WS_THICKFRAME = 0x00040000u,
    WS_MINIMIZEBOX = 0x00020000u,
    WS_MAXIMIZEBOX = 0x00010000u,
    WS_CLIPSIBLINGS = 0x04000000u,
    WS_CLIPCHILDREN = 0x02000000u
};
enum : UINT {
    WS_EX_TOOLWINDOW = 0x00000080u,
    WS_EX_TOPMOST = 0x00000008u,
    WS_EX_LAYERED = 0x00080000u,
    // Shown without taking activation: a frameless pop-up that an outside click closes, told
    // by WM_KILLFOCUS (drop-down frames under a button).
    WS_EX_NOACTIVATE = 0x08000000u
};
enum : UINT { ICON_SMALL = 0, ICON_BIG = 1 };

// WM_COPYDATA payload (lParam points to it for the duration of the send).
struct COPYDATASTRUCT {
    uintptr_t dwData = 0;
    DWORD cbData = 0;
    const void* lpData = nullptr;
};

// --- library messages -------------------------------------------------------------------------
// The tray icon's callback message (lParam: WM_LBUTTONUP or WM_RBUTTONUP).
constexpr UINT UIMSG_TRAYICON = WM_USER + 1;
// A pop-up menu's choice: wParam points to a MenuCmd owned by the receiver's paint manager
// until it is released with CPaintManagerUI::DeletePtr or the next pump.
constexpr UINT WM_MENUCLICK = WM_USER + 121;
// Posted notifications and deferred work inside the library.
constexpr UINT WM_APP_NOTIFY = WM_APP + 1;

// WM_PAINT carries a pointer to this in lParam.
class RenderTarget;
struct PaintArgs {
    RenderTarget* target = nullptr;
    Rect dirty;
};

// --- control events ------------------------------------------------------------------------
enum EventType {
    UIEVENT__FIRST = 1,
    UIEVENT__KEYBEGIN,
    UIEVENT_KEYDOWN,
    UIEVENT_KEYUP,
    UIEVENT_CHAR,
    UIEVENT_SYSKEY,
    UIEVENT__KEYEND,
    UIEVENT__MOUSEBEGIN,
    UIEVENT_MOUSEMOVE,
    UIEVENT_MOUSELEAVE,
    UIEVENT_MOUSEENTER,
    UIEVENT_MOUSEHOVER,
    UIEVENT_BUTTONDOWN,
    UIEVENT_BUTTONUP,
    UIEVENT_RBUTTONDOWN,
    UIEVENT_RBUTTONUP,
    UIEVENT_DBLCLICK,
    UIEVENT_CONTEXTMENU,
    UIEVENT_SCROLLWHEEL,
    UIEVENT__MOUSEEND,
    UIEVENT_KILLFOCUS,
    UIEVENT_SETFOCUS,
    UIEVENT_WINDOWSIZE,
    UIEVENT_SETCURSOR,
    UIEVENT_TIMER,
    UIEVENT__LAST,
};

class CControlUI;
struct TEventUI {
    int Type = 0;
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;
    POINT ptMouse;
    uint32_t chKey = 0;      // key events: virtual key; UIEVENT_CHAR: Unicode code point
    uint16_t wKeyState = 0;  // MK_ bits
    WPARAM wParam = 0;       // UIEVENT_TIMER: the timer id; wheel: the delta in the high word
    LPARAM lParam = 0;
    // UIEVENT_KEYDOWN, UIEVENT_KEYUP: the PC scan code (set 1) with its extended flag, and the
    // scan-code table's virtual key (left and right modifiers apart, 0x101 keypad Enter; 0
    // when no row has the scan code).
    uint16_t wScanCode = 0;
    bool bExtendedKey = false;
    uint16_t wKeyVk = 0;
};

// Control state bits (hot, pushed, captured ... as a desktop user expects them).
enum : UINT {
    UISTATE_FOCUSED = 0x01,
    UISTATE_SELECTED = 0x02,
    UISTATE_DISABLED = 0x04,
    UISTATE_HOT = 0x08,
    UISTATE_PUSHED = 0x10,
    UISTATE_READONLY = 0x20,
    UISTATE_CAPTURED = 0x40,
};

// FindControl flags.
enum : UINT {
    UIFIND_ALL = 0x0000,
    UIFIND_VISIBLE = 0x0001,
    UIFIND_ENABLED = 0x0002,
    UIFIND_HITTEST = 0x0004,
    UIFIND_UPDATETEST = 0x0008,
    UIFIND_TOP_FIRST = 0x0010,
    UIFIND_ME_FIRST = 0x8000,
};

// Which controls draw what; skins set it per control with the "flags" attribute.
enum : UINT { UIFLAG_TABSTOP = 0x01, UIFLAG_SETCURSOR = 0x02, UIFLAG_WANTRETURN = 0x04 };

// Resource types (SetResourceType): the program reads plain files.
enum : int { UILIB_FILE = 1, UILIB_ZIP = 2, UILIB_RESOURCE = 3, UILIB_ZIPRESOURCE = 4 };

}  // namespace ui
