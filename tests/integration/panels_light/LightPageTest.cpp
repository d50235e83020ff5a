// The light tab as a user drives it: the real mouse page headless with the mouse on the
// simulated bus, each notification routed through the program's tables to the light handlers
// as the main window routes it, and every change checked in the panel, the profile file and
// the simulated mouse's settings block.
#include <gtest/gtest.h>
#include <json/value.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../../unit/platform/TestFolders.h"
#include "controls/DeviceKeyButtonUI.h"
#include "devices/LightPanel.h"
#include "devices/mouse/SettingsBlock.h"
#include "panels/light/LightControlUI.h"
#include "profile/JsonFile.h"
#include "tests/integration/panels_light/LightPage.h"
#include "tests/integration/proto/BusFixture.h"
#include "ui/controls/ColorPaletteUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/layout/ContainerUI.h"

namespace {

using panels::CLightControlUI;

class LightPageTest : public prototest::BusTest {
  protected:
    void SetUp() override {
        BusTest::SetUp();
        backend.Install();
        ASSERT_TRUE(lighttest::LoadLightPageSkin(T418_RESOURCES_DIR));
        WriteCustomEffects();
        window = std::make_unique<lighttest::LightPageWindow>(
            host, [this] { return new devices::COrvaneMouseDevice(transport.get()); });
        ASSERT_NE(
            window->Create(nullptr, "light", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 976, 640),
            nullptr);
        backend.ProcessPending();
        mouse = window->device;
        ASSERT_NE(mouse, nullptr);
        ASSERT_TRUE(lighttest::ConnectLightPage(*window, PathOf("mouse-cable-if1-col2"), false));
        panel = panels::CLightHandlers::PanelOf(mouse);
        ASSERT_NE(panel, nullptr);
        window->heard.clear();
        TakeRequests();
    }
    void TearDown() override {
        if (window && ui::IsWindow(window->GetHWND()))
            ui::DestroyWindow(window->GetHWND());
        window.reset();
        backend.ProcessPending();
        BusTest::TearDown();
    }

    // Two effects of the user's: the combo holds them at positions 12 and 13.
    void WriteCustomEffects() {
        Json::Value config(Json::objectValue);
        config["LightInfo"][0] = Json::Value(Json::arrayValue);
        config["LightInfo"][1][0]["LightName"] = "Sunrise";
        config["LightInfo"][1][0]["Guid"] = "sunrise";
        config["LightInfo"][1][1]["LightName"] = "Tide";
        config["LightInfo"][1][1]["Guid"] = "tide";
        const std::string folder = data.path() + "/T418-ZEN/mouse/";
        std::filesystem::create_directories(folder);
        ASSERT_EQ(profile::WriteJsonFile(folder + "kesta_light.config", config), 0);
    }

    template <typename T>
    T* Get(const std::string& name) {
        return dynamic_cast<T*>(window->GetPaintManager()->FindControl(name));
    }
    void Click(const std::string& name) {
        ui::CControlUI* control = window->GetPaintManager()->FindControl(name);
        ASSERT_NE(control, nullptr) << name;
        window->GetPaintManager()->SendNotify(control, "click");
    }
    void Type(const std::string& edit, const std::string& text) {
        auto* e = Get<ui::CEditUI>(edit);
        ASSERT_NE(e, nullptr) << edit;
        e->SetFocus();
        e->SetText(text);
        window->GetPaintManager()->SetFocus(nullptr);
    }
    void Slide(const std::string& slider, int value) {
        auto* s = Get<ui::CSliderUI>(slider);
        ASSERT_NE(s, nullptr) << slider;
        s->SetValue(value);
    }
    void Check(const std::string& option, bool on) {
        auto* o = Get<ui::COptionUI>(option);
        ASSERT_NE(o, nullptr) << option;
        o->Selected(on);
    }
    void Pick(const std::string& palette, uint32_t argb) {
        auto* p = Get<ui::CColorPaletteUI>(palette);
        ASSERT_NE(p, nullptr) << palette;
        p->SetSelectColor(argb);
    }
    void ChooseMode(int position) {
        auto* combo = Get<ui::CComboUI>(CLightControlUI::kModeComboName);
        ASSERT_NE(combo, nullptr);
        ASSERT_LT(position, combo->GetCount());
        combo->SelectItem(position);
    }
    std::string Text(const std::string& edit) {
        auto* e = Get<ui::CEditUI>(edit);
        return e == nullptr ? "(none)" : e->GetText();
    }
    bool Selected(const std::string& option) {
        auto* o = Get<ui::COptionUI>(option);
        return o != nullptr && o->IsSelected();
    }

    std::vector<uint8_t> Block() {
        return devices.Mouse().Memory(0, devices::mouse::kSettingsBlockSize);
    }
    // The request codes the mouse received since the last call.
    std::vector<uint8_t> TakeRequests() {
        std::vector<uint8_t> codes;
        for (const auto& entry : devices.Log().Entries())
            if (entry.request && entry.bytes.size() > 3)
                codes.push_back(entry.bytes[3]);
        devices.Log().Clear();
        return codes;
    }
    Json::Value Saved(const std::string& section) {
        return profile::LoadJsonFile(mouse->GetProfilePath())["Device"][0][section];
    }

    t418test::TempFolder data;
    t418test::ScopedEnv dataEnv{"XDG_DATA_HOME", data.path()};
    t418test::ScopedEnv program{"T418_ZEN_PROGRAM_DIR", T418_RESOURCES_DIR};
    t418test::TempFolder runtime;
    t418test::ScopedEnv runtimeEnv{"XDG_RUNTIME_DIR", runtime.path()};
    ui::headless::HeadlessBackend backend;
    lighttest::LightPageHost host;
    std::unique_ptr<lighttest::LightPageWindow> window;
    devices::COrvaneMouseDevice* mouse = nullptr;
    CLightControlUI* panel = nullptr;
};

TEST_F(LightPageTest, ModeSpeedBrightnessAndDirectionReachTheBlock) {
    ChooseMode(3);
    EXPECT_EQ(Block()[1], 3);
    EXPECT_EQ(Saved("LightInfo")["SelectItem"].asInt(), 3);
    EXPECT_EQ(panel->GetSelectedMode(), 3);

    Slide(CLightControlUI::kSpeedSliderName, 1);
    EXPECT_EQ(Block()[3], 3);
    EXPECT_EQ(Saved("LightInfo")["Speed"].asInt(), 1);
    Slide(CLightControlUI::kBrightnessSliderName, 2);
    EXPECT_EQ(Block()[2], 2);

    Check(CLightControlUI::kSecondDirectionName, true);
    EXPECT_EQ(Block()[4], 0);
    EXPECT_FALSE(Selected(CLightControlUI::kFirstDirectionName));
    Check(CLightControlUI::kFirstDirectionName, true);
    EXPECT_EQ(Block()[4], 1);
    EXPECT_FALSE(Selected(CLightControlUI::kSecondDirectionName));

    // The second custom effect: the mouse holds code 0, the profile and the picture keep 13.
    ChooseMode(13);
    EXPECT_EQ(Block()[1], 0);
    EXPECT_EQ(Saved("LightInfo")["SelectItem"].asInt(), 13);
    EXPECT_EQ(mouse->LightSettings().mode, 13);
    EXPECT_EQ(mouse->LightModeStatus(), "Tide");
}

TEST_F(LightPageTest, ColourEditsStoreWhatTheyShow) {
    Type(CLightControlUI::kGreenEditName, "17");
    Type(CLightControlUI::kBlueEditName, "34");
    std::vector<uint8_t> b = Block();
    EXPECT_EQ(b[7], 0x22);  // blue before green
    EXPECT_EQ(b[8], 0x11);
    EXPECT_EQ(b[5], 0);
    EXPECT_FALSE(panel->IsMultiColour());
    EXPECT_EQ(panel->GetPaletteColour() & 0xFFFF, 0x1122u);

    Type(CLightControlUI::kGreenEditName, "300");
    EXPECT_EQ(Block()[8], 0xFF);
    EXPECT_EQ(Text(CLightControlUI::kGreenEditName), "255");
    EXPECT_EQ(Saved("LightInfo")["Green"].asInt(), 255);
    EXPECT_EQ(panel->GetPaletteColour() & 0xFF00, 0xFF00u);

    Type(CLightControlUI::kRedEditName, "");
    EXPECT_EQ(Block()[6], 0);
    EXPECT_EQ(Text(CLightControlUI::kRedEditName), "0");
    // Whatever else reaches an edit (a sign, letters, more digits than it takes), it shows
    // the value stored afterwards.
    for (const char* typed : {"-5", "4x", "x", "2550", "099"}) {
        Type(CLightControlUI::kRedEditName, typed);
        EXPECT_EQ(Text(CLightControlUI::kRedEditName), std::to_string(Block()[6])) << typed;
        EXPECT_EQ(Saved("LightInfo")["Red"].asInt(), Block()[6]) << typed;
    }
}

TEST_F(LightPageTest, APaletteOrPresetColourEndsMulticolourAndFillsTheEdits) {
    Check(CLightControlUI::kMultiColourName, true);
    ASSERT_EQ(Block()[5], 1);

    Pick(CLightControlUI::kPaletteName, 0xFF102030);
    std::vector<uint8_t> b = Block();
    EXPECT_EQ(b[5], 0);
    EXPECT_EQ(b[6], 0x10);
    EXPECT_EQ(b[7], 0x30);
    EXPECT_EQ(b[8], 0x20);
    EXPECT_FALSE(Selected(CLightControlUI::kMultiColourName));
    EXPECT_EQ(Text(CLightControlUI::kRedEditName), "16");
    EXPECT_EQ(Text(CLightControlUI::kGreenEditName), "32");
    EXPECT_EQ(Text(CLightControlUI::kBlueEditName), "48");

    Check(CLightControlUI::kMultiColourName, true);
    const uint32_t preset = panel->GetPresetColour(2);
    ASSERT_NE(preset, 0u) << "the skin has a third preset";
    Click("color_option_2");
    b = Block();
    EXPECT_EQ(b[5], 0);
    EXPECT_EQ(b[6], (preset >> 16) & 0xFF);
    EXPECT_EQ(b[8], (preset >> 8) & 0xFF);
    EXPECT_EQ(b[7], preset & 0xFF);
    EXPECT_EQ(Text(CLightControlUI::kRedEditName), std::to_string((preset >> 16) & 0xFF));
    EXPECT_EQ(panel->GetPaletteColour(), preset | 0xFF000000u);
    EXPECT_FALSE(Selected(CLightControlUI::kMultiColourName));
}

TEST_F(LightPageTest, AnOwnChangeEndsASynchronisedEffectAndShowingARecordChangesNothing) {
    mouse->Channel().SetHold(1);
    Slide(CLightControlUI::kBrightnessSliderName, 1);
    EXPECT_EQ(mouse->Channel().Hold(), 0u);

    // Showing records from the document (as every refresh does) raises no notification, so
    // nothing is saved or sent.
    const std::string before = profile::readjsonFile(mouse->GetProfilePath());
    window->heard.clear();
    TakeRequests();
    profile::LightRecord other = mouse->LightSettings();
    other.mode = 5;
    other.speed = 0;
    other.red = 0x44;
    other.multiColour = 1;
    const auto words = other.ToWords();
    panel->SetLightInfo(words[0], words[1], words[2], words[3]);
    panel->SetAudioLightInfo(0x00FF0002, 0x01000000, 0);
    mouse->RefreshPanel();
    EXPECT_TRUE(window->heard.empty()) << window->heard.front();
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_EQ(profile::readjsonFile(mouse->GetProfilePath()), before);
}

TEST_F(LightPageTest, AudioColoursAreSavedByTypeAndNeverSent) {
    const std::vector<uint8_t> block = Block();
    Check(CLightControlUI::kAudioForegroundName, true);
    Pick(CLightControlUI::kAudioPaletteName, 0xFF0A0B0C);
    Json::Value saved = Saved("AudioLightInfo");
    EXPECT_EQ(saved["FgColorR"].asInt(), 0x0A);
    EXPECT_EQ(saved["FgColorB"].asInt(), 0x0C);
    EXPECT_EQ(saved["ColorTypeFlags"].asInt(), 1);

    // The foreground's multicolour: the palette leaves it, a preset and an edit clear it.
    Check(CLightControlUI::kAudioMultiColourName, true);
    ASSERT_EQ(Saved("AudioLightInfo")["7ColorFlags"].asInt(), 1);
    Pick(CLightControlUI::kAudioPaletteName, 0xFF010203);
    EXPECT_EQ(Saved("AudioLightInfo")["7ColorFlags"].asInt(), 1);
    const uint32_t preset = panel->GetLightAudioColor(1);
    Click("audiocolor_option_1");
    saved = Saved("AudioLightInfo");
    EXPECT_EQ(saved["7ColorFlags"].asInt(), 0);
    EXPECT_EQ(static_cast<uint32_t>(saved["FgColorG"].asInt()), (preset >> 8) & 0xFF);

    // The background: an edit changes its channel of the background only, and the panel then
    // shows the stored record.
    Check(CLightControlUI::kAudioBackgroundName, true);
    Type(CLightControlUI::kAudioGreenEditName, "300");
    saved = Saved("AudioLightInfo");
    EXPECT_EQ(saved["BkColorG"].asInt(), 255);
    EXPECT_EQ(saved["ColorTypeFlags"].asInt(), 0);
    EXPECT_EQ(static_cast<uint32_t>(saved["FgColorG"].asInt()), (preset >> 8) & 0xFF);
    EXPECT_EQ(Text(CLightControlUI::kAudioGreenEditName), "255");
    Click("Close_bkColor_btn");
    saved = Saved("AudioLightInfo");
    EXPECT_EQ(saved["BkColorR"].asInt() + saved["BkColorG"].asInt() + saved["BkColorB"].asInt(), 0);

    // The mouse heard none of it.
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_EQ(Block(), block);
    // A reload keeps it.
    mouse->LoadProfile();
    EXPECT_EQ(mouse->AudioLightRecord().foregroundGreen, (preset >> 8) & 0xFF);
    EXPECT_EQ(mouse->AudioLightRecord().backgroundGreen, 0);
}

class LightSelectionTest : public LightPageTest {
  protected:
    ui::CContainerUI* Picture() { return Get<ui::CContainerUI>(devices::kMouseLedSelectName); }
    // Marks the LED buttons; the keys stay unselected.
    void SelectLeds(bool all) {
        ui::CContainerUI* picture = Picture();
        ASSERT_NE(picture, nullptr);
        for (int i = 0; i < picture->GetCount(); ++i) {
            auto* button = dynamic_cast<controls::CDeviceKeyButtonUI*>(picture->GetItemAt(i));
            if (button == nullptr)
                continue;
            const std::string name = button->GetName();
            const bool led = name.rfind("light_", 0) == 0;
            button->SetSelected(led && (all || name != "light_0") ? 1 : 0);
        }
    }
    void EndSelection() { window->GetPaintManager()->SendNotify(Picture(), "click_select_end"); }
    // The profile file changed behind the program's back: red 0x77.
    void RedInTheFile() {
        Json::Value root = profile::LoadJsonFile(mouse->GetProfilePath());
        root["Device"][0]["LightInfo"]["Red"] = 0x77;
        root["Device"][0]["LightInfo"]["MultiColor"] = 0;
        ASSERT_EQ(profile::WriteJsonFile(mouse->GetProfilePath(), root), 0);
    }
};

TEST_F(LightSelectionTest, SelectingEveryLedAppliesTheSavedLightingAgain) {
    RedInTheFile();
    SelectLeds(true);
    TakeRequests();
    EndSelection();
    EXPECT_FALSE(TakeRequests().empty());
    EXPECT_EQ(Block()[6], 0x77);
    EXPECT_EQ(mouse->LightSettings().red, 0x77);
    EXPECT_EQ(Text(CLightControlUI::kRedEditName), "119");
}

TEST_F(LightSelectionTest, SomeLedsOrANameOutsideTheLedsChangeNothing) {
    RedInTheFile();
    SelectLeds(false);
    TakeRequests();
    EndSelection();
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_NE(mouse->LightSettings().red, 0x77);

    // "light_-1" is no LED: it neither stands in for LED 0 nor reaches outside the list.
    auto* stray = new controls::CDeviceKeyButtonUI;
    stray->SetName("light_-1");
    stray->SetUserData("light_-1");
    Picture()->Add(stray);
    stray->SetSelected(1);
    EndSelection();
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_NE(mouse->LightSettings().red, 0x77);
}

}  // namespace
