// The palette's colour file and its colour arithmetic, without a window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "profile/JsonFile.h"
#include "windows/ColorOptionChannels.h"
#include "windows/ColorOptionFile.h"

namespace {

namespace fs = std::filesystem;
using windows::CColourOptionFile;
using windows::ColourSlot;

class ColourOptionFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("t418-colour-file-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    static std::string DefaultCopy() {
        return std::string(T418_RESOURCES_DIR) + "/DefaultData/color_option_info.config";
    }

    fs::path dir_;
};

TEST(ColourFormat, EightUpperCaseHexDigitsAlphaFirst) {
    EXPECT_EQ(windows::FormatOptionColour(0xFF00FF00), "FF00FF00");
    EXPECT_EQ(windows::FormatOptionColour(0x0A0B0C0D), "0A0B0C0D");
    EXPECT_EQ(windows::FormatOptionColour(0), "00000000");

    EXPECT_EQ(windows::ParseOptionColour("FF00FF00"), 0xFF00FF00u);
    EXPECT_EQ(windows::ParseOptionColour("ff4c8dff"), 0xFF4C8DFFu);
    for (const char* bad : {"", "FF00FF0", "FF00FF000", "GG00FF00", " FF00FF0", "FF00FF0 ",
                            "0xFF00FF", "-F00FF00", "FF00\xC3\xA9" "F0"})
        EXPECT_FALSE(windows::ParseOptionColour(bad).has_value()) << bad;
}

TEST(TypedChannel, LimitedToZeroTo255AndTheEditShowsTheValueUsed) {
    struct Case {
        const char* typed;
        int value;
        bool corrected;
    };
    for (const Case& c :
         {Case{"0", 0, false}, Case{"128", 128, false}, Case{"255", 255, false},
          Case{"300", 255, true}, Case{"256", 255, true}, Case{"", 0, true}, Case{"-5", 0, true},
          Case{"-300", 0, true}, Case{"+7", 7, true}, Case{" 42", 42, true}, Case{"abc", 0, true},
          Case{"12ab", 12, true}, Case{"99999999999999999999", 255, true}, Case{"007", 7, true}}) {
        windows::TypedChannel channel = windows::ReadTypedChannel(c.typed);
        EXPECT_EQ(channel.value, c.value) << '"' << c.typed << '"';
        EXPECT_EQ(channel.text, std::to_string(c.value)) << '"' << c.typed << '"';
        EXPECT_EQ(channel.corrected, c.corrected) << '"' << c.typed << '"';
    }
    EXPECT_EQ(windows::OpaqueColour(0x12, 0x34, 0x56), 0xFF123456u);
    EXPECT_EQ(windows::RedOf(0xFF123456), 0x12);
    EXPECT_EQ(windows::GreenOf(0xFF123456), 0x34);
    EXPECT_EQ(windows::BlueOf(0xFF123456), 0x56);
}

TEST_F(ColourOptionFileTest, DefaultCopyHoldsTwentyOpaquePresetsAndTwentyEmptySlots) {
    CColourOptionFile file;
    ASSERT_TRUE(file.Load(Path("user.config"), DefaultCopy()));
    for (int n = 0; n < windows::kColourOptionCount; ++n) {
        ASSERT_TRUE(file.PresetColour(n).has_value()) << n;
        EXPECT_EQ(*file.PresetColour(n) >> 24, 0xFFu) << n;
        ASSERT_TRUE(file.Slot(n).has_value()) << n;
        EXPECT_FALSE(file.Slot(n)->IsFilled()) << n;
    }
    EXPECT_EQ(file.PresetSelection(), 4);
    // The default copy became the user's copy, byte for byte as the program writes it.
    EXPECT_TRUE(fs::exists(Path("user.config")));
    EXPECT_EQ(profile::StyledJsonText(profile::LoadJsonFile(Path("user.config"))),
              profile::StyledJsonText(file.Document()));
}

TEST_F(ColourOptionFileTest, UnusableUserCopyFallsBackToTheDefaultAndNoCopyLeavesItEmpty) {
    for (const char* broken : {"{ not json", "[1, 2, 3]", "\"text\"", ""}) {
        Write("user.config", broken);
        CColourOptionFile file;
        EXPECT_TRUE(file.Load(Path("user.config"), DefaultCopy())) << broken;
        EXPECT_TRUE(file.PresetColour(0).has_value()) << broken;
        EXPECT_TRUE(profile::LoadJsonFile(Path("user.config")).isObject())
            << "the default copy replaced it: " << broken;
    }

    CColourOptionFile none;
    EXPECT_FALSE(none.Load(Path("missing.config"), Path("no-default.config")));
    EXPECT_FALSE(none.PresetColour(0).has_value());
    EXPECT_FALSE(none.Slot(0).has_value());
    EXPECT_FALSE(none.PresetSelection().has_value());
    // Saving still gives the user a well-formed copy.
    none.SetSlot(3, ColourSlot{0xFF00FF00, "1"});
    none.SetSlotSelection(3);
    ASSERT_TRUE(none.Save());
    CColourOptionFile again;
    ASSERT_TRUE(again.Load(Path("missing.config"), Path("no-default.config")));
    ASSERT_TRUE(again.Slot(3).has_value());
    EXPECT_EQ(again.Slot(3)->colour, 0xFF00FF00u);
    EXPECT_TRUE(again.Slot(3)->IsFilled());
    EXPECT_EQ(again.SlotSelection(), 3);
}

TEST_F(ColourOptionFileTest, HostileEntriesReadAsMissingAndWritingRepairsTheShape) {
    Write("user.config", R"({ "coloroptioninfo" : {
        "palletDialogcoloroption" : [ { "color" : "FF112233" }, { "color" : "ff0000" },
                                      { "color" : 4278190335 }, "FF445566", null,
                                      { "color" : "FF00FF00", "extra" : [1] } ],
        "palletDialogcoloroption_selectitem" : 25,
        "palletDialogcollectcoloroption" : { "color" : "FF112233" },
        "palletDialogcollectcoloroption_selectitem" : "3",
        "keep_me" : true } })");
    CColourOptionFile file;
    ASSERT_TRUE(file.Load(Path("user.config"), DefaultCopy()));
    EXPECT_EQ(file.PresetColour(0), 0xFF112233u);
    for (int n : {1, 2, 3, 4, 6, 19, 20, -1})
        EXPECT_FALSE(file.PresetColour(n).has_value()) << n;
    EXPECT_EQ(file.PresetColour(5), 0xFF00FF00u);
    EXPECT_FALSE(file.PresetSelection().has_value()) << "25 is no preset";
    EXPECT_FALSE(file.SlotSelection().has_value()) << "a string is no index";
    for (int n = 0; n < windows::kColourOptionCount; ++n)
        EXPECT_FALSE(file.Slot(n).has_value()) << "the slots are no array";

    for (int n = 0; n < windows::kColourOptionCount; ++n) {
        file.SetPresetColour(n, 0xFF000000u + static_cast<uint32_t>(n));
        file.SetSlot(n, ColourSlot{0xFFABCDEFu, n == 7 ? "1" : ""});
    }
    file.SetPresetColour(20, 0xFF123456);  // out of range: nothing
    file.SetSlotSelection(-1);
    ASSERT_TRUE(file.Save());

    Json::Value saved = profile::LoadJsonFile(Path("user.config"));
    const Json::Value& root = saved["coloroptioninfo"];
    EXPECT_TRUE(root["keep_me"].asBool()) << "other members survive";
    EXPECT_EQ(root["palletDialogcoloroption"].size(), 20u);
    EXPECT_EQ(root["palletDialogcollectcoloroption"].size(), 20u);
    EXPECT_EQ(root["palletDialogcoloroption"][2]["color"].asString(), "FF000002");
    EXPECT_EQ(root["palletDialogcoloroption"][3]["color"].asString(), "FF000003")
        << "a string element became an object";
    EXPECT_EQ(root["palletDialogcollectcoloroption"][7]["UserData"].asString(), "1");
    EXPECT_EQ(root["palletDialogcollectcoloroption_selectitem"].asString(), "3")
        << "an invalid selection is not written";
}

TEST_F(ColourOptionFileTest, WrongRootTypesAndWrongMemberTypesNeverThrow) {
    for (const char* text :
         {R"({ "coloroptioninfo" : "text" })", R"({ "coloroptioninfo" : [ 1, 2 ] })",
          R"({ "coloroptioninfo" : { "palletDialogcoloroption" : 5,
               "palletDialogcollectcoloroption" : [ 1, "x", [ ], { "color" : null },
               { "color" : "FF00FF00", "UserData" : 1 } ],
               "palletDialogcoloroption_selectitem" : true } })"}) {
        Write("user.config", text);
        CColourOptionFile file;
        ASSERT_TRUE(file.Load(Path("user.config"), DefaultCopy())) << text;
        EXPECT_FALSE(file.PresetColour(0).has_value()) << text;
        EXPECT_FALSE(file.PresetSelection().has_value()) << text;
        for (int n = 0; n < 4; ++n)
            EXPECT_FALSE(file.Slot(n).has_value()) << text;
        file.SetPresetSelection(2);
        file.SetSlot(0, ColourSlot{0xFF010203, "1"});
        EXPECT_TRUE(file.Save()) << text;
        CColourOptionFile again;
        ASSERT_TRUE(again.Load(Path("user.config"), DefaultCopy()));
        EXPECT_EQ(again.PresetSelection(), 2) << text;
        EXPECT_EQ(again.Slot(0)->colour, 0xFF010203u) << text;
    }
    // A slot whose UserData is no string holds a colour but counts as empty.
    CColourOptionFile last;
    Write("user.config", R"({ "coloroptioninfo" : { "palletDialogcollectcoloroption" : [
        { "color" : "FF00FF00", "UserData" : 1 } ] } })");
    ASSERT_TRUE(last.Load(Path("user.config"), DefaultCopy()));
    ASSERT_TRUE(last.Slot(0).has_value());
    EXPECT_FALSE(last.Slot(0)->IsFilled());
}

}  // namespace
