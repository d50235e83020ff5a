#pragma once
// What the program's dialogs do with WM_DPICHANGED: take the new DPI (low word of wParam),
// reload their DPI-dependent assets, move to the suggested rectangle (lParam, when given)
// and lay out again.
// Threads: window thread only.
#include "ui/core/UIDefs.h"

namespace ui {
class CPaintManagerUI;
class CWindowWnd;
}  // namespace ui

namespace windows {

// Answers the DPI now in use.
int FollowDpiChange(ui::CWindowWnd& window, ui::CPaintManagerUI& manager, ui::WPARAM wParam,
                    ui::LPARAM lParam);

}  // namespace windows
