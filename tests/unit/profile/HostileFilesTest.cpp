#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "profile/KeyboardProfiledata.h"
#include "profile/MouseProfiledata.h"
#include "tests/unit/profile/TestFiles.h"

namespace profile {
namespace {

using test::Bytes;
using test::FactoryPath;
using test::Parse;
using test::Put;
using test::TempFolder;

// Every getter, then every setter fed back with what the getters gave.
void Exercise(CMouseProfiledata& mouse) {
    auto stages = mouse.GetDpiStages();
    auto keys = mouse.GetKeyList();
    auto system = mouse.GetSystemRecord();
    auto light = mouse.GetLightRecord();
    auto audio = mouse.GetAudioLightRecord();
    mouse.GetSecondKeyList();
    mouse.GetLedList();
    mouse.SetDpiStages(stages);
    mouse.SetActiveStage(mouse.GetActiveStage());
    mouse.SetKeyList(keys);
    mouse.SetSystemRecord(system);
    mouse.SetLightRecord(light);
    mouse.SetAudioLightRecord(audio);
}

void Exercise(CKeyboardProfiledata& keyboard) {
    auto words = keyboard.GetKeyboardSystemRecord();
    int32_t group = keyboard.GetCustomLightGroupIndex();
    auto colours = keyboard.GetCustomColours(group);
    keyboard.SetKeyboardSystemRecord(words[0], words[1], words[2]);
    keyboard.SetCustomColours(group, colours);
    keyboard.SetCustomLightGroupIndex(group);
}

TEST(HostileFiles, WrongTypesAndHugeNumbersReadAsMissing) {
    const char* hostile[] = {R"("text")",
                             "[1,2]",
                             R"({"a":1})",
                             "1e300",
                             "-1e300",
                             "2.5",
                             "9223372036854775807",
                             "-9223372036854775808",
                             "18446744073709551615",
                             "4294967296",
                             "true",
                             "null"};
    const char* keys[] = {"DPIStages", "StageActive", "StageDPIs", "SystemStages",   "ReportStages",
                          "KeyList",   "Assignment",  "LightInfo", "CustomLightMode"};
    for (const char* value : hostile) {
        std::string text = R"({"DPIStages":{"StageActive":V,"StageDPIs":[V,{"StageDPIX":V}]},
            "SystemStages":{"MouseSpeed":V,"Repeat":V},"ReportStages":V,
            "KeyList":[V,{"Assignment":V,"DefaultAssignment":V}],"LightInfo":{"Red":V},
            "CustomLightMode":{"CustomLightModeGroupIndex":V,"LightColorInfo":V}})";
        for (size_t at; (at = text.find('V')) != std::string::npos;)
            text.replace(at, 1, value);
        Json::Value doc = Parse(text);
        ASSERT_TRUE(doc.isObject()) << text;
        CMouseProfiledata mouse;
        mouse.SetDocument(doc);
        CKeyboardProfiledata keyboard;
        keyboard.SetDocument(doc);
        ASSERT_NO_THROW(Exercise(mouse)) << value;
        ASSERT_NO_THROW(Exercise(keyboard)) << value;
        // Whole sections of the wrong type.
        for (const char* key : keys) {
            Json::Value broken = doc;
            broken[key] = Parse(value);
            mouse.SetDocument(broken);
            ASSERT_NO_THROW(Exercise(mouse)) << key << " = " << value;
        }
    }
    // Numbers outside 32 bits are missing; 32-bit ones are truncated to the record width.
    CMouseProfiledata mouse;
    mouse.SetDocument(Parse(R"({"SystemStages":{"DoubleClickTime":4294967296,
        "MouseSpeed":4294967295,"WheelScorlllinse":-2}})"));
    EXPECT_EQ(mouse.GetSystemRecord()[0], 0xFFFF0000u);
    EXPECT_EQ(LowHalf(mouse.GetSystemRecord()[2]), 0xFFFE);
}

// The members of `before` the program does not write are in `after` unchanged.
bool Survives(const Json::Value& before, const Json::Value& after) {
    if (!before.isObject())
        return false;
    for (const std::string& name : before.getMemberNames()) {
        if (name != "Device" && before[name] != json::Member(after, name.c_str()))
            return false;
    }
    const Json::Value& doc = json::Element(json::Member(before, "Device"), 0);
    const Json::Value& stored = json::Element(json::Member(after, "Device"), 0);
    if (!doc.isObject())
        return false;
    for (const std::string& name : doc.getMemberNames()) {
        bool written = name == "DPIStages" || name == "SystemStages" || name == "ReportStages" ||
                       name == "KeyList" || name == "LightInfo" || name == "AudioLightInfo";
        if (!written && doc[name] != json::Member(stored, name.c_str()))
            return false;
    }
    return true;
}

TEST(HostileFiles, OddContentNeitherCrashesNorCostsTheProfile) {
    TempFolder dir;
    std::string file = dir / "p.Json";
    std::string nested = std::string(900, '[') + std::string(900, ']');
    const std::string cases[] = {
        "",
        "\xef\xbb\xbf{\"Device\":[{}]}",
        "{\"Device\":[{\"Deep\":" + nested + "}]}",
        std::string(100000, '{'),
        std::string("{\"Device\":[{\"a\":1}]}\0garbage", 29),
        "{\"Device\":[{\"Dup\":1,\"Dup\":2}]} trailing",
        "/* only a comment */",
    };
    for (const std::string& content : cases) {
        Put(file, content);
        CMouseProfiledata mouse;
        mouse.SetDefaultDocumentPath(FactoryPath("mouse.Json"));
        mouse.SetProfilePath(file);
        ASSERT_NO_THROW(mouse.LoadDocument(file));
        ASSERT_TRUE(mouse.Document().isObject()) << content.substr(0, 40);
        ASSERT_NO_THROW(Exercise(mouse));
        EXPECT_TRUE(mouse.Save());
        // What was stored is a sound profile again.
        Json::Value root = LoadJsonFile(file);
        EXPECT_TRUE(json::Element(json::Member(root, "Device"), 0).isObject());
        // What the file held is still somewhere: beside it when it was unusable, in it
        // otherwise (members the program does not know unchanged).
        bool kept = content.empty() || Survives(test::Parse(content), root);
        for (auto& e : std::filesystem::directory_iterator(dir.path()))
            kept = kept || Bytes(e.path().string()) == content;
        EXPECT_TRUE(kept) << content.substr(0, 40);
        std::filesystem::remove_all(dir.path());
        std::filesystem::create_directory(dir.path());
    }
}

// Seeded random mutations of the factory documents through load, every getter and setter,
// and store. Bounded in time so it stays cheap in every test run.
TEST(HostileFiles, MutatedFactoryDocumentsNeverCrashTheProfile) {
    std::vector<std::string> seeds;
    for (const char* name : {"mouse.Json", "keyboard.Json", "MousePad.Json", "HD.Json"})
        seeds.push_back(Bytes(FactoryPath(name)));
    const char* tokens[] = {"{",          "}",     "[",    "]",    "\"",  ",",    ":",
                            "-",          "1e999", "null", "true", "\\u", "\xc3", "0.5",
                            "4294967296", "\"x\"", "[[[[", "//",   "/*"};
    std::mt19937 random(20240305);
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
    TempFolder dir;
    std::string file = dir / "p.Json";
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int runs = 0;
    while (runs < 4000 && std::chrono::steady_clock::now() < deadline) {
        std::string text = seeds[pick(seeds.size())];
        for (size_t m = 1 + pick(8); m > 0; --m) {
            size_t at = pick(text.size() + 1);
            switch (pick(4)) {
                case 0:
                    if (at < text.size())
                        text[at] = static_cast<char>(random());
                    break;
                case 1:
                    text.insert(at, tokens[pick(std::size(tokens))]);
                    break;
                case 2:
                    text.erase(at, pick(64));
                    break;
                default:
                    text.insert(at, text.substr(pick(text.size()), pick(200)));
                    break;
            }
        }
        CMouseProfiledata mouse;
        CKeyboardProfiledata keyboard;
        if (runs % 32 == 0) {  // through the files, now and then: they are slower
            Put(file, text);
            mouse.SetDefaultDocumentPath(FactoryPath("mouse.Json"));
            mouse.SetProfilePath(file);
            ASSERT_NO_THROW(mouse.LoadDocument(file));
            ASSERT_NO_THROW(Exercise(mouse));
            ASSERT_TRUE(mouse.Save());
            ASSERT_TRUE(LoadJsonFile(file).isObject());
        } else {
            Json::Value root;
            ParseJsonText(text, root);
            const Json::Value& doc = json::Element(json::Member(root, "Device"), 0);
            mouse.SetDocument(doc);
            keyboard.SetDocument(doc);
            ASSERT_NO_THROW(Exercise(mouse));
            ASSERT_NO_THROW(Exercise(keyboard));
            ASSERT_NO_THROW(StyledJsonText(mouse.Document()));
        }
        ++runs;
    }
    EXPECT_GT(runs, 100);
}

}  // namespace
}  // namespace profile
