// The effect files as anyone may have edited them: every read checked, every Guid kept inside
// the folder, and the list's changes leaving files the program reads back.
#include <gtest/gtest.h>
#include <json/json.h>

#include <chrono>
#include <filesystem>

#include "devices/LightEffectFiles.h"
#include "platform/FileIO.h"
#include "profile/JsonFile.h"
#include "tests/unit/platform/TestFolders.h"

namespace {

using devices::LightEffectStep;

class EffectFilesTest : public testing::Test {
  protected:
    void SetUp() override { std::filesystem::create_directory(folder_ / "mouse"); }
    std::string Folder() const { return folder_ / "mouse/"; }
    std::string Outside(const std::string& name) const { return folder_ / name; }
    void Write(const std::string& path, const std::string& text) const {
        ASSERT_TRUE(platform::WriteFileAtomic(path, text));
    }
    std::string Read(const std::string& path) const {
        std::string text;
        platform::ReadWholeFile(path, text);
        return text;
    }
    // An effect file of the given steps (JSON text of each).
    static std::string Effect(const std::string& steps) {
        return "{\"LEDEffectList\":[" + steps + "]}";
    }
    devices::EffectRead ReadText(const std::string& text) const {
        const std::string path = Outside("probe.light");
        Write(path, text);
        return devices::ReadEffectFile(path);
    }

    t418test::TempFolder folder_;
};

constexpr const char* kRedStep =
    R"({"LEDREGMode":1,"LEDBrightness":4,"LEDSpeed":2,"LEDDirection":true,"LEDMultiColor":false,
        "red":255,"green":0,"blue":16,"Time":150,"Cyle":3})";

TEST_F(EffectFilesTest, StepsAreReadWithBooleansAsBytesAndMissingCountsAsZero) {
    const devices::EffectRead read =
        ReadText(Effect(std::string(kRedStep) + R"(,{"LEDREGMode":5,"Time":1,"extra":"x"})"));
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.steps.size(), 2u);
    EXPECT_EQ(read.steps[0], (LightEffectStep{1, 4, 2, 1, 0, 255, 0, 16, 150, 3}));
    EXPECT_EQ(read.steps[1], (LightEffectStep{5, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
}

TEST_F(EffectFilesTest, AnUnusableStepOrDocumentGivesNoStepsAndSaysWhy) {
    const struct {
        std::string text;
        std::string reason;
    } cases[] = {
        {Effect(R"({"LEDSpeed":"2","Time":5})"), "LEDSpeed"},
        {Effect(R"({"red":256,"Time":5})"), "red"},
        {Effect(R"({"blue":-1,"Time":5})"), "blue"},
        {Effect(R"({"green":1.5,"Time":5})"), "green"},
        {Effect(R"({"Time":0})"), "Time"},
        {Effect(R"({"Time":"100"})"), "Time"},
        {Effect(R"({"red":1})"), "Time"},
        {Effect(R"({"Time":true})"), "Time"},
        {Effect(R"({"Time":4294967296})"), "Time"},
        {Effect(R"({"Time":5,"Cyle":-1})"), "Cyle"},
        {Effect(R"({"Time":5,"Cyle":[]})"), "Cyle"},
        {Effect(std::string(kRedStep) + ",null"), "step 2: not an object"},
        {Effect("[1,2]"), "not an object"},
        {Effect(""), "no steps"},
        {R"({"LEDEffectList":{"0":{}}})", "LEDEffectList"},
        {R"({"Steps":[]})", "LEDEffectList"},
        {"[1,2,3]", "LEDEffectList"},
        {"not json", "JSON"},
        {"", "JSON"},
    };
    for (const auto& c : cases) {
        const devices::EffectRead read = ReadText(c.text);
        EXPECT_TRUE(read.steps.empty()) << c.text;
        EXPECT_NE(read.error.find(c.reason), std::string::npos) << c.text << " -> " << read.error;
    }
    const devices::EffectRead missing = devices::ReadEffectFile(Outside("none.light"));
    EXPECT_TRUE(missing.steps.empty());
    EXPECT_FALSE(missing.error.empty());
}

TEST_F(EffectFilesTest, StepCountIsLimitedAndAHugeListIsRefusedAtOnce) {
    auto steps = [](size_t n) {
        std::string text;
        for (size_t i = 0; i < n; ++i)
            text += std::string(i ? "," : "") + R"({"Time":1})";
        return Effect(text);
    };
    EXPECT_EQ(ReadText(steps(devices::kMaxEffectSteps)).steps.size(), devices::kMaxEffectSteps);
    EXPECT_TRUE(ReadText(steps(devices::kMaxEffectSteps + 1)).steps.empty());

    // 10^5 steps: refused by their count, before a single step is looked at.
    std::string huge = "{\"LEDEffectList\":[";
    for (int i = 0; i < 100000; ++i)
        huge += i ? ",null" : "null";
    huge += "]}";
    const auto start = std::chrono::steady_clock::now();
    const devices::EffectRead read = ReadText(huge);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(read.steps.empty());
    EXPECT_NE(read.error.find("100000 steps"), std::string::npos) << read.error;
    std::printf("10^5 steps refused in %lld ms\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
}

TEST_F(EffectFilesTest, HostileListsGiveNoEffectsAndOddEntriesStayInPlace) {
    const std::string config = Folder() + devices::kEffectConfigName;
    for (const char* text : {"not json", "[]", R"({"LightInfo":"x"})", R"({"LightInfo":[[]]})",
                             R"({"LightInfo":[[],{"0":{}}]})", R"({"LightInfo":[[],null]})"}) {
        Write(config, text);
        EXPECT_TRUE(devices::LoadCustomEffects(Folder(), 1).empty()) << text;
        EXPECT_TRUE(devices::LoadEffectSteps(Folder(), 1, 0).empty()) << text;
    }
    Write(
        config,
        R"({"LightInfo":[[],[null,{"LightName":7,"Guid":["a"]},{"LightName":"Glow","Guid":"g"}]]})");
    const std::vector<devices::CustomEffect> effects = devices::LoadCustomEffects(Folder(), 1);
    ASSERT_EQ(effects.size(), 3u);
    EXPECT_EQ(effects[0].name, "");
    EXPECT_EQ(effects[1].name, "");
    EXPECT_EQ(effects[1].guid, "");
    EXPECT_EQ(effects[2].name, "Glow");
    EXPECT_TRUE(devices::LoadCustomEffects(Folder(), -1).empty());
    // Positions keep their meaning: effect 2 is still the third entry.
    Write(Folder() + "g.light", Effect(kRedStep));
    EXPECT_EQ(devices::LoadEffectSteps(Folder(), 1, 2).size(), 1u);
    EXPECT_TRUE(devices::LoadEffectSteps(Folder(), 1, 0).empty());
    EXPECT_TRUE(devices::LoadEffectSteps(Folder(), 1, 3).empty());
    EXPECT_TRUE(devices::LoadEffectSteps(Folder(), 1, -1).empty());
}

TEST_F(EffectFilesTest, AGuidNamesAFileInTheFolderOrNothing) {
    // Sound effect files wait outside the folder and in a subfolder.
    Write(Outside("x.light"), Effect(kRedStep));
    std::filesystem::create_directory(Folder() + "sub");
    Write(Folder() + "sub/y.light", Effect(kRedStep));
    Write(Folder() + "ok.light", Effect(kRedStep));
    const std::string config = Folder() + devices::kEffectConfigName;
    for (const char* guid : {"../x", "..", "sub/y", "sub\\y", "..\\x", "", "ok\n", "/tmp/x"}) {
        Json::Value root;
        root["LightInfo"][1][0]["LightName"] = "E";
        root["LightInfo"][1][0]["Guid"] = guid;
        ASSERT_EQ(profile::WriteJsonFile(config, root), 0);
        EXPECT_FALSE(devices::IsSafeGuid(guid)) << guid;
        EXPECT_TRUE(devices::LoadEffectSteps(Folder(), 1, 0).empty()) << guid;
    }
    EXPECT_TRUE(devices::IsSafeGuid("2026_01_02_03_04_05_006"));
    EXPECT_TRUE(devices::IsSafeGuid("ok"));
    Json::Value root;
    root["LightInfo"][1][0]["Guid"] = "ok";
    ASSERT_EQ(profile::WriteJsonFile(config, root), 0);
    EXPECT_EQ(devices::LoadEffectSteps(Folder(), 1, 0).size(), 1u);
}

TEST_F(EffectFilesTest, AddedEffectsAreCheckedStoredAndRemovedWithTheirFiles) {
    const std::string source = Outside("glow.light");
    Write(source, Effect(std::string(kRedStep) + R"(,{"LEDREGMode":0,"Time":900,"junk":1})"));
    const devices::EffectChange glow = devices::AddCustomEffect(Folder(), 1, "Glow", source);
    ASSERT_EQ(glow.error, "");
    EXPECT_EQ(glow.position, 0);
    const devices::EffectChange pulse = devices::AddCustomEffect(Folder(), 1, "Pulse", source);
    EXPECT_EQ(pulse.position, 1);
    const std::vector<devices::CustomEffect> effects = devices::LoadCustomEffects(Folder(), 1);
    ASSERT_EQ(effects.size(), 2u);
    EXPECT_NE(effects[0].guid, effects[1].guid);  // added within one millisecond
    EXPECT_EQ(devices::LoadEffectSteps(Folder(), 1, 1), devices::ReadEffectFile(source).steps);
    // The other lists are there, empty, and untouched by changes of list 1.
    const Json::Value config = profile::LoadJsonFile(Folder() + devices::kEffectConfigName);
    EXPECT_EQ(config["LightInfo"][0], Json::Value(Json::arrayValue));

    // Refusals leave everything as it was.
    const std::string before = Read(Folder() + devices::kEffectConfigName);
    Write(Outside("bad.light"), Effect(R"({"Time":0})"));
    EXPECT_EQ(devices::AddCustomEffect(Folder(), 1, "glow", source).position, -1);
    EXPECT_EQ(devices::AddCustomEffect(Folder(), 1, "Bad", Outside("bad.light")).position, -1);
    EXPECT_EQ(devices::AddCustomEffect(Folder(), 1, "", source).position, -1);
    EXPECT_EQ(devices::AddCustomEffect(Folder(), 1, "a\tb", source).position, -1);
    EXPECT_EQ(devices::AddCustomEffect(Folder(), 1, "\xff", source).position, -1);
    EXPECT_EQ(devices::AddCustomEffect(Folder(), 1, std::string(65, 'n'), source).position, -1);
    EXPECT_EQ(devices::AddCustomEffect(Folder(), -1, "Neg", source).position, -1);
    EXPECT_EQ(devices::RemoveCustomEffect(Folder(), 1, "Nothing").position, -1);
    EXPECT_EQ(Read(Folder() + devices::kEffectConfigName), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder()), {}), 3);

    const devices::EffectChange removed = devices::RemoveCustomEffect(Folder(), 1, "Glow");
    EXPECT_EQ(removed.position, 0);
    EXPECT_FALSE(platform::FileExists(Folder() + effects[0].guid + ".light"));
    ASSERT_EQ(devices::LoadCustomEffects(Folder(), 1).size(), 1u);
    EXPECT_EQ(devices::LoadCustomEffects(Folder(), 1)[0].name, "Pulse");
    EXPECT_EQ(devices::RemoveCustomEffect(Folder(), 1, "Pulse").position, 0);
    // The last one leaves an empty list where the device looks.
    const Json::Value emptied = profile::LoadJsonFile(Folder() + devices::kEffectConfigName);
    ASSERT_TRUE(emptied["LightInfo"][1].isArray());
    EXPECT_EQ(emptied["LightInfo"][1].size(), 0u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder()), {}), 1);
}

TEST_F(EffectFilesTest, ChangesRefuseAListTheyWouldDestroyAndKeepSharedOrOutsideFiles) {
    const std::string config = Folder() + devices::kEffectConfigName;
    const std::string source = Outside("glow.light");
    Write(source, Effect(kRedStep));
    for (const char* text : {"{ broken", R"({"LightInfo":"x"})", R"({"LightInfo":[[],7]})", "[]"}) {
        Write(config, text);
        EXPECT_EQ(devices::AddCustomEffect(Folder(), 1, "Glow", source).position, -1) << text;
        EXPECT_EQ(Read(config), text);
    }
    // Every effect must stay reachable by a mode byte (12 + position).
    std::string full = R"({"LightInfo":[[],[)";
    for (int i = 0; i < 244; ++i)
        full += std::string(i ? "," : "") + R"({"LightName":"e)" + std::to_string(i) + R"("})";
    Write(config, full + "]]}");
    EXPECT_EQ(devices::AddCustomEffect(Folder(), 1, "One more", source).position, -1);
    EXPECT_EQ(devices::LoadCustomEffects(Folder(), 1).size(), 244u);
    // Two entries share a file, a third names one outside the folder: removing either
    // leaves both files where they are.
    Write(Outside("x.light"), Effect(kRedStep));
    Write(Folder() + "s.light", Effect(kRedStep));
    Write(config, R"({"LightInfo":[[],[{"LightName":"A","Guid":"s"},{"LightName":"B","Guid":"s"},
                                       {"LightName":"C","Guid":"../x"}]]})");
    EXPECT_EQ(devices::RemoveCustomEffect(Folder(), 1, "A").position, 0);
    EXPECT_TRUE(platform::FileExists(Folder() + "s.light"));
    EXPECT_EQ(devices::RemoveCustomEffect(Folder(), 1, "C").position, 1);
    EXPECT_TRUE(platform::FileExists(Outside("x.light")));
    EXPECT_EQ(devices::RemoveCustomEffect(Folder(), 1, "B").position, 0);
    EXPECT_FALSE(platform::FileExists(Folder() + "s.light"));
}

}  // namespace
