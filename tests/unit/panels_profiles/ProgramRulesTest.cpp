// The program rules file and pattern matching.
#include <gtest/gtest.h>

#include <filesystem>

#include "panels/profiles/ProgramRules.h"
#include "tests/unit/panels_profiles/ProfileFolder.h"

namespace {

using panels::ProgramRules;
using Change = ProgramRules::Change;

platform::RunningProgram RulesTestProgram(const std::string& name, const std::string& line = {}) {
    platform::RunningProgram program;
    program.pid = 7;
    program.names = {name};
    program.commandLine = line;
    return program;
}

TEST(ProgramPatterns, NamesMatchWholeAndGlobsMatchNameOrCommandLineWithoutCase) {
    const auto game = RulesTestProgram(
        "cs2", "/home/u/.steam/steamapps/common/cs2 -steam AppId=730 steam_app_730");
    EXPECT_TRUE(panels::PatternMatches("cs2", game));
    EXPECT_TRUE(panels::PatternMatches("CS2", game));
    EXPECT_FALSE(panels::PatternMatches("cs", game)) << "a name is not a prefix";
    EXPECT_FALSE(panels::PatternMatches("steam_app_730", game)) << "a name is not the command line";
    EXPECT_TRUE(panels::PatternMatches("*STEAM_APP_730*", game));
    EXPECT_TRUE(panels::PatternMatches("c?2", game));
    EXPECT_TRUE(panels::PatternMatches("[a-c]s[0-9]", game));
    EXPECT_FALSE(panels::PatternMatches("[!c]s2", game));
    EXPECT_FALSE(panels::PatternMatches("*steam_app_731*", game));

    platform::RunningProgram wine = RulesTestProgram("wine64-preloader");
    wine.names.push_back("Game.exe");
    EXPECT_TRUE(panels::PatternMatches("game.exe", wine)) << "any of its names";
}

TEST(ProgramPatterns, GlobsStayFastOnHostileInput) {
    // A naive back-tracking matcher takes exponential time on this.
    const std::string text(4000, 'a');
    const std::string pattern = "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b";
    EXPECT_FALSE(panels::GlobMatches(pattern, text));
    EXPECT_TRUE(panels::GlobMatches("*", ""));
    EXPECT_FALSE(panels::GlobMatches("[abc", "b")) << "an open set is an ordinary '['";
    EXPECT_TRUE(panels::GlobMatches("[abc", "[abc"));
}

TEST(ProgramPatterns, UnusablePatternsAreRefused) {
    EXPECT_EQ(panels::CheckProgramPattern("  "), panels::PatternProblem::kEmpty);
    EXPECT_EQ(panels::CheckProgramPattern(std::string(201, 'a')), panels::PatternProblem::kTooLong);
    EXPECT_EQ(panels::CheckProgramPattern("a\nb"), panels::PatternProblem::kBadText);
    EXPECT_EQ(panels::CheckProgramPattern("\xff\xfe"), panels::PatternProblem::kBadText);
    EXPECT_EQ(panels::CheckProgramPattern("星际"), panels::PatternProblem::kNone);
}

TEST(ProgramRulesFile, LinksAreWrittenReadBackAndRemoved) {
    profiles_test::ProfileFolder folder;
    ProgramRules rules(folder.User());
    ASSERT_TRUE(rules.Load());
    EXPECT_TRUE(rules.Empty()) << "a missing file means no rules";
    EXPECT_EQ(rules.Link("p2", "cs2"), Change::kDone);
    EXPECT_EQ(rules.Link("p2", "*steam_app_730*"), Change::kDone);
    EXPECT_EQ(rules.Link("p2", "CS2"), Change::kUnchanged) << "the same pattern without case";
    EXPECT_EQ(rules.Link("p3", "quake"), Change::kDone);
    EXPECT_EQ(rules.Link("../p3", "quake"), Change::kBadPattern) << "an identifier names a file";

    ProgramRules again(folder.User());
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.PatternsOf("p2"), (std::vector<std::string>{"cs2", "*steam_app_730*"}));
    EXPECT_EQ(again.Unlink("p2", "Cs2"), Change::kDone);
    EXPECT_EQ(again.Unlink("p2", "cs2"), Change::kUnchanged);
    EXPECT_EQ(again.RemoveProfile("p3"), Change::kDone);
    EXPECT_EQ(again.RemoveProfile("p3"), Change::kUnchanged);
    ProgramRules last(folder.User());
    last.Load();
    ASSERT_EQ(last.Rules().size(), 1u);
    EXPECT_EQ(last.Rules()[0].patterns, std::vector<std::string>{"*steam_app_730*"});

    for (int i = 0; i < 40; ++i)
        rules.Link("p4", "game" + std::to_string(i));
    EXPECT_EQ(rules.PatternsOf("p4").size(), panels::kMaxPatternsPerProfile);
    EXPECT_EQ(rules.Link("p4", "one more"), Change::kFull);
}

TEST(ProgramRulesFile, AnUnreadableFileIsKeptAsideAndMeansNoRules) {
    profiles_test::ProfileFolder folder;
    ProgramRules rules(folder.User());
    folder.WriteText(rules.Path(), "{ \"rules\": [ {\"profileUUID\": \"p2\", ");
    EXPECT_FALSE(rules.Load());
    EXPECT_TRUE(rules.Empty());
    EXPECT_FALSE(std::filesystem::exists(rules.Path()));
    size_t kept = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.User()))
        kept += entry.path().string().ends_with(".bad") ? 1 : 0;
    EXPECT_EQ(kept, 1u);
    EXPECT_EQ(rules.Link("p2", "cs2"), Change::kDone) << "a new file replaces it";
}

TEST(ProgramRulesFile, UnusableEntriesAreSkippedAndTheRestKept) {
    profiles_test::ProfileFolder folder;
    ProgramRules rules(folder.User());
    folder.WriteText(rules.Path(), R"({"rules": [
        {"profileUUID": "p2", "programs": ["cs2", 5, "", "a\u0001b"]},
        {"profileUUID": "../../etc", "programs": ["x"]},
        {"profileUUID": "p3", "programs": "quake"},
        "junk",
        {"profileUUID": "p2", "programs": ["dota2", "CS2"]}]})");
    ASSERT_TRUE(rules.Load());
    ASSERT_EQ(rules.Rules().size(), 1u);
    EXPECT_EQ(rules.PatternsOf("p2"), (std::vector<std::string>{"cs2", "dota2"}));
}

}  // namespace
