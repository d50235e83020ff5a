// The screenshot run: with a folder given, the program writes its window as PNG once the
// mouse page is filled (or after a bounded wait with no device) and then ends as from the
// tray menu's "exit".
#include "app/MainWnd.h"
#include "platform/Folders.h"
#include "platform/Trace.h"
#include "ui/core/Backend.h"
#include "ui/core/MessageModel.h"

namespace app {

void CMainWnd::ArmScreenshots() {
    screenshotsArmed_ = true;
    ui::SetTimer(m_hWnd, kTimerScreenshots, options_.screenshotWaitMs);
}

void CMainWnd::WriteScreenshots() {
    if (!screenshotsArmed_ || screenshotsWritten_)
        return;
    screenshotsWritten_ = true;
    if (!ShownAndNotMinimised()) {
        list_->RefreshNoDeviceLayout("Open");
        RaiseWindow();
    }
    m_pm.UpdateLayout();
    const std::string folder = platform::WithTrailingSlash(options_.screenshotFolder);
    const std::string path = folder + "main.png";
    ui::NativeWindow* native = GetNativeWindow();
    if (!platform::EnsureFolder(folder) || native == nullptr || !native->SaveScreenshot(path)) {
        platform::TraceF("MainWnd: the screenshot \"%s\" cannot be written", path.c_str());
        screenshotsFailed_ = true;
    } else {
        platform::TraceF("MainWnd: screenshot written to %s", path.c_str());
    }
    Exit();
}

}  // namespace app
