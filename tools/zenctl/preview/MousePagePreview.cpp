#include "tools/zenctl/preview/MousePagePreview.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "controls/ProgramControls.h"
#include "devices/DeviceControls.h"
#include "devices/OrvaneUSBDevice.h"
#include "devices/PreviewModes.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "platform/Folders.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/layout/ContainerUI.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtWindow.h"

namespace zenctl::preview {
namespace {

constexpr const char* kPageFile = "XML/DeviceXml/mousedevice.xml";
constexpr int kPageWidth = 800;
constexpr int kPageHeight = 492;
constexpr int kMouseKeys = 11;
constexpr int kMouseLeds = 15;

class PageWindow : public ui::WindowImplBase {
  public:
    devices::COrvaneMouseDevice* device = nullptr;

    std::string GetWindowClassName() const override { return "T418ZenPreview"; }
    ui::CControlUI* CreateControl(const std::string& className) override {
        if (ui::EqualsNoCase(className, "OrvaneMouseDevice")) {
            device = new devices::COrvaneMouseDevice;
            return device;
        }
        return nullptr;
    }

  protected:
    std::string GetSkinFile() override {
        return "<Window size=\"" + std::to_string(kPageWidth) + "," + std::to_string(kPageHeight) +
               "\"><Include source=\"" + kPageFile + "\"/></Window>";
    }
};

class ManualClock : public devices::TickClock {
  public:
    uint32_t now = 0;
    uint32_t NowMs() override { return now; }
};

void RegisterControls() {
    controls::ControlCreators creators;
    controls::AddCustomControlCreators(creators);
    devices::AddDeviceControlCreators(creators);
    controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
}

// One step of the mouse's preview thread in the mode; the reactive mode gets a key press on
// its first frame and every 40 frames after it.
void RunStep(devices::COrvaneMouseDevice& device, int mode, int frame) {
    switch (static_cast<devices::LightMode>(mode)) {
        case devices::LightMode::Wave:
            device.PreviewWave();
            break;
        case devices::LightMode::Reactive:
            if (frame % 40 == 0)
                device.HandleNotification(hid::kKindMouseCable, 0x0403);
            device.PreviewReactive();
            break;
        case devices::LightMode::Neon:
            device.PreviewNeon();
            break;
        default:
            devices::RunBasePreviewStep(device, mode);
            break;
    }
}

QImage RenderWindow(PageWindow& window) {
    auto* native = dynamic_cast<ui::qt::QtWindow*>(window.GetNativeWindow());
    auto* widget = native ? dynamic_cast<ui::qt::WindowWidget*>(native->Widget()) : nullptr;
    return widget ? widget->RenderToImage() : QImage();
}

int Render(const PreviewOptions& options, ui::qt::QtBackend& backend) {
    RegisterControls();
    ui::CPaintManagerUI::SetResourcePath(platform::ProgramFolder() + "skin");

    auto* window = new PageWindow;
    if (!window->Create(nullptr, "T418-ZEN preview", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0,
                        kPageWidth, kPageHeight)) {
        std::fprintf(stderr, "preview: the page window cannot be created\n");
        delete window;
        return 1;
    }
    // Let the posted start-up work and the first layout run.
    int timer = backend.StartTimer(50, [&backend] { backend.QuitLoop(0); });
    backend.RunLoop();
    backend.StopTimer(timer);

    int code = 0;
    devices::COrvaneMouseDevice* device = window->device;
    if (device == nullptr) {
        std::fprintf(stderr, "preview: %s has no mouse page\n", kPageFile);
        code = 1;
    } else {
        hid::DeviceIdentity identity;
        identity.Kind = hid::kKindMouseCable;
        device->SetIdentity(identity);
        device->SetSkinFile(kPageFile);
        device->SetKeyCount(kMouseKeys);
        device->SetLedCount(kMouseLeds);
        device->BindPanelControls();
        ManualClock clock;
        // As on a running system, the clock stands far from 0: a flash starts lit.
        clock.now = 1000000;
        device->SetTickClock(&clock);
        uint32_t a = uint32_t(options.mode) | (uint32_t(options.brightness) << 8) |
                     (uint32_t(options.speed) << 16) | (uint32_t(options.direction) << 24);
        uint32_t b = uint32_t(options.multiColour ? 1 : 0) | (uint32_t(options.red) << 8) |
                     (uint32_t(options.green) << 16) | (uint32_t(options.blue) << 24);
        device->SetLightSettings(a, b, 0, 0);
        int every = options.everyMs >= 0
                        ? options.everyMs
                        : std::max(1, 2 * int(devices::SpeedThreshold(options.speed)));

        window->GetPaintManager()->UpdateLayout();
        ui::RECT crop{0, 0, kPageWidth, kPageHeight};
        if (!options.wholePage && device->GetSelectPanel() != nullptr)
            crop = device->GetSelectPanel()->GetPos();
        for (int frame = 0; frame < options.frames && code == 0; ++frame) {
            if (frame > 0)
                clock.now += static_cast<uint32_t>(every);
            RunStep(*device, options.mode, frame);
            device->RefreshPreview();
            QImage image = RenderWindow(*window);
            if (image.isNull()) {
                std::fprintf(stderr, "preview: the page cannot be rendered\n");
                code = 1;
                break;
            }
            qreal ratio = image.devicePixelRatio();
            QRect area(int(crop.left * ratio), int(crop.top * ratio), int(crop.Width() * ratio),
                       int(crop.Height() * ratio));
            char name[32];
            std::snprintf(name, sizeof name, "frame-%04d.png", frame);
            std::string path = (std::filesystem::path(options.outFolder) / name).string();
            if (!image.copy(area).save(QString::fromStdString(path), "PNG")) {
                std::fprintf(stderr, "preview: cannot write %s\n", path.c_str());
                code = 1;
            }
        }
        if (code == 0) {
            std::printf("%d frame%s of light mode %d (%s) in %s\n", options.frames,
                        options.frames == 1 ? "" : "s", options.mode,
                        std::string(*devices::LightModeName(options.mode)).c_str(),
                        options.outFolder.c_str());
        }
    }
    ui::DestroyWindow(window->GetHWND());
    delete window;
    return code;
}

}  // namespace

int RunMousePagePreview(const PreviewOptions& options) {
    std::optional<std::string_view> name = devices::LightModeName(options.mode);
    if (!name) {
        std::fprintf(stderr, "preview: unknown light mode %d (the modes are 0 to 9)\n",
                     options.mode);
        return 1;
    }
    std::error_code ec;
    std::filesystem::create_directories(options.outFolder, ec);
    if (!std::filesystem::is_directory(options.outFolder, ec)) {
        std::fprintf(stderr, "preview: cannot make the folder %s\n", options.outFolder.c_str());
        return 1;
    }
    // Always offscreen: the frames are files, no window is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static char arg0[] = "t418-zenctl";
    static char* argv[] = {arg0, nullptr};
    int argc = 1;
    ui::qt::QtBackend backend(argc, argv);
    ui::SetBackend(&backend);
    int code = Render(options, backend);
    ui::SetBackend(nullptr);
    return code;
}

}  // namespace zenctl::preview
