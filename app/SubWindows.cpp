#include "app/SubWindows.h"

#include "ui/core/MessageModel.h"
#include "windows/AboutWnd.h"
#include "windows/ColorSelectWnd.h"
#include "windows/MusicWnd.h"
#include "windows/ProgramIcons.h"
#include "windows/SetWnd.h"
#include "windows/SkinFrame.h"

namespace app {

void RegisterIconResources() {
    windows::RegisterProgramIcons();
}

void OpenAboutWindow(ui::HWND owner, int dpi) {
    windows::CAboutWnd::Open(owner, dpi);
}

void CloseAuxiliaryWindows() {
    if (ui::HWND settings = windows::CSetWnd::Current())
        ui::SendMessage(settings, ui::WM_CLOSE, 0, 0);
    if (ui::HWND about = windows::CAboutWnd::Current())
        ui::SendMessage(about, ui::WM_CLOSE, 0, 0);
    if (ui::HWND palette = windows::CColorSelectWnd::Current())
        ui::SendMessage(palette, ui::WM_CLOSE, 0, 0);
    if (ui::HWND skin = windows::CSkinFrame::Current())
        ui::SendMessage(skin, ui::WM_CLOSE, 0, 0);
    if (ui::HWND music = windows::CMusicWnd::Current())
        ui::SendMessage(music, ui::WM_CLOSE, 0, 0);
}

void TellAuxiliaryWindowsLanguage() {
    if (ui::HWND settings = windows::CSetWnd::Current())
        ui::SendMessage(settings, windows::kMsgLanguageChanged, 0, 0);
    if (ui::HWND about = windows::CAboutWnd::Current())
        ui::SendMessage(about, windows::kMsgLanguageChanged, 0, 0);
    if (ui::HWND palette = windows::CColorSelectWnd::Current())
        ui::SendMessage(palette, windows::kMsgLanguageChanged, 0, 0);
}

}  // namespace app
