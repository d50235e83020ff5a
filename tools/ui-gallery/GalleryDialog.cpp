#include "GalleryDialog.h"

#include "ui/core/ControlUI.h"

namespace gallery {

void GalleryDialog::OnClick(ui::TNotifyUI& msg) {
    const std::string name = msg.pSender ? msg.pSender->GetName() : std::string();
    if (name == "dlg_ok")
        Close(ui::IDOK);
    else if (name == "dlg_cancel")
        Close(ui::IDCANCEL);
    else
        WindowImplBase::OnClick(msg);
}

bool GalleryDialog::ResponseDefaultKeyEvent(ui::WPARAM wParam) {
    if (wParam == ui::VK_RETURN) {
        Close(ui::IDOK);
        return true;
    }
    if (wParam == ui::VK_ESCAPE) {
        Close(ui::IDCANCEL);
        return true;
    }
    return false;
}

}  // namespace gallery
