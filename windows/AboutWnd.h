#pragma once
// The about window: the program's name, its version (the language key "software_rev_text")
// and a close button. Only one exists at a time; it deletes itself when it is closed.
// Threads: window thread only.
#include <string>

#include "ui/core/WindowImplBase.h"

namespace windows {

// The message the main window sends to its open sub-windows after a language change.
constexpr ui::UINT kMsgLanguageChanged = 3089;

class CAboutWnd : public ui::WindowImplBase {
  public:
    // Opens the about window over owner at the given DPI (the dialog rule, trace
    // "ABOUT_WND DPI SET ERROR"). Returns its handle, or nullptr when one is open already
    // (that one is brought to the front) or it cannot be created.
    static ui::HWND Open(ui::HWND owner, int dpi = 96);
    // The open about window's handle, nullptr when none is open.
    static ui::HWND Current();

    // Puts the translated version text into "software_ver_label".
    void ShowVersion();

  protected:
    CAboutWnd() = default;
    ~CAboutWnd() override;

    std::string GetWindowClassName() const override { return "AboutWnd"; }
    std::string GetSkinFile() override { return "AboutWnd.xml"; }
    void InitWindow() override;
    void OnClick(ui::TNotifyUI& msg) override;
    ui::LRESULT HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                    bool& bHandled) override;
    void OnFinalMessage(ui::HWND hWnd) override;
};

}  // namespace windows
