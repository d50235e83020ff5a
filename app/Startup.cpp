#include "app/Startup.h"

#include <array>
#include <cstdio>
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
#include "platform/Trace.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"
#include "ui/skin/ResourceManager.h"

namespace app {

namespace {

class Fonts {
  public:
    Fonts() {
        for (size_t i = 0; i < loaders_.size(); ++i)
            loaders_[i].Load(kProgramFonts[i]);  // a missing font is skipped
    }
    ~Fonts() {
        for (size_t i = loaders_.size(); i-- > 0;)
            loaders_[i].Unload();
    }

  private:
    std::array<FontLoader, 4> loaders_;
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
