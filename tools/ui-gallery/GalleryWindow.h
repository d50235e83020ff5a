#pragma once
// The gallery window: the layout in skin/gallery/gallery.xml, with a few controls put into
// the states worth seeing (an open combo list, a menu, a slider being dragged, a selection).
#include "ui/core/WindowImplBase.h"

namespace gallery {

class GalleryWindow : public ui::WindowImplBase {
  public:
    explicit GalleryWindow(bool quitOnClose) : quitOnClose_(quitOnClose) {}

    std::string GetWindowClassName() const override { return "T418ZenGallery"; }
    std::string GetSkinFile() override { return "gallery.xml"; }
    ui::CControlUI* CreateControl(const std::string& className) override;
    void InitWindow() override;
    void Notify(ui::TNotifyUI& msg) override;

    // Puts the controls into their showcase states; some open pop-up windows.
    void ShowStates();

  protected:
    void OnFinalMessage(ui::HWND hwnd) override;

  private:
    bool quitOnClose_;
};

}  // namespace gallery
