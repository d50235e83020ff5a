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
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "tools/zenctl/preview/PreviewOutputs.h"
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
// The mouse's list in the mode-name and custom-effect files.
constexpr int kMouseLightList = 1;
// Modes from here on play custom effect steps.
constexpr int kFirstEffectMode = 10;
// A custom effect's player runs on every pass of the preview thread, about once a
// millisecond; a frame shows this many passes unless --every-ms says otherwise.
constexpr int kEffectFrameMs = 40;

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

// The light of a profile file's document as the device loads it: the record, the per-LED
// list and the custom effect's steps. Nothing is written.
bool LoadProfileLight(devices::COrvaneMouseDevice& device, const std::string& file) {
    namespace json = profile::json;
    const Json::Value root = profile::LoadJsonFile(file);
    const Json::Value& document = json::Element(json::Member(root, "Device"), 0);
    if (!document.isObject()) {
        std::fprintf(stderr, "preview: %s is not a profile file\n", file.c_str());
        return false;
    }
    device.LoadNameLists();
    device.Profile().SetDocument(document);
    device.LoadLightSettings();
    return true;
}

std::string ModeLabel(const devices::COrvaneMouseDevice& device, int mode) {
    if (const std::optional<std::string_view> name = devices::LightModeName(mode))
        return std::string(*name);
    const std::vector<std::string>& custom = device.CustomLightNames();
    const size_t index = static_cast<size_t>(mode - devices::mouse::kFirstCustomMode);
    if (mode >= devices::mouse::kFirstCustomMode && index < custom.size())
        return "custom effect \"" + custom[index] + "\"";
    return "custom effect";
}

QImage RenderWindow(PageWindow& window) {
    auto* native = dynamic_cast<ui::qt::QtWindow*>(window.GetNativeWindow());
    auto* widget = native ? dynamic_cast<ui::qt::WindowWidget*>(native->Widget()) : nullptr;
    return widget ? widget->RenderToImage() : QImage();
}

// Renders the frames into the outputs; the exit code.
int Frames(PageWindow& window, devices::COrvaneMouseDevice& device, ManualClock& clock,
           const PreviewOptions& options) {
    if (!options.profileFile.empty()) {
        if (!LoadProfileLight(device, options.profileFile))
            return 1;
    } else {
        uint32_t a = uint32_t(options.mode) | (uint32_t(options.brightness) << 8) |
                     (uint32_t(options.speed) << 16) | (uint32_t(options.direction) << 24);
        uint32_t b = uint32_t(options.multiColour ? 1 : 0) | (uint32_t(options.red) << 8) |
                     (uint32_t(options.green) << 16) | (uint32_t(options.blue) << 24);
        device.SetLightSettings(a, b, 0, 0);
    }
    const profile::LightRecord light = device.LightSettings();
    const int mode = light.mode;
    const bool effect = mode >= kFirstEffectMode;
    if (effect && device.EffectStepCount() == 0)
        std::fprintf(stderr, "preview: mode %d has no effect steps: its picture stays dark\n",
                     mode);
    const int every = options.everyMs >= 0 ? options.everyMs
                      : effect             ? kEffectFrameMs
                               : std::max(1, 2 * int(devices::SpeedThreshold(light.speed)));

    window.GetPaintManager()->UpdateLayout();
    ui::RECT crop{0, 0, kPageWidth, kPageHeight};
    if (!options.wholePage && device.GetSelectPanel() != nullptr)
        crop = device.GetSelectPanel()->GetPos();
    PreviewOutputs outputs(options);
    for (int frame = 0; frame < options.frames; ++frame) {
        if (effect) {
            // The player's passes of one frame, a millisecond apart.
            for (int pass = 0; pass < std::max(1, every); ++pass) {
                device.PlayCustomEffect();
                clock.now += 1;
            }
        } else {
            if (frame > 0)
                clock.now += static_cast<uint32_t>(every);
            RunStep(device, mode, frame);
        }
        device.RefreshPreview();
        QImage image = RenderWindow(window);
        if (image.isNull()) {
            std::fprintf(stderr, "preview: the page cannot be rendered\n");
            return 1;
        }
        qreal ratio = image.devicePixelRatio();
        QRect area(int(crop.left * ratio), int(crop.top * ratio), int(crop.Width() * ratio),
                   int(crop.Height() * ratio));
        if (!outputs.Add(image.copy(area), frame, static_cast<uint32_t>(every))) {
            std::fprintf(stderr, "preview: %s\n", outputs.Error().c_str());
            return 1;
        }
    }
    if (!outputs.Finish()) {
        std::fprintf(stderr, "preview: %s\n", outputs.Error().c_str());
        return 1;
    }
    std::printf("%d frame%s of light mode %d (%s), %d ms apart", options.frames,
                options.frames == 1 ? "" : "s", mode, ModeLabel(device, mode).c_str(), every);
    if (!options.outFolder.empty())
        std::printf(", in %s", options.outFolder.c_str());
    if (!options.apngFile.empty())
        std::printf(", animated in %s", options.apngFile.c_str());
    if (!options.stripFile.empty())
        std::printf(", side by side in %s", options.stripFile.c_str());
    std::printf("\n");
    return 0;
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
        device->SetLightListIndex(kMouseLightList);
        device->BindPanelControls();
        ManualClock clock;
        // As on a running system, the clock stands far from 0: a flash starts lit.
        clock.now = 1000000;
        device->SetTickClock(&clock);
        code = Frames(*window, *device, clock, options);
    }
    ui::DestroyWindow(window->GetHWND());
    delete window;
    return code;
}

}  // namespace

int RunMousePagePreview(const PreviewOptions& options) {
    // A profile's mode may be a custom effect; the options' must be one the preview plays.
    if (options.profileFile.empty() && !devices::LightModeName(options.mode)) {
        std::fprintf(stderr, "preview: unknown light mode %d (the modes are 0 to 9)\n",
                     options.mode);
        return 1;
    }
    std::error_code ec;
    if (!options.outFolder.empty()) {
        std::filesystem::create_directories(options.outFolder, ec);
        if (!std::filesystem::is_directory(options.outFolder, ec)) {
            std::fprintf(stderr, "preview: cannot make the folder %s\n", options.outFolder.c_str());
            return 1;
        }
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
