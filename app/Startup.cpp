#include "app/Startup.h"

#include <array>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/AppMessages.h"
#include "app/DpiRule.h"
#include "app/FontLoader.h"
#include "app/MainWnd.h"
#include "app/SubWindows.h"
#include "app/devicelist/DeviceListControls.h"
#include "controls/ProgramControls.h"
#include "devices/DeviceControls.h"
#include "platform/Folders.h"
#include "platform/MessageBus.h"
#include "platform/SingleInstance.h"
#include "platform/StoppableThread.h"
#include "platform/Trace.h"
#include "ui/core/Backend.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"
#include "ui/skin/ResourceManager.h"

namespace app {

namespace {

// The private fonts, loaded in their order on a thread of their own. Parsing the CJK font
// (the last) takes some 200 ms and holds the font database the whole time, so it waits for
// the main window's first paint (or a few seconds); text drawn before a font is in falls
// back to the system's fonts.
class Fonts {
  public:
    static constexpr uint32_t kLoadWaitMs = 5000;
    static constexpr uint32_t kFirstPaintWaitMs = 3000;
    static constexpr size_t kAfterFirstPaint = 3;  // the index of the CJK font

    Fonts() : loaders_(MakeLoaders()), painted_(std::make_shared<platform::Event>(true, false)) {
        thread_.Start([loaders = loaders_, painted = painted_](platform::Event& stop) {
            for (size_t i = 0; i < loaders->size() && !stop.IsSet(); ++i) {
                if (i == kAfterFirstPaint)
                    platform::Event::WaitAny({painted.get(), &stop}, kFirstPaintWaitMs);
                if (!stop.IsSet())
                    (*loaders)[i].Load(kProgramFonts[i]);  // a missing font is skipped
            }
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
    static std::shared_ptr<Loaders> MakeLoaders() {
        ui::Backend* backend = ui::HasBackend() ? &ui::GetBackend() : nullptr;
        return std::shared_ptr<Loaders>(
            new Loaders{FontLoader({}, backend), FontLoader({}, backend), FontLoader({}, backend),
                        FontLoader({}, backend)});
    }
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
    controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
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

    ui::CPaintManagerUI::MessageLoop();

    window.reset();
    ui::CResourceManager::GetInstance()->Release();
    return 0;
}

}  // namespace app
