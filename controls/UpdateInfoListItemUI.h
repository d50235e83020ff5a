#pragma once
// CUpdateInfoListItemUI: one row of the settings window's update list. Its children come from
// "XML/CustomControlXML/device_Update_list_item.xml": the check option "check_name_select"
// (the row's name; checks the row for updating), "OldRev" (current version), "updateRev"
// (offered version, hidden while empty), "update_status_text" (a status text key), the
// progress "update_status_ing" with "update_progress_value" ("37%"), and the done mark
// "update_status_ok". The row frames itself while hot, unless its check is selected.
//
// Threads: window thread only.
#include <cstdint>
#include <string>

#include "controls/HoverListRowUI.h"

namespace ui {
class COptionUI;
}

namespace controls {

// Row statuses: 0 up to date, 1 and 2 an update offered, 3 waiting to download, 4
// downloading, 5 downloaded, 6 updating, 7 updated (where every row starts), 8 failed.
constexpr int kUpdateStatusCount = 9;
constexpr int kUpdateStatusNone = 7;

// How a row looks in one status.
struct UpdateStatusLook {
    const char* textKey;
    bool progress;      // the progress indicator and its percentage shown
    bool done;          // the done mark shown
    bool checkEnabled;  // the row can be checked for updating
    uint32_t textColour;
    uint32_t selectedTextColour;
    uint32_t disabledTextColour;
};
// The look of a status; nullptr outside 0..8.
const UpdateStatusLook* LookOfStatus(int status);
// "37%".
std::string ProgressText(int value);

class CUpdateInfoListItemUI : public CHoverListRowUI {
  public:
    static constexpr const char* kClassName = "UpdateInfoListItemUI";
    static constexpr int kRowHeight = 50;

    CUpdateInfoListItemUI();

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;

    void SetRowName(const std::string& name);
    void SetCurrentVersion(const std::string& text);
    // Empty hides the offered version.
    void SetOfferedVersion(const std::string& text);
    // A status outside 0..8, or the current one again, changes nothing.
    void SetStatus(int status);
    int GetStatus() const { return status_; }
    // Kept; shown as "N%" while the status shows progress.
    void SetProgress(int value);
    int GetProgress() const { return progress_; }
    bool IsChecked();
    // Sets the check and raises its "selectchanged".
    void SetChecked(bool checked);
    void EnableCheck(bool enable);

    void SetInstallerPath(std::string path) { installerPath_ = std::move(path); }
    const std::string& GetInstallerPath() const { return installerPath_; }

    void DrawItemBk(ui::RenderTarget& target, const ui::RECT& rcItem) override;

  private:
    ui::CControlUI* Child(const char* name);
    // The check option, looked up on first use and kept.
    ui::COptionUI* Check();
    void ShowProgress(bool show);

    int status_ = -1;
    int progress_ = 0;
    ui::COptionUI* check_ = nullptr;
    std::string installerPath_;
};

}  // namespace controls
