#pragma once
// CWndUI: a control that places another window of the program over itself and shows or
// hides it with the control. Window thread only.
#include "ui/core/ControlUI.h"

namespace controls {

class CWndUI : public ui::CControlUI {
  public:
    static constexpr const char* kClassName = "Wnd";

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;
    void SetPos(ui::RECT rc, bool bNeedInvalidate = true) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;

    // The hosted window (none: nullptr); placed at once.
    void SetHostedWindow(ui::HWND window);
    ui::HWND GetHostedWindow() const { return hostedWindow_; }

  private:
    void PlaceHostedWindow();

    ui::HWND hostedWindow_ = nullptr;
};

}  // namespace controls
