#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "profile/JsonFile.h"
#include "profile/MouseProfiledata.h"
#include "profile/ProfileCheck.h"
#include "tests/unit/profile/TestFiles.h"

namespace profile {
namespace {

using test::Bytes;
using test::FactoryPath;
using test::TempFolder;

const char* kTypes[] = {"mouse", "MousePad", "keyboard", "HD"};

TEST(FactoryDocuments, EveryMemberIsPresentAndInRange) {
    for (const char* type : kTypes) {
        std::string path = FactoryPath(std::string(type) + ".Json");
        auto problems = CheckProfileFile(path, {type, true});
        EXPECT_TRUE(problems.empty()) << path << ": " << problems.front();
    }
}

TEST(FactoryDocuments, LoadStoreRoundTripIsByteStable) {
    for (const char* type : kTypes) {
        std::string factory = FactoryPath(std::string(type) + ".Json");
        std::string bytes = Bytes(factory);
        ASSERT_FALSE(bytes.empty()) << factory;
        EXPECT_EQ(StyledJsonText(LoadJsonFile(factory)), bytes) << factory;

        TempFolder dir;
        CBasicProfiledata profile;
        profile.SetDefaultDocumentPath(factory);
        profile.SetProfilePath(dir / "p.Json");
        profile.LoadDocument(dir / "p.Json");  // created from the factory document
        EXPECT_EQ(Bytes(dir / "p.Json"), bytes) << type;
        ASSERT_TRUE(profile.Save());
        EXPECT_EQ(Bytes(dir / "p.Json"), bytes) << type;
    }
}

TEST(FactoryDocuments, MouseHasSevenDistinctStagesAndTheElevenFactoryKeys) {
    CMouseProfiledata mouse;
    mouse.SetDocument(LoadJsonFile(FactoryPath("mouse.Json"))["Device"][0]);
    auto stages = mouse.GetDpiStages();
    ASSERT_EQ(stages.size(), 7u);
    std::set<std::tuple<int, int, int>> colours;
    int previous = -1;
    for (const auto& s : stages) {
        EXPECT_EQ(s.enabled, 1);
        EXPECT_GT(s.x, previous);  // rising sensitivity
        EXPECT_LE(s.x, 149);       // inside the narrowest sensor's slider range
        previous = s.x;
        colours.insert({s.red, s.green, s.blue});
    }
    EXPECT_EQ(colours.size(), 7u);

    const uint32_t factoryKeys[] = {0x100100, 0x100200, 0x100400, 0x101000, 0x100800, 0x130100,
                                    0x130200, 0x130300, 0xA01B00, 0x169001, 0x147802};
    auto keys = mouse.GetKeyList();
    ASSERT_EQ(keys.size(), 11u);
    for (size_t k = 0; k < keys.size(); ++k) {
        EXPECT_EQ(keys[k].defaults.Code(), factoryKeys[k]) << k;
        EXPECT_EQ(keys[k].current, keys[k].defaults) << k;
    }

    SystemRecord system = mouse.GetSystemRecord();
    EXPECT_LE(HighHalf(system[2]), 3);  // a report rate every setter shows
    EXPECT_GT(LowHalf(system[6]), 0);   // the keep-alive needs a sleep time
    EXPECT_GT(HighHalf(system[6]), 0);
    LightRecord light = mouse.GetLightRecord();
    EXPECT_LE(light.mode, 11);
}

TEST(ProfileCheck, NamesEachWrongMember) {
    Json::Value root = test::Parse(R"({"profilename":"\u00e9","Device":[{
        "DPIStages":{"StageActive":9,"StageDPIs":[{"StageColorR":300,"StageDPIX":"a"},3]},
        "SystemStages":[1], "KeyList":[{"Assignment":16777216}], "LightInfo":{"Light":2.5},
        "ReportStages":{"device_sleep1":0,"Ripple":true}, "LightList":[null]}]})");
    root["Device"][0]["LightInfo"]["Red"] = Json::Value(Json::UInt64(1) << 40);
    root["Device"][0]["CustomEQNameInfo"][0]["Name"] = "\xc3";
    auto problems = CheckProfileDocument(root, {});
    std::vector<std::string> expected = {
        "Device[0].DPIStages.StageActive: 9 is outside 0-6",
        "Device[0].DPIStages.StageDPIs[0].StageDPIX: expected an integer, found a string",
        "Device[0].DPIStages.StageDPIs[0].StageColorR: 300 is outside 0-255",
        "Device[0].DPIStages.StageDPIs[1]: expected an object, found an integer",
        "Device[0].SystemStages: expected an object, found an array",
        "Device[0].ReportStages.device_sleep1: 0 is outside 1-255",
        "Device[0].KeyList[0].Assignment: 16777216 is outside 0-16777215",
        "Device[0].LightInfo.Light: expected an integer, found a real number",
        "Device[0].LightInfo.Red: 1099511627776 is outside 0-255",
        "Device[0].CustomEQNameInfo[0].Name: not valid UTF-8",
    };
    EXPECT_EQ(problems, expected);
    EXPECT_EQ(CheckProfileDocument(test::Parse("[]"), {}),
              std::vector<std::string>{"(root): expected an object, found an array"});
    EXPECT_EQ(CheckProfileDocument(test::Parse(R"({"Device":[]})"), {}),
              std::vector<std::string>{"Device: holds no document"});
    EXPECT_TRUE(CheckProfileDocument(test::Parse(R"({"Device":[{}]})"), {}).empty());
    EXPECT_FALSE(CheckProfileDocument(test::Parse(R"({"Device":[{}]})"), {"mouse", true}).empty());
}

TEST(ProfileCheck, FilesThatAreNoDocumentsAreNamedSo) {
    TempFolder dir;
    test::Put(dir / "empty.Json", "");
    test::Put(dir / "cut.Json", R"({"Device":[)");
    EXPECT_NE(CheckProfileFile(dir / "empty.Json", {}).at(0).find("empty"), std::string::npos);
    EXPECT_NE(CheckProfileFile(dir / "cut.Json", {}).at(0).find("not JSON"), std::string::npos);
    EXPECT_NE(CheckProfileFile(dir.path(), {}).at(0).find("not a regular file"), std::string::npos);
    EXPECT_NE(CheckProfileFile(dir / "none", {}).at(0).find("no such file"), std::string::npos);
}

}  // namespace
}  // namespace profile
