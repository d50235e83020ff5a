// The pure rules of the main window: DPI, language and fonts, tray menu placement, the
// work-tool record, the desktop's settings programs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../platform/TestFolders.h"
#include "app/DeviceSettingsProgram.h"
#include "app/DpiRule.h"
#include "app/LanguageRules.h"
#include "app/TrayMenuPlacement.h"
#include "app/WorkToolRecord.h"
#include "ui/shell/MenuWnd.h"

namespace app {
namespace {

TEST(DpiRule, LargeScreensGet144) {
    EXPECT_EQ(DpiForScreen(1920, 1080), 144);
    EXPECT_EQ(DpiForScreen(1280, 1024), 96);
    EXPECT_EQ(DpiForScreen(1501, 961), 144);
    EXPECT_EQ(DpiForScreen(1500, 1200), 96);
    EXPECT_EQ(DpiForScreen(2560, 960), 96);
    for (int dpi : {48, 72, 96, 120, 144, 168, 192})
        EXPECT_TRUE(IsAcceptedDpi(dpi)) << dpi;
    for (int dpi : {0, -96, 24, 100, 216, 97})
        EXPECT_FALSE(IsAcceptedDpi(dpi)) << dpi;
}

const char* kLanguages = R"({"Language": [
  {"Language_ID": 2052, "Language_name": "cn", "Language_file": "lan_cn.xml"},
  {"Language_ID": 1033, "Language_name": "en", "Language_file": "lan_en.xml"},
  {"Language_ID": "x", "Language_name": "bad", "Language_file": "lan_bad.xml"},
  {"Language_ID": 1041, "Language_name": "jp", "Language_file": "lan_jp.xml"}
]})";

TEST(LanguageRules, StartupIndexFollowsTheRegistryId) {
    LanguageList list = ParseLanguageConfig(kLanguages);
    ASSERT_EQ(list.entries.size(), 4u);
    EXPECT_EQ(StartupLanguageIndex(list, 1033u), 1);
    EXPECT_EQ(StartupLanguageIndex(list, 1041u), 3);  // a broken entry still counts its place
    EXPECT_EQ(StartupLanguageIndex(list, 9999u), 0);  // an ID no entry carries
    EXPECT_EQ(StartupLanguageIndex(list, std::nullopt), 0);
    EXPECT_EQ(StartupLanguageIndex(ParseLanguageConfig("not json"), 1033u), 0);
    EXPECT_EQ(list.At(2), nullptr);
    EXPECT_EQ(list.At(4), nullptr);
    EXPECT_EQ(list.At(-1), nullptr);
    ASSERT_NE(list.At(1), nullptr);
    EXPECT_EQ(list.At(1)->file, "lan_en.xml");
    EXPECT_TRUE(ParseLanguageConfig(R"({"Language": 5})").entries.empty());
    EXPECT_TRUE(ParseLanguageConfig("[]").entries.empty());
}

TEST(LanguageRules, FontFacesAndWhenTheyAreReplaced) {
    EXPECT_EQ(FontFaceForLanguage(15), "Noto Sans Thai");
    EXPECT_EQ(FontFaceForLanguage(0), "汉仪菱心体简");
    EXPECT_EQ(FontFaceForLanguage(2), "Noto Sans CJK TC Regular");
    EXPECT_EQ(FontFaceForLanguage(3), "Verdana Unicode MS");
    EXPECT_TRUE(LanguageChangeReplacesFonts(3, 15));
    EXPECT_FALSE(LanguageChangeReplacesFonts(4, 3));
    EXPECT_TRUE(LanguageChangeReplacesFonts(4, -1));
    EXPECT_TRUE(LanguageChangeReplacesFonts(2, 4));
    auto set = LanguageFontSet();
    ASSERT_EQ(set.size(), 14u);
    EXPECT_EQ(set[0].id, 0);
    EXPECT_EQ(set[0].size, 15);
    EXPECT_EQ(set[1].id, -1);
    EXPECT_TRUE(set[2].bold);
    EXPECT_EQ(set.back().id, 50);
    EXPECT_TRUE(set.back().bold);
}

TEST(TrayMenuPlacement, AwayFromThePanel) {
    const ui::Rect work{0, 30, 1920, 1040};  // panels at the top (30) and the bottom (40)
    auto at = [&](int x, int y) { return PlaceTrayMenu(ui::Point{x, y}, work); };
    TrayMenuPlace top = at(1800, 10);
    EXPECT_EQ(top.point.x, 1800);
    EXPECT_EQ(top.point.y, 30);
    EXPECT_EQ(top.alignment, ui::eMenuAlignment_Right | ui::eMenuAlignment_Top);
    TrayMenuPlace bottom = at(1800, 1060);
    EXPECT_EQ(bottom.point.y, 1020);
    EXPECT_EQ(bottom.alignment, ui::eMenuAlignment_Right | ui::eMenuAlignment_Bottom);
    TrayMenuPlace inside = at(500, 500);
    EXPECT_EQ(inside.point.x, 500);
    EXPECT_EQ(inside.alignment, ui::eMenuAlignment_Left | ui::eMenuAlignment_Top);

    const ui::Rect side{48, 0, 1872, 1080};  // panels at the left and the right
    TrayMenuPlace left = PlaceTrayMenu(ui::Point{10, 900}, side);
    EXPECT_EQ(left.point.x, 48);
    EXPECT_EQ(left.point.y, 900);
    EXPECT_EQ(left.alignment, ui::eMenuAlignment_Left | ui::eMenuAlignment_Bottom);
    TrayMenuPlace right = PlaceTrayMenu(ui::Point{1900, 900}, side);
    EXPECT_EQ(right.point.x, 1872);
    EXPECT_EQ(right.alignment, ui::eMenuAlignment_Right | ui::eMenuAlignment_Bottom);
    // No work area known: at the cursor.
    EXPECT_EQ(TaskbarEdgeAt(ui::Point{5, 5}, ui::Rect{}), TaskbarEdge::None);
}

TEST(WorkToolRecord, ByteForByte) {
    auto record = BuildWorkToolRecord(ProgramDeviceTypes());
    ASSERT_EQ(record.size(), 1024u);
    const uint8_t head[] = {2,    0,    0, 0, 3,    0,    0, 0, 0,    0,    0, 0, 2,    0,    0, 0,
                            4,    0,    0, 0,  // four device types
                            0x0F, 0x32, 0, 0, 0xA4, 0x22, 0, 0, 2,    0,    0, 0, 0x0F, 0x32, 0, 0,
                            0,    0,    0, 0, 1,    0,    0, 0, 0x0F, 0x32, 0, 0, 0x04, 0x10, 0, 0,
                            3,    0,    0, 0, 0x76, 0x0C, 0, 0, 0x30, 0x16, 0, 0, 7,    0,    0, 0};
    for (size_t i = 0; i < sizeof(head); ++i)
        EXPECT_EQ(record[i], head[i]) << i;
    for (size_t i = sizeof(head); i < record.size(); ++i)
        ASSERT_EQ(record[i], 0) << i;
    // Negative values and a table too long for the record.
    std::vector<DeviceTypeIds> many(400, DeviceTypeIds{-1, 1, 2});
    auto full = BuildWorkToolRecord(many);
    EXPECT_EQ(full[16], 83);  // (256 - 5) / 3 rows fit
    EXPECT_EQ(full[20], 0xFF);
    EXPECT_EQ(full[23], 0xFF);
}

TEST(DeviceSettingsProgram, FirstInstalledCandidate) {
    t418test::TempFolder temp;
    const std::filesystem::path folder = temp.path();
    std::filesystem::create_directories(folder / "a");
    std::filesystem::create_directories(folder / "b");
    const std::string path = (folder / "a").string() + ":" + (folder / "b").string();
    EXPECT_FALSE(FindDeviceSettingsProgram(1, path));
    std::ofstream(folder / "b" / "xfce4-mouse-settings") << "#!/bin/sh\n";
    auto mouse = FindDeviceSettingsProgram(1, path);
    ASSERT_TRUE(mouse);
    EXPECT_EQ(mouse->program, (folder / "b" / "xfce4-mouse-settings").string());
    EXPECT_FALSE(FindDeviceSettingsProgram(0, path));  // that one has no keyboard page
    std::ofstream(folder / "a" / "gnome-control-center") << "#!/bin/sh\n";
    EXPECT_EQ(FindDeviceSettingsProgram(0, path)->parameters, "keyboard");
    EXPECT_EQ(FindDeviceSettingsProgram(1, path)->parameters, "mouse");
    EXPECT_FALSE(FindDeviceSettingsProgram(2, path));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace app
