// Undoes the macros of <windows.h> that clash with names of our own. Any thread.
//
// The GUI library keeps the Win32 names of its vocabulary (WM_TIMER, VK_HOME, SendMessage,
// DrawText ...), which <windows.h> defines as macros. A Windows realisation therefore:
//   - builds with NOMINMAX and WIN32_LEAN_AND_MEAN defined (the build sets both), so min/max
//     and the rarely used system headers stay out;
//   - includes <windows.h> (and windowsx.h, shellapi.h ...) only in its own .cpp files, and
//     before any header of ours;
//   - calls the system's functions by their explicit names (::SendMessageW, ::DrawTextW) and
//     uses our constants (ui::WM_TIMER has the system's value).
// Every header that declares one of these names includes this one, so a macro defined by a
// system header included earlier cannot rename or break our declarations. The Windows compile
// check (cmake/PortableCheck.cmake) includes the system headers and then every header of
// platform/ and ui/, so a new clash fails there.
//
// Deliberately without an include guard: each inclusion undoes the macros again. #undef of a
// name that is not a macro does nothing, so this is harmless on other systems.

// Message functions and window procedures.
#undef SendMessage
#undef PostMessage
#undef FindWindow
#undef DefWindowProc
#undef DrawText
#undef IsMinimized
#undef IsMaximized
#undef min
#undef max

// Message parameter helpers.
#undef MAKELPARAM
#undef LOWORD
#undef HIWORD
#undef GET_X_LPARAM
#undef GET_Y_LPARAM
#undef GET_WHEEL_DELTA_WPARAM

// Window messages.
#undef WM_NULL
#undef WM_CREATE
#undef WM_DESTROY
#undef WM_MOVE
#undef WM_SIZE
#undef WM_ACTIVATE
#undef WM_SETFOCUS
#undef WM_KILLFOCUS
#undef WM_PAINT
#undef WM_CLOSE
#undef WM_QUIT
#undef WM_SHOWWINDOW
#undef WM_SETCURSOR
#undef WM_GETMINMAXINFO
#undef WM_COPYDATA
#undef WM_CONTEXTMENU
#undef WM_DISPLAYCHANGE
#undef WM_SETICON
#undef WM_NCACTIVATE
#undef WM_KEYDOWN
#undef WM_KEYUP
#undef WM_CHAR
#undef WM_SYSKEYDOWN
#undef WM_SYSKEYUP
#undef WM_SYSCOMMAND
#undef WM_TIMER
#undef WM_MOUSEMOVE
#undef WM_LBUTTONDOWN
#undef WM_LBUTTONUP
#undef WM_LBUTTONDBLCLK
#undef WM_RBUTTONDOWN
#undef WM_RBUTTONUP
#undef WM_RBUTTONDBLCLK
#undef WM_MBUTTONDOWN
#undef WM_MBUTTONUP
#undef WM_MOUSEWHEEL
#undef WM_XBUTTONDOWN
#undef WM_XBUTTONUP
#undef WM_XBUTTONDBLCLK
#undef XBUTTON1
#undef XBUTTON2
#undef WM_POWERBROADCAST
#undef WM_MOUSEHOVER
#undef WM_MOUSELEAVE
#undef WM_DPICHANGED
#undef WM_USER
#undef WM_APP

// System commands, mouse key state, virtual keys.
#undef SC_SIZE
#undef SC_MINIMIZE
#undef SC_MAXIMIZE
#undef SC_CLOSE
#undef SC_RESTORE
#undef MK_LBUTTON
#undef MK_RBUTTON
#undef MK_SHIFT
#undef MK_CONTROL
#undef MK_MBUTTON
#undef MK_ALT
#undef VK_LBUTTON
#undef VK_RBUTTON
#undef VK_MBUTTON
#undef VK_XBUTTON1
#undef VK_XBUTTON2
#undef VK_BACK
#undef VK_TAB
#undef VK_RETURN
#undef VK_SHIFT
#undef VK_CONTROL
#undef VK_MENU
#undef VK_ESCAPE
#undef VK_SPACE
#undef VK_PRIOR
#undef VK_NEXT
#undef VK_END
#undef VK_HOME
#undef VK_LEFT
#undef VK_UP
#undef VK_RIGHT
#undef VK_DOWN
#undef VK_DELETE

// ShowWindow commands, dialog results, window styles, icon sizes.
#undef SW_HIDE
#undef SW_SHOWNORMAL
#undef SW_SHOWMINIMIZED
#undef SW_SHOWMAXIMIZED
#undef SW_SHOWNOACTIVATE
#undef SW_SHOW
#undef SW_MINIMIZE
#undef SW_RESTORE
#undef IDOK
#undef IDCANCEL
#undef IDYES
#undef IDNO
#undef WS_POPUP
#undef WS_VISIBLE
#undef WS_CHILD
#undef WS_CAPTION
#undef WS_SYSMENU
#undef WS_THICKFRAME
#undef WS_MINIMIZEBOX
#undef WS_MAXIMIZEBOX
#undef WS_CLIPSIBLINGS
#undef WS_CLIPCHILDREN
#undef WS_EX_TOOLWINDOW
#undef WS_EX_TOPMOST
#undef WS_EX_LAYERED
#undef WS_EX_NOACTIVATE
#undef ICON_SMALL
#undef ICON_BIG
