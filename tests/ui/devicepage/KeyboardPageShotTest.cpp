// The keyboard page rendered offscreen from the real skin: the picture with its 170 LEDs lit
// by the wave preview, the key panel and the performance controls, to
// build/screenshots/keyboard-page.png; and its controls bound by the device object.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <filesystem>
#include <string>

#include "app/PanelTags.h"
#include "devices/keyboard/OrvaneKeyboardDevice.h"
#include "tests/ui/support/MousePageWindow.h"
#include "tests/ui/support/ProgramQtBackend.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/StringUtil.h"
#include "ui/core/WindowImplBase.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtWindow.h"
#include "ui/skin/ResourceManager.h"

namespace {

namespace fs = std::filesystem;
namespace kb = devices::keyboard;

constexpr int kWidth = 976;
constexpr int kHeight = 500;

class KeyboardPageWindow : public ui::WindowImplBase {
  public:
    ui::CControlUI* CreateControl(const std::string& tag) override {
        if (ui::EqualsNoCase(tag, devices::COrvaneKeyboardDevice::kClassName)) {
            keyboard = new devices::COrvaneKeyboardDevice;
            return keyboard;
        }
        return app::CreatePanelControl(tag, this, m_pm);
    }
    devices::COrvaneKeyboardDevice* keyboard = nullptr;  // owned by the page

  protected:
    std::string GetWindowClassName() const override { return "KeyboardPageShot"; }
    std::string GetSkinFile() override {
        return R"(<Window size="976,500" defaultfontcolor="#FFC9D1DC" disabledfontcolor="#FF5A6270">
  <Font id="1" name="" size="14" bold="true"/>
  <Font id="7" name="" size="14" default="true"/>
  <Font id="8" name="" size="12"/>
  <Font id="9" name="" size="11"/>
  <VerticalLayout bkcolor="#FF15181D"><Include source="XML/DeviceXml/keyboarddevice.xml"/></VerticalLayout>
</Window>)";
    }
};

ui::qt::QtBackend& Backend() {
    return t418test::ProgramQtBackend("keyboard_page_shot_tests");
}

class KeyboardPageShot : public ::testing::Test {
  protected:
    void SetUp() override {
        Backend();
        data = fs::temp_directory_path() / "t418-keyboard-page-shot";
        fs::remove_all(data);
        ::setenv("XDG_DATA_HOME", data.c_str(), 1);
        ::setenv("T418_ZEN_PROGRAM_DIR", (std::string(T418_RESOURCES_DIR) + "/").c_str(), 1);
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml"));
    }
    void TearDown() override {
        ui::CResourceManager::GetInstance()->Release();
        fs::remove_all(data);
    }
    fs::path data;
};

TEST_F(KeyboardPageShot, ThePictureLitByTheWaveAndItsControls) {
    KeyboardPageWindow window;
    ASSERT_NE(
        window.Create(nullptr, "shot", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, kWidth, kHeight),
        nullptr);
    int timer = Backend().StartTimer(50, [] { Backend().QuitLoop(0); });
    Backend().RunLoop();
    Backend().StopTimer(timer);
    ASSERT_NE(window.keyboard, nullptr);
    devices::COrvaneKeyboardDevice& k = *window.keyboard;
    // As the device list sets it up.
    k.SetSkinFile("XML/DeviceXml/keyboarddevice.xml");
    k.SetKeyCount(kb::kPositions);
    k.SetLedCount(kb::kPositions);
    k.SetProfileBaseName("shot");
    k.BindPanelControls();
    k.LoadProfile();
    k.RefreshPanel();
    int keys = 0, leds = 0;
    for (int p = 0; p < kb::kPositions; ++p) {
        keys += k.GetKeyButton(p) != nullptr ? 1 : 0;
        leds += k.GetLedButton(p) != nullptr ? 1 : 0;
        EXPECT_EQ(k.GetKeyButton(p) != nullptr, kb::HasKey(p)) << p;
    }
    EXPECT_EQ(keys, 104);
    EXPECT_EQ(leds, kb::kPositions);
    // The profile's keyboard settings are on the page.
    auto* delay = dynamic_cast<ui::COptionUI*>(window.FindControl("repeat_delay_check_1"));
    ASSERT_NE(delay, nullptr);
    EXPECT_TRUE(delay->IsSelected());
    EXPECT_EQ(window.FindControl("repeat_delay_time_label1")->GetText(), "Repeat delay: 500ms");
    auto* box = dynamic_cast<ui::CEditUI*>(window.FindControl("repeat_input_richedit"));
    ASSERT_NE(box, nullptr);
    box->SetText("aaaa", false);
    k.ClearRepeatTestBox();
    EXPECT_EQ(box->GetText(), "");
    // Key button 110 is usable on the first function page only.
    k.ShowFunctionPage(2);
    EXPECT_FALSE(k.GetKeyButton(110)->IsEnabled());
    k.ShowFunctionPage(1);
    EXPECT_TRUE(k.GetKeyButton(110)->IsEnabled());
    // A key with its function in the key panel, on the key page.
    k.ShowFunctionPage(2);
    k.SelectKey(64);
    EXPECT_TRUE(window.FindControl("KeySetControlItem")->IsVisible());
    k.SelectKey(130);  // an LED of the strip: no key
    EXPECT_FALSE(window.FindControl("KeySetControlItem")->IsVisible());
    k.ShowFunctionPage(1);

    profile::LightRecord light = k.Profile().GetLightRecord();
    light.mode = 1;
    light.multiColour = 1;
    light.brightness = 4;
    light.direction = 1;
    const auto w = light.ToWords();
    k.SetLightSettings(w[0], w[1], w[2], w[3]);
    for (int i = 0; i < 12; ++i)
        k.PreviewKeyboardStep(1);
    k.RefreshPreview();
    window.GetPaintManager()->UpdateLayout();

    auto* native = dynamic_cast<ui::qt::QtWindow*>(window.GetNativeWindow());
    auto* widget = native ? dynamic_cast<ui::qt::WindowWidget*>(native->Widget()) : nullptr;
    ASSERT_NE(widget, nullptr);
    QImage image = widget->RenderToImage();
    fs::create_directories(T418_SCREENSHOT_DIR);
    image.save(
        QString::fromStdString((fs::path(T418_SCREENSHOT_DIR) / "keyboard-page.png").string()),
        "PNG");
    EXPECT_EQ(image.size(), QSize(kWidth, kHeight));
    EXPECT_GT(t418test::ColourCount(image), 300u) << "the page is nearly blank";
    ui::DestroyWindow(window.GetHWND());
}

}  // namespace
