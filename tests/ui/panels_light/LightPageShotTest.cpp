// The mouse page on its lighting tab rendered offscreen from the real skin, filled as the
// mouse fills it: static red with the picture's LEDs lit, everything off, and the music
// light editing its background; at 96 and 144 DPI, in English and Chinese, to
// build/screenshots/light-page-<pose>[-144][-cn].png.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "../../unit/platform/TestFolders.h"
#include "app/PanelTags.h"
#include "controls/AudioRecordUI.h"
#include "devices/PreviewModes.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "panels/light/LightControlUI.h"
#include "panels/light/LightRules.h"
#include "tests/ui/support/MousePageWindow.h"
#include "tests/ui/support/ProgramQtBackend.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtWindow.h"
#include "ui/skin/ResourceManager.h"

namespace {

using t418test::ColourCount;

namespace fs = std::filesystem;
using panels::CLightControlUI;

constexpr int kWidth = 976;
constexpr int kHeight = 500;
constexpr int kLightingPage = 3;
// A lit LED of the strip, at the back of the picture (page pixels at 96 DPI).
const QPoint kStripLed(16 + 170, 16 + 428);

class LightPageWindow : public t418test::MousePageWindow {
  public:
    LightPageWindow() : MousePageWindow("LightPageShot") {}
};

ui::qt::QtBackend& Backend() {
    return t418test::ProgramQtBackend("panels_light_shot_tests");
}

// The live view as a running audio-capture process leaves it: its state, a spectrum of a few
// tones, gains.
void ShowLiveView(t418test::MousePageWindow& window) {
    if (auto* live = dynamic_cast<ui::COptionUI*>(window.FindControl("music_live_option")))
        live->Selected(true, false);
    if (auto* tab = dynamic_cast<ui::CTabLayoutUI*>(window.FindControl("music_view_tab")))
        tab->SelectItem(1, false);
    window.FindControl("music_status_label")->SetText("music_status_3");
    std::array<int32_t, 500> samples{};
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int32_t>(7000.0 / (1.0 + 0.08 * static_cast<double>(i)) *
                                          (i % 23 == 22 ? 1.0 : 0.4));
    if (auto* graph =
            dynamic_cast<controls::CAudioRecordUI*>(window.FindControl("music_audio_graph")))
        graph->SetSamples(samples);
    if (auto* green = dynamic_cast<ui::CSliderUI*>(window.FindControl("G_light_slider")))
        green->SetValue(60, false);
    window.FindControl("G_light_label")->SetText("G 60");
}

struct Pose {
    const char* name;
    profile::LightRecord light;
    profile::AudioLightRecord audio;
    bool sameModeAllowed;
    bool live = false;  // the music light's live view, with a spectrum in its graph
};

profile::LightRecord Light(uint8_t mode, uint8_t red, uint8_t green, uint8_t blue) {
    profile::LightRecord r;
    r.mode = mode;
    r.brightness = 4;
    r.speed = 2;
    r.direction = 1;
    r.red = red;
    r.green = green;
    r.blue = blue;
    return r;
}

profile::AudioLightRecord Audio(uint8_t mode, uint8_t type) {
    profile::AudioLightRecord r;
    r.mode = mode;
    r.foregroundRed = 0x00;
    r.foregroundGreen = 0xE0;
    r.foregroundBlue = 0xFF;
    r.backgroundRed = 0x30;
    r.backgroundGreen = 0x10;
    r.backgroundBlue = 0x60;
    r.colourType = type;
    return r;
}

class LightPageShot : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        Backend();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage(std::string("lan_") +
                                                                      GetParam() + ".xml"));
    }
    void TearDown() override { ui::CResourceManager::GetInstance()->Release(); }

    // Builds the page on its lighting tab, lets the mouse show the pose and its preview,
    // checks that the panel fits its column, renders and saves it.
    QImage Shot(const Pose& pose, int dpi) {
        LightPageWindow window;
        EXPECT_NE(
            window.Create(nullptr, "shot", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, kWidth, kHeight),
            nullptr);
        int timer = Backend().StartTimer(50, [] { Backend().QuitLoop(0); });
        Backend().RunLoop();
        Backend().StopTimer(timer);
        QImage image;
        devices::COrvaneMouseDevice* mouse = window.mouse;
        EXPECT_NE(mouse, nullptr);
        if (mouse == nullptr)
            return image;
        hid::DeviceIdentity identity;
        identity.Kind = hid::kKindMouseCable;
        mouse->SetIdentity(identity);
        mouse->SetDataFolderName("mouse");
        mouse->SetConfigBaseName("kesta_light");
        mouse->SetLightListIndex(1);
        mouse->SetKeyCount(11);
        mouse->SetLedCount(15);
        mouse->SetSkinFile("XML/DeviceXml/mousedevice.xml");
        mouse->BindPanelControls();
        mouse->ShowFunctionPage(kLightingPage);
        if (auto* tab = dynamic_cast<ui::COptionUI*>(window.FindControl("deng_Op_tab")))
            tab->Selected(true, false);
        auto* panel = dynamic_cast<CLightControlUI*>(window.FindControl("LightControlItem"));
        EXPECT_NE(panel, nullptr);
        if (panel != nullptr)
            panel->SetSameModeAllowed(pose.sameModeAllowed);
        const auto w = pose.light.ToWords();
        mouse->SetLightSettings(w[0], w[1], w[2], w[3]);
        const devices::AudioLightWords audio = panels::light::ToAudioWords(pose.audio);
        mouse->SetAudioLightSettings(audio.a, audio.b, audio.c);
        mouse->RefreshPanel();
        if (pose.live)
            ShowLiveView(window);
        if (!devices::RunBasePreviewStep(*mouse, pose.light.mode))
            mouse->PreviewNeon();
        mouse->RefreshPreview();
        window.GetPaintManager()->SetDPI(dpi);
        window.GetPaintManager()->UpdateLayout();

        if (panel != nullptr) {
            // Every card lies inside the function column, the music light included.
            const ui::Rect column = window.FindControl("mouse_function_layout")->GetPos();
            const ui::Rect inside = panel->GetPos();
            EXPECT_LE(inside.right, column.right);
            EXPECT_LE(inside.bottom, column.bottom);
            const std::vector<const char*> colours = {
                "Close_bkColor_btn",      "deng_colordp_btn",  "deng_audioedit_B",
                "deng_7audiocolor_check", "deng_7color_check", "color_option_7",
                "audiocolor_option_7",    "music_live_option"};
            const std::vector<const char*> live = {"music_audio_graph", "music_status_label",
                                                   "R_light_slider", "B_light_label",
                                                   "music_live_option"};
            for (const char* name : pose.live ? live : colours) {
                const ui::Rect r = window.FindControl(name)->GetPos();
                EXPECT_LE(r.right, inside.right) << name;
                EXPECT_LE(r.bottom, inside.bottom) << name;
                EXPECT_GT(r.right - r.left, 0) << name;
            }
        }
        auto* native = dynamic_cast<ui::qt::QtWindow*>(window.GetNativeWindow());
        auto* widget = native ? dynamic_cast<ui::qt::WindowWidget*>(native->Widget()) : nullptr;
        if (widget != nullptr)
            image = widget->RenderToImage();
        fs::create_directories(T418_SCREENSHOT_DIR);
        const std::string file = std::string("light-page-") + pose.name +
                                 (dpi == 96 ? "" : "-" + std::to_string(dpi)) +
                                 (std::string(GetParam()) == "en" ? "" : "-cn") + ".png";
        image.save(QString::fromStdString((fs::path(T418_SCREENSHOT_DIR) / file).string()), "PNG");
        ui::DestroyWindow(window.GetHWND());
        return image;
    }

    t418test::TempFolder home;
    t418test::ScopedEnv data{"XDG_DATA_HOME", home / "data"};
    t418test::ScopedEnv program{"T418_ZEN_PROGRAM_DIR", std::string(T418_RESOURCES_DIR) + "/"};
};

TEST_P(LightPageShot, StaticRedLightsThePicture) {
    const Pose pose{"static", Light(0, 0xFF, 0x00, 0x00), Audio(0, 1), true};
    for (int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        QImage image = Shot(pose, dpi);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(kWidth * dpi / 96, kHeight * dpi / 96));
        EXPECT_GT(ColourCount(image), 150u) << "the page is nearly blank";
        const QColor led = image.pixelColor(kStripLed * dpi / 96);
        EXPECT_GT(led.red(), 180) << led.name().toStdString();
        EXPECT_LT(led.green(), 90) << led.name().toStdString();
    }
}

TEST_P(LightPageShot, OffGreysEveryParameter) {
    const Pose pose{"off", Light(4, 0x4C, 0x8D, 0xFF), Audio(1, 1), false};
    QImage image = Shot(pose, 96);
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(ColourCount(image), 100u);
    // The strip is dark.
    EXPECT_LT(image.pixelColor(kStripLed).value(), 90);
}

TEST_P(LightPageShot, MusicLightEditsItsBackground) {
    const Pose pose{"audio", Light(9, 0x00, 0xE0, 0xFF), Audio(2, 0), true};
    for (int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        QImage image = Shot(pose, dpi);
        ASSERT_FALSE(image.isNull());
        EXPECT_GT(ColourCount(image), 150u);
    }
}

TEST_P(LightPageShot, MusicLightLiveViewShowsWhatTheProcessHears) {
    const Pose pose{"live", Light(9, 0x00, 0xE0, 0xFF), Audio(2, 0), true, true};
    QImage image = Shot(pose, 96);
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(ColourCount(image), 150u);
}

INSTANTIATE_TEST_SUITE_P(Languages, LightPageShot, ::testing::Values("en", "cn"));

}  // namespace
