// default_light.json as the devices read it: the mouse's twelve modes, the lists of the
// other devices matching their layout tables, and every name translated in both languages.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "panels/light/LightLayouts.h"
#include "profile/JsonFile.h"

namespace {

namespace light = panels::light;

std::string ResourcePath(const std::string& relative) {
    return std::string(T418_RESOURCES_DIR) + "/" + relative;
}

std::set<std::string> LanguageKeysOf(const std::string& file) {
    std::ifstream in(ResourcePath("skin/" + file));
    std::stringstream text;
    text << in.rdbuf();
    const std::string body = text.str();
    std::set<std::string> keys;
    const std::regex id(R"rx(<Text id="([^"]+)")rx");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), id); it != std::sregex_iterator();
         ++it)
        keys.insert((*it)[1]);
    return keys;
}

class DefaultLightListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = profile::LoadJsonFile(ResourcePath("DefaultData/default_light.json"));
        ASSERT_TRUE(root.isObject());
    }
    const Json::Value& List(int index) const { return root["DefaultLightName"][index]; }
    Json::Value root;
};

TEST_F(DefaultLightListTest, TheMouseHasTwelveModesTenShownAndValuesArePositions) {
    const Json::Value& mouse = List(1);
    ASSERT_EQ(mouse.size(), 12u);
    const char* names[] = {"light_mode_static",       "light_mode_breathing",
                           "light_mode_colour_cycle", "light_mode_four_breathing",
                           "light_mode_off",          "light_mode_wave",
                           "light_mode_flash",        "light_mode_reactive",
                           "light_mode_four_flash",   "light_mode_neon"};
    for (Json::ArrayIndex i = 0; i < mouse.size(); ++i) {
        EXPECT_EQ(mouse[i]["value"].asInt(), static_cast<int>(i));
        EXPECT_EQ(mouse[i]["visible"].asBool(), i < 10) << i;
        if (i < 10) {
            EXPECT_EQ(mouse[i]["LightName"].asString(), names[i]);
        }
    }
}

TEST_F(DefaultLightListTest, EveryDeviceListCoversItsLayoutTable) {
    ASSERT_EQ(root["DefaultLightName"].size(), 4u);
    ASSERT_EQ(root["AreaLightName"].size(), 4u);
    // keyboard 0-30; pad and headset 0-8, their same-mode modes among them.
    EXPECT_EQ(List(0).size(), 31u);
    EXPECT_EQ(List(2).size(), 9u);
    EXPECT_EQ(List(3).size(), 9u);
    for (int index : {0, 2, 3}) {
        for (Json::ArrayIndex i = 0; i < List(index).size(); ++i)
            EXPECT_EQ(List(index)[i]["value"].asInt(), static_cast<int>(i)) << index << ":" << i;
    }
    // The shared effects land on the same meanings: breathing, static, flash, cycle, off.
    for (int index : {2, 3}) {
        EXPECT_EQ(List(index)[2]["LightName"].asString(), "light_mode_breathing");
        EXPECT_EQ(List(index)[3]["LightName"].asString(), "light_mode_static");
        EXPECT_EQ(List(index)[4]["LightName"].asString(), "light_mode_flash");
        EXPECT_EQ(List(index)[1]["LightName"].asString(), "light_mode_colour_cycle");
        EXPECT_EQ(List(index)[8]["LightName"].asString(), "light_mode_off");
    }
    EXPECT_EQ(List(2)[5]["LightName"].asString(), "light_mode_custom") << "the pad's player";
    EXPECT_EQ(List(0)[5]["LightName"].asString(), "light_mode_breathing");
    EXPECT_EQ(List(0)[6]["LightName"].asString(), "light_mode_static");
    EXPECT_EQ(List(0)[23]["LightName"].asString(), "light_mode_flash");
    EXPECT_EQ(List(0)[4]["LightName"].asString(), "light_mode_colour_cycle");
    EXPECT_EQ(List(0)[28]["LightName"].asString(), "light_mode_off");
}

TEST_F(DefaultLightListTest, EveryNameAndPanelTextIsInBothLanguages) {
    const std::set<std::string> en = LanguageKeysOf("lan_en.xml");
    const std::set<std::string> cn = LanguageKeysOf("lan_cn.xml");
    for (const Json::Value& list : root["DefaultLightName"]) {
        for (const Json::Value& entry : list) {
            const std::string key = entry["LightName"].asString();
            EXPECT_TRUE(en.count(key)) << key;
            EXPECT_TRUE(cn.count(key)) << key;
        }
    }
    // The keyboard's direction labels.
    for (int mode = 0; mode <= 30; ++mode) {
        const auto layout = light::LayoutFor(light::kFamilyKeyboard, mode);
        if (layout && layout->labels) {
            for (const char* key : {layout->labels->first, layout->labels->second}) {
                EXPECT_TRUE(en.count(key)) << key;
                EXPECT_TRUE(cn.count(key)) << key;
            }
        }
    }
}

}  // namespace
