// The macro list file and the macro files: names, identifiers, import, export, removal.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "panels/macros/MacroFiles.h"
#include "platform/FileIO.h"
#include "profile/FileNames.h"
#include "profile/JsonFile.h"
#include "tests/unit/panels_macros/MacroFolder.h"

namespace {

namespace macros = panels::macros;
using List = macros::MacroList;

std::string ListText(std::initializer_list<std::pair<const char*, const char*>> entries) {
    Json::Value root(Json::objectValue);
    root["MacroInfo"] = Json::Value(Json::arrayValue);
    for (const auto& [name, id] : entries) {
        Json::Value element(Json::objectValue);
        element["MacroName"] = name;
        element["Guid"] = id;
        root["MacroInfo"].append(element);
    }
    return profile::StyledJsonText(root);
}

TEST(MacroList, LoadKeepsEveryElementInItsPlace) {
    macros_test::MacroFolder folder;
    List list(folder.Data());
    EXPECT_FALSE(list.Load());
    EXPECT_EQ(list.Count(), 0u);
    folder.WriteText(folder.Data() + macros::kMacroListFileName, "{\"MacroInfo\": 3}");
    EXPECT_FALSE(list.Load());
    folder.WriteText(folder.Data() + macros::kMacroListFileName,
                     "{\"MacroInfo\": [7, {\"MacroName\": [1], \"Guid\": 5},"
                     " {\"MacroName\": \"jump\", \"Guid\": \"g1\"}]}");
    ASSERT_TRUE(list.Load());
    // Key assignments count macros by position, so unusable elements still take one.
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"", "", "jump"}));
    EXPECT_EQ(list.MacroPath(0), "");
    EXPECT_EQ(list.MacroPath(2), folder.Data() + "g1.mac");
    EXPECT_EQ(list.MacroPath(3), "");
    EXPECT_EQ(list.MacroPath(-1), "");
    EXPECT_TRUE(list.LoadEvents(0).empty());
}

TEST(MacroList, AddTakesTheFirstFreeNumberWithoutRegardToCase) {
    macros_test::MacroFolder folder;
    folder.WriteText(folder.Data() + macros::kMacroListFileName,
                     ListText({{"macro_1", "a"}, {"Macro_2", "b"}}));
    List list(folder.Data());
    ASSERT_TRUE(list.Load());
    const std::optional<macros::MacroEntry> added = list.Add();
    ASSERT_TRUE(added.has_value());
    EXPECT_EQ(added->name, "macro_3");
    List reread(folder.Data());
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.Names(), (std::vector<std::string>{"macro_1", "Macro_2", "macro_3"}));
    EXPECT_EQ(reread.Entries()[2].id, added->id);
    // No file until the first save.
    EXPECT_FALSE(platform::FileExists(list.MacroPath(2)));
}

TEST(MacroList, FiftyMacrosAtMost) {
    macros_test::MacroFolder folder;
    List list(folder.Data());
    std::set<std::string> ids;
    for (size_t i = 0; i < macros::kMaxMacros; ++i) {
        const std::optional<macros::MacroEntry> added = list.Add();
        ASSERT_TRUE(added.has_value());
        ids.insert(added->id);
    }
    EXPECT_EQ(ids.size(), macros::kMaxMacros);
    const std::string before = folder.ReadText(folder.Data() + macros::kMacroListFileName);
    EXPECT_FALSE(list.Add().has_value());
    folder.WriteText(folder.Outside("combo.mac"), "{}");
    EXPECT_EQ(list.Import(folder.Outside("combo.mac")), List::ImportResult::kFull);
    EXPECT_STREQ(List::ImportMessage(List::ImportResult::kFull), "message_text_33");
    EXPECT_EQ(folder.ReadText(folder.Data() + macros::kMacroListFileName), before);
    EXPECT_EQ(folder.DataFileCount(), 1u);
}

// Local time as the identifiers are made from it, a few milliseconds on.
std::string TimestampIn(std::chrono::milliseconds ahead) {
    const auto when = std::chrono::system_clock::now() + ahead;
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    const std::tm local = *std::localtime(&seconds);
    platform::LocalTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    t.millisecond = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() %
        1000);
    return profile::MakeTimestampName(t);
}

TEST(MacroList, IdentifiersNeverCollideNorOverwriteAFile) {
    macros_test::MacroFolder folder;
    // Every identifier the clock can give in the next two seconds is already a file.
    std::set<std::string> existing;
    for (int ms = -5; ms < 2000; ++ms)
        existing.insert(TimestampIn(std::chrono::milliseconds(ms)));
    for (const std::string& id : existing)
        std::ofstream(folder.Data() + id + ".mac") << "keep";
    List list(folder.Data());
    folder.WriteText(folder.Outside("combo.mac"), "imported");
    std::set<std::string> made;
    for (int i = 0; i < 4; ++i) {
        const std::optional<macros::MacroEntry> added = list.Add();
        ASSERT_TRUE(added.has_value());
        made.insert(added->id);
        ASSERT_TRUE(list.SaveEvents(i, {macros::MakeEvent(true, 1, 1, 10)}));
    }
    macros::MacroEntry imported;
    ASSERT_EQ(list.Import(folder.Outside("combo.mac"), &imported), List::ImportResult::kImported);
    made.insert(imported.id);
    EXPECT_EQ(made.size(), 5u);
    for (const std::string& id : made) {
        EXPECT_EQ(existing.count(id), 0u) << id;
        // The clock's identifier was taken, so a suffix was added to it.
        EXPECT_EQ(existing.count(id.substr(0, id.rfind('_'))), 1u) << id;
    }
    for (const std::string& id : existing)
        ASSERT_EQ(folder.ReadText(folder.Data() + id + ".mac"), "keep") << id;
    EXPECT_EQ(folder.ReadText(list.MacroPath(4)), "imported");
}

TEST(MacroList, ImportNamesAndCopiesTheFileAsItIs) {
    macros_test::MacroFolder folder;
    const std::string source = folder.Outside("combo.mac");
    folder.WriteText(source, "{\"Events\": [{\"Type\": 10}], \"MacroName\": \"other\"}\n");
    List list(folder.Data());
    for (const char* expected : {"combo", "combo_1", "combo_1_2"}) {
        macros::MacroEntry entry;
        ASSERT_EQ(list.Import(source, &entry), List::ImportResult::kImported);
        EXPECT_EQ(entry.name, expected);
    }
    List reread(folder.Data());
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.Names(), (std::vector<std::string>{"combo", "combo_1", "combo_1_2"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(folder.ReadText(reread.MacroPath(i)), folder.ReadText(source));
    EXPECT_EQ(reread.LoadEvents(2).size(), 1u);
    EXPECT_EQ(list.Import(folder.Outside("missing.mac")), List::ImportResult::kUnreadable);
}

TEST(MacroList, ImportNameLimitsCountCharacters) {
    macros_test::MacroFolder folder;
    List list(folder.Data());
    const auto import = [&](const std::string& name) {
        folder.WriteText(folder.Outside(name), "{}");
        return list.Import(folder.Outside(name));
    };
    EXPECT_EQ(import("abcdefghijk.mac"), List::ImportResult::kNameTooLong);  // base 11
    EXPECT_EQ(import("abc.0123456789a"), List::ImportResult::kNameTooLong);  // name 15
    // Eleven two-byte letters: 11 characters, refused; ten are 20 bytes and pass.
    EXPECT_EQ(import("\u00e4\u00f6\u00fc\u00df\u00e9\u00e8\u00ea\u00eb\u00ef\u00ee\u00f4.mac"),
              List::ImportResult::kNameTooLong);
    EXPECT_STREQ(List::ImportMessage(List::ImportResult::kNameTooLong), "message_text_37");
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_FALSE(platform::FileExists(folder.Data() + macros::kMacroListFileName));
    EXPECT_EQ(import("abcdefghij.mac"), List::ImportResult::kImported);  // base 10
    EXPECT_EQ(import("abc.0123456789"), List::ImportResult::kImported);  // name 14
    EXPECT_EQ(import("\u00e4\u00f6\u00fc\u00df\u00e9\u00e8\u00ea\u00eb\u00ef\u00ee.mac"),
              List::ImportResult::kImported);
    EXPECT_EQ(list.Names(), (std::vector<std::string>{
                                "abcdefghij", "abc",
                                "\u00e4\u00f6\u00fc\u00df\u00e9\u00e8\u00ea\u00eb\u00ef\u00ee"}));
}

TEST(MacroList, FailedWritesLeaveNothingBehind) {
    macros_test::MacroFolder folder;
    List list(folder.Data());
    ASSERT_TRUE(list.Add().has_value());
    const std::string before = folder.ReadText(folder.Data() + macros::kMacroListFileName);
    platform::testing::FailNextAtomicWriteBeforeRename();
    EXPECT_FALSE(list.Add().has_value());
    EXPECT_EQ(list.Count(), 1u);
    folder.WriteText(folder.Outside("combo.mac"), "{}");
    platform::testing::FailNextAtomicWriteBeforeRename();
    EXPECT_EQ(list.Import(folder.Outside("combo.mac")), List::ImportResult::kWriteFailed);
    platform::testing::FailNextAtomicWriteBeforeRename();
    EXPECT_EQ(list.Rename(0, "jump"), List::RenameResult::kWriteFailed);
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"macro_1"}));
    platform::testing::FailNextAtomicWriteBeforeRename();
    EXPECT_FALSE(list.Remove(0));
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_EQ(folder.ReadText(folder.Data() + macros::kMacroListFileName), before);
    EXPECT_EQ(folder.DataFileCount(), 1u);
}

TEST(MacroList, RenameRefusals) {
    macros_test::MacroFolder folder;
    List list(folder.Data());
    ASSERT_TRUE(list.Add().has_value());
    ASSERT_TRUE(list.Add().has_value());
    EXPECT_EQ(list.Rename(-1, "x"), List::RenameResult::kNoSelection);
    EXPECT_EQ(list.Rename(2, "x"), List::RenameResult::kNoSelection);
    EXPECT_EQ(list.Rename(0, " x"), List::RenameResult::kLeadingSpace);
    EXPECT_EQ(list.Rename(0, ""), List::RenameResult::kEmpty);
    EXPECT_EQ(list.Rename(0, "\t\u3000"), List::RenameResult::kEmpty);
    EXPECT_EQ(list.Rename(0, "macro_1"), List::RenameResult::kTaken);  // its own name
    EXPECT_EQ(list.Rename(0, "MACRO_2"), List::RenameResult::kTaken);
    EXPECT_STREQ(List::RenameMessage(List::RenameResult::kLeadingSpace), "message_text_25");
    EXPECT_STREQ(List::RenameMessage(List::RenameResult::kEmpty), "message_text_5_1");
    EXPECT_STREQ(List::RenameMessage(List::RenameResult::kTaken), "message_text_5");
    EXPECT_STREQ(List::RenameMessage(List::RenameResult::kRenamed), "");
    EXPECT_EQ(list.Rename(1, "jump"), List::RenameResult::kRenamed);
    List reread(folder.Data());
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.Names(), (std::vector<std::string>{"macro_1", "jump"}));
}

TEST(MacroList, RemoveDeletesOnlyItsOwnFile) {
    macros_test::MacroFolder folder;
    folder.WriteText(folder.Outside("victim.mac"), "precious");
    folder.WriteText(folder.Data() + macros::kMacroListFileName,
                     ListText({{"a", "shared"}, {"b", "shared"}, {"c", "../victim"}, {"d", "d1"}}));
    folder.WriteText(folder.Data() + "shared.mac", "{}");
    folder.WriteText(folder.Data() + "d1.mac", "{}");
    List list(folder.Data());
    ASSERT_TRUE(list.Load());
    // The second holder of an identifier and an identifier leaving the folder name no file.
    EXPECT_EQ(list.MacroPath(1), "");
    EXPECT_EQ(list.MacroPath(2), "");
    EXPECT_FALSE(list.SaveEvents(1, {}));
    EXPECT_FALSE(list.SaveEvents(2, {}));
    EXPECT_EQ(list.Export(2, folder.Outside("out.mac")), List::ExportResult::kNotSaved);
    EXPECT_TRUE(list.Remove(2));
    EXPECT_EQ(folder.ReadText(folder.Outside("victim.mac")), "precious");
    EXPECT_TRUE(list.Remove(0));
    EXPECT_TRUE(platform::FileExists(folder.Data() + "shared.mac"));
    EXPECT_EQ(list.MacroPath(0), folder.Data() + "shared.mac");
    EXPECT_TRUE(list.Remove(1));
    EXPECT_FALSE(platform::FileExists(folder.Data() + "d1.mac"));
    EXPECT_FALSE(list.Remove(1));
    List reread(folder.Data());
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.Names(), (std::vector<std::string>{"b"}));
}

TEST(MacroList, ExportCopiesASavedMacroAndLeavesTheTargetOtherwise) {
    macros_test::MacroFolder folder;
    List list(folder.Data());
    ASSERT_TRUE(list.Add().has_value());
    const std::string target = folder.Outside("out.mac");
    folder.WriteText(target, "earlier export");
    EXPECT_EQ(list.Export(0, target), List::ExportResult::kNotSaved);
    EXPECT_EQ(folder.ReadText(target), "earlier export");
    EXPECT_EQ(list.Export(1, target), List::ExportResult::kNoMacro);
    ASSERT_TRUE(list.SaveEvents(0, {macros::MakeEvent(true, 4, 10, 50)}));
    EXPECT_EQ(list.Export(0, target), List::ExportResult::kExported);
    EXPECT_EQ(folder.ReadText(target), folder.ReadText(list.MacroPath(0)));
    EXPECT_EQ(list.Export(0, folder.Outside("no/such/folder/out.mac")),
              List::ExportResult::kWriteFailed);
}

}  // namespace
