// The main window's part of the skin choice: the frame under "skinbtn", the background the
// frame publishes, and the image kept in "main.ini" put back at start-up.
#include "app/MainWnd.h"
#include "platform/Folders.h"
#include "platform/Trace.h"
#include "ui/core/ControlUI.h"
#include "windows/SkinChoiceFile.h"
#include "windows/SkinFrame.h"

namespace app {

int CMainWnd::Receive(windows::SkinChangedParam change) {
    ui::CControlUI* root = FindControl("root");
    if (root == nullptr)
        return 1;
    if (change.bColor) {
        root->SetBkColor(change.bkcolor);
        root->SetBkImage("");
    } else {
        root->SetBkColor(0);
        root->SetBkImage(change.bgimage);
    }
    return 1;
}

void CMainWnd::OpenSkinFrame() {
    ui::HWND frame = windows::CSkinFrame::Open(m_hWnd, skinButton_);
    if (frame == nullptr || options_.screenshotFolder.empty())
        return;
    // An offscreen run keeps a picture of every auxiliary window it opens.
    const std::string folder = platform::WithTrailingSlash(options_.screenshotFolder);
    const std::string path = folder + "skinframe.png";
    ui::CWindowWnd* window = ui::GetWindowObject(frame);
    if (window == nullptr || window->GetNativeWindow() == nullptr ||
        !platform::EnsureFolder(folder) || !window->GetNativeWindow()->SaveScreenshot(path))
        platform::TraceF("MainWnd: the screenshot \"%s\" cannot be written", path.c_str());
}

void CMainWnd::RestoreSkinImage() {
    const std::optional<std::string> image = windows::StoredSkinImage(windows::SkinIniPath(false));
    if (!image)
        return;  // the skin's own background stays
    if (m_pm.GetImageEx(*image) == nullptr) {
        platform::TraceF("MainWnd: the kept background \"%s\" does not load; the default stays",
                         image->c_str());
        return;
    }
    windows::SkinChangedParam change;
    change.bgimage = *image;
    Receive(change);
}

}  // namespace app
