#pragma once
// The skin frame: a small drop-down under the main window's skin button ("skin.xml") where the
// user picks the main window's background: one of the skin's images, a colour, a picture of
// their own or the default. Each choice is published on the program-wide skin observer; image
// choices and the reset are recorded in "main.ini". The frame takes no activation and closes
// when it loses the focus (a click anywhere else); it deletes itself with its window.
// Threads: window thread only.
#include <string>

#include "platform/WindowsMacros.h"
#include "ui/core/Notify.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowWnd.h"
#include "windows/SkinObserver.h"

namespace ui {
class CControlUI;
}

namespace windows {

inline constexpr ui::DWORD kSkinFrameStyle = ui::WS_POPUP | ui::WS_VISIBLE;
inline constexpr ui::DWORD kSkinFrameExStyle =
    ui::WS_EX_NOACTIVATE | ui::WS_EX_TOOLWINDOW | ui::WS_EX_TOPMOST;
// The filter of the own-picture dialog, as the system's dialogs write it.
inline constexpr const char* kSkinPictureFilter = "(*.png) | *.png |(*.*)|*.*||";

class CSkinFrame : public ui::CWindowWnd, public ui::INotifyUI {
  public:
    // Makes the frame under skinButton of mainWnd and shows it at once; a frame that is
    // open already goes first. Returns the new frame's handle, nullptr when it could not be
    // created. The button's paint manager gives the frame its DPI.
    static ui::HWND Open(ui::HWND mainWnd, ui::CControlUI* skinButton);
    // The open frame's handle, nullptr when none is open.
    static ui::HWND Current();

    ui::CPaintManagerUI* GetPaintManager() { return &m_pm; }
    void Notify(ui::TNotifyUI& msg) override;
    ui::LRESULT HandleMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam) override;

  protected:
    CSkinFrame(ui::HWND mainWnd, ui::CControlUI* skinButton);
    ~CSkinFrame() override;
    std::string GetWindowClassName() const override { return "UISkinFrame"; }
    void OnFinalMessage(ui::HWND hWnd) override;

  private:
    ui::LRESULT OnCreate();
    void PlaceUnderButton();
    void OnClick(ui::CControlUI* sender);
    void PublishImage(const std::string& image);
    void Record(bool chosen, const std::string& image);

    ui::HWND mainWnd_;
    ui::CControlUI* skinButton_;  // only while WM_CREATE places the frame
    int dpi_ = 96;
    ui::CPaintManagerUI m_pm;
};

}  // namespace windows
