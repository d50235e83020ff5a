// The session-start entry: its text, written and removed with the user's choice.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/AutostartChoice.h"
#include "platform/Autostart.h"
#include "platform/linux/AutostartEntry.h"

namespace {

namespace fs = std::filesystem;

std::string ExecLine(const std::string& text) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("Exec=", 0) == 0)
            return line;
    }
    return "";
}

TEST(AutostartEntry, StartsTheProgramHiddenAndQuotesOnlyWhatNeedsIt) {
    auto plain = platform::AutostartEntryText("/usr/bin/t418-zen");
    ASSERT_TRUE(plain);
    EXPECT_EQ(ExecLine(*plain), "Exec=env T418_ZEN_START_HIDDEN=1 /usr/bin/t418-zen");
    EXPECT_NE(plain->find("[Desktop Entry]\nType=Application\n"), std::string::npos);

    auto spaced = platform::AutostartEntryText("/home/a b/100%/t418-zen");
    ASSERT_TRUE(spaced);
    EXPECT_EQ(ExecLine(*spaced), "Exec=env T418_ZEN_START_HIDDEN=1 \"/home/a b/100%%/t418-zen\"");

    // What the Exec key cannot carry safely is refused rather than written half-escaped.
    for (const char* bad : {"t418-zen", "", "/tmp/$HOME/t418-zen", "/tmp/a\"b", "/tmp/a\\b",
                            "/tmp/a`b", "/tmp/a\nExec=rm"})
        EXPECT_FALSE(platform::AutostartEntryText(bad)) << bad;
}

class AutostartChoiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("t418-autostart-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

TEST_F(AutostartChoiceTest, TheChoiceWritesAndRemovesTheEntry) {
    const fs::path entry = folder_ / "autostart" / "t418-zen.desktop";
    EXPECT_EQ(platform::AutostartEntryPath(), entry.string());
    EXPECT_FALSE(app::AutostartChosen());
    EXPECT_FALSE(platform::IsAutostartOn());

    ASSERT_TRUE(app::ChooseAutostart(true, "/opt/t418/bin/t418-zen"));
    EXPECT_TRUE(app::AutostartChosen());
    ASSERT_TRUE(fs::exists(entry));
    std::ifstream in(entry);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(ExecLine(text), "Exec=env T418_ZEN_START_HIDDEN=1 /opt/t418/bin/t418-zen");

    ASSERT_TRUE(app::ChooseAutostart(false, "/opt/t418/bin/t418-zen"));
    EXPECT_FALSE(app::AutostartChosen());
    EXPECT_FALSE(fs::exists(entry));
    // Off twice is still off.
    EXPECT_TRUE(app::ChooseAutostart(false, "/opt/t418/bin/t418-zen"));
}

TEST_F(AutostartChoiceTest, AnEntryThatCannotBeWrittenLeavesTheChoiceAlone) {
    // A file where the autostart folder should be.
    std::ofstream(folder_ / "autostart") << "x";
    EXPECT_FALSE(app::ChooseAutostart(true, "/usr/bin/t418-zen"));
    EXPECT_FALSE(app::AutostartChosen());
    EXPECT_FALSE(app::ChooseAutostart(true, "relative/t418-zen"));
    EXPECT_FALSE(app::AutostartChosen());
}

}  // namespace
