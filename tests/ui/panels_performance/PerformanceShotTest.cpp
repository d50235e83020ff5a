// The performance and system pages of the mouse rendered offscreen from the real skin, filled
// as a profile fills them, to build/screenshots/mouse-performance*.png and
// mouse-system*.png (English and Chinese).
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <filesystem>
#include <set>
#include <string>

#include "controls/ProgramControls.h"
#include "devices/DeviceControls.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtWindow.h"
#include "ui/skin/ResourceManager.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 588;
constexpr int kHeight = 373;

class ShotWindow : public ui::WindowImplBase {
  public:
    explicit ShotWindow(std::string page) : page_(std::move(page)) {}
    devices::COrvaneMouseDevice* device = nullptr;
    std::string GetWindowClassName() const override { return "PerformanceShot"; }
    ui::CControlUI* CreateControl(const std::string& className) override {
        if (ui::EqualsNoCase(className, "OrvaneMouseDevice")) {
            device = new devices::COrvaneMouseDevice;
            return device;
        }
        return nullptr;
    }

  protected:
    // The function column of the mouse page as the main window shows it.
    std::string GetSkinFile() override {
        return R"(<Window size="588,373" defaultfontcolor="#FFC9D1DC" disabledfontcolor="#FF5A6270">
  <Font id="1" name="" size="14" bold="true"/>
  <Font id="7" name="" size="14" default="true"/>
  <Font id="8" name="" size="12"/>
  <Font id="9" name="" size="11"/>
  <VerticalLayout bkcolor="#FF15181D" inset="0,0,0,0">
    <OrvaneMouseDevice name="page" bkcolor="#FF1B1F26" borderround="10,10" bordersize="1" bordercolor="#FF2A303A" inset="14,10,14,10">
      <VerticalLayout><Include source=")" +
               page_ + R"("/></VerticalLayout>
    </OrvaneMouseDevice>
  </VerticalLayout>
</Window>)";
    }

  private:
    std::string page_;
};

QImage Render(ShotWindow& window) {
    auto* native = dynamic_cast<ui::qt::QtWindow*>(window.GetNativeWindow());
    auto* widget = native ? dynamic_cast<ui::qt::WindowWidget*>(native->Widget()) : nullptr;
    return widget ? widget->RenderToImage() : QImage();
}

size_t ColourCount(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

class PerformanceShot : public ::testing::TestWithParam<const char*> {
  protected:
    static void SetUpTestSuite() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static char arg0[] = "performance-shot";
        static char* argv[] = {arg0, nullptr};
        static int argc = 1;
        backend = new ui::qt::QtBackend(argc, argv);
        ui::SetBackend(backend);
        controls::ControlCreators creators;
        controls::AddCustomControlCreators(creators);
        devices::AddDeviceControlCreators(creators);
        controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin");
    }
    static void TearDownTestSuite() {
        ui::SetBackend(nullptr);
        delete backend;
        backend = nullptr;
    }

    // Builds the page, lets the posted start-up work run, fills it and renders it.
    QImage Shot(const std::string& page, const std::string& name,
                const std::function<void(devices::COrvaneMouseDevice&)>& fill) {
        ui::CResourceManager::GetInstance()->LoadLanguage(std::string("lan_") + GetParam() +
                                                          ".xml");
        auto* window = new ShotWindow(page);
        EXPECT_TRUE(window->Create(nullptr, "shot", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, kWidth,
                                   kHeight));
        int timer = backend->StartTimer(50, [] { backend->QuitLoop(0); });
        backend->RunLoop();
        backend->StopTimer(timer);
        QImage image;
        if (window->device != nullptr) {
            fill(*window->device);
            window->GetPaintManager()->UpdateLayout();
            image = Render(*window);
            fs::create_directories(T418_SCREENSHOT_DIR);
            const std::string file = name + (std::string(GetParam()) == "en" ? "" : "-cn") + ".png";
            image.save(QString::fromStdString((fs::path(T418_SCREENSHOT_DIR) / file).string()),
                       "PNG");
        }
        ui::DestroyWindow(window->GetHWND());
        delete window;
        return image;
    }

    static ui::qt::QtBackend* backend;
};

ui::qt::QtBackend* PerformanceShot::backend = nullptr;

TEST_P(PerformanceShot, PerformancePageShowsStagesAsDpiNumbers) {
    QImage image = Shot("XML/DeviceXml/mouse_performance.xml", "mouse-performance",
                        [](devices::COrvaneMouseDevice& mouse) {
                            std::array<uint8_t, hid::kInfoBlockLength> block{};
                            block[9] = 0x95;  // sensor 0x3395
                            block[10] = 0x33;
                            mouse.SetInfoBlock(block);
                            mouse.SetActiveStage(2);
                            const int positions[7] = {7, 15, 31, 47, 63, 127, 239};
                            for (int i = 0; i < 7; ++i) {
                                mouse.SetStageEnabled(i, i < 5);
                                mouse.ShowStageValue(i, positions[i]);
                            }
                            mouse.SetReportRateOption(3);
                            mouse.SetSilentAltitudeOption(1);
                            mouse.SetRippleOption(1);
                        });
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(kWidth, kHeight));
    EXPECT_GT(ColourCount(image), 120u) << "the page is nearly blank";
}

TEST_P(PerformanceShot, SystemPage) {
    QImage image = Shot("XML/DeviceXml/mouse_system.xml", "mouse-system",
                        [](devices::COrvaneMouseDevice& mouse) {
                            mouse.SelectDebounce(1);
                            mouse.SelectLogoLedMode(0);
                            mouse.SelectBleSleep1(10);
                            mouse.SelectBleSleep2(30);
                            mouse.SelectDeviceSleep1(5);
                            mouse.SelectDeviceSleep2(10);
                            mouse.SetScrollControls(0, 3);
                        });
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(ColourCount(image), 80u) << "the page is nearly blank";
}

INSTANTIATE_TEST_SUITE_P(Languages, PerformanceShot, ::testing::Values("en", "cn"));

}  // namespace
