#pragma once
// The gallery's modal dialog (skin/gallery/dialog.xml): "Apply" or Enter ends it with IDOK,
// "Cancel", Escape or the desktop's close with IDCANCEL. Window thread only.
#include "ui/core/WindowImplBase.h"

namespace gallery {

class GalleryDialog : public ui::WindowImplBase {
  public:
    std::string GetWindowClassName() const override { return "T418ZenGalleryDialog"; }
    std::string GetSkinFile() override { return "dialog.xml"; }

  protected:
    void OnClick(ui::TNotifyUI& msg) override;
    bool ResponseDefaultKeyEvent(ui::WPARAM wParam) override;
};

}  // namespace gallery
