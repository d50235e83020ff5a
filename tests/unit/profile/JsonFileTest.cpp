#include <gtest/gtest.h>
#include <json/writer.h>

#include <regex>
#include <string>

#include "platform/FileIO.h"
#include "platform/Trace.h"
#include "profile/FileNames.h"
#include "profile/JsonFile.h"
#include "profile/Utf8.h"
#include "tests/unit/profile/TestFiles.h"

namespace profile {
namespace {

using test::Bytes;
using test::Parse;
using test::Put;
using test::TempFolder;

TEST(JsonFile, WritesStyledTextAndOneLineBreak) {
    TempFolder dir;
    Json::Value v = Parse(R"({"b":1,"a":{"c":[1,2]},"ScorllPage":0,"s":"\u00e9"})");
    ASSERT_EQ(WriteJsonFile(dir / "p.Json", v), 0);
    std::string written = Bytes(dir / "p.Json");
    EXPECT_EQ(written, Json::StyledWriter().write(v) + "\n");
    // Keys sorted, three-space indentation, short arrays on one line.
    EXPECT_EQ(written,
              "{\n   \"ScorllPage\" : 0,\n   \"a\" : {\n      \"c\" : [ 1, 2 ]\n   },\n"
              "   \"b\" : 1,\n   \"s\" : \"\\u00e9\"\n}\n\n");
    EXPECT_EQ(LoadJsonFile(dir / "p.Json"), v);
}

TEST(JsonFile, CommentsSurviveALoadAndStore) {
    TempFolder dir;
    Put(dir / "c.json", "// factory values\n{\"a\" : 1 // one\n}\n");
    Json::Value v = LoadJsonFile(dir / "c.json");
    ASSERT_EQ(WriteJsonFile(dir / "d.json", v), 0);
    EXPECT_NE(Bytes(dir / "d.json").find("// factory values"), std::string::npos);
}

TEST(JsonFile, MalformedUtf8IsRepairedWithoutSwallowingTheTextAfterIt) {
    TempFolder dir;
    Put(dir / "p.Json", "{\"profilename\":\"A\xc3z\xff\",\"k\xe4\":[\"\xc3\xa9\"]}");
    Json::Value v = LoadJsonFile(dir / "p.Json");
    ASSERT_EQ(WriteJsonFile(dir / "p.Json", v), 0);
    Json::Value back = LoadJsonFile(dir / "p.Json");
    EXPECT_EQ(back["profilename"], "A\xef\xbf\xbdz\xef\xbf\xbd");
    EXPECT_EQ(back["k\xef\xbf\xbd"][0], "\xc3\xa9");
    // Stored once more, nothing changes.
    std::string once = Bytes(dir / "p.Json");
    ASSERT_EQ(WriteJsonFile(dir / "p.Json", back), 0);
    EXPECT_EQ(Bytes(dir / "p.Json"), once);
}

TEST(JsonFile, ReadTracesTheOutcomeAndRefusesWhatIsNotAFile) {
    TempFolder dir;
    Put(dir / "a.json", "{}");
    Put(dir / "empty.json", "");
    platform::TraceCapture trace;
    EXPECT_EQ(readjsonFile(dir / "a.json"), "{}");
    EXPECT_TRUE(trace.Contains("readjsonFile 错误吗：：0"));
    trace.Clear();
    EXPECT_EQ(readjsonFile(dir / "missing.json"), "");
    ASSERT_EQ(trace.Lines().size(), 1u);
    EXPECT_NE(trace.Lines()[0], "readjsonFile 错误吗：：0");
    EXPECT_EQ(readjsonFile(dir.path()), "");
    EXPECT_EQ(readjsonFile(dir / "empty.json"), "");
}

TEST(JsonFile, BadContentLoadsAsNullWithoutThrowing) {
    TempFolder dir;
    Put(dir / "empty.json", "");
    Put(dir / "cut.json", R"({"Device":[{"KeyList":[{"Assignment":)");
    Put(dir / "deep.json", std::string(5000, '[') + std::string(5000, ']'));
    Put(dir / "binary.json", std::string("\0\xff\xfe{", 4));
    for (const char* name : {"empty.json", "cut.json", "deep.json", "binary.json", "none"})
        EXPECT_TRUE(LoadJsonFile(dir / name).isNull()) << name;
    EXPECT_TRUE(LoadJsonFile(dir.path()).isNull());
}

TEST(JsonFile, FailedWriteReportsAndLeavesTheOldFile) {
    TempFolder dir;
    std::string file = dir / "p.Json";
    Put(file, "old bytes");
    platform::TraceCapture trace;
    platform::testing::FailNextAtomicWriteBeforeRename();
    EXPECT_EQ(WriteJsonFile(file, Parse(R"({"a":1})")), -1);
    EXPECT_EQ(Bytes(file), "old bytes");
    EXPECT_TRUE(trace.Contains("WriteJsonFile"));
    EXPECT_EQ(dir.FileCount(), 1u);
    // A folder where the file should be, and a missing folder.
    EXPECT_EQ(WriteJsonFile(dir.path(), Json::Value(1)), -1);
    EXPECT_EQ(WriteJsonFile(dir / "no/such/file.json", Json::Value(1)), -1);
}

TEST(FileNames, TimestampNameHasFixedWidthFields) {
    EXPECT_EQ(MakeTimestampName({2024, 3, 5, 7, 8, 9, 45}), "2024_03_05_07_08_09_045");
    EXPECT_EQ(MakeTimestampName({2025, 12, 31, 23, 59, 59, 999}), "2025_12_31_23_59_59_999");
    EXPECT_TRUE(std::regex_match(MakeTimestampName(),
                                 std::regex(R"(\d{4}_\d\d_\d\d_\d\d_\d\d_\d\d_\d{3})")));
}

TEST(FileNames, FileTitleDropsFolderAndLastExtension) {
    EXPECT_EQ(GetFileTitle("/home/u/T418-ZEN/mouse/2024_03_05.Json"), "2024_03_05");
    EXPECT_EQ(GetFileTitle("C:\\Users\\u\\Game.profile.json"), "Game.profile");
    EXPECT_EQ(GetFileTitle("noext"), "noext");
    EXPECT_EQ(GetFileTitle("dir.d/noext"), "noext");
    EXPECT_EQ(GetFileTitle("/x/.hidden"), "");
    EXPECT_EQ(GetFileTitle(""), "");
}

TEST(Utf8, ConvertsBothWaysAndReplacesMalformedInput) {
    std::u16string wide = u"Profil \u00e9\u4e2d \U0001F600";
    std::string narrow = ToUtf8(wide);
    EXPECT_EQ(narrow, "Profil \xc3\xa9\xe4\xb8\xad \xf0\x9f\x98\x80");
    EXPECT_EQ(FromUtf8(narrow), wide);
    EXPECT_TRUE(IsValidUtf8(narrow));
    // Truncated sequence, overlong form, encoded surrogate, stray continuation byte.
    for (std::string bad : {"a\xe4\xb8", "\xc0\xaf", "\xed\xa0\x80", "\x80z"}) {
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
        EXPECT_NE(FromUtf8(bad).find(u'\uFFFD'), std::u16string::npos);
    }
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xef\xbf\xbd");
}

}  // namespace
}  // namespace profile
