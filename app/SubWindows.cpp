#include "app/SubWindows.h"

#include "platform/Trace.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowWnd.h"

#if __has_include("windows/AboutWnd.h") && __has_include("windows/ProgramIcons.h")
#define T418_APP_HAS_ABOUT_WINDOW 1
#include "windows/AboutWnd.h"
#include "windows/ProgramIcons.h"
#endif

namespace app {

namespace {
constexpr const char* kIconFile = "common/icon/app_icon.png";
constexpr ui::UINT kIconId = 107;
}  // namespace

#ifdef T418_APP_HAS_ABOUT_WINDOW

void RegisterIconResources() {
    windows::RegisterProgramIcons();
}

void OpenAboutWindow(ui::HWND owner, int dpi) {
    windows::CAboutWnd::Open(owner, dpi);
}

void CloseAuxiliaryWindows() {
    if (ui::HWND about = windows::CAboutWnd::Current())
        ui::SendMessage(about, ui::WM_CLOSE, 0, 0);
}

void TellAuxiliaryWindowsLanguage() {
    if (ui::HWND about = windows::CAboutWnd::Current())
        ui::SendMessage(about, windows::kMsgLanguageChanged, 0, 0);
}

#else

void RegisterIconResources() {
    ui::CWindowWnd::RegisterIconResource(kIconId, kIconFile);
}

void OpenAboutWindow(ui::HWND, int) {
    platform::Trace("MainWnd: the about window is not built yet");
}

void CloseAuxiliaryWindows() {}

void TellAuxiliaryWindowsLanguage() {}

#endif

}  // namespace app
