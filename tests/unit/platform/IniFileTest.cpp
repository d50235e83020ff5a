// The private-profile stand-in: one key changes, everything else in the file stays, names
// compare without case, bad input and unreadable files change nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestFolders.h"
#include "platform/FileIO.h"
#include "platform/IniFile.h"

namespace {

using platform::FindIniString;
using platform::SetIniString;

std::string IniRead(const std::string& path) {
    std::string text;
    platform::ReadWholeFile(path, text);
    return text;
}

TEST(IniFile, AKeyIsReplacedInPlaceAndEverythingElseStays) {
    const std::string before =
        "; kept comment\n"
        "[Other]\n"
        "IMAGE=other.png\n"
        "\n"
        "[SKINIMAGE]\n"
        "FLAGS=0\n"
        "IMAGE = old.png\n"
        "Extra=1\n"
        "\n"
        "[Last]\n"
        "k=v\n";
    auto after = SetIniString(before, "skinimage", "image", "common/skin/ember.png");
    ASSERT_TRUE(after);
    EXPECT_EQ(*after,
              "; kept comment\n[Other]\nIMAGE=other.png\n\n[SKINIMAGE]\nFLAGS=0\n"
              "image=common/skin/ember.png\nExtra=1\n\n[Last]\nk=v\n");
    // A new key goes after the section's last key, above the blank line before the next one.
    after = SetIniString(before, "SKINIMAGE", "NEW", "x");
    ASSERT_TRUE(after);
    EXPECT_NE(after->find("Extra=1\nNEW=x\n\n[Last]"), std::string::npos) << *after;
    // A new section goes at the end; a last line without its line end gets one.
    after = SetIniString("[A]\nk=v", "B", "FLAGS", "1");
    EXPECT_EQ(*after, "[A]\nk=v\n[B]\nFLAGS=1\n");
    EXPECT_EQ(*SetIniString("", "SKINIMAGE", "FLAGS", "1"), "[SKINIMAGE]\nFLAGS=1\n");
}

TEST(IniFile, WindowsLineEndsAndAByteOrderMarkSurviveAWrite) {
    const std::string bom = "\xEF\xBB\xBF";
    auto after = SetIniString(bom + "[S]\r\nA=1\r\n", "S", "B", "2");
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, bom + "[S]\r\nA=1\r\nB=2\r\n");
    EXPECT_EQ(FindIniString(*after, "s", "b"), "2");
    after = SetIniString(*after, "S", "A", "9");
    EXPECT_EQ(*after, bom + "[S]\r\nA=9\r\nB=2\r\n");
}

TEST(IniFile, ReadsTheFirstSectionAndKeyOfANameWithoutCase) {
    const std::string text =
        "[skinimage]\n  flags =  1  \n;IMAGE=commented.png\nIMAGE=a.png\nIMAGE=b.png\n"
        "[SKINIMAGE]\nIMAGE=second-section.png\nONLY=later\n";
    EXPECT_EQ(FindIniString(text, "SKINIMAGE", "FLAGS"), "1");
    EXPECT_EQ(FindIniString(text, "SKINIMAGE", "IMAGE"), "a.png");
    EXPECT_EQ(FindIniString(text, "SKINIMAGE", "ONLY"), std::nullopt)
        << "a repeated section is not read";
    EXPECT_EQ(FindIniString(text, "SKIN", "FLAGS"), std::nullopt);
    EXPECT_EQ(FindIniString("FLAGS=1\n", "SKINIMAGE", "FLAGS"), std::nullopt)
        << "a key before any section belongs to none";
    EXPECT_EQ(FindIniString("[SKINIMAGE]\nFLAGS=\n", "SKINIMAGE", "FLAGS"), "");
}

TEST(IniFile, NamesAndValuesTheFormatCannotHoldAreRefused) {
    for (const std::string& bad : {std::string(), std::string("a]b"), std::string("a\nb"),
                                   std::string(" lead"), std::string("nul\0x", 5)})
        EXPECT_FALSE(SetIniString("", bad, "K", "v")) << bad;
    for (const std::string& bad : {std::string(), std::string("a=b"), std::string(";k"),
                                   std::string("[k"), std::string("k\r"), std::string("trail ")})
        EXPECT_FALSE(SetIniString("", "S", bad, "v")) << bad;
    for (const std::string& bad : {std::string("two\nlines"), std::string("x\r"),
                                   std::string(" lead"), std::string(5000, 'v')})
        EXPECT_FALSE(SetIniString("", "S", "K", bad)) << bad.substr(0, 20);
    EXPECT_TRUE(SetIniString("", "S", "K", "a=b;c [d]"));
    EXPECT_TRUE(SetIniString("", "S", "K", ""));
}

TEST(IniFile, FileWritesAreAtomicAndRefuseToTouchWhatTheyCannotRead) {
    t418test::TempFolder dir;
    const std::string path = dir / "main.ini";
    EXPECT_EQ(platform::ReadIniString(path, "SKINIMAGE", "FLAGS"), std::nullopt);
    ASSERT_TRUE(platform::WriteIniString(path, "SKINIMAGE", "FLAGS", "1"));
    ASSERT_TRUE(platform::WriteIniString(path, "SKINIMAGE", "IMAGE", "common/skin/grid.png"));
    EXPECT_EQ(IniRead(path), "[SKINIMAGE]\nFLAGS=1\nIMAGE=common/skin/grid.png\n");
    EXPECT_EQ(platform::ReadIniString(path, "SKINIMAGE", "IMAGE"), "common/skin/grid.png");

    // Invalid input: the file stays as it was.
    EXPECT_FALSE(platform::WriteIniString(path, "SKINIMAGE", "IMAGE", "a\nFLAGS=1"));
    EXPECT_EQ(IniRead(path), "[SKINIMAGE]\nFLAGS=1\nIMAGE=common/skin/grid.png\n");

    // A failed write leaves the old file whole.
    platform::testing::FailNextAtomicWriteBeforeRename();
    EXPECT_FALSE(platform::WriteIniString(path, "SKINIMAGE", "FLAGS", "0"));
    EXPECT_EQ(platform::ReadIniString(path, "SKINIMAGE", "FLAGS"), "1");

    // A file too large to read is neither read nor replaced by a file without its contents.
    const std::string huge = dir / "huge.ini";
    ASSERT_TRUE(platform::WriteFileAtomic(
        huge, "[SKINIMAGE]\nFLAGS=1\n" + std::string(platform::kMaxIniFileBytes, ';')));
    EXPECT_FALSE(platform::WriteIniString(huge, "SKINIMAGE", "FLAGS", "0"));
    EXPECT_EQ(platform::ReadIniString(huge, "SKINIMAGE", "FLAGS"), std::nullopt);
    EXPECT_GT(std::filesystem::file_size(huge), platform::kMaxIniFileBytes);

    // A folder in the file's place is no file to read or write.
    std::filesystem::create_directory(dir / "folder.ini");
    EXPECT_FALSE(platform::WriteIniString(dir / "folder.ini", "S", "K", "v"));
}

}  // namespace
