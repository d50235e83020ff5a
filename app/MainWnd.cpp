#include "app/MainWnd.h"

#include <cctype>
#include <chrono>
#include <thread>

#include "app/AppMessages.h"
#include "app/DeviceListFactory.h"
#include "app/LanguageRules.h"
#include "app/PanelTags.h"
#include "app/SubWindows.h"
#include "devices/OrvaneUSBDevice.h"
#include "devices/headset/OrvaneDA6533Device.h"
#include "devices/keyboard/OrvaneKeyboardDevice.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "devices/pad/OrvaneMousePadDevice.h"
#include "hid/DeviceScanThread.h"
#include "hid/window/WindowScanReporter.h"
#include "panels/keys/KeySetControlUI.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/MessageBus.h"
#include "platform/Registry.h"
#include "platform/Trace.h"
#include "ui/core/Backend.h"
#include "ui/core/MessageModel.h"
#include "ui/shell/SessionBusBridge.h"
#include "ui/skin/ResourceManager.h"

namespace app {

namespace {

// Entry 0: the device scan thread with everything it touches, so that a scan that outlives
// its wait at shutdown still has its slots and its reporter.
class ScanThreadEntry : public ThreadEntry {
  public:
    ScanThreadEntry(std::shared_ptr<hid::DeviceSlotList> slots, ui::HWND window,
                    uint32_t productTitle, platform::HidTransport* transport)
        : slots_(std::move(slots)),
          reporter_(window),
          scan_(*slots_, reporter_, productTitle, transport) {}
    bool Start() { return scan_.Start(); }
    void RequestStop() override { scan_.Stop(0); }
    bool Join(uint32_t timeoutMs) override { return scan_.Stop(timeoutMs); }

  private:
    std::shared_ptr<hid::DeviceSlotList> slots_;
    hid::WindowScanReporter reporter_;
    hid::DeviceScanThread scan_;
};

}  // namespace

CMainWnd::CMainWnd(MainWndOptions options)
    : options_(std::move(options)),
      messageTable_(BuildMessageTable(Messages())),
      slots_(std::make_shared<hid::DeviceSlotList>()) {
    list_ = options_.makeDeviceList ? options_.makeDeviceList(*this) : MakeDeviceList(*this);
    if (!list_)
        list_ = std::make_unique<EmptyDeviceList>();
    if (options_.dataFolder.empty())
        options_.dataFolder = platform::DefaultDataFolder();
    if (options_.programFolder.empty())
        options_.programFolder = platform::ProgramFolder();
    AddVirtualWnd("mainpage", &mainPage_);
    panelHost_.SetContextMenuHandler([this](const std::string& file) { OpenContextMenu(file); });
    panelHost_.SetSavedStateHandler(
        [this](bool lockList, int saved) { SetSavedState(lockList, saved); });
}

CMainWnd::~CMainWnd() {
    StopThreads();
    ui::CResourceManager::GetInstance()->SetTextQueryInterface(nullptr);
}

void CMainWnd::InitWindow() {
    platform::Trace("InitWindow");
    ui::CResourceManager* resources = ui::CResourceManager::GetInstance();
    resources->SetTextQueryInterface(this);
    resources->LoadLanguage("lan_cn.xml");
    minButton_ = FindControl("minbtn");
    maxButton_ = FindControl("maxbtn");
    restoreButton_ = FindControl("restorebtn");
    skinButton_ = FindControl("skinbtn");
    setButton_ = FindControl("setbtn");
    windows::ProgramSkinObserver().RegisterReceiver(this);
    RestoreSkinImage();
    SetIcon(kIconResource);
    tray_.CreateTrayIcon(m_hWnd, kIconResource, kMainCaption);
    stayHidden_ = options_.startHidden && tray_.IsVisible();
    if (options_.startHidden)
        platform::Trace(stayHidden_ ? "MainWnd: started hidden in the tray"
                                    : "MainWnd: asked to start hidden, but there is no tray");
    // Sleep, wake and screen changes arrive as the system's own messages.
    ui::GetBackend().SetSystemNoticeHandler([window = m_hWnd](ui::SystemNotice notice) {
        switch (notice) {
            case ui::SystemNotice::Suspend:
                ui::PostMessage(window, ui::WM_POWERBROADCAST, kPbtApmSuspend, 0);
                break;
            case ui::SystemNotice::Resume:
                ui::PostMessage(window, ui::WM_POWERBROADCAST, kPbtApmResumeAutomatic, 0);
                break;
            case ui::SystemNotice::DisplayChanged:
                ui::PostMessage(window, ui::WM_DISPLAYCHANGE, 0, 0);
                break;
        }
    });
    if (options_.joinSessionBus) {
        bus_ = ui::SessionBusBridge::Join(m_hWnd, kMainCaption);
        if (!bus_)
            platform::Trace(
                "MainWnd: the session bus cannot be joined; other programs will not reach us");
    }
}

void CMainWnd::OnWindowInit() {
    performance_.SetPaintManager(&m_pm);
    // Every registered message reaches this window through the bus: there is no message
    // filter to open here.
    if (uint32_t announce = Messages().lightAnnounce)
        platform::Broadcast(announce, 1, 1);

    // The language the user chose last time (index 0 when it cannot be found).
    std::string text;
    LanguageList languages;
    if (platform::ReadWholeFile(options_.dataFolder + kLanguageConfigName, text))
        languages = ParseLanguageConfig(text);
    std::optional<uint32_t> registryId;
    // The program's key is made on the first start: the language chosen later is written
    // under it and so kept (a value under a missing key would be dropped).
    if (auto key = platform::CreateKey(kLanguageRegistryKey))
        registryId = key->GetDword(kLanguageRegistryValue);
    ApplyLanguage(StartupLanguageIndex(languages, registryId));

    slots_->FillFromMatchTable();
    list_->CreateStartupDevices();
    RefreshSyncDevices();

    ui::Rect screen = ui::GetBackend().WorkArea();
    screenWidth_ = screen.Width();
    screenHeight_ = screen.Height();
    light_.SetScreenSize({screenWidth_, screenHeight_});
    ShowWindow(false, false);
    SetPreviewActive(0);

    // The music settings first: the audio link sends their style colour once its process runs.
    LoadMusicSettings();
    MakeAudioLink();
    StartThreads();
    StartProgramWatch();
    ui::SetTimer(m_hWnd, kTimerFit, 100);
    if (!options_.screenshotFolder.empty())
        ArmScreenshots();
}

void CMainWnd::StartThreads() {
    if (options_.startScanThread) {
        auto scan = std::make_shared<ScanThreadEntry>(slots_, m_hWnd, Messages().productTitle,
                                                      options_.transport);
        if (scan->Start())
            threads_.Set(kScanThreadEntry, scan);
        else
            platform::Trace("MainWnd: the device scan thread did not start");
    }
    if (audio_) {
        if (auto watchdog = audio_->MakeWatchdog())
            threads_.Set(kAudioWatchdogEntry, watchdog);
        else
            platform::Trace("MainWnd: the audio watchdog did not start");
    }
    StartLightSync();
}

void CMainWnd::StopThreads() {
    if (threadsStopped_)
        return;
    threadsStopped_ = true;
    threads_.StopAll();
    if (watcher_)
        watcher_->Stop();
}

ui::LRESULT CMainWnd::OnClose(ui::UINT, ui::WPARAM, ui::LPARAM, bool& bHandled) {
    if (exiting_) {
        bHandled = false;
        return 0;
    }
    // Closing the window only hides it; the tray menu's "exit" ends the program.
    CloseSubWindows();
    ShowWindow(false, false);
    SetPowerQueryOff(1);
    SetPreviewActive(0);
    bHandled = true;
    return 0;
}

ui::LRESULT CMainWnd::OnDestroy(ui::UINT, ui::WPARAM, ui::LPARAM, bool& bHandled) {
    tray_.DeleteTrayIcon();
    if (ui::HasBackend())
        ui::GetBackend().SetSystemNoticeHandler({});
    bHandled = false;
    return 0;
}

void CMainWnd::OnFinalMessage(ui::HWND) {
    // Start-up owns this object and deletes it after the message loop.
}

void CMainWnd::Exit() {
    CloseSubWindows();
    exiting_ = true;
    Close(ui::IDOK);
}

void CMainWnd::RestoreFromDeviceEvent() {
    list_->RefreshNoDeviceLayout("Open");
    if (stayHidden_)
        return;
    RaiseWindow();
}

void CMainWnd::CloseSubWindows() {
    // The settings, palette and music windows are not part of the program yet.
    CloseAuxiliaryWindows();
}

void CMainWnd::SetSavedState(bool lockList, int saved) {
    if (lockList) {
        if (ui::CControlUI* layout = FindControl("device_select_layout"))
            layout->SetEnabled(saved == 1);
        // The current device's profile panel follows once profiles are part of the program.
    }
    // The key panel's pending buttons are enabled exactly while changes are unsaved.
    if (panels::CKeySetControlUI* keys = panels::CKeyHandlers::PanelOf(list_->SelectedDevice()))
        keys->SetPendingButtons(saved == 0);
    savedState_ = saved;
}

void CMainWnd::SetLightControl(int flag, bool announce) {
    lightControl_ = flag ? 1 : 0;
    platform::TraceF("MainWnd: light control %d", lightControl_);
    if (announce && Messages().lightAnnounce)
        platform::Broadcast(Messages().lightAnnounce, 1, lightControl_);
    if (ui::CControlUI* button = FindControl("control_light_status"))
        button->SetText(lightControl_ ? "控制灯光" : "不控制灯光");
    for (const auto* group : {&list_->Mice(), &list_->Keyboards(), &list_->MousePads()}) {
        for (devices::COrvaneUSBDevice* device : *group)
            device->SetLightControl(lightControl_);
    }
}

void CMainWnd::SetPreviewActive(int flag) {
    // The list also restarts an idle preview at once when the window is back in sight.
    list_->SetPreviewActive(flag);
}

void CMainWnd::SetPowerQueryOff(int value) {
    for (const auto* group : {&list_->Mice(), &list_->Keyboards()}) {
        for (devices::COrvaneUSBDevice* device : *group)
            device->SetPowerQueryOff(value);
    }
}

bool CMainWnd::ShownAndNotMinimised() const {
    return IsWindowVisible() && !IsMinimized();
}

void CMainWnd::RaiseWindow() {
    SetPowerQueryOff(0);
    SendMessage(ui::WM_SYSCOMMAND, ui::SC_RESTORE, 0);
    ShowWindow(true, true);
    if (ui::NativeWindow* native = GetNativeWindow())
        native->Raise();
    SetPreviewActive(1);
}

ui::CControlUI* CMainWnd::CreateControl(const std::string& pstrClass) {
    auto is = [&pstrClass](std::string_view tag) {
        if (pstrClass.size() != tag.size())
            return false;
        for (size_t i = 0; i < tag.size(); ++i) {
            if (std::tolower(static_cast<unsigned char>(pstrClass[i])) !=
                std::tolower(static_cast<unsigned char>(tag[i])))
                return false;
        }
        return true;
    };
    if (is(devices::COrvaneMouseDevice::kClassName))
        return new devices::COrvaneMouseDevice(options_.transport);
    if (is(devices::COrvaneMousePadDevice::kClassName))
        return new devices::COrvaneMousePadDevice(options_.transport);
    if (is(devices::COrvaneDA6533Device::kClassName))
        return new devices::COrvaneDA6533Device(options_.transport);
    if (is(devices::COrvaneKeyboardDevice::kClassName))
        return new devices::COrvaneKeyboardDevice(options_.transport);
    if (ui::CControlUI* panel = CreatePanelControl(pstrClass, this, m_pm))
        return panel;
    platform::TraceF("MainWnd: no control for the tag \"%s\" yet", pstrClass.c_str());
    return nullptr;
}

}  // namespace app
