// The mouse pad's and the headset's pages rendered offscreen from the real skin through the
// program's panel tags, filled as their device objects fill them: the pad's lighting page
// with its LEDs in a static colour and in neon, the headset's audio panels saying that the
// effects are not available; to build/screenshots/pad-page-*.png and headset-page.png.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <filesystem>
#include <string>

#include "../../unit/platform/TestFolders.h"
#include "app/PanelTags.h"
#include "devices/headset/OrvaneDA6533Device.h"
#include "devices/pad/OrvaneMousePadDevice.h"
#include "tests/ui/support/MousePageWindow.h"
#include "tests/ui/support/ProgramQtBackend.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtWindow.h"
#include "ui/skin/ResourceManager.h"

namespace {

namespace fs = std::filesystem;
using t418test::ColourCount;

constexpr int kWidth = 976;
constexpr int kHeight = 500;
// Page pixels at 96 DPI: a lit LED of the pad's front edge, the cloth in the middle, a lit
// LED of the headset's left cup.
const QPoint kPadFrontLed(16 + 170, 16 + 350);
const QPoint kPadCloth(16 + 170, 16 + 230);
const QPoint kHeadsetLed(16 + 95, 16 + 270);

ui::qt::QtBackend& Backend() {
    return t418test::ProgramQtBackend("pad_headset_page_shot_tests");
}

class DevicePageWindow : public ui::WindowImplBase {
  public:
    explicit DevicePageWindow(std::string page) : page_(std::move(page)) {}
    ui::CControlUI* CreateControl(const std::string& tag) override {
        if (ui::EqualsNoCase(tag, devices::COrvaneMousePadDevice::kClassName))
            return device = new devices::COrvaneMousePadDevice;
        if (ui::EqualsNoCase(tag, devices::COrvaneDA6533Device::kClassName))
            return device = new devices::COrvaneDA6533Device;
        return app::CreatePanelControl(tag, this, m_pm);
    }
    devices::COrvaneUSBDevice* device = nullptr;  // owned by the page

  protected:
    std::string GetWindowClassName() const override { return "DevicePageShot"; }
    std::string GetSkinFile() override {
        return R"(<Window size="976,500" defaultfontcolor="#FFC9D1DC" disabledfontcolor="#FF5A6270">
  <Font id="1" name="" size="14" bold="true"/>
  <Font id="7" name="" size="14" default="true"/>
  <Font id="8" name="" size="12"/>
  <Font id="9" name="" size="11"/>
  <VerticalLayout bkcolor="#FF15181D"><Include source="XML/DeviceXml/)" +
               page_ + R"("/></VerticalLayout>
</Window>)";
    }

  private:
    std::string page_;
};

class PadHeadsetPageShot : public ::testing::Test {
  protected:
    void SetUp() override {
        Backend();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml"));
    }
    void TearDown() override { ui::CResourceManager::GetInstance()->Release(); }

    // Builds the page, binds it as the device list does and lets `fill` show a state.
    QImage Shot(const std::string& page, const char* data, int leds, const char* file,
                const std::function<void(devices::COrvaneUSBDevice&)>& fill) {
        DevicePageWindow window(page);
        EXPECT_NE(
            window.Create(nullptr, "shot", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, kWidth, kHeight),
            nullptr);
        int timer = Backend().StartTimer(50, [] { Backend().QuitLoop(0); });
        Backend().RunLoop();
        Backend().StopTimer(timer);
        QImage image;
        EXPECT_NE(window.device, nullptr);
        if (window.device == nullptr)
            return image;
        devices::COrvaneUSBDevice& device = *window.device;
        device.SetDataFolderName(data);
        device.SetConfigBaseName("kesta_light");
        device.SetLedCount(leds);
        device.SetSkinFile("XML/DeviceXml/" + page);
        device.BindPanelControls();
        fill(device);
        window.GetPaintManager()->UpdateLayout();
        auto* native = dynamic_cast<ui::qt::QtWindow*>(window.GetNativeWindow());
        auto* widget = native ? dynamic_cast<ui::qt::WindowWidget*>(native->Widget()) : nullptr;
        if (widget != nullptr)
            image = widget->RenderToImage();
        fs::create_directories(T418_SCREENSHOT_DIR);
        image.save(QString::fromStdString((fs::path(T418_SCREENSHOT_DIR) / file).string()), "PNG");
        ui::DestroyWindow(window.GetHWND());
        return image;
    }

    static void ShowPadLight(devices::COrvaneUSBDevice& device, uint8_t mode, uint8_t red,
                             uint8_t green, uint8_t blue) {
        auto& pad = dynamic_cast<devices::COrvaneMousePadDevice&>(device);
        profile::LightRecord light;
        light.mode = mode;
        light.brightness = 4;
        light.speed = 2;
        light.red = red;
        light.green = green;
        light.blue = blue;
        const auto w = light.ToWords();
        pad.SetLightSettings(w[0], w[1], w[2], w[3]);
        pad.LoadLightSettings();
        pad.RefreshPanel();
        // A whole step at once, whatever the speed's threshold.
        uint32_t counter = 100;
        pad.PreviewPass(counter);
        pad.RefreshPreview();
    }

    t418test::TempFolder home;
    t418test::ScopedEnv data{"XDG_DATA_HOME", home / "data"};
    t418test::ScopedEnv program{"T418_ZEN_PROGRAM_DIR", std::string(T418_RESOURCES_DIR) + "/"};
};

TEST_F(PadHeadsetPageShot, ThePadPageShowsItsLightingWithTheLedsLit) {
    const QImage image =
        Shot("mousepaddevice.xml", "MousePad", 15, "pad-page-static.png",
             [](devices::COrvaneUSBDevice& d) { ShowPadLight(d, 3, 0x00, 0xC8, 0xFF); });
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(kWidth, kHeight));
    EXPECT_GT(ColourCount(image), 150u) << "the page is nearly blank";
    const QColor led = image.pixelColor(kPadFrontLed);
    EXPECT_GT(led.blue(), 180) << led.name().toStdString();
    EXPECT_LT(led.red(), 90) << led.name().toStdString();
    EXPECT_LT(image.pixelColor(kPadCloth).value(), 90) << "the cloth stays dark";
}

TEST_F(PadHeadsetPageShot, ThePadPageInNeonRunsTheRainbowRoundTheEdge) {
    const QImage image = Shot("mousepaddevice.xml", "MousePad", 15, "pad-page-neon.png",
                              [](devices::COrvaneUSBDevice& d) { ShowPadLight(d, 0, 0, 0, 0); });
    ASSERT_FALSE(image.isNull());
    // Different hues along the front edge.
    const QColor right = image.pixelColor(16 + 290, 16 + 350);
    const QColor left = image.pixelColor(16 + 50, 16 + 350);
    EXPECT_GT(std::abs(right.hue() - left.hue()), 30)
        << right.name().toStdString() << " " << left.name().toStdString();
}

TEST_F(PadHeadsetPageShot, TheHeadsetPageSaysItsAudioEffectsAreNotAvailable) {
    devices::COrvaneUSBDevice* shown = nullptr;
    std::string text;
    const QImage image =
        Shot("da6533device.xml", "HD", 13, "headset-page.png", [&](devices::COrvaneUSBDevice& d) {
            shown = &d;
            ui::CControlUI* note =
                d.GetManager()->FindSubControlByName(&d, "voice6533_layout_unavailable");
            if (note != nullptr && note->IsVisible())
                text = note->GetText();
        });
    ASSERT_FALSE(image.isNull());
    ASSERT_NE(shown, nullptr);
    EXPECT_NE(text.find("not available"), std::string::npos) << text;
    EXPECT_GT(ColourCount(image), 150u);
    EXPECT_GT(image.pixelColor(kHeadsetLed).value(), 200) << "the cup's LEDs stay white";
}

}  // namespace
