#pragma once
// CMainWnd: the program's one top-level window and its controller. It routes every
// notification of the main layout by type and control name (MainWndRoutes.h), handles the
// registered, device and system messages (MainWndMessages.h), runs the four timers, owns the
// background threads (ThreadTable.h), the tray icon and menu, the language and font set-up
// and the device list (IDeviceList), and hosts that list (IDeviceListHost).
//
// Threads: window thread only. Other threads reach it through its handle (SendMessage and
// PostMessage): the scan thread's 3090 / 3091 and the product-title message, the device
// objects' notices.
#include <json/value.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/MainPanelHost.h"
#include "app/MainWndMessages.h"
#include "app/MainWndRoutes.h"
#include "app/ThreadTable.h"
#include "app/audio/AudioLink.h"
#include "app/devicelist/DeviceList.h"
#include "app/devicelist/DeviceListHost.h"
#include "hid/DeviceSlotList.h"
#include "panels/hook/DeviceHook.h"
#include "panels/keys/KeyHandlers.h"
#include "panels/light/LightHandlers.h"
#include "panels/macros/MacroHandlers.h"
#include "panels/performance/PerformanceHandlers.h"
#include "panels/profiles/ProfileHandlers.h"
#include "panels/profiles/ProgramFollower.h"
#include "panels/profiles/ProgramLinkHandlers.h"
#include "panels/shoot/ShootHandlers.h"
#include "panels/sync/GameLight.h"
#include "panels/sync/LightSync.h"
#include "platform/LocalTime.h"
#include "ui/core/WindowImplBase.h"
#include "ui/shell/TrayIcon.h"
#include "windows/SkinObserver.h"

namespace platform {
class HidTransport;
}
namespace ui {
class SessionBusBridge;
}

namespace app {

inline constexpr uint32_t kTimerFit = 1011;
inline constexpr uint32_t kTimerTrayMenu = 1032;
inline constexpr uint32_t kTimerProfileSelect = 1055;
inline constexpr uint32_t kTimerGameLight = 1066;
inline constexpr uint32_t kTimerScreenshots = 1077;
inline constexpr uint32_t kTimerProgramRules = 1088;  // a deferred look at the program rules
// Posted by the program watcher's thread when the running programs changed.
inline constexpr const char* kProgramsChangedMessageName = "T418-ZEN_ProgramsChanged";
inline constexpr uint32_t kIconResource = 107;  // registered by RegisterIconResources
// Thread table entries with a fixed job.
inline constexpr size_t kScanThreadEntry = 0;
inline constexpr size_t kAudioWatchdogEntry = 1;
inline constexpr size_t kLightSyncEntry = 8;

struct MainWndOptions {
    // The device list; empty: MakeDeviceList.
    std::function<std::unique_ptr<IDeviceList>(IDeviceListHost&)> makeDeviceList;
    bool startScanThread = true;
    platform::HidTransport* transport = nullptr;  // nullptr: the platform's bus
    bool joinSessionBus = true;
    bool quitOnDestroy = true;  // posts the quit message when the window goes
    std::string dataFolder;     // DefaultData/ of the program; empty: platform::DefaultDataFolder()
    // Screenshot run: the windows are written as PNG into this folder once the mouse page
    // is filled (or after screenshotWaitMs with no device), then the program ends.
    std::string screenshotFolder;
    uint32_t screenshotWaitMs = 5000;
    // Runs once on the window thread after the window's first paint.
    std::function<void()> onFirstPaint;
    // The watcher of running programs; empty: platform::MakeProcessWatcher().
    std::function<std::unique_ptr<platform::ProcessWatcher>()> makeProcessWatcher;
    // The program folder (its Update/ holds the firmware upgrade tool); empty:
    // platform::ProgramFolder().
    std::string programFolder;
    // The settings window's date source (empty: the local time) and its first-paint notice.
    std::function<platform::LocalTime()> clock;
    std::function<void()> onSettingsFirstPaint;
    // Started with the session: with a tray, the window stays hidden at the scan's first
    // product-title message and at device arrivals until the user asks for it (tray icon,
    // second start, menu). Without a tray it shows as usual.
    bool startHidden = false;
    // The command line that starts the audio-capture process of the music light (split like
    // a command line); empty: none is started.
    std::string audioProgram;
};

class CMainWnd : public ui::WindowImplBase, public IDeviceListHost, public windows::SkinReceiver {
  public:
    explicit CMainWnd(MainWndOptions options = {});
    ~CMainWnd() override;

    // IDeviceListHost
    ui::CPaintManagerUI& Manager() override { return m_pm; }
    ui::IDialogBuilderCallback* BuilderCallback() override { return this; }
    ui::HWND Window() const override { return m_hWnd; }
    hid::DeviceSlotList& Slots() override { return *slots_; }
    std::string CurrentProfileBaseName() const override { return {}; }
    void RestoreFromDeviceEvent() override;
    void CloseSubWindows() override;
    int SavedState() const override { return savedState_; }
    void SetSavedState(bool lockList, int saved) override;

    // State other parts and tests read.
    IDeviceList& DeviceList() { return *list_; }
    ThreadTable& Threads() { return threads_; }
    int Awake() const { return awake_; }
    int LightControl() const { return lightControl_; }
    int LanguageIndex() const { return languageIndex_; }
    bool ScreenshotsWritten() const { return screenshotsWritten_; }
    bool ScreenshotsFailed() const { return screenshotsFailed_; }
    audio::AudioLink* Audio() { return audio_.get(); }
    // Profiles that follow programs (null before the window's initialisation).
    panels::ProgramFollower* Follower() { return follower_.get(); }
    // Set by the forced upgrade of an old mouse until a device is next present.
    bool UpgradePending() const { return upgradePending_; }
    const Json::Value& AudioLightInfo() const { return audioLightInfo_; }

    // Applies a language index (nothing when it is the current one or the language list has
    // no usable entry at it).
    void ApplyLanguage(int index);
    // Fits the window to the screen: 1000 x 640 at the DPI the screen asks for.
    void FitDpi();
    // Sets the light control flag, updates its button and tells every device.
    void SetLightControl(int flag, bool announce);
    // The "exit" of the tray menu: closes the sub-windows and the main window.
    void Exit();
    // Opens the settings window (modal; returns when it is closed), centred or beside this
    // window's right edge. Nothing while one is open.
    void OpenSettings(bool centred);
    // 3332: an old cable mouse's firmware (below 0x0103) gets the upgrade tool offered, or
    // the user is told it is missing; 0x0103 or later lifts the mouse's suppression.
    void OnForcedUpgrade(uint32_t productId, uint32_t version);

    // A background chosen in the skin frame, for the control "root": a colour (and no image)
    // or an image (and colour 0). Always 1, also without a "root".
    int Receive(windows::SkinChangedParam change) override;

    void Notify(ui::TNotifyUI& msg) override;
    ui::CControlUI* CreateControl(const std::string& pstrClass) override;

  protected:
    std::string GetWindowClassName() const override { return "MainWnd"; }
    ui::UINT GetClassStyle() const override { return 0; }
    std::string GetSkinFile() override { return "XML_MAIN"; }
    void InitWindow() override;
    void OnClick(ui::TNotifyUI& msg) override;
    void OnFinalMessage(ui::HWND hWnd) override;
    ui::LRESULT HandleCustomMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                                    bool& bHandled) override;
    ui::LRESULT OnClose(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                        bool& bHandled) override;
    ui::LRESULT OnDestroy(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam,
                          bool& bHandled) override;

  private:
    // Initialisation ("windowinit").
    void OnWindowInit();
    void StartThreads();
    void StopThreads();

    // Notifications (MainWndNotify.cpp).
    void OnClickNotify(ui::TNotifyUI& msg);
    void OnOptionNotify(ui::TNotifyUI& msg);
    void OnComboNotify(ui::TNotifyUI& msg);
    void OnMenuCommand(const std::string& item);
    void OpenDeviceSettings(int index);
    void OnProfileClick(const std::string& name);
    void OnFunctionTab(const std::string& name);
    // valuechanged, movevaluechanged and killfocus: routed by type to the pages that own them.
    void OnValueNotify(const std::string& type, const std::string& name, ui::CControlUI* sender);
    void NotBuilt(const char* kind, const std::string& name, Route route) const;

    // Messages (MainWndMessageHandlers.cpp).
    ui::LRESULT Dispatch(const MessageRow& row, ui::WPARAM wParam, ui::LPARAM lParam,
                         bool& bHandled);
    void OnTimer(uintptr_t id);
    void OnPower(ui::WPARAM event);
    void OnCopyData(ui::WPARAM wParam, ui::LPARAM lParam);
    void MakeAudioLink();
    void AnswerWorkToolQuery();
    void OnProductTitle(ui::WPARAM wParam, ui::LPARAM lParam);
    void OnTrayIcon(ui::LPARAM lParam);
    void OpenTrayMenu();
    // A context menu of the skin at the cursor (the feature handlers' menus).
    void OpenContextMenu(const std::string& menuFile);
    // The recorder's hook messages (position in kHookMessageNames); false for the others.
    bool OnRecordingHookMessage(int index, ui::WPARAM wParam, ui::LPARAM lParam);
    void RaiseWindow();
    void SetPreviewActive(int flag);
    void ApplyLightToDevices(int flag);
    // The light synchronisation (MainWndLightSync.cpp).
    void StartLightSync();
    void RefreshSyncDevices();
    void OnSameMode();
    void OnGameRequest(ui::WPARAM kind, ui::LPARAM position);
    void OnGameLightTimer();
    // The music settings (MainWndMusic.cpp): the audio file loaded at start-up, the music
    // window, and the style colour sent to the audio-capture process.
    void LoadMusicSettings();
    void OpenMusicWindow();
    void SetPowerQueryOff(int value);
    // Every mouse's command channel suspended (no device I/O) or not.
    void SuppressMouseChannels(bool suppressed);
    bool ShownAndNotMinimised() const;

    // The skin frame under "skinbtn" (MainWndSkin.cpp); the image kept in "main.ini" put back.
    void OpenSkinFrame();
    void RestoreSkinImage();
    // Profiles that follow programs (MainWndPrograms.cpp).
    void StartProgramWatch();
    void OnProgramsChanged();
    void OnDevicesReady();
    std::vector<devices::COrvaneUSBDevice*> AllDevices() const;

    // Screenshot run (MainWndScreenshots.cpp).
    void ArmScreenshots();
    void WriteScreenshots();

    MainWndOptions options_;
    std::vector<MessageRow> messageTable_;
    std::shared_ptr<hid::DeviceSlotList> slots_;
    std::unique_ptr<IDeviceList> list_;
    ThreadTable threads_;
    ui::CTrayIcon tray_;
    // The empty notification target of the virtual window "mainpage".
    ui::CNotifyPump mainPage_;
    ui::HWND trayMenu_ = nullptr;
    std::unique_ptr<ui::SessionBusBridge> bus_;
    // The feature handlers and what they need of this window (dpi_ is read at each dialog).
    MainPanelHost panelHost_{m_hWnd, dpi_};
    panels::ProfileHandlers profiles_{panelHost_};
    panels::CPerformanceHandlers performance_{panelHost_};
    panels::CKeyHandlers keys_{panelHost_};
    panels::CLightHandlers light_{panelHost_};
    // The input hook of the key page's capture (and, later, the macro recorder).
    panels::hook::CDeviceHook hook_;
    panels::CMacroHandlers macros_{panelHost_, keys_,
                                   [this](int mode) {
                                       hook_.Install(0, mode, m_hWnd, true, true);
                                       return hook_.Source() !=
                                              panels::hook::RecordingSource::kWindow;
                                   },
                                   [this] { hook_.Remove(); }};
    panels::CShootHandlers shoot_{panelHost_};
    std::unique_ptr<platform::ProcessWatcher> watcher_;
    std::unique_ptr<panels::ProgramFollower> follower_;
    std::unique_ptr<panels::ProgramLinkHandlers> links_;
    uint32_t programsChangedMessage_ = 0;
    // What the light synchronisation thread (entry 8) is given, and the game requests' state.
    std::shared_ptr<panels::sync::LightSyncShared> lightSync_ =
        std::make_shared<panels::sync::LightSyncShared>();
    panels::sync::GameLight gameLight_;
    // The music window's settings: the "AudioLightInfo" object of the user's audio file.
    Json::Value audioLightInfo_;

    // Title-bar controls found at InitWindow (compared by identity, not by name).
    ui::CControlUI* minButton_ = nullptr;
    ui::CControlUI* maxButton_ = nullptr;
    ui::CControlUI* restoreButton_ = nullptr;
    ui::CControlUI* skinButton_ = nullptr;
    ui::CControlUI* setButton_ = nullptr;

    int awake_ = 1;
    int lightControl_ = 1;
    int languageIndex_ = -1;
    int savedState_ = 1;
    bool upgradePending_ = false;
    bool stayHidden_ = false;  // startHidden with a tray, until the user asks for the window
    std::map<std::string, bool> trayMenuChecks_;  // the menu's check marks, by item
    int dpi_ = 96;
    bool displayChanged_ = false;
    bool windowActive_ = false;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    bool threadsStopped_ = false;
    bool exiting_ = false;
    bool painted_ = false;
    bool screenshotsArmed_ = false;
    bool screenshotsWritten_ = false;
    bool screenshotsFailed_ = false;
    // The audio-capture process of the music light (made at window initialisation).
    std::unique_ptr<audio::AudioLink> audio_;
};

}  // namespace app
