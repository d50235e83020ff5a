#pragma once
// The message box: a modal window built from the skin's "XML_MSG" layout with a title, a
// text (usually a language key) and a confirm and a cancel button. ShowMessage is the one way
// the program uses it.
// Threads: window thread only.
#include <memory>
#include <string>

#include "ui/core/WindowImplBase.h"

namespace windows {

// Button sets of ShowMessage.
constexpr int kMsgButtonsConfirm = 0;           // only "confirm_btn"
constexpr int kMsgButtonsConfirmAndCancel = 1;  // "confirm_btn" and "cancel_btn"

// Shows a modal message box over parent (may be null) and returns 1 when the user confirmed,
// 0 otherwise (cancel, close, or the box could not be shown). An empty title or text keeps
// the skin's; with textIsKey the text is a language key shown translated. dpi follows the
// dialog rule (DialogDpi.h) with the trace "MSG_WND DPI SET ERROR" and is applied to every
// window of the program. Other button values keep the buttons as the skin has them.
int ShowMessage(ui::HWND parent, const std::string& title, const std::string& text, int dpi,
                bool textIsKey, int buttons);

class CMsgWnd : public ui::WindowImplBase {
  public:
    CMsgWnd();

    void SetTitleText(const std::string& title);
    void SetMessageText(const std::string& text, bool textIsKey);
    // The dialog DPI rule; applied to all paint managers (CPaintManagerUI::SetAllDPI).
    void SetDPI(int dpi);
    int GetDPI() const { return m_dpi; }
    void SetButtons(int buttons);

    // Set when the window has gone through its final message (the object deletes itself
    // then): lets ShowMessage tell whether a failed Create already disposed of it.
    std::shared_ptr<const bool> FinalFlag() const { return m_final; }

  protected:
    std::string GetWindowClassName() const override { return "MsgWnd"; }
    std::string GetSkinFile() override { return "XML_MSG"; }
    void InitWindow() override;
    void OnClick(ui::TNotifyUI& msg) override;
    ui::LRESULT HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                    bool& bHandled) override;
    void OnFinalMessage(ui::HWND hWnd) override;

  private:
    int m_dpi = 96;
    ui::CControlUI* m_pCloseBtn = nullptr;
    std::shared_ptr<bool> m_final = std::make_shared<bool>(false);
};

}  // namespace windows
