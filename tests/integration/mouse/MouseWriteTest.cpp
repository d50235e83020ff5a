// What the mouse object sends, checked in the simulator's memory: the settings block and its
// read-back, the key map with macros, the macro and shoot areas.
#include <json/value.h>

#include "devices/mouse/SettingsBlock.h"
#include "profile/JsonFile.h"
#include "tests/integration/mouse/MouseFixture.h"
#include "tests/integration/mouse/TestMacros.h"

namespace {

using mousetest::MouseTest;

std::vector<uint8_t> Block(sim::firmware::DeviceFirmware& mouse) {
    return mouse.Memory(0, devices::mouse::kSettingsBlockSize);
}

profile::DpiStageRecord Stage(uint16_t dpi, uint8_t colour) {
    return {1,
            0,
            dpi,
            static_cast<uint16_t>(dpi + 1),
            colour,
            static_cast<uint8_t>(colour + 1),
            static_cast<uint8_t>(colour + 2)};
}

TEST_F(MouseTest, SettingsTravelToTheDeviceAndTheReadBackKeepsWhatItDoesNotRead) {
    auto& m = MakeMouse(false);
    ASSERT_EQ(m.LoadProfile(), 1);
    std::vector<profile::DpiStageRecord> stages;
    for (int i = 0; i < 7; ++i)
        stages.push_back(
            Stage(static_cast<uint16_t>(1000 + 100 * i), static_cast<uint8_t>(10 * i)));
    m.SetStageRecords(stages);
    m.Profile().SetActiveStage(3);
    profile::SystemRecord words{};
    words[2] = profile::MakeWord(7, 4);    // report rate 4
    words[3] = profile::MakeWord(2, 9);    // SilentAltitude 2, Linear_Calibration 9
    words[4] = profile::MakeWord(1, 0);    // Ripple
    words[5] = profile::MakeWord(11, 12);  // ble sleep
    words[6] = profile::MakeWord(3, 6);    // device sleep
    words[7] = profile::MakeWord(8, 2);    // debounce, logo mode
    m.SetSystemWords(words);
    profile::LightRecord light;
    light.mode = 2;
    light.brightness = 4;
    light.speed = 1;
    light.direction = 1;
    light.multiColour = 0;
    light.red = 0x11;
    light.green = 0x22;
    light.blue = 0x33;
    m.Profile().SetLightRecord(light);

    ASSERT_EQ(m.WriteSettings(0, 0, 1, 0, 0), 1);
    const auto b = Block(devices.Mouse());
    EXPECT_EQ(b[1], 2);
    EXPECT_EQ(b[2], 4);
    EXPECT_EQ(b[3], 3);  // 4 - speed
    EXPECT_EQ(b[4], 1);
    EXPECT_EQ(b[6], 0x11);  // red, blue, green
    EXPECT_EQ(b[7], 0x33);
    EXPECT_EQ(b[8], 0x22);
    EXPECT_EQ(b[11], 4);
    EXPECT_EQ(b[12], 3);
    for (size_t i = 0; i < 7; ++i) {
        const auto bytes = stages[i].ToBytes();
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), b.begin() + 14 + 9 * i)) << i;
    }
    EXPECT_EQ((std::vector<uint8_t>(b.begin() + 77, b.end())),
              (std::vector<uint8_t>{11, 12, 3, 6, 8, 2, 9, 1, 0, 2}));

    // The profile drifts; the read-back restores what it takes and keeps the rest.
    words[3] = profile::MakeWord(5, 0);
    m.SetSystemWords(profile::SystemRecord{words[0], words[1], 0, words[3], 0, 0, 0, 0});
    profile::LightRecord other;
    other.direction = 0;
    m.Profile().SetLightRecord(other);
    m.Profile().SetActiveStage(0);
    std::vector<profile::DpiStageRecord> changed = stages;
    changed[0].x = 555;
    m.SetStageRecords(changed);
    ASSERT_EQ(m.ReadSettingsBlock(), 1);
    const auto back = m.Profile().GetSystemRecord();
    EXPECT_EQ(profile::HighHalf(back[2]), 4);
    EXPECT_EQ(profile::HighHalf(back[3]), 9);
    EXPECT_EQ(profile::LowHalf(back[3]), 5);  // SilentAltitude is not read back
    EXPECT_EQ(profile::LowHalf(back[4]), 1);
    EXPECT_EQ(back[5], words[5]);
    EXPECT_EQ(back[6], words[6]);
    EXPECT_EQ(back[7], words[7]);
    EXPECT_EQ(m.Profile().GetActiveStage(), 3);
    const profile::LightRecord l = m.Profile().GetLightRecord();
    EXPECT_EQ(l.mode, 2);
    EXPECT_EQ(l.brightness, 4);
    EXPECT_EQ(l.speed, 1);
    EXPECT_EQ(l.direction, 0);  // not taken from the device
    EXPECT_EQ(l.red, 0x11);
    EXPECT_EQ(l.green, 0x22);
    EXPECT_EQ(l.blue, 0x33);
    EXPECT_EQ(m.Profile().GetDpiStages()[0].x, 555);  // stages are not read back
}

TEST_F(MouseTest, ACustomModeIsSentAsZeroAndSurvivesTheReadBack) {
    auto& m = MakeMouse(false);
    m.LoadProfile();
    profile::LightRecord light = m.Profile().GetLightRecord();
    light.mode = 12;
    light.speed = 9;  // beyond the scale: no wrapped byte
    m.Profile().SetLightRecord(light);
    ASSERT_EQ(m.WriteSettings(0, 0, 1, 0, 0), 1);
    EXPECT_EQ(Block(devices.Mouse())[1], 0);
    EXPECT_EQ(Block(devices.Mouse())[3], 0);
    ASSERT_EQ(m.ReadSettingsBlock(), 1);
    EXPECT_EQ(m.Profile().GetLightRecord().mode, 12);
}

TEST_F(MouseTest, AShorterProfileSendsNoStagesOfTheLongerOne) {
    auto& m = MakeMouse(false);
    m.LoadProfile();
    std::vector<profile::DpiStageRecord> seven(7, Stage(800, 50));
    m.SetStageRecords(seven);
    ASSERT_EQ(m.WriteSettings(0, 0, 1, 0, 0), 1);
    Json::Value document = m.Profile().Document();
    document["DPIStages"]["StageDPIs"].resize(5);
    m.Profile().SetDocument(document);
    ASSERT_EQ(m.WriteSettings(0, 0, 1, 0, 0), 1);
    const auto b = Block(devices.Mouse());
    EXPECT_EQ(b[14 + 9 * 4 + 2], 800 & 0xFF);
    for (size_t i = 14 + 9 * 5; i < 77; ++i)
        EXPECT_EQ(b[i], 0) << i;
}

TEST_F(MouseTest, SettingsWritesReportEveryFailure) {
    auto& m = MakeMouse(false);
    m.LoadProfile();
    m.Channel().SetOpen(false);
    EXPECT_EQ(m.WriteSettings(0, 0, 1, 0, 0), 0);
    m.Channel().SetOpen(true);
    devices.Faults().SetStatusAt(0xFE, 2);  // the write is refused
    EXPECT_EQ(m.WriteSettings(0, 0, 1, 0, 0), 0);
    devices.Faults().Clear();
    EXPECT_EQ(m.WriteSettings(0, 0, 1, 0, 0), 1);
    EXPECT_EQ(m.WriteSettings(600, 0, 1, 0, 0), 0);  // past the address space
}

class MouseMacroTest : public MouseTest {
  protected:
    void WriteMacros(const std::vector<int>& eventCounts) {
        t418test::WriteTestMacros(UserFolder(), eventCounts);
    }

    static profile::KeyRecord MacroKey(uint16_t key, uint8_t macro, uint32_t factory) {
        return {profile::KeyAssignment{key, 0x70, macro, 0, 0},
                profile::KeyAssignment::FromCode(key, factory)};
    }
};

TEST_F(MouseMacroTest, KeysNumberTheirMacrosInUploadOrder) {
    auto& m = MakeMouse(false);
    ASSERT_TRUE(m.ReadDeviceData());
    m.LoadProfile();
    WriteMacros({2, 3, 4, 1, 5});
    auto records = m.GetKeyRecords();
    ASSERT_GE(records.size(), 7u);
    records[0] = MacroKey(0, 4, 0x100100);
    records[3] = MacroKey(3, 4, 0x101000);
    records[5] = MacroKey(5, 2, 0x130100);
    records[6] = MacroKey(6, 5, 0x130200);  // no macro 5: the factory assignment
    m.SetKeyRecords(records);
    EXPECT_EQ(m.GetUsedMacroIndices(), (std::vector<int>{4, 2}));
    ASSERT_EQ(m.WriteCurrentKeyAssignments(0), 1);
    const auto map = devices.Mouse().ActiveKeyMap(0);
    EXPECT_EQ((std::vector<uint8_t>(map.begin(), map.begin() + 3)),
              (std::vector<uint8_t>{0x70, 0, 0}));
    EXPECT_EQ(map[9], 0x70);
    EXPECT_EQ(map[10], 0);
    EXPECT_EQ(map[15], 0x70);
    EXPECT_EQ(map[16], 1);
    EXPECT_EQ((std::vector<uint8_t>(map.begin() + 18, map.begin() + 21)),
              (std::vector<uint8_t>{0x13, 0x02, 0x00}));
    EXPECT_EQ(m.GetKeyRecords()[0].current.param1, 4);  // the profile keeps list indices

    ASSERT_EQ(m.WriteMacros(m.GetUsedMacroIndices()), 0);
    const auto area = devices.Mouse().MacroArea(64);
    // Two items of 5 and 4 events: 16 + 4 + 24 + 20 = 64 bytes.
    EXPECT_EQ((std::vector<uint8_t>(area.begin(), area.begin() + 6)),
              (std::vector<uint8_t>{0xAA, 0x55, 64, 0, 2, 0}));
    EXPECT_EQ(area[16], 20);
    EXPECT_EQ(area[18], 44);
    EXPECT_EQ(area[20], 5);
    EXPECT_EQ((std::vector<uint8_t>(area.begin() + 24, area.begin() + 28)),
              (std::vector<uint8_t>{54, 0, 0x8A, 4}));
}

TEST_F(MouseMacroTest, MacroAreasBeyondTheLimitsAreRefused) {
    auto& m = MakeMouse(false);
    WriteMacros({60, 61, 10, 20});
    EXPECT_EQ(m.WriteMacros({0}), 0);
    EXPECT_EQ(m.WriteMacros({0, 1}), 61);
    devices.Mouse().SetInfoByte(6, 1);
    EXPECT_EQ(m.WriteMacros({2, 3}), 6);
    EXPECT_EQ(m.WriteMacros({}), 0);
}

TEST_F(MouseMacroTest, ShootSetsFormTheirAreaAndOversizedSetsAreRefused) {
    auto& m = MakeMouse(false);
    for (int set = 0; set < 4; ++set) {
        Json::Value file(Json::objectValue);
        file["Events"] = Json::Value(Json::arrayValue);
        for (int e = 0; e < 180; ++e) {
            Json::Value event(Json::objectValue);
            event["Action"] = "up";
            event["Button"] = set;
            event["Type"] = 4;
            event["Delay"] = 0;
            file["Events"].append(event);
        }
        profile::WriteJsonFile(UserFolder() + "ShootData_" + std::to_string(set) + ".Shoot", file);
    }
    ASSERT_EQ(m.WriteShootData(), 1);
    const auto area = devices.Mouse().ShootArea(32);
    EXPECT_EQ(area[2] | area[3] << 8, 2920);
    EXPECT_EQ(area[16] | area[17] << 8, 24);
    EXPECT_EQ(area[18] | area[19] << 8, 748);
    EXPECT_EQ(area[20] | area[21] << 8, 1472);
    EXPECT_EQ(area[22] | area[23] << 8, 2196);

    Json::Value huge(Json::objectValue);
    huge["Events"] = Json::Value(Json::arrayValue);
    for (int e = 0; e < 17000; ++e)
        huge["Events"].append(Json::Value(Json::objectValue));
    profile::WriteJsonFile(UserFolder() + "ShootData_2.Shoot", huge);
    EXPECT_EQ(m.WriteShootData(), 0);
    EXPECT_EQ(devices.Mouse().ShootArea(4)[2] | devices.Mouse().ShootArea(4)[3] << 8, 2920);
}

TEST_F(MouseMacroTest, KeyTablesPastTheMirrorAreRefused) {
    auto& m = MakeMouse(false);
    ASSERT_TRUE(m.ReadDeviceData());
    m.LoadProfile();
    devices.Mouse().SetInfoByte(5, 200);
    EXPECT_EQ(m.WriteCurrentKeyAssignments(0), 0);
    devices.Mouse().SetInfoByte(5, 16);
    EXPECT_EQ(m.WriteCurrentKeyAssignments(1), 0);  // the device takes bank 0 only
    EXPECT_EQ(m.WriteCurrentKeyAssignments(0), 1);
}

}  // namespace

namespace {

using mousetest::MouseTest;

TEST_F(MouseTest, ACustomModePlaysItsEffectFile) {
    Json::Value config(Json::objectValue);
    Json::Value entry(Json::objectValue);
    entry["LightName"] = "mine";
    entry["Guid"] = "effect1";
    config["LightInfo"][0][0] = entry;
    profile::WriteJsonFile(UserFolder() + "kesta_light.config", config);
    Json::Value effect(Json::objectValue);
    Json::Value step(Json::objectValue);
    step["LEDREGMode"] = 4;  // wave
    step["LEDBrightness"] = 4;
    step["LEDSpeed"] = 4;
    step["LEDDirection"] = 1;
    step["LEDMultiColor"] = 0;
    step["red"] = 255;
    step["Time"] = 100000;
    effect["LEDEffectList"].append(step);
    profile::WriteJsonFile(UserFolder() + "effect1.light", effect);

    auto& m = MakeMouse(false);
    m.SetLedCount(15);
    m.LoadProfile();
    profile::LightRecord light = m.Profile().GetLightRecord();
    light.mode = 12;
    m.Profile().SetLightRecord(light);
    m.LoadLightSettings();
    ASSERT_EQ(m.EffectStepCount(), 1u);
    // The backward wave's start index lies past the 96-entry curve before it is reduced.
    bool lit = false;
    for (int pass = 0; pass < 2000; ++pass) {
        m.PlayCustomEffect();
        for (int led = 0; led < 15; ++led) {
            const devices::LedColour c = m.GetLedColour(led);
            lit = lit || c.level > 0;
            ASSERT_EQ(c.green, 0);
        }
    }
    EXPECT_TRUE(lit);
    light.mode = 2;
    m.Profile().SetLightRecord(light);
    m.LoadLightSettings();
    EXPECT_EQ(m.EffectStepCount(), 0u);
}

}  // namespace
