// The palette's colour file and its colour arithmetic, without a window.
#include <gtest/gtest.h>
#include <unistd.h>

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

const std::string kDefaultCopy =
    std::string(T418_RESOURCES_DIR) + "/DefaultData/color_option_info.config";

class ColourOptionFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("t418-colour-file-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& text) const { std::ofstream(dir_ / "user.config") << text; }

    fs::path dir_;
};

TEST(ColourArithmetic, StoredFormatAndTypedChannels) {
    EXPECT_EQ(windows::FormatOptionColour(0xFF00FF00), "FF00FF00");
    EXPECT_EQ(windows::FormatOptionColour(0x0A0B0C0D), "0A0B0C0D");
    EXPECT_EQ(windows::ParseOptionColour("ff4c8dff"), 0xFF4C8DFFu);
    for (const char* bad : {"", "FF00FF0", "FF00FF000", "GG00FF00", " FF00FF0", "0xFF00FF"})
        EXPECT_FALSE(windows::ParseOptionColour(bad).has_value()) << bad;

    struct Case {
        const char* typed;
        int value;
        bool corrected;
    };
    for (const Case& c : {Case{"128", 128, false}, Case{"255", 255, false}, Case{"300", 255, true},
                          Case{"", 0, true}, Case{"-5", 0, true}, Case{"+7", 7, true},
                          Case{"abc", 0, true}, Case{"99999999999999999999", 255, true}}) {
        windows::TypedChannel channel = windows::ReadTypedChannel(c.typed);
        EXPECT_EQ(channel.value, c.value) << '"' << c.typed << '"';
        EXPECT_EQ(channel.text, std::to_string(c.value)) << '"' << c.typed << '"';
        EXPECT_EQ(channel.corrected, c.corrected) << '"' << c.typed << '"';
    }
    EXPECT_EQ(windows::OpaqueColour(0x12, 0x34, 0x56), 0xFF123456u);
}

TEST_F(ColourOptionFileTest, DefaultCopyStandsInForAMissingOrBrokenUserCopy) {
    for (const char* user : {"", "{ not json", "[1, 2, 3]"}) {
        Write(user);
        CColourOptionFile file;
        ASSERT_TRUE(file.Load(Path("user.config"), kDefaultCopy)) << user;
        for (int n = 0; n < windows::kColourOptionCount; ++n) {
            EXPECT_EQ(file.PresetColour(n).value_or(0) >> 24, 0xFFu) << n;
            EXPECT_FALSE(file.Slot(n).value_or(ColourSlot{0, "1"}).IsFilled()) << n;
        }
        EXPECT_EQ(file.PresetSelection(), 4);
        EXPECT_EQ(profile::StyledJsonText(profile::LoadJsonFile(Path("user.config"))),
                  profile::StyledJsonText(file.Document()))
            << "the default copy became the user's";
    }

    // With neither copy nothing is loaded, and saving gives the user a well-formed file.
    CColourOptionFile none;
    EXPECT_FALSE(none.Load(Path("missing.config"), Path("no-default.config")));
    EXPECT_FALSE(none.PresetColour(0).has_value());
    none.SetSlot(3, ColourSlot{0xFF00FF00, "1"});
    ASSERT_TRUE(none.Save());
    CColourOptionFile again;
    ASSERT_TRUE(again.Load(Path("missing.config"), ""));
    EXPECT_TRUE(again.Slot(3).value_or(ColourSlot{}).IsFilled());
    EXPECT_EQ(again.Slot(3).value_or(ColourSlot{}).colour, 0xFF00FF00u);
}

TEST_F(ColourOptionFileTest, HostileEntriesReadAsMissingAndWritingRepairsTheShape) {
    Write(R"({ "coloroptioninfo" : {
        "palletDialogcoloroption" : [ { "color" : "FF112233" }, { "color" : "ff0000" },
                                      { "color" : 4278190335 }, "FF445566", null ],
        "palletDialogcoloroption_selectitem" : 25,
        "palletDialogcollectcoloroption" : { "color" : "FF112233" },
        "palletDialogcollectcoloroption_selectitem" : "3",
        "keep_me" : true } })");
    CColourOptionFile file;
    ASSERT_TRUE(file.Load(Path("user.config"), kDefaultCopy));
    EXPECT_EQ(file.PresetColour(0), 0xFF112233u);
    for (int n : {1, 2, 3, 4, 5, 20, -1})
        EXPECT_FALSE(file.PresetColour(n).has_value()) << n;
    EXPECT_FALSE(file.PresetSelection().has_value()) << "25 is no preset";
    EXPECT_FALSE(file.SlotSelection().has_value()) << "a string is no index";
    EXPECT_FALSE(file.Slot(0).has_value()) << "the slots are no array";

    for (int n = 0; n < windows::kColourOptionCount; ++n) {
        file.SetPresetColour(n, 0xFF000000u + static_cast<uint32_t>(n));
        file.SetSlot(n, ColourSlot{0xFFABCDEFu, n == 7 ? "1" : ""});
    }
    file.SetSlotSelection(-1);  // not an index: not written
    ASSERT_TRUE(file.Save());

    Json::Value saved = profile::LoadJsonFile(Path("user.config"));
    const Json::Value& root = saved["coloroptioninfo"];
    EXPECT_TRUE(root["keep_me"].asBool()) << "other members survive";
    EXPECT_EQ(root["palletDialogcoloroption"].size(), 20u);
    EXPECT_EQ(root["palletDialogcollectcoloroption"].size(), 20u);
    EXPECT_EQ(root["palletDialogcoloroption"][3]["color"].asString(), "FF000003");
    EXPECT_EQ(root["palletDialogcollectcoloroption"][7]["UserData"].asString(), "1");
    EXPECT_EQ(root["palletDialogcollectcoloroption_selectitem"].asString(), "3");

    // Sections of the wrong type are replaced when written, never thrown on.
    Write(R"({ "coloroptioninfo" : [ 1, 2 ] })");
    CColourOptionFile other;
    ASSERT_TRUE(other.Load(Path("user.config"), kDefaultCopy));
    other.SetPresetSelection(2);
    ASSERT_TRUE(other.Save());
    ASSERT_TRUE(other.Load(Path("user.config"), kDefaultCopy));
    EXPECT_EQ(other.PresetSelection(), 2);
}

}  // namespace
