#pragma once
// The main layout with stand-ins for the program's device-list classes (plain containers)
// and sample content: two devices in the list, the mouse page, a power state. Poses show the
// no-device or the device-error layer instead.
// Window thread only.
#include <string>

#include "ui/core/WindowImplBase.h"

namespace preview {

class PreviewMainWnd : public ui::WindowImplBase {
  public:
    // pose: "devices" (default), "sync" (both marked for synchronised lighting), "empty"
    // (welcome page), "nodevice", "error".
    explicit PreviewMainWnd(std::string pose) : pose_(std::move(pose)) {}

    std::string GetWindowClassName() const override { return "MainWnd"; }
    std::string GetSkinFile() override { return "XML_MAIN"; }
    ui::CControlUI* CreateControl(const std::string& className) override;
    void Pose();

  protected:
    void OnFinalMessage(ui::HWND) override { DeleteSelf(); }

  private:
    void AddDevice(const std::string& stem, bool selected, bool synchro);
    void AddPower(int level, bool wireless, bool charging);

    std::string pose_;
};

}  // namespace preview
