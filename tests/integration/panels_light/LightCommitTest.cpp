// The shared path of a light change and the mouse's light records against the simulated
// mouse, beyond what the light tab's page tests reach: a change without the mouse, a document
// past the block's scales, the audio record across sessions, and the read-back of the device's
// mode code through a mode list whose codes are not its positions.
#include <json/value.h>

#include <filesystem>

#include "devices/mouse/SettingsBlock.h"
#include "panels/light/LightCommit.h"
#include "profile/JsonFile.h"
#include "tests/integration/mouse/MouseFixture.h"

namespace {

namespace light = panels::light;

class LightCommitTest : public mousetest::MouseTest {
  protected:
    devices::COrvaneMouseDevice& Connected(bool receiver) {
        auto& m = MakeMouse(receiver);
        EXPECT_TRUE(m.ReadDeviceData());
        EXPECT_EQ(m.LoadProfile(), 1);
        return m;
    }

    std::vector<uint8_t> Block() {
        return devices.Mouse().Memory(0, devices::mouse::kSettingsBlockSize);
    }

    // The profile file's device document as it lies on disk.
    Json::Value Saved(const std::string& section) {
        return profile::LoadJsonFile(mouse->GetProfilePath())["Device"][0][section];
    }

    // The profile file with one section replaced (null removes it).
    void EditSaved(const std::string& section, const Json::Value& value) {
        Json::Value root = profile::LoadJsonFile(mouse->GetProfilePath());
        if (value.isNull())
            root["Device"][0].removeMember(section);
        else
            root["Device"][0][section] = value;
        ASSERT_EQ(profile::WriteJsonFile(mouse->GetProfilePath(), root), 0);
    }

    static constexpr light::ScreenSize kScreen{1920, 1080};
};

TEST_F(LightCommitTest, WithoutADeviceTheChangeIsStillSaved) {
    auto& m = Connected(true);
    devices.SetLinked(false);
    TakeRequestCodes();
    EXPECT_EQ(light::CommitLightChange(
                  m, [](profile::LightRecord& r) { r.brightness = 2; }, kScreen),
              0);
    EXPECT_EQ(Saved("LightInfo")["Light"].asInt(), 2);
    EXPECT_EQ(m.LightSettings().brightness, 2);
}

TEST_F(LightCommitTest, BrightnessAndSpeedPastTheScaleAreSentAsTheMaximum) {
    auto& m = Connected(false);
    Json::Value info = Saved("LightInfo");
    info["Light"] = 7;
    info["Speed"] = 7;
    EditSaved("LightInfo", info);
    ASSERT_EQ(m.LoadProfile(), 1);
    ASSERT_EQ(m.WriteSettings(0, 0, 1, 0, 0), 1);
    const std::vector<uint8_t> b = Block();
    EXPECT_EQ(b[2], 4);
    EXPECT_EQ(b[3], 0);  // 4 - 4, not a wrapped 0xFD
}

TEST_F(LightCommitTest, TheAudioRecordIsSavedAndLoadedWithTheLightSettings) {
    auto& m = Connected(false);
    EditSaved("AudioLightInfo", Json::Value());
    ASSERT_EQ(m.LoadProfile(), 1);
    // No record: mode 0, both colours black, the background edited.
    EXPECT_EQ(m.AudioLightRecord(), profile::AudioLightRecord{});

    profile::AudioLightRecord record;
    record.mode = 2;
    record.foregroundBlue = 0x30;
    record.backgroundRed = 0x40;
    record.multiColour = 1;
    light::CommitAudioRecord(m, record);
    const Json::Value saved = Saved("AudioLightInfo");
    EXPECT_EQ(saved["AudioMode"].asInt(), 2);
    EXPECT_EQ(saved["FgColorB"].asInt(), 0x30);
    EXPECT_EQ(saved["BkColorR"].asInt(), 0x40);
    EXPECT_EQ(saved["7ColorFlags"].asInt(), 1);

    // Another session finds it, the foreground edited; a light change keeps it.
    mouse.reset();
    auto& again = Connected(false);
    profile::AudioLightRecord expected = record;
    expected.colourType = 1;
    EXPECT_EQ(again.AudioLightRecord(), expected);
    light::CommitLightChange(
        again, [](profile::LightRecord& r) { r.red = 1; }, kScreen);
    EXPECT_EQ(Saved("AudioLightInfo")["BkColorR"].asInt(), 0x40);
}

// A program folder whose mode list gives position p the device code 10 + p, and one custom
// effect.
class LightCodesTest : public LightCommitTest {
  protected:
    void SetUp() override {
        LightCommitTest::SetUp();
        const std::filesystem::path program = folder / "program";
        std::filesystem::create_directories(program / "DefaultData");
        std::filesystem::copy_file(std::string(T418_RESOURCES_DIR) + "DefaultData/mouse.Json",
                                   program / "DefaultData" / "mouse.Json");
        Json::Value lights(Json::objectValue);
        for (int p = 0; p < 12; ++p) {
            Json::Value entry(Json::objectValue);
            entry["LightName"] = "light_mode_" + std::to_string(p);
            entry["visible"] = p < 10;
            entry["value"] = 10 + p;
            lights["DefaultLightName"][1].append(entry);
        }
        ASSERT_EQ(profile::WriteJsonFile((program / "DefaultData" / "default_light.json").string(),
                                         lights),
                  0);
        Json::Value custom(Json::objectValue);
        custom["LightInfo"][1][0]["LightName"] = "Sunrise";
        custom["LightInfo"][1][0]["Guid"] = "sunrise";
        ASSERT_EQ(profile::WriteJsonFile(UserFolder() + "kesta_light.config", custom), 0);
        ::setenv("T418_ZEN_PROGRAM_DIR", (program.string() + "/").c_str(), 1);
    }

    // The device holding `code` in block byte 1 of profile 0.
    void DeviceHoldsMode(devices::COrvaneMouseDevice& m, uint8_t code) {
        ASSERT_EQ(m.WriteSettings(0, 0, 1, 0, 0), 1);
        m.Channel().BeginTransaction();
        ASSERT_EQ(m.Channel().WriteMemory(&code, 1, 1), 1);
        m.Channel().EndTransaction();
    }

    devices::COrvaneMouseDevice& ConnectedWithLists() {
        auto& m = Connected(false);
        m.SetLightListIndex(1);
        m.LoadNameLists();
        return m;
    }
};

TEST_F(LightCodesTest, TheDeviceCodeReadsBackAsItsPositionAndAnUnknownCodeIsKept) {
    auto& m = ConnectedWithLists();
    DeviceHoldsMode(m, 15);  // position 5's code
    ASSERT_EQ(m.ReadSettingsBlock(), 1);
    EXPECT_EQ(m.LightSettings().mode, 5);
    EXPECT_EQ(Saved("LightInfo")["SelectItem"].asInt(), 5);
    EXPECT_EQ(m.LightModeStatus(), "light_mode_5");  // untranslated without a language

    DeviceHoldsMode(m, 200);
    ASSERT_EQ(m.ReadSettingsBlock(), 1);
    EXPECT_EQ(m.LightSettings().mode, 200);
    // A mode the lists do not reach has no name rather than another list's.
    EXPECT_EQ(m.LightModeStatus(), "");
}

TEST_F(LightCodesTest, ACustomEffectSurvivesTheReadBackAndIsNamedAsTheUserNamedIt) {
    auto& m = ConnectedWithLists();
    light::CommitLightChange(m, [](profile::LightRecord& r) { r.mode = 12; }, {});
    EXPECT_EQ(Block()[1], 0);
    EXPECT_EQ(m.LightModeStatus(), "Sunrise");
    // Code 0 is no position of this list, and still the custom mode stays.
    ASSERT_EQ(m.ReadSettingsBlock(), 1);
    EXPECT_EQ(m.LightSettings().mode, 12);
    light::CommitLightChange(m, [](profile::LightRecord& r) { r.mode = 13; }, {});
    EXPECT_EQ(m.LightModeStatus(), "");  // one custom effect only
}

}  // namespace
