// The naming rules: what the list calls new, copied and imported profiles, and which typed
// names are refused.
#include <gtest/gtest.h>

#include "panels/profiles/ProfileNames.h"

namespace {

using namespace panels;

TEST(ProfileNames, NewProfilesCountOnPastTakenNamesWithoutRegardToCase) {
    EXPECT_EQ(NameForNewProfile({}), "Profile1");
    EXPECT_EQ(NameForNewProfile({"Profile1", "profile2"}), "profile3");
    EXPECT_EQ(NameForNewProfile({"PROFILE1", "Profile2", "x"}), "profile3");
    EXPECT_EQ(NameForNewProfile({"profile2"}), "Profile1");
}

TEST(ProfileNames, CopiesAndImportsStayApartFromEveryName) {
    EXPECT_EQ(NameForCopy("Work", {"Work"}), "Work copy");
    EXPECT_EQ(NameForCopy("Work", {"Work", "work COPY"}), "Work copy copy");
    EXPECT_EQ(NameForImport("Game", {"Other"}), "Game");
    EXPECT_EQ(NameForImport("Game", {"Game"}), "Game(1)");
    EXPECT_EQ(NameForImport("Game", {"game", "Game(1)"}), "Game(2)");
}

TEST(ProfileNames, TypedNamesAreCheckedInTheOrderTheUserIsTold) {
    EXPECT_EQ(CheckTypedName(""), NameProblem::kEmpty);
    EXPECT_EQ(CheckTypedName("a/b"), NameProblem::kForbidden);
    // Five three-byte characters are 15 bytes, six are 18.
    EXPECT_EQ(CheckTypedName("配置文件五"), NameProblem::kNone);
    EXPECT_EQ(CheckTypedName("配置文件五六"), NameProblem::kTooLong);
    EXPECT_EQ(CheckTypedName("sixteen-bytes-ok"), NameProblem::kNone);
    EXPECT_EQ(CheckTypedName("seventeen-bytes-x"), NameProblem::kTooLong);
    // Length comes before the character test.
    EXPECT_EQ(CheckTypedName("a very long name / slash"), NameProblem::kTooLong);
    EXPECT_EQ(CheckTypedName("\xC3\x28"), NameProblem::kForbidden) << "not UTF-8";
}

TEST(ProfileNames, ExactlyTheFourteenCharactersAreForbidden) {
    const std::string forbidden = "<>:\" /\\|?#%&*=";
    ASSERT_EQ(forbidden.size(), 14u);
    for (char c : forbidden)
        EXPECT_TRUE(HasForbiddenCharacter(std::string("a") + c + "b")) << c;
    for (char c : std::string("!$'()+,-.;@[]^_`{}~\t"))
        EXPECT_FALSE(HasForbiddenCharacter(std::string("a") + c + "b")) << c;
    EXPECT_TRUE(IsBlankName("\t \r\n"));
    EXPECT_TRUE(IsBlankName("\u3000\u00a0 "));
    EXPECT_FALSE(IsBlankName("\u3000x"));
    EXPECT_FALSE(IsBlankName(" a "));
    EXPECT_EQ(Utf8Length("Game配置"), 6u);
}

TEST(ProfileNames, IdentifiersNeverLeaveTheFolder) {
    EXPECT_TRUE(IsSafeIdentifier("2024_03_05_07_08_09_045"));
    EXPECT_TRUE(IsSafeIdentifier("{AB-12}"));
    for (const char* bad : {"", "../x", "a/b", "a\\b", "C:x", "a.b", "a b"})
        EXPECT_FALSE(IsSafeIdentifier(bad)) << bad;
    EXPECT_FALSE(IsSafeIdentifier(std::string(101, 'a')));
}

}  // namespace
