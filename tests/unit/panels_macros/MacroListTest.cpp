// The macro list file and the macro files: names, identifiers, import, export, removal.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <set>
#include <string>

#include "panels/macros/MacroFiles.h"
#include "platform/FileIO.h"
#include "profile/FileNames.h"
#include "tests/unit/panels_macros/MacroFolder.h"

namespace {

namespace macros = panels::macros;
using List = macros::MacroList;
using Names = std::vector<std::string>;

TEST(MacroList, AddTakesTheFirstFreeNumberUpToFifty) {
    macros_test::MacroFolder folder;
    folder.Write(folder.Data() + macros::kMacroListFileName,
                 "{\"MacroInfo\": [{\"MacroName\": \"macro_1\", \"Guid\": \"a\"},"
                 " {\"MacroName\": \"Macro_2\", \"Guid\": \"b\"}]}");
    List list(folder.Data());
    ASSERT_TRUE(list.Load());
    const std::optional<macros::MacroEntry> added = list.Add();
    ASSERT_TRUE(added.has_value());
    EXPECT_EQ(added->name, "macro_3");
    EXPECT_FALSE(platform::FileExists(list.MacroPath(2)));  // no file until the first save
    while (list.Count() < macros::kMaxMacros)
        ASSERT_TRUE(list.Add().has_value());
    const std::string before = folder.Read(folder.Data() + macros::kMacroListFileName);
    EXPECT_FALSE(list.Add().has_value());
    folder.Write(folder.Outside("combo.mac"), "{}");
    EXPECT_EQ(list.Import(folder.Outside("combo.mac")), List::ImportResult::kFull);
    EXPECT_EQ(folder.Read(folder.Data() + macros::kMacroListFileName), before);
    List reread(folder.Data());
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.Names(), list.Names());
}

// Local time as identifiers are made from it, some milliseconds from now.
std::string TimestampIn(int ms) {
    static std::time_t lastSeconds = 0;
    static std::tm local{};
    const auto when = std::chrono::system_clock::now() + std::chrono::milliseconds(ms);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    if (seconds != lastSeconds)
        local = *std::localtime(&seconds);
    lastSeconds = seconds;
    const auto sinceEpoch =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch());
    return profile::MakeTimestampName({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                       local.tm_hour, local.tm_min, local.tm_sec,
                                       static_cast<int>(sinceEpoch.count() % 1000)});
}

TEST(MacroList, IdentifiersNeverCollideNorOverwriteAFile) {
    macros_test::MacroFolder folder;
    // Every identifier the clock gives in the next five seconds is a file already.
    std::set<std::string> existing;
    for (int ms = -5; ms < 5000; ++ms)
        existing.insert(TimestampIn(ms));
    for (const std::string& id : existing)
        std::ofstream(folder.Data() + id + ".mac") << "keep";
    List list(folder.Data());
    folder.Write(folder.Outside("combo.mac"), "imported");
    const std::string first = list.Add().value_or(macros::MacroEntry{}).id;
    EXPECT_EQ(existing.count(first.substr(0, first.rfind('_'))), 1u) << first;  // the clock's
    std::set<std::string> made = {first};
    ASSERT_TRUE(list.SaveEvents(0, {macros::MakeEvent(true, 1, 1, 10)}));
    for (int i = 1; i < 3; ++i) {
        made.insert(list.Add().value_or(macros::MacroEntry{}).id);
        ASSERT_TRUE(list.SaveEvents(i, {macros::MakeEvent(true, 1, 1, 10)}));
    }
    macros::MacroEntry imported;
    ASSERT_EQ(list.Import(folder.Outside("combo.mac"), &imported), List::ImportResult::kImported);
    made.insert(imported.id);
    EXPECT_EQ(made.size(), 4u);
    for (const std::string& id : made)
        EXPECT_EQ(existing.count(id), 0u) << id;
    for (const std::string& id : existing)
        ASSERT_EQ(folder.Read(folder.Data() + id + ".mac"), "keep") << id;
}

TEST(MacroList, ImportNamesLimitsAndCopies) {
    macros_test::MacroFolder folder;
    List list(folder.Data());
    const auto import = [&](const std::string& name) {
        folder.Write(folder.Outside(name), "{\"Events\": [{}], \"MacroName\": \"other\"}");
        return list.Import(folder.Outside(name));
    };
    const std::string ten = "\u00e4\u00f6\u00fc\u00df\u00e9\u00e8\u00ea\u00eb\u00ef\u00ee";
    EXPECT_EQ(import("abcdefghijk.mac"), List::ImportResult::kNameTooLong);   // title of 11
    EXPECT_EQ(import("abc.0123456789a"), List::ImportResult::kNameTooLong);   // name of 15
    EXPECT_EQ(import(ten + "\u00f4.mac"), List::ImportResult::kNameTooLong);  // 11 characters
    EXPECT_EQ(import("missing/x.mac"), List::ImportResult::kUnreadable);
    EXPECT_STREQ(List::ImportMessage(List::ImportResult::kNameTooLong), "message_text_37");
    EXPECT_FALSE(platform::FileExists(folder.Data() + macros::kMacroListFileName));
    for (const char* name :
         {"combo.mac", "combo.mac", "combo.mac", "abcdefghij.mac", "abc.0123456789"})
        EXPECT_EQ(import(name), List::ImportResult::kImported) << name;
    EXPECT_EQ(import(ten + ".mac"), List::ImportResult::kImported);  // 20 bytes, 10 characters
    List reread(folder.Data());
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.Names(), (Names{"combo", "combo_1", "combo_1_2", "abcdefghij", "abc", ten}));
    EXPECT_EQ(folder.Read(reread.MacroPath(2)), folder.Read(folder.Outside("combo.mac")));
}

TEST(MacroList, RenameRefusals) {
    macros_test::MacroFolder folder;
    List list(folder.Data());
    ASSERT_TRUE(list.Add() && list.Add());
    EXPECT_EQ(list.Rename(2, "x"), List::RenameResult::kNoSelection);
    EXPECT_EQ(list.Rename(0, " x"), List::RenameResult::kLeadingSpace);
    EXPECT_EQ(list.Rename(0, "\t\u3000"), List::RenameResult::kEmpty);
    EXPECT_EQ(list.Rename(0, "macro_1"), List::RenameResult::kTaken);  // its own name
    EXPECT_EQ(list.Rename(0, "MACRO_2"), List::RenameResult::kTaken);
    EXPECT_STREQ(List::RenameMessage(List::RenameResult::kTaken), "message_text_5");
    EXPECT_EQ(list.Rename(1, "jump"), List::RenameResult::kRenamed);
    List reread(folder.Data());
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.Names(), (Names{"macro_1", "jump"}));
}

TEST(MacroList, EntriesKeepTheirPlaceAndTouchOnlyTheirOwnFile) {
    macros_test::MacroFolder folder;
    folder.Write(folder.Outside("victim.mac"), "precious");
    folder.Write(folder.Data() + macros::kMacroListFileName,
                 "{\"MacroInfo\": [{\"MacroName\": \"a\", \"Guid\": \"shared\"}, 7,"
                 " {\"MacroName\": \"b\", \"Guid\": \"shared\"},"
                 " {\"MacroName\": \"c\", \"Guid\": \"../victim\"}]}");
    folder.Write(folder.Data() + "shared.mac", "{}");
    List list(folder.Data());
    ASSERT_TRUE(list.Load());
    // Key assignments count macros by position, so an unusable element still takes one.
    EXPECT_EQ(list.Names(), (Names{"a", "", "b", "c"}));
    EXPECT_EQ(list.MacroPath(2), "");  // the first holder's file
    EXPECT_EQ(list.MacroPath(3), "");  // outside the folder
    EXPECT_FALSE(list.SaveEvents(2, {}) || list.SaveEvents(3, {}));
    EXPECT_TRUE(list.Remove(3));
    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(folder.Read(folder.Outside("victim.mac")), "precious");
    EXPECT_TRUE(platform::FileExists(folder.Data() + "shared.mac"));
    EXPECT_TRUE(list.Remove(1));
    EXPECT_FALSE(platform::FileExists(folder.Data() + "shared.mac"));
    EXPECT_FALSE(list.Remove(1));
}

TEST(MacroList, ExportAndFailedWritesChangeNothing) {
    macros_test::MacroFolder folder;
    List list(folder.Data());
    ASSERT_TRUE(list.Add().has_value());
    const std::string target = folder.Outside("out.mac");
    folder.Write(target, "earlier export");
    EXPECT_EQ(list.Export(0, target), List::ExportResult::kNotSaved);
    EXPECT_EQ(list.Export(1, target), List::ExportResult::kNoMacro);
    EXPECT_EQ(folder.Read(target), "earlier export");
    ASSERT_TRUE(list.SaveEvents(0, {macros::MakeEvent(true, 4, 10, 50)}));
    EXPECT_EQ(list.Export(0, target), List::ExportResult::kExported);
    EXPECT_EQ(folder.Read(target), folder.Read(list.MacroPath(0)));
    EXPECT_EQ(list.Export(0, folder.Outside("no/out.mac")), List::ExportResult::kWriteFailed);

    const std::string before = folder.Read(folder.Data() + macros::kMacroListFileName);
    platform::testing::FailNextAtomicWriteBeforeRename();
    EXPECT_FALSE(list.Add().has_value());
    platform::testing::FailNextAtomicWriteBeforeRename();
    EXPECT_EQ(list.Import(target), List::ImportResult::kWriteFailed);
    platform::testing::FailNextAtomicWriteBeforeRename();
    EXPECT_EQ(list.Rename(0, "jump"), List::RenameResult::kWriteFailed);
    platform::testing::FailNextAtomicWriteBeforeRename();
    EXPECT_FALSE(list.Remove(0));
    EXPECT_EQ(list.Names(), (Names{"macro_1"}));
    EXPECT_EQ(folder.Read(folder.Data() + macros::kMacroListFileName), before);
    EXPECT_TRUE(platform::FileExists(list.MacroPath(0)));
}

}  // namespace
