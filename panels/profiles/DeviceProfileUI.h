#pragma once
// CDeviceProfileUI: the profile panel of a device page ("DeviceProfileItem"): the combo of
// the device's profiles, the name edit, the profile menu and the function tabs. It keeps the
// profile list through ProfileListFile and shows it; the main window's profile handlers
// (ProfileHandlers.h) confirm with the user, call it and then bring the device in line.
// Setters called by code raise no notification.
// Threads: window thread only.
#include <memory>
#include <string>
#include <vector>

#include "devices/ProfilePanel.h"
#include "panels/profiles/ProfileListFile.h"
#include "ui/layout/HorizontalLayoutUI.h"

namespace ui {
class CComboUI;
class CEditUI;
}  // namespace ui

namespace panels {

class CDeviceProfileUI : public ui::CHorizontalLayoutUI, public devices::IProfilePanel {
  public:
    static constexpr const char* kClassName = "DeviceProfileUI";
    // The controls of its layout that it works with.
    static constexpr const char* kComboName = "device_profile_combo";
    static constexpr const char* kNameEditName = "device_profile_name_edit";
    static constexpr const char* kMenuName = "profile_menu_layout";
    // Combo items have this height (96-DPI pixels).
    static constexpr int kItemHeight = 30;

    CDeviceProfileUI();
    ~CDeviceProfileUI() override;

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;

    // --- devices::IProfilePanel ------------------------------------------------------------
    void SetKind(int kind) override { kind_ = kind; }
    void SetFolders(const std::string& userDataFolder,
                    const std::string& defaultDocumentPath) override;
    // Reads (or creates) the list, fills the combo, selects the stored profile (without a
    // notification) and shows the tabs the device kind has.
    void LoadList() override;
    std::string GetCurrentProfileBaseName() const override { return currentFileId_; }

    int GetKind() const { return kind_; }
    // Selects combo item index (notify: let the combo raise "itemselect"), puts its name into
    // the name edit and stores it as the list's selection. -1 (no choice) is ignored.
    void SelectProfile(int index, bool notify);
    // The combo's selection; -1 with none or without a combo.
    int GetCurrentIndex() const;

    std::string GetNameEditText() const;
    void SetNameEditText(const std::string& text);
    // Puts the selected profile's name into the edit.
    void CopyNameToEdit();

    void ShowMenu(bool show);
    bool IsMenuVisible() const;

    // The list is read again first.
    int GetProfileCount();
    // folder + identifier + ".Json" of profile i; "" outside the list.
    std::string GetProfilePathAt(int index);

    // The profile operations. Each keeps the combo in step with the list; Outcome says what
    // happened (see ProfileListFile). Add selects the new profile in the combo (without a
    // notification); the caller then runs the profile-select steps.
    ProfileListFile::Outcome AddProfile();
    // Removes the selected profile; the combo then shows the new selection (without a
    // notification), which the caller loads into the device.
    ProfileListFile::Outcome DeleteProfile();
    ProfileListFile::Outcome CopyProfile();
    ProfileListFile::Outcome ImportProfile(const std::string& path);
    bool ExportProfile(const std::string& path);
    // 1 done, 0 the name is another profile's, 2 blank, 3 not written.
    int RenameProfile(const std::string& name);
    void ResetCurrentProfile();
    // The selected profile's name ("" with none).
    std::string GetCurrentProfileName() const;

    // Selects the tab option that shows function page `page` (without a notification).
    void SelectTab(int page);

    // Shows profile id as the device's current one (combo, name edit, identifier) without
    // storing it as the list's selection: the choice of a program rule, not the user's.
    // False when the list has no such profile.
    bool ShowProfileOf(const std::string& id);

    // --- Linked programs (DeviceProfileLinks.cpp) --------------------------------------------
    // The strip of the selected profile's program links takes the place of the function tabs
    // while it is open.
    static constexpr const char* kLinkStripName = "device_link_layout";
    static constexpr const char* kTabsName = "device_function_tabs";
    static constexpr const char* kLinkComboName = "device_link_combo";
    static constexpr const char* kLinkEditName = "device_link_edit";
    static constexpr const char* kLinkPickName = "device_link_pick_combo";
    static constexpr const char* kFollowCheckName = "device_link_follow_check";

    void ShowLinkStrip(bool show);
    bool IsLinkStripVisible() const;
    // The patterns of the selected profile, the last one chosen.
    void ShowLinks(const std::vector<std::string>& patterns);
    // The pattern chosen in the link combo ("" with none).
    std::string SelectedLink() const;
    std::string GetLinkEditText() const;
    void SetLinkEditText(const std::string& text);
    // The running programs offered by the picker.
    void ShowPicker(const std::vector<std::string>& programs);
    std::string PickedProgram() const;
    void SetFollowCheck(bool on);
    bool IsFollowChecked() const;

    // The list behind the panel (null before SetFolders).
    ProfileListFile* List() { return list_.get(); }

  private:
    ui::CControlUI* Find(const char* name) const;
    ui::CComboUI* Combo() const;
    ui::CEditUI* NameEdit() const;
    void FillCombo();
    // The combo filled again from the list, with `selected` chosen silently.
    void ShowList(int selected);
    void ApplyKindTabs();

    int kind_ = 0;
    std::string folder_;
    std::string defaultDocumentPath_;
    std::unique_ptr<ProfileListFile> list_;
    std::string currentFileId_;
};

}  // namespace panels
