#include "windows/DpiChange.h"

#include "ui/core/ControlUI.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowWnd.h"

namespace windows {

int FollowDpiChange(ui::CWindowWnd& window, ui::CPaintManagerUI& manager, ui::WPARAM wParam,
                    ui::LPARAM lParam) {
    const int dpi = static_cast<int>(wParam & 0xFFFF);
    manager.SetDPI(dpi);
    manager.ResetDPIAssets();
    if (lParam != 0)
        window.SetWindowPos(*reinterpret_cast<const ui::RECT*>(lParam));
    if (ui::CControlUI* root = manager.GetRoot())
        root->NeedUpdate();
    return dpi;
}

}  // namespace windows
