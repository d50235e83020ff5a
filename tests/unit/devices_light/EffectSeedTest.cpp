// The program's own effects: what a new data folder receives, and the mouse reading its
// effect names and a custom mode's steps from there.
#include <gtest/gtest.h>
#include <json/json.h>

#include <filesystem>

#include "devices/LightEffectFiles.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "platform/FileIO.h"
#include "profile/JsonFile.h"
#include "tests/unit/platform/TestFolders.h"

namespace {

const std::string kSeedFolder = std::string(T418_RESOURCES_DIR) + "DefaultData/light/";
const std::vector<std::string> kSeedNames = {"Ocean breathe", "Police flash", "Rainbow walk"};

std::vector<std::string> SeedNamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const devices::CustomEffect& e : devices::LoadCustomEffects(folder, 1))
        names.push_back(e.name);
    return names;
}

TEST(EffectSeedTest, ANewFolderGetsTheProgramsEffectsOnceAndEveryOneReads) {
    t418test::TempFolder temp;
    const std::string folder = temp.path() + "/";
    ASSERT_TRUE(devices::SeedCustomEffects(folder, kSeedFolder, 1));
    EXPECT_EQ(SeedNamesIn(folder), kSeedNames);
    for (int i = 0; i < 3; ++i) {
        const std::vector<devices::LightEffectStep> steps = devices::LoadEffectSteps(folder, 1, i);
        EXPECT_FALSE(steps.empty()) << kSeedNames[static_cast<size_t>(i)];
        // Steps the preview plays: breathe 0, static 1, flash 2, walk 4, colour cycle 5.
        for (const devices::LightEffectStep& step : steps)
            EXPECT_TRUE(step.mode <= 2 || step.mode == 4 || step.mode == 5);
    }
    // The user's own list is never replaced, even when it lists nothing.
    const std::string config = folder + devices::kEffectConfigName;
    ASSERT_TRUE(platform::WriteFileAtomic(config, R"({"LightInfo":[[],[]]})"));
    EXPECT_TRUE(devices::SeedCustomEffects(folder, kSeedFolder, 1));
    EXPECT_TRUE(SeedNamesIn(folder).empty());
}

TEST(EffectSeedTest, OnlySoundSeedEntriesAreCopiedAndNothingWithoutThem) {
    t418test::TempFolder root;
    const std::string from = root / "seed/", to = root / "user/";
    std::filesystem::create_directory(from);
    std::filesystem::create_directory(to);
    EXPECT_FALSE(devices::SeedCustomEffects(to, from, 1));
    EXPECT_FALSE(platform::FileExists(to + devices::kEffectConfigName));

    ASSERT_TRUE(platform::WriteFileAtomic(from + "good.light",
                                          R"({"LEDEffectList":[{"LEDREGMode":1,"Time":10}]})"));
    ASSERT_TRUE(platform::WriteFileAtomic(from + "bad.light", R"({"LEDEffectList":[{"Time":0}]})"));
    ASSERT_TRUE(
        platform::WriteFileAtomic(root / "outside.light", R"({"LEDEffectList":[{"Time":10}]})"));
    ASSERT_TRUE(platform::WriteFileAtomic(from + devices::kEffectConfigName, R"({"LightInfo":[[],[
        {"LightName":"Good","Guid":"good"},{"LightName":"Bad","Guid":"bad"},
        {"LightName":"Out","Guid":"../outside"},{"LightName":"Gone","Guid":"gone"}, null]]})"));
    EXPECT_TRUE(devices::SeedCustomEffects(to, from, 1));
    EXPECT_EQ(SeedNamesIn(to), std::vector<std::string>{"Good"});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(to), {}), 2);
}

TEST(EffectSeedTest, TheMouseSeedsItsFolderAndPlaysTheNamedEffect) {
    t418test::TempFolder temp;
    t418test::ScopedEnv data("XDG_DATA_HOME", temp.path());
    t418test::ScopedEnv program("T418_ZEN_PROGRAM_DIR", T418_RESOURCES_DIR);
    devices::COrvaneMouseDevice mouse;
    mouse.SetDataFolderName("mouse");
    mouse.SetLightListIndex(1);
    mouse.LoadNameLists();
    EXPECT_EQ(mouse.CustomLightNames(), kSeedNames);

    auto stepsOfMode = [&mouse](int mode) {
        Json::Value document;
        document["LightInfo"]["SelectItem"] = mode;
        mouse.Profile().SetDocument(document);
        mouse.LoadLightSettings();
        return mouse.EffectStepCount();
    };
    const std::string folder = mouse.GetUserDataFolder();
    EXPECT_EQ(stepsOfMode(13), devices::LoadEffectSteps(folder, 1, 1).size());
    EXPECT_GT(stepsOfMode(13), 0u);
    EXPECT_EQ(stepsOfMode(2), 0u);
    EXPECT_EQ(stepsOfMode(15), 0u);  // past the list
    // A list gone bad: the names and the steps go with it, nothing breaks.
    ASSERT_TRUE(
        platform::WriteFileAtomic(folder + devices::kEffectConfigName,
                                  R"({"LightInfo":[[],[{"LightName":"X","Guid":"../x"}]]})"));
    mouse.LoadNameLists();
    EXPECT_EQ(mouse.CustomLightNames(), std::vector<std::string>{"X"});
    EXPECT_EQ(stepsOfMode(12), 0u);
}

}  // namespace
