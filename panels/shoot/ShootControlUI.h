#pragma once
// CShootControlUI: the shoot panel of the mouse page ("ShootControlItem"). It edits the four
// shoot-data sets of the device's data folder one bullet at a time: a set option and a bullet
// option pick the bullet, the two direction options and three edits show and take its
// movement and delay, and each set's page of "shoot_image_display_switch" plots the set.
//
// It keeps no copy of a set: every view reloads the set's file and every save rewrites it
// (panels/shoot/ShootFiles.h holds the file rules). Selections made by code raise no
// notification, so showing a bullet never re-enters the handlers. The panel shows no message
// box: operations answer whether they worked and the main window's handlers tell the user.
//
// Controls are found by name in Init; the set and bullet options are looked up whenever they
// are used. A control the skin lacks is skipped.
//
// Threads: window thread only.
#include <string>

#include "devices/ShootPanel.h"
#include "panels/shoot/ShootFiles.h"
#include "ui/layout/HorizontalLayoutUI.h"

namespace ui {
class CEditUI;
class COptionUI;
class CTabLayoutUI;
}  // namespace ui

namespace controls {
class CShootPatternUI;
}

namespace panels {

class CShootControlUI : public ui::CHorizontalLayoutUI, public devices::IShootPanel {
  public:
    static constexpr const char* kClassName = "ShootControlUI";

    // The controls of its layout.
    static constexpr const char* kSetOptionPrefix = "shoot_gun_op_";  // + 0..3
    static constexpr const char* kImportButtonName = "shootdate_import_btn";
    static constexpr const char* kExportButtonName = "shootdate_export_btn";
    static constexpr const char* kUploadButtonName = "shootdate_save_btn";
    static constexpr const char* kResetButtonName = "shootdate_reset_btn";
    static constexpr const char* kPagesName = "shoot_image_display_switch";
    static constexpr const char* kEditLayoutName = "bullet_edit_layout";
    static constexpr const char* kIndexLabelName = "bullet_select_index";
    static constexpr const char* kPreviousButtonName = "bullet_selected_prev";
    static constexpr const char* kNextButtonName = "bullet_selected_next";
    static constexpr const char* kBulletOptionPrefix = "bullet_op_";  // + 0..29
    static constexpr const char* kHorizontalCheckName = "bullet_x_check";
    static constexpr const char* kVerticalCheckName = "bullet_y_check";
    static constexpr const char* kHorizontalEditName = "bullet_x_eidt";
    static constexpr const char* kVerticalEditName = "bullet_y_eidt";
    static constexpr const char* kDelayEditName = "bullet_delay_eidt";
    // The pattern plot of set i on page i.
    static constexpr const char* kPatternPrefix = "shoot_pattern_";  // + 0..3
    // Direction texts (language keys).
    static constexpr const char* kLeftText = "mouse_move_to_left_text";
    static constexpr const char* kRightText = "mouse_move_to_right_text";
    static constexpr const char* kUpText = "mouse_move_to_up_text";
    static constexpr const char* kDownText = "mouse_move_to_down_text";

    CShootControlUI();
    ~CShootControlUI() override;

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;
    // Finds the controls once the panel joins a window (Init finds them again).
    void DoInit() override;

    // --- IShootPanel ---------------------------------------------------------------------
    void SetDataFolder(const std::string& path) override { dataFolder_ = path; }
    void SetDefaultFolder(const std::string& path) override { defaultFolder_ = path; }
    // Finds the controls, gives each missing or unusable user set the factory copy and
    // plots the four sets.
    void Init() override;
    // currentSet := set clamped to 0..3, its option selected and its page shown; the
    // bullet stays.
    void SelectSet(int set) override;
    // currentBullet := bullet clamped to 0..29, its option selected, the index label at
    // currentBullet + 1, the bullet shown.
    void SelectBullet(int bullet) override;

    // --- operations of the main window's handlers ------------------------------------------
    void PreviousBullet() { SelectBullet(currentBullet_ - 1); }
    void NextBullet() { SelectBullet(currentBullet_ + 1); }
    // Loads set s and shows bullet b: directions, amounts and delay, and the set's plot.
    // An unusable file shows as an empty set.
    void ShowBullet(int set, int bullet);
    // Stores the edits and directions into bullet b of set s (rules of shoot::SaveBullet)
    // and plots the set again. False with the reason when nothing could be stored (a set
    // or bullet out of range, the file not written).
    bool SaveBullet(int set, int bullet, std::string* error = nullptr);
    // Copies the factory set over the user's set s, then shows the current bullet again.
    // False with the reason when the factory set could not be read or the copy not written
    // (the user's set is then as it was).
    bool ResetSet(int set, std::string* error = nullptr);
    // Copies the file over the current set, then shows the current bullet again. An empty
    // path does nothing (true). False as for ResetSet.
    bool ImportSet(const std::string& path, std::string* error = nullptr);
    // Copies the current set to the path. An empty path does nothing (true). False with the
    // reason when the set could not be read or the path not written.
    bool ExportSet(const std::string& path, std::string* error = nullptr) const;
    // The direction options' texts follow their state (left / right, up / down).
    void ShowHorizontalDirection();
    void ShowVerticalDirection();

    int CurrentSet() const { return currentSet_; }
    int CurrentBullet() const { return currentBullet_; }
    int SetCount() const { return shoot::kSetCount; }
    int BulletCount() const { return shoot::kBulletCount; }
    const std::string& GetDataFolder() const { return dataFolder_; }
    const std::string& GetDefaultFolder() const { return defaultFolder_; }
    // The user's file of set s.
    std::string SetPath(int set) const;
    // The set option (0..3) or bullet option (0..29); null when the skin lacks it.
    ui::COptionUI* SetOption(int set) const;
    ui::COptionUI* BulletOption(int bullet) const;
    controls::CShootPatternUI* Pattern(int set) const;

  private:
    struct Controls {
        ui::CControlUI* importButton = nullptr;
        ui::CControlUI* exportButton = nullptr;
        ui::CControlUI* uploadButton = nullptr;
        ui::CControlUI* resetButton = nullptr;
        ui::CTabLayoutUI* pages = nullptr;
        ui::CControlUI* editLayout = nullptr;
        ui::CControlUI* indexLabel = nullptr;
        ui::CControlUI* previousButton = nullptr;
        ui::CControlUI* nextButton = nullptr;
        ui::COptionUI* horizontal = nullptr;
        ui::COptionUI* vertical = nullptr;
        ui::CEditUI* x = nullptr;
        ui::CEditUI* y = nullptr;
        ui::CEditUI* delay = nullptr;
    };

    ui::CControlUI* FindChild(const std::string& name) const;
    void BindControls();
    // The set's plot from its document, bullet `selected` marked (-1: none).
    void PlotSet(int set, const Json::Value& root, int selected) const;

    Controls c_;
    int currentSet_ = 0;
    int currentBullet_ = -1;
    std::string dataFolder_;
    std::string defaultFolder_;
};

}  // namespace panels
