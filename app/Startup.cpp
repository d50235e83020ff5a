#include "app/Startup.h"

#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "app/AppMessages.h"
#include "app/DpiRule.h"
#include "app/FontLoader.h"
#include "app/LanguageRules.h"
#include "app/MainWnd.h"
#include "app/SubWindows.h"
#include "app/devicelist/DeviceListControls.h"
#include "controls/ProgramControls.h"
#include "devices/DeviceControls.h"
#include "hid/DeviceMatchTable.h"
#include "panels/PanelControls.h"
#include "platform/Folders.h"
#include "platform/HidAccess.h"
#include "platform/MessageBus.h"
#include "platform/SingleInstance.h"
#include "platform/StoppableThread.h"
#include "platform/Trace.h"
#include "ui/core/Backend.h"
#include "ui/core/ControlUI.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"
#include "ui/skin/ResourceManager.h"

namespace app {

namespace {

// The private fonts, loaded in their order on a thread of their own once the main window
// has painted (or after a few seconds). Adding a font takes long (some 200 ms for the CJK
// one) and empties the GUI realisation's font index, which the first text drawn would then
// have to rebuild; so the thread builds the index while the window is being made, and the
// first paint draws with the system's copies of the same families (ShippedFaceFamilies).
class Fonts {
  public:
    static constexpr uint32_t kLoadWaitMs = 5000;
    static constexpr uint32_t kFirstPaintWaitMs = 3000;

    Fonts()
        : backend_(ui::HasBackend() ? &ui::GetBackend() : nullptr),
          loaders_(MakeLoaders(backend_)),
          painted_(std::make_shared<platform::Event>(true, false)) {
        thread_.Start(
            [backend = backend_, loaders = loaders_, painted = painted_](platform::Event& stop) {
                if (backend != nullptr)
                    backend->PrepareFonts();
                platform::Event::WaitAny({painted.get(), &stop}, kFirstPaintWaitMs);
                for (size_t i = 0; i < loaders->size() && !stop.IsSet(); ++i)
                    (*loaders)[i].Load(kProgramFonts[i]);  // a missing font is skipped
            });
    }
    // Window thread: the main window has painted once.
    std::function<void()> FirstPaintNotice() {
        return [painted = painted_] { painted->Set(); };
    }
    ~Fonts() {
        if (!thread_.Stop(kLoadWaitMs)) {
            // Still parsing: the loaders stay with the thread, the fonts with the process.
            platform::Trace("start-up: the font loader did not end; its fonts stay loaded");
            return;
        }
        for (size_t i = loaders_->size(); i-- > 0;)
            (*loaders_)[i].Unload();
    }

  private:
    using Loaders = std::array<FontLoader, 4>;

    // The realisation is taken here, on the window thread: the loading thread adds to it
    // directly (the realisation is not replaced while the program runs).
    static std::shared_ptr<Loaders> MakeLoaders(ui::Backend* backend) {
        return std::shared_ptr<Loaders>(
            new Loaders{FontLoader({}, backend), FontLoader({}, backend), FontLoader({}, backend),
                        FontLoader({}, backend)});
    }
    ui::Backend* backend_;
    std::shared_ptr<Loaders> loaders_;
    std::shared_ptr<platform::Event> painted_;
    platform::StoppableThread thread_;
};

void SetUpResources() {
    ui::CPaintManagerUI::SetResourceType(ui::UILIB_FILE);
    ui::CPaintManagerUI::SetResourcePath(platform::ProgramFolder() + "skin/");
    if (!ui::CResourceManager::GetInstance()->LoadResource("res.xml", ""))
        platform::TraceF("start-up: the skin index %sres.xml cannot be read",
                         ui::CPaintManagerUI::GetResourcePath().c_str());
    controls::ControlCreators creators;
    controls::AddCustomControlCreators(creators);
    devices::AddDeviceControlCreators(creators);
    AddDeviceListControlCreators(creators);
    panels::AddPanelControlCreators(creators);
    controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
    if (ui::HasBackend()) {
        for (const FaceFamily& shipped : ShippedFaceFamilies())
            ui::GetBackend().SetFontSubstitute(shipped.face, shipped.family);
    }
}

// A device that is plugged in but cannot be opened is not "no device": the trace and the
// no-device layout name the fix.
void ReportInaccessibleDevices(CMainWnd& window) {
    std::vector<platform::HidAccessProblem> problems =
        platform::InaccessibleHidDevices(hid::ClaimedProductIds());
    for (const platform::HidAccessProblem& p : problems)
        platform::TraceF("start-up: %s (%04x:%04x) is present but cannot be opened: %s",
                         p.node.c_str(), p.vendorId, p.productId, platform::HidAccessFix());
    if (problems.empty())
        return;
    if (ui::CControlUI* text = window.FindControl("nodevice_text"))
        text->SetText("no_device_access_text");
}

}  // namespace

int RunProgram(const StartupOptions& options) {
    Fonts fonts;
    // No component system to start on this platform.

    uint32_t productTitle = RegisterProductTitleMessage();
    if (!IsRegisteredMessageNumber(productTitle))
        return 0;

    platform::SingleInstance instance(kProductTitle);
    if (!instance.IsFirst()) {
        // Hand over: the running instance restores and raises its window.
        platform::Broadcast(productTitle, 0, 1);
        return 0;
    }

    SetUpResources();
    RegisterCompanionMessages();
    RegisterHookAndGameMessages();

    MainWndOptions windowOptions;
    windowOptions.screenshotFolder = options.screenshotFolder;
    windowOptions.screenshotWaitMs = options.screenshotWaitMs;
    windowOptions.startHidden = options.startHidden;
    windowOptions.audioProgram = options.audioProgram;
    windowOptions.onFirstPaint = fonts.FirstPaintNotice();
    auto window = std::make_unique<CMainWnd>(std::move(windowOptions));
    RegisterIconResources();
    // Created hidden: it shows itself on the first product-title message.
    const ui::DWORD style = ui::WS_POPUP | ui::WS_CLIPSIBLINGS | ui::WS_CLIPCHILDREN |
                            ui::WS_CAPTION | ui::WS_SYSMENU | ui::WS_MINIMIZEBOX;
    if (window->Create(nullptr, kMainCaption, style, 0, 0, 0, kCreateWidth, kCreateHeight) ==
        nullptr) {
        platform::TraceF("start-up: the main window cannot be built from \"XML_MAIN\" of %sres.xml",
                         ui::CPaintManagerUI::GetResourcePath().c_str());
        std::fprintf(stderr, "t418-zen: the skin has no main layout (\"XML_MAIN\" in %sres.xml)\n",
                     ui::CPaintManagerUI::GetResourcePath().c_str());
        ui::CResourceManager::GetInstance()->Release();
        return 0;
    }
    window->CenterWindow();
    ReportInaccessibleDevices(*window);

    ui::CPaintManagerUI::MessageLoop();

    window.reset();
    ui::CResourceManager::GetInstance()->Release();
    return 0;
}

}  // namespace app
