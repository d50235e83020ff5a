// The profile panel as the device page binds it: the combo, the name edit, the menu and the
// function tabs, all set without notifications.
#include "tests/ui/panels_profiles/ProfilePanelSupport.h"

namespace {

using profiles_ui::PanelTest;

TEST_F(PanelTest, LoadingFillsTheComboQuietlyAndSelectsTheStoredProfile) {
    Bind();
    ASSERT_EQ(Combo()->GetCount(), 1);
    ui::CControlUI* item = Combo()->GetItemAt(0);
    EXPECT_EQ(item->GetText(), "Profile1");
    EXPECT_EQ(item->GetUserData(), "Profile1");
    EXPECT_EQ(item->GetToolTip(), "Profile1");
    EXPECT_EQ(item->GetFixedHeight(), panels::CDeviceProfileUI::kItemHeight);
    EXPECT_EQ(panel->GetCurrentIndex(), 0);
    EXPECT_EQ(panel->GetNameEditText(), "Profile1");
    EXPECT_FALSE(panel->GetCurrentProfileBaseName().empty());
    EXPECT_TRUE(
        std::filesystem::exists(UserFolder() + panel->GetCurrentProfileBaseName() + ".Json"));

    ASSERT_EQ(panel->AddProfile().result, panels::ProfileListFile::Result::kDone);
    ASSERT_EQ(panel->CopyProfile().result, panels::ProfileListFile::Result::kDone);
    EXPECT_EQ(ComboTexts(), (std::vector<std::string>{"Profile1", "profile2", "profile2 copy"}));
    EXPECT_EQ(panel->GetCurrentIndex(), 1);
    EXPECT_EQ(panel->GetProfileCount(), 3);
    EXPECT_EQ(panel->GetProfilePathAt(2), UserFolder() + panel->List()->Entries()[2].id + ".Json");
    EXPECT_EQ(panel->GetProfilePathAt(3), "");

    // A stored selection beyond the list is the first profile.
    Json::Value list = profile::LoadJsonFile(UserFolder() + "ProfileList.ini");
    list["profileselect"] = 7;
    profile::WriteJsonFile(UserFolder() + "ProfileList.ini", list);
    Bind();
    EXPECT_EQ(panel->GetCurrentIndex(), 0);
    EXPECT_EQ(panel->GetCurrentProfileBaseName(), panel->List()->Entries()[0].id);
    EXPECT_TRUE(window->notified.empty());
}

TEST_F(PanelTest, SettersRaiseNoNotification) {
    Bind();
    panel->AddProfile();
    backend.ProcessPending();
    window->notified.clear();
    panel->SelectProfile(0, false);
    panel->SelectProfile(-1, false);
    EXPECT_EQ(panel->GetCurrentIndex(), 0);
    panel->SetNameEditText("Aim");
    EXPECT_EQ(panel->GetNameEditText(), "Aim");
    panel->CopyNameToEdit();
    EXPECT_EQ(panel->GetNameEditText(), "Profile1");
    panel->ShowMenu(true);
    EXPECT_TRUE(panel->IsMenuVisible());
    panel->ShowMenu(false);
    EXPECT_FALSE(panel->IsMenuVisible());
    panel->SelectTab(5);
    EXPECT_TRUE(Get<ui::COptionUI>("system_Op_tab")->IsSelected());
    EXPECT_FALSE(Get<ui::COptionUI>("cursor_Op_tab")->IsSelected());
    panel->SelectTab(42);
    EXPECT_TRUE(Get<ui::COptionUI>("system_Op_tab")->IsSelected());
    backend.ProcessPending();
    EXPECT_TRUE(window->notified.empty()) << window->notified.front();

    // The user's choice does raise it, for the main window's timer.
    Choose(1);
    backend.ProcessPending();
    EXPECT_NE(std::find(window->notified.begin(), window->notified.end(),
                        "itemselect:device_profile_combo"),
              window->notified.end());
}

TEST_F(PanelTest, TabsFollowTheDeviceKind) {
    auto visible = [this](const char* name) { return Get<ui::CControlUI>(name)->IsVisible(); };
    Bind(2);
    for (const char* tab : {"cursor_Op_tab", "key_Op_tab", "deng_Op_tab", "macro_Op_tab",
                            "system_Op_tab", "otherset_Op_tab"})
        EXPECT_TRUE(visible(tab)) << tab;
    EXPECT_FALSE(visible("magic_Op_tab"));
    Bind(5);
    EXPECT_FALSE(visible("cursor_Op_tab"));
    EXPECT_FALSE(visible("key_Op_tab"));
    EXPECT_TRUE(visible("system_Op_tab"));
    Bind(7);
    EXPECT_FALSE(visible("system_Op_tab"));
    EXPECT_TRUE(visible("deng_Op_tab"));
    for (const char* tab : {"6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"})
        EXPECT_TRUE(visible(tab)) << tab;
}

TEST_F(PanelTest, ThePanelLaysOutInItsHeight) {
    Bind();
    window->GetPaintManager()->UpdateLayout();
    const ui::Rect area = panel->GetPos();
    EXPECT_EQ(area.bottom - area.top, 88);
    for (const char* name :
         {"device_profile_combo", "device_profile_name_edit", "device_profile_edit_save_btn",
          "profile_fun_spread_btn", "cursor_Op_tab", "otherset_Op_tab"}) {
        const ui::Rect r = Get<ui::CControlUI>(name)->GetPos();
        EXPECT_GT(r.right - r.left, 20) << name;
        EXPECT_GE(r.top, area.top) << name;
        EXPECT_LE(r.bottom, area.bottom) << name;
        EXPECT_LE(r.right, area.right) << name;
    }
    panel->ShowMenu(true);
    window->GetPaintManager()->UpdateLayout();
    const ui::Rect edit = Get<ui::CControlUI>("device_profile_edit_save_btn")->GetPos();
    for (const char* name :
         {"device_add_btn", "device_sub_btn", "device_copy_btn", "device_import_btn",
          "device_export_btn", "device_reset_btn", "default_btn"}) {
        const ui::Rect r = Get<ui::CControlUI>(name)->GetPos();
        EXPECT_GT(r.right - r.left, 20) << name;
        EXPECT_GT(r.left, edit.right) << name << " overlaps the name row";
        EXPECT_LE(r.right, area.right) << name;
    }
}

}  // namespace
