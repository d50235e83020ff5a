#include "GalleryWindow.h"

#include "LedSwatch.h"
#include "ui/MessageModel.h"

namespace gallery {

ui::CControlUI* GalleryWindow::CreateControl(const std::string& className) {
    if (className == "LedSwatch")
        return new CLedSwatchUI;
    return nullptr;
}

void GalleryWindow::InitWindow() {}

void GalleryWindow::Notify(ui::TNotifyUI& msg) {
    WindowImplBase::Notify(msg);
}

void GalleryWindow::ShowStates() {}

void GalleryWindow::OnFinalMessage(ui::HWND hwnd) {
    WindowImplBase::OnFinalMessage(hwnd);
    if (quitOnClose_)
        ui::PostQuitMessage(0);
}

}  // namespace gallery
