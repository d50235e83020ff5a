// The mouse feeding its page's lighting panel: building the page fills the mode list (the
// built-ins of default_light.json, then the custom effects of kesta_light.config), a refresh
// shows the light and audio records, and the audio record goes through the panel.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../../unit/platform/TestFolders.h"
#include "app/PanelTags.h"
#include "controls/ProgramControls.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "panels/light/LightControlUI.h"
#include "panels/light/LightRules.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowImplBase.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/skin/ResourceManager.h"

namespace lighttest {
namespace {

using panels::CLightControlUI;

class MousePageWindow : public ui::WindowImplBase {
  public:
    devices::COrvaneMouseDevice* mouse = nullptr;
    std::vector<std::string> notified;
    void Notify(ui::TNotifyUI& msg) override {
        notified.push_back(msg.sType + ":" + (msg.pSender ? msg.pSender->GetName() : ""));
        WindowImplBase::Notify(msg);
    }
    ui::CControlUI* CreateControl(const std::string& tag) override {
        if (ui::EqualsNoCase(tag, "OrvaneMouseDevice")) {
            mouse = new devices::COrvaneMouseDevice;
            return mouse;
        }
        return app::CreatePanelControl(tag, this, m_pm);
    }

  protected:
    std::string GetWindowClassName() const override { return "MouseLightPanelTest"; }
    std::string GetSkinFile() override {
        return R"(<Window size="976,500"><VerticalLayout>
                    <Include source="XML/DeviceXml/mousedevice.xml"/>
                  </VerticalLayout></Window>)";
    }
};

class MouseLightPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        backend.Install();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml"));
        controls::ControlCreators creators;
        controls::AddCustomControlCreators(creators);
        controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
        window = std::make_unique<MousePageWindow>();
        ASSERT_NE(
            window->Create(nullptr, "mouse", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 976, 500),
            nullptr);
        backend.ProcessPending();
        mouse = window->mouse;
        ASSERT_NE(mouse, nullptr);
        mouse->SetDataFolderName("mouse");
        mouse->SetConfigBaseName("kesta_light");
        mouse->SetLightListIndex(1);
        mouse->SetKeyCount(11);
        mouse->SetSkinFile("XML/DeviceXml/mousedevice.xml");
    }
    void TearDown() override {
        if (window && ui::IsWindow(window->GetHWND()))
            ui::DestroyWindow(window->GetHWND());
        window.reset();
        backend.ProcessPending();
        ui::CResourceManager::GetInstance()->Release();
    }
    void WriteCustomEffects() {
        std::ofstream out(mouse->GetUserDataFolder() + "kesta_light.config");
        out << R"({"LightInfo": [[], [{"LightName": "Aurora pulse", "Guid": "a1"},
                                      {"LightName": "Ember", "Guid": "b2"}]]})";
    }
    CLightControlUI* Panel() {
        return dynamic_cast<CLightControlUI*>(
            window->GetPaintManager()->FindControl(devices::kLightPanelName));
    }
    ui::COptionUI* Option(const std::string& name) {
        return dynamic_cast<ui::COptionUI*>(window->GetPaintManager()->FindControl(name));
    }

    t418test::TempFolder home;
    t418test::ScopedEnv data{"XDG_DATA_HOME", home / "data"};
    t418test::ScopedEnv program{"T418_ZEN_PROGRAM_DIR", std::string(T418_RESOURCES_DIR) + "/"};
    ui::headless::HeadlessBackend backend;
    std::unique_ptr<MousePageWindow> window;
    devices::COrvaneMouseDevice* mouse = nullptr;
};

TEST_F(MouseLightPanelTest, BuildingThePageFillsTheModesThenTheCustomEffects) {
    WriteCustomEffects();
    mouse->BindPanelControls();
    CLightControlUI* panel = Panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetLayoutFamily(), 2);
    auto* combo = dynamic_cast<ui::CComboUI*>(
        window->GetPaintManager()->FindControl(CLightControlUI::kModeComboName));
    ASSERT_EQ(combo->GetCount(), 14);
    EXPECT_EQ(combo->GetItemAt(9)->GetText(), "Neon");
    EXPECT_FALSE(combo->GetItemAt(10)->IsOwnVisible());
    EXPECT_EQ(combo->GetItemAt(12)->GetText(), "Aurora pulse");

    // A refresh shows the record: custom effect 1 is position 13.
    profile::LightRecord record;
    record.mode = 13;
    record.brightness = 2;
    record.green = 200;
    const auto words = record.ToWords();
    mouse->SetLightSettings(words[0], words[1], words[2], words[3]);
    window->notified.clear();
    mouse->RefreshPanel();
    EXPECT_EQ(panel->GetSelectedMode(), 13);
    EXPECT_EQ(combo->GetText(), "Ember");
    EXPECT_EQ(panel->GetBrightness(), 2);
    EXPECT_EQ(panel->GetColourText(1), "200");
    backend.ProcessPending();
    EXPECT_TRUE(window->notified.empty()) << window->notified.front();
}

TEST_F(MouseLightPanelTest, TheAudioRecordGoesThroughThePanel) {
    mouse->BindPanelControls();
    CLightControlUI* panel = Panel();
    ASSERT_NE(panel, nullptr);
    profile::AudioLightRecord record;
    record.mode = 1;
    record.foregroundRed = 0x40;
    record.backgroundBlue = 0x50;
    record.colourType = 1;
    const devices::AudioLightWords words = panels::light::ToAudioWords(record);
    mouse->SetAudioLightSettings(words.a, words.b, words.c);
    EXPECT_EQ(panel->AudioRecord(), record);
    EXPECT_EQ(panel->GetAudioColourText(0), "64");

    // The user picks the background: reading the settings takes the panel's choice.
    Option(CLightControlUI::kAudioBackgroundName)->Selected(true, false);
    const devices::AudioLightWords read = mouse->GetAudioLightSettings(false);
    EXPECT_EQ(read.c, 0);
    EXPECT_EQ(panels::light::FromAudioWords(read).backgroundBlue, 0x50);
    mouse->SetAudioLightSettings(read.a, read.b, read.c);
    EXPECT_EQ(panel->GetAudioColourText(2), "80") << "the background now shows";
}

TEST_F(MouseLightPanelTest, WithoutADefaultListTheModeComboStaysEmpty) {
    t418test::ScopedEnv nowhere("T418_ZEN_PROGRAM_DIR", home / "program/");
    mouse->BindPanelControls();
    auto* combo = dynamic_cast<ui::CComboUI*>(
        window->GetPaintManager()->FindControl(CLightControlUI::kModeComboName));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetCount(), 0);
    mouse->RefreshPanel();
    EXPECT_EQ(Panel()->GetSelectedMode(), -1);
}

}  // namespace
}  // namespace lighttest
