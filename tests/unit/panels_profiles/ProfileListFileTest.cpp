// The profile list file and its profile files on disk: what every operation leaves behind,
// and files that are not what they should be.
#include <gtest/gtest.h>

#include <filesystem>

#include "panels/profiles/ProfileListFile.h"
#include "platform/Trace.h"
#include "tests/unit/panels_profiles/ProfileFolder.h"

namespace {

using panels::ProfileListFile;
using Result = ProfileListFile::Result;
using profiles_test::ProfileFolder;

class ProfileList : public ::testing::Test {
  protected:
    // Identifiers that count up, so that tests know them; `same` gives one name every time,
    // as the timestamp does within one millisecond.
    ProfileListFile MakeList(bool same = false) {
        return ProfileListFile(folder.User(), folder.DefaultDocument(), [this, same] {
            return same ? std::string("2024_01_01_00_00_00_000") : "id" + std::to_string(++next);
        });
    }
    std::vector<std::string> Names(ProfileListFile& list) {
        list.Load();
        return list.Names();
    }

    ProfileFolder folder;
    int next = 0;
};

TEST_F(ProfileList, TheFirstLoadMakesProfile1FromTheDefaultDocument) {
    ProfileListFile list = MakeList();
    ASSERT_TRUE(list.Load());
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Entries()[0].name, "Profile1");
    EXPECT_EQ(list.SelectedId(), "id1");
    const Json::Value stored = folder.List();
    EXPECT_EQ(stored["profileselect"].asInt(), 0);
    EXPECT_EQ(stored["profilelist"][0]["profileislink"].asInt(), 0);
    EXPECT_EQ(stored["profilelist"][0]["profilelinkmame"].asString(), "");
    const Json::Value file = folder.Profile("id1");
    EXPECT_EQ(file["profilename"].asString(), "Profile1");
    EXPECT_EQ(file["profileUUID"].asString(), "id1");
    EXPECT_EQ(file["Device"][0]["DPIStages"]["StageActive"].asInt(), 2);
    // A list read again is kept as it is.
    ProfileListFile again = MakeList();
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.SelectedId(), "id1");
}

TEST_F(ProfileList, UnusableListsAreReplacedAndBadEntriesDropped) {
    for (const char* text : {"", "[1,2]", "{\"profilelist\": 7}", "{\"profilelist\": []}", "{"}) {
        folder.WriteText(folder.ListPath(), text);
        ProfileListFile list = MakeList();
        ASSERT_TRUE(list.Load()) << text;
        ASSERT_EQ(list.Count(), 1) << text;
        EXPECT_EQ(list.Entries()[0].name, "Profile1") << text;
    }
    // Identifiers that would name files elsewhere, duplicates and non-objects go; a name
    // that is not text becomes the identifier.
    folder.WriteText(folder.ListPath(),
                     R"({"profileselect": 1, "profilelist": [
                          {"profilename": "A", "profileUUID": "../../evil"},
                          {"profilename": "B", "profileUUID": "b1"},
                          3,
                          {"profilename": 12, "profileUUID": "c1"},
                          {"profilename": "D", "profileUUID": "B1"},
                          {"profilename": "E"}]})");
    ProfileListFile list = MakeList();
    ASSERT_TRUE(list.Load());
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Entries()[0].name, "B");
    EXPECT_EQ(list.Entries()[1].name, "c1");
    EXPECT_EQ(list.Selected(), 1);
    EXPECT_EQ(folder.List()["profilelist"].size(), 2u) << "the list is written back clean";
}

TEST_F(ProfileList, SelectionIgnoresNoChoiceAndClampsAStoredOneOutsideTheList) {
    ProfileListFile list = MakeList();
    list.Load();
    list.Add();
    ASSERT_TRUE(list.Select(0));
    const std::string before = folder.ListBytes();
    EXPECT_FALSE(list.Select(-1));
    EXPECT_FALSE(list.Select(2));
    EXPECT_EQ(folder.ListBytes(), before);
    EXPECT_EQ(list.Selected(), 0);

    for (int stored : {2, 99, -3}) {
        Json::Value doc = folder.List();
        doc["profileselect"] = stored;
        profile::WriteJsonFile(folder.ListPath(), doc);
        ProfileListFile again = MakeList();
        again.Load();
        EXPECT_EQ(again.Selected(), 0) << stored;
        EXPECT_EQ(again.SelectedId(), "id1") << stored;
    }
}

TEST_F(ProfileList, AddNamesAndSelectsTheNewProfileUpToFifty) {
    ProfileListFile list = MakeList();
    list.Load();
    ProfileListFile::Outcome added = list.Add();
    ASSERT_EQ(added.result, Result::kDone);
    EXPECT_EQ(added.name, "profile2");
    EXPECT_EQ(added.index, 1);
    EXPECT_EQ(list.Selected(), 1);
    EXPECT_EQ(folder.List()["profileselect"].asInt(), 1);
    EXPECT_EQ(folder.Profile(list.SelectedId())["Device"][0]["DPIStages"]["StageActive"].asInt(),
              2);
    while (list.Count() < 49)
        ASSERT_EQ(list.Add().result, Result::kDone);
    EXPECT_EQ(list.Add().result, Result::kDone) << "the 50th";
    const std::string before = folder.ListBytes();
    const size_t files = folder.UserFileCount();
    EXPECT_EQ(list.Add().result, Result::kFull);
    EXPECT_EQ(list.Copy(0).result, Result::kFull);
    EXPECT_EQ(folder.ListBytes(), before);
    EXPECT_EQ(folder.UserFileCount(), files);
}

TEST_F(ProfileList, IdentifiersMadeInOneMillisecondStillNameNewFiles) {
    ProfileListFile list = MakeList(true);
    list.Load();
    // A file left behind by an earlier list must not be overwritten either.
    folder.WriteText(folder.User() + "2024_01_01_00_00_00_000_3.Json", "{\"keep\": 1}");
    ASSERT_EQ(list.Add().result, Result::kDone);
    ASSERT_EQ(list.Copy(0).result, Result::kDone);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Entries()[0].id, "2024_01_01_00_00_00_000");
    EXPECT_EQ(list.Entries()[1].id, "2024_01_01_00_00_00_000_2");
    EXPECT_EQ(list.Entries()[2].id, "2024_01_01_00_00_00_000_4");
    EXPECT_EQ(folder.Profile("2024_01_01_00_00_00_000_3")["keep"].asInt(), 1);
}

TEST_F(ProfileList, CopyTakesTheFileAndKeepsTheSelection) {
    ProfileListFile list = MakeList();
    list.Load();
    list.Rename(0, "Work");
    Json::Value work = folder.Profile("id1");
    work["Device"][0]["DPIStages"]["StageActive"] = 5;
    profile::WriteJsonFile(folder.User() + "id1.Json", work);
    EXPECT_EQ(list.Copy(0).name, "Work copy");
    EXPECT_EQ(list.Copy(0).name, "Work copy copy");
    EXPECT_EQ(list.Selected(), 0);
    const Json::Value copy = folder.Profile(list.Entries()[2].id);
    EXPECT_EQ(copy["profilename"].asString(), "Work copy copy");
    EXPECT_EQ(copy["profileUUID"].asString(), list.Entries()[2].id);
    EXPECT_EQ(copy["Device"][0]["DPIStages"]["StageActive"].asInt(), 5);
}

TEST_F(ProfileList, DeleteSelectsThePreviousProfileAndRemovesTheFile) {
    ProfileListFile list = MakeList();
    list.Load();
    list.Add();
    list.Add();  // id1 id2 id3
    ProfileListFile::Outcome first = list.Delete(0);
    EXPECT_EQ(first.result, Result::kDone);
    EXPECT_EQ(first.index, 0);
    EXPECT_EQ(list.SelectedId(), "id2");
    EXPECT_FALSE(std::filesystem::exists(folder.User() + "id1.Json"));
    list.Add();  // id2 id3 id4
    EXPECT_EQ(list.Delete(2).index, 1);
    EXPECT_EQ(list.SelectedId(), "id3");
    EXPECT_EQ(folder.List()["profileselect"].asInt(), 1);
    list.Delete(1);
    const std::string before = folder.ListBytes();
    EXPECT_EQ(list.Delete(0).result, Result::kRefused) << "the last one stays";
    EXPECT_EQ(list.Delete(-1).result, Result::kRefused);
    EXPECT_EQ(folder.ListBytes(), before);
    EXPECT_TRUE(std::filesystem::exists(folder.User() + "id2.Json"));
}

TEST_F(ProfileList, ImportNamesByTheFileAndCountsOn) {
    ProfileListFile list = MakeList();
    list.Load();
    const std::string path = folder.Outside("Game.json");
    folder.WriteText(path, R"({"profilename": "Game", "profileUUID": "x/../y",
                              "Device": [{"DPIStages": {"StageActive": 6}}]})");
    EXPECT_EQ(list.Import(path).name, "Game");
    EXPECT_EQ(list.Import(path).name, "Game(1)");
    ProfileListFile::Outcome third = list.Import(path);
    EXPECT_EQ(third.name, "Game(2)");
    EXPECT_EQ(list.Selected(), 0);
    const Json::Value file = folder.Profile(list.Entries()[third.index].id);
    EXPECT_EQ(file["profilename"].asString(), "Game(2)");
    EXPECT_EQ(file["profileUUID"].asString(), list.Entries()[third.index].id);
    EXPECT_EQ(file["Device"][0]["DPIStages"]["StageActive"].asInt(), 6);
}

TEST_F(ProfileList, HostileImportsChangeNothing) {
    ProfileListFile list = MakeList();
    list.Load();
    const std::string before = folder.ListBytes();
    const size_t files = folder.UserFileCount();
    struct Case {
        const char* text;
        Result expected;
    };
    const Case cases[] = {
        {"[1, 2, 3]", Result::kBadFile},
        {"\"profilename\"", Result::kBadFile},
        {R"({"profilename": 5, "profileUUID": "a"})", Result::kBadFile},
        {R"({"profilename": ["x"], "profileUUID": "a"})", Result::kBadFile},
        {R"({"profilename": "Game"})", Result::kBadFile},
        {R"({"profileUUID": "a"})", Result::kBadFile},
        {R"({"profilename": "   ", "profileUUID": "a"})", Result::kBadFile},
        {R"({"profilename": "\u00e9\u00e9", "profileUUID": "a", "x": )", Result::kBadFile},
        {"", Result::kBadFile},
    };
    platform::TraceCapture trace;
    for (const Case& c : cases) {
        const std::string path = folder.Outside("hostile.json");
        folder.WriteText(path, c.text);
        EXPECT_EQ(list.Import(path).result, c.expected) << c.text;
    }
    EXPECT_TRUE(trace.Contains("not a profile file"));
    const std::string longTitle = folder.Outside("seventeen-chars-x.json");
    folder.WriteText(longTitle, R"({"profilename": "Game", "profileUUID": "a"})");
    EXPECT_EQ(list.Import(longTitle).result, Result::kTitleTooLong);
    EXPECT_EQ(list.Import(folder.Outside("missing.json")).result, Result::kBadFile);
    EXPECT_EQ(folder.ListBytes(), before);
    EXPECT_EQ(folder.UserFileCount(), files);
    // Sixteen characters of three bytes each are a title that fits.
    const std::string wide = folder.Outside("一二三四五六七八九十一二三四五六.json");
    folder.WriteText(wide, R"({"profilename": "Wide", "profileUUID": "a"})");
    EXPECT_EQ(list.Import(wide).result, Result::kDone);
}

TEST_F(ProfileList, RenameExportAndResetWorkOnBothFiles) {
    ProfileListFile list = MakeList();
    list.Load();
    list.Add();
    EXPECT_EQ(list.Rename(1, "PROFILE1"), ProfileListFile::RenameResult::kNameUsed);
    EXPECT_EQ(list.Rename(1, " \t"), ProfileListFile::RenameResult::kBlank);
    EXPECT_EQ(list.Rename(1, "profile2"), ProfileListFile::RenameResult::kDone) << "itself";
    EXPECT_EQ(list.Rename(1, "Aim"), ProfileListFile::RenameResult::kDone);
    EXPECT_EQ(folder.List()["profilelist"][1]["profilename"].asString(), "Aim");
    EXPECT_EQ(folder.Profile("id2")["profilename"].asString(), "Aim");

    Json::Value changed = folder.Profile("id2");
    changed["Device"][0]["DPIStages"]["StageActive"] = 4;
    profile::WriteJsonFile(folder.User() + "id2.Json", changed);
    const std::string out = folder.Outside("out.json");
    ASSERT_TRUE(list.Export(1, out));
    EXPECT_EQ(profile::LoadJsonFile(out), changed);
    EXPECT_FALSE(list.Export(5, out));

    ASSERT_TRUE(list.Reset(1));
    const Json::Value reset = folder.Profile("id2");
    EXPECT_EQ(reset["Device"][0]["DPIStages"]["StageActive"].asInt(), 2);
    EXPECT_EQ(reset["profilename"].asString(), "Aim");
    EXPECT_EQ(reset["profileUUID"].asString(), "id2");
}

TEST_F(ProfileList, AFailedWriteLeavesTheListAsItWas) {
    ProfileListFile list = MakeList();
    list.Load();
    const std::string before = folder.ListBytes();
    const size_t files = folder.UserFileCount();
    platform::testing::FailNextAtomicWriteBeforeRename();
    EXPECT_EQ(list.Add().result, Result::kWriteFailed);
    EXPECT_EQ(folder.ListBytes(), before);
    EXPECT_EQ(folder.UserFileCount(), files);
    EXPECT_EQ(Names(list).size(), 1u);
}

}  // namespace
