// The shoot page's file buttons through the handlers with a scripted host: reset, import and
// export, their refusals leaving the set as it was, the upload's message, the kinds served;
// and the file dialog rules that make "*.shoot" find every spelling of the extension.
#include <gtest/gtest.h>

#include <fnmatch.h>

#include "ShootPanelSupport.h"
#include "ui/shell/FileDialog.h"

namespace shoottest {
namespace {

class ShootFilesPage : public ::testing::Test {
  protected:
    void SetUp() override { f.Start(); }
    ShootFixture f;
};

TEST_F(ShootFilesPage, ImportReplacesTheCurrentSetAndShowsIt) {
    f.ClickOn("shoot_gun_op_1");
    f.ClickOn("bullet_op_6");
    const std::string file = f.user() + "../A.SHOOT";
    ASSERT_EQ(profile::WriteJsonFile(file, MakeSet(40)), 0);
    f.host.answers.push_back(file);
    f.ClickOn(CShootControlUI::kImportButtonName);
    ASSERT_EQ(f.host.requests.size(), 1u);
    EXPECT_FALSE(f.host.requests[0].save);
    EXPECT_EQ(f.host.requests[0].title, "shoot_import_title");
    EXPECT_EQ(f.host.requests[0].filters, (std::vector<std::string>{"Shoot Files(*.shoot)"}));
    EXPECT_EQ(ReadBytes(f.UserPath(1)), ReadBytes(file));
    EXPECT_EQ(f.Shown(), (std::vector<std::string>{"46", "13", "96"}));
    EXPECT_EQ(f.panel->Pattern(1)->Steps()[6].dx, 46);
    // The other sets are untouched; a cancelled dialog does nothing.
    EXPECT_EQ(ReadBytes(f.UserPath(0)), ReadBytes(f.FactoryPath(0)));
    f.ClickOn(CShootControlUI::kImportButtonName);
    EXPECT_EQ(ReadBytes(f.UserPath(1)), ReadBytes(file));
    EXPECT_TRUE(f.host.shown.empty());
}

TEST_F(ShootFilesPage, AFailedCopyLeavesTheSetAsItWasAndSaysSo) {
    const std::string before = ReadBytes(f.UserPath(0));
    f.host.answers.push_back(f.user() + "gone.shoot");
    f.ClickOn(CShootControlUI::kImportButtonName);
    fs::remove(f.FactoryPath(0));
    f.ClickOn(CShootControlUI::kResetButtonName);
    f.host.answers.push_back(f.user() + "no/such/folder/x.shoot");
    f.ClickOn(CShootControlUI::kExportButtonName);
    EXPECT_EQ(ReadBytes(f.UserPath(0)), before);
    EXPECT_EQ(f.host.shown, std::vector<std::string>(3, "shoot_file_error_text"));
}

TEST_F(ShootFilesPage, ExportSuggestsTheSetsNameAndCopiesIt) {
    f.ClickOn("shoot_gun_op_2");
    const std::string out = f.user() + "../B.Shoot";
    f.host.answers.push_back(out);
    f.ClickOn(CShootControlUI::kExportButtonName);
    ASSERT_EQ(f.host.requests.size(), 1u);
    EXPECT_TRUE(f.host.requests[0].save);
    EXPECT_EQ(f.host.requests[0].title, "shoot_export_title");
    EXPECT_EQ(f.host.requests[0].fileName, "ShootData_2.shoot");
    EXPECT_EQ(ReadBytes(out), ReadBytes(f.UserPath(2)));
    // Onto the set itself: nothing changes, nothing is said.
    const std::string set = ReadBytes(f.UserPath(2));
    f.host.answers.push_back(f.UserPath(2));
    f.ClickOn(CShootControlUI::kExportButtonName);
    EXPECT_EQ(ReadBytes(f.UserPath(2)), set);
    EXPECT_TRUE(f.host.shown.empty());
}

TEST_F(ShootFilesPage, ResetGivesTheFactorySetBackAndShowsIt) {
    f.ClickOn("bullet_op_2");
    f.Edit(CShootControlUI::kHorizontalEditName)->SetText("1", false);
    ASSERT_TRUE(f.panel->SaveBullet(0, 2));
    f.ClickOn(CShootControlUI::kResetButtonName);
    EXPECT_EQ(ReadBytes(f.UserPath(0)), ReadBytes(f.FactoryPath(0)));
    EXPECT_EQ(f.Shown()[0], "102");
    EXPECT_EQ(f.panel->CurrentBullet(), 2);
    EXPECT_TRUE(f.host.shown.empty());
}

TEST_F(ShootFilesPage, OnlyTheMouseIsServedAndAFailedUploadIsTold) {
    // A mouse without a link: nothing is written, and the user hears it.
    EXPECT_TRUE(f.handlers.OnClick(f.mouse, 6, CShootControlUI::kUploadButtonName));
    EXPECT_EQ(f.host.shown, (std::vector<std::string>{"message_text_7"}));
    // Other kinds, or no device: the names are the page's, but nothing happens.
    f.host.shown.clear();
    const std::string before = ReadBytes(f.UserPath(0));
    f.Edit(CShootControlUI::kHorizontalEditName)->SetText("9", false);
    for (int kind : {1, 3, 7}) {
        EXPECT_TRUE(f.handlers.OnClick(f.mouse, kind, CShootControlUI::kUploadButtonName));
        EXPECT_TRUE(f.handlers.OnClick(f.mouse, kind, CShootControlUI::kNextButtonName));
        EXPECT_TRUE(f.handlers.OnKillFocus(f.mouse, kind, CShootControlUI::kHorizontalEditName));
    }
    EXPECT_TRUE(f.handlers.OnSelectChanged(nullptr, 2, "bullet_op_3"));
    EXPECT_TRUE(f.host.shown.empty());
    EXPECT_EQ(f.panel->CurrentBullet(), 0);
    EXPECT_EQ(ReadBytes(f.UserPath(0)), before);
    // Other pages' names are not taken; names compare without regard to case.
    EXPECT_FALSE(f.handlers.OnClick(f.mouse, 2, "macro_btn_save"));
    EXPECT_FALSE(f.handlers.OnSelectChanged(f.mouse, 2, "bullet_op_x"));
    EXPECT_FALSE(f.handlers.OnKillFocus(f.mouse, 2, "macro_delay"));
    EXPECT_TRUE(f.handlers.OnClick(f.mouse, 2, "BULLET_SELECTED_NEXT"));
    EXPECT_EQ(f.panel->CurrentBullet(), 1);
}

TEST(ShootFileDialog, PatternsMatchEverySpellingOfTheExtension) {
    EXPECT_EQ(ui::CaseInsensitivePattern("*.shoot"), "*.[sS][hH][oO][oO][tT]");
    EXPECT_EQ(ui::CaseInsensitivePattern("*.[ch]"), "*.[ch]");
    EXPECT_EQ(ui::CaseInsensitivePattern("*.*"), "*.*");
    const std::string filter = ui::CaseInsensitiveFilter("Shoot Files(*.shoot)");
    EXPECT_EQ(filter, "Shoot Files(*.[sS][hH][oO][oO][tT])");
    const std::vector<std::string> patterns = ui::FilterPatterns(filter);
    ASSERT_EQ(patterns.size(), 1u);
    // As a desktop's case-sensitive glob reads it.
    for (const char* name : {"B.Shoot", "A.SHOOT", "c.shoot", "x y.sHoOt"})
        EXPECT_EQ(fnmatch(patterns[0].c_str(), name, 0), 0) << name;
    for (const char* name : {"B.shot", "B.shoot.bak", "Bshoot", "B.json"})
        EXPECT_NE(fnmatch(patterns[0].c_str(), name, 0), 0) << name;
    EXPECT_EQ(ui::FilterPatterns("Profiles (*.json;*.JSON *.bak)"),
              (std::vector<std::string>{"*.json", "*.JSON", "*.bak"}));
}

TEST(ShootFileDialog, ASavedNameWithoutExtensionGetsTheFiltersOne) {
    EXPECT_EQ(ui::DefaultSuffixOf({"Shoot Files(*.shoot)"}), "shoot");
    EXPECT_EQ(ui::DefaultSuffixOf({"All (*.*)"}), "");
    EXPECT_EQ(ui::DefaultSuffixOf({}), "");
    EXPECT_EQ(ui::WithDefaultSuffix("/home/u/recoil", "shoot"), "/home/u/recoil.shoot");
    EXPECT_EQ(ui::WithDefaultSuffix("/home/u/recoil.Shoot", "shoot"), "/home/u/recoil.Shoot");
    EXPECT_EQ(ui::WithDefaultSuffix("/home/u.d/recoil", "shoot"), "/home/u.d/recoil.shoot");
    EXPECT_EQ(ui::WithDefaultSuffix("/home/u/.recoil", "shoot"), "/home/u/.recoil.shoot");
    EXPECT_EQ(ui::WithDefaultSuffix("", "shoot"), "");
    // Through the library's save dialog, whatever answers it.
    ui::headless::HeadlessBackend backend;
    backend.Install();
    ui::ScriptedFileDialog scripted;
    ui::SetFileDialog(&scripted);
    scripted.Answer("/tmp/recoil");
    scripted.Answer("");
    EXPECT_EQ(ui::ShowSaveFileDialog(nullptr, "t", {"Shoot Files(*.shoot)"}), "/tmp/recoil.shoot");
    EXPECT_EQ(scripted.Requests().back().defaultSuffix, "shoot");
    EXPECT_EQ(ui::ShowSaveFileDialog(nullptr, "t", {"Shoot Files(*.shoot)"}), "");
    ui::SetFileDialog(nullptr);
}

}  // namespace
}  // namespace shoottest
