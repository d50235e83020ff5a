#pragma once
// The settings window "SetWnd" (skin "setwnd.xml", 630 x 500, modal, one at a time): the
// language combo filled from "Language.config", and the update page that lists the connected
// devices and the program with their versions, one CUpdateInfoListItemUI row each. Choosing a
// language sends 3089 with its index to the main window, which applies it and sends 3089 back
// (wParam 0); the window then re-translates. The program fetches no updates: once the list is
// built its header says so (state 2).
//
// A worker thread prepares the rows' data (names, versions, installer paths, the installer
// folder); the rows themselves are made on the window thread.
//
// Threads: window thread only, except the worker, which touches no control.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/LocalTime.h"
#include "platform/StoppableThread.h"
#include "ui/core/WindowImplBase.h"
#include "windows/SetWndRules.h"

namespace controls {
class CUpdateInfoListItemUI;
}

namespace windows {

inline constexpr char kSetWndTitle[] = "SetWnd";
inline constexpr int kSetWndWidth = 630;
inline constexpr int kSetWndHeight = 500;
// Sent to the main window when the header shows the last-check date (state 4).
inline constexpr ui::UINT kMsgClearSettingsBadge = 3094;

// Header states.
enum class UpdateHeader { Checking = 0, Available = 1, None = 2, Updating = 3, Latest = 4 };

// What the opener hands the window.
struct SetWndRequest {
    ui::HWND mainWindow = nullptr;     // gets 3089 and 3094; owner of the window
    int dpi = 96;                      // the dialog DPI rule; trace "SET_WND DPI SET ERROR"
    int languageIndex = 0;             // selected in the combo without a notification
    std::vector<UpdateEntry> entries;  // those with a version of 0 are left out
    bool centred = true;
    // Without centring: the main window's rectangle and DPI; the window goes 30 pixels in
    // from its right edge and 60 below its top (both scaled).
    ui::RECT mainRect{};
    int mainDpi = 96;
    std::string languageConfigPath;              // "Language.config"
    std::string updateTimePath;                  // "updatetime.config"
    std::string installerFolder;                 // where the rows' installers would lie (created)
    std::function<platform::LocalTime()> clock;  // empty: the local time
    std::string screenshotPath;  // non-empty: the window writes itself there once painted
    std::function<void()> onFirstPaint;
};

// Opens the window and waits until it is closed; 0 when it was. -1 when one is open
// already (that one comes to the front) or it cannot be made.
int OpenSettingsWindow(SetWndRequest request);

class CSetWnd : public ui::WindowImplBase {
  public:
    explicit CSetWnd(SetWndRequest request);
    ~CSetWnd() override;

    // The open settings window's handle, nullptr when none is open.
    static ui::HWND Current();
    static CSetWnd* CurrentWindow();

    void SetDialogDpi(int dpi);
    int GetDialogDpi() const { return m_dpi; }
    // Puts the window where the request asks (centred, or beside the main window's edge).
    void Place();

    void SetHeader(UpdateHeader state);
    UpdateHeader Header() const { return m_header; }
    const std::string& LastCheckDate() const { return m_lastCheck; }
    int RowCount() const;
    controls::CUpdateInfoListItemUI* Row(int index) const;
    // Appends the rows the worker prepared; the header then says no updates are fetched.
    void AddRows(const std::vector<UpdateRowData>& rows);
    // The worker has ended (rows added).
    bool ListBuilt() const { return m_listBuilt; }
    // False while a row is in a status that must not be interrupted.
    bool MayClose() const;

  protected:
    std::string GetWindowClassName() const override { return "SetWnd"; }
    std::string GetSkinFile() override { return "setwnd.xml"; }
    void InitWindow() override;
    void OnClick(ui::TNotifyUI& msg) override;
    ui::LRESULT OnClose(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                        bool& bHandled) override;
    ui::LRESULT OnSysCommand(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                             bool& bHandled) override;
    ui::LRESULT HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                    bool& bHandled) override;
    void OnFinalMessage(ui::HWND hWnd) override;

  private:
    void OnWindowInit();
    void FillLanguages();
    void StartListWorker();
    void StopWorkers();
    void OnLanguageChosen();
    void OnRowChecked();
    void OnUpdateConfirmed();
    void ShowZoomButtons();
    void ScreenshotWhenReady();
    void WriteScreenshot();

    SetWndRequest m_request;
    int m_dpi = 96;
    int m_languageIndex = 0;
    UpdateHeader m_header = UpdateHeader::Checking;
    std::string m_lastCheck;
    bool m_listBuilt = false;
    bool m_painted = false;
    bool m_screenshotPosted = false;
    // One worker builds the list; the window keeps no other.
    platform::StoppableThread m_listWorker{500};
    ui::CControlUI* m_closeBtn = nullptr;
    ui::CControlUI* m_maxBtn = nullptr;
    ui::CControlUI* m_restoreBtn = nullptr;
    ui::CControlUI* m_minBtn = nullptr;
    ui::CControlUI* m_menuBtn = nullptr;
    ui::CControlUI* m_laterBtn = nullptr;
    ui::CControlUI* m_list = nullptr;
    ui::CControlUI* m_languages = nullptr;
};

}  // namespace windows
