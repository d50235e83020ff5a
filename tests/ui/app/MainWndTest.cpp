// The main window driven headless: routing to the device list, the awake gate, language
// switching, the tray, the light control and shutdown.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <thread>

#include "app/AppMessages.h"
#include "app/LanguageRules.h"
#include "app/MainWnd.h"
#include "app/UpgradeTool.h"
#include "app/WorkToolRecord.h"
#include "app/audio/AudioRules.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "platform/Event.h"
#include "platform/FileIO.h"
#include "platform/Log.h"
#include "platform/MessageBus.h"
#include "platform/Registry.h"
#include "platform/StoppableThread.h"
#include "platform/Trace.h"
#include "profile/JsonFile.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/skin/ResourceManager.h"
#include "windows/MusicWnd.h"
#include "windows/SetWnd.h"
#include "windows/SkinChoiceFile.h"
#include "windows/SkinFrame.h"

namespace app {
namespace {

namespace fs = std::filesystem;

// Records what the window asks of the list; holds one mouse object.
class FakeList : public IDeviceList {
  public:
    FakeList() {
        mouse_ = std::make_unique<devices::COrvaneMouseDevice>();
        mouse_->SetHasBattery(true);
        mice_.push_back(mouse_.get());
    }
    void CreateStartupDevices() override { ++startup; }
    void OnDeviceAdd(size_t slot) override { adds.push_back(slot); }
    void OnDeviceRemove(size_t slot) override { removes.push_back(slot); }
    void OnLinkState(int index, int linked) override { links.push_back(index * 10 + linked); }
    void OnDeviceInitUI(int) override { ++initUI; }
    void RefreshNoDeviceLayout(const char* place) override { places.push_back(place); }
    int ShownCount() const override { return 0; }
    void SelectPrevious() override { ++previous; }
    void SelectNext() override { ++next; }
    void OnDeviceSelectChanged() override { ++selects; }
    // The page object the skin holds ("mouse_page"), once a test selects it.
    devices::COrvaneUSBDevice* SelectedDevice() const override { return selected; }
    int SelectedKind() const override { return selected ? selected->GetKind() : 0; }
    const std::vector<devices::COrvaneUSBDevice*>& Mice() const override { return mice_; }
    const std::vector<devices::COrvaneUSBDevice*>& Keyboards() const override { return none_; }
    const std::vector<devices::COrvaneUSBDevice*>& MousePads() const override { return none_; }
    const std::vector<devices::COrvaneUSBDevice*>& Headsets() const override { return none_; }
    void StopDevices() override { ++stops; }
    void SetPreviewActive(int flag) override { mouse_->SetPreviewActive(flag); }

    devices::COrvaneMouseDevice& Mouse() { return *mouse_; }
    devices::COrvaneUSBDevice* selected = nullptr;
    int startup = 0, initUI = 0, previous = 0, next = 0, selects = 0, stops = 0;
    std::vector<size_t> adds, removes;
    std::vector<int> links;
    std::vector<std::string> places;

  private:
    std::unique_ptr<devices::COrvaneMouseDevice> mouse_;
    std::vector<devices::COrvaneUSBDevice*> mice_, none_;
};

const char* kLanguages = R"({"Language": [
  {"Language_ID": 2052, "Language_name": "cn", "Language_file": "lan_cn.xml"},
  {"Language_ID": 1033, "Language_name": "en", "Language_file": "lan_en.xml"},
  {"Language_ID": 1054, "Language_name": "th", "Language_file": "lan_en.xml"},
  {"Language_ID": 1036, "Language_name": "fr", "Language_file": "lan_en.xml"}
]})";

class MainWndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Short: the bus's socket paths must fit their limit.
        static int counter = 0;
        folder_ = fs::temp_directory_path() /
                  ("t418-mw-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "data");
        ::setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (folder_ / "share").c_str(), 1);  // also the music settings' file
        ::setenv("TMPDIR", folder_.c_str(), 1);
        fs::create_directories(folder_ / "run");
        fs::permissions(folder_ / "run", fs::perms::owner_all);
        ::setenv("XDG_RUNTIME_DIR", (folder_ / "run").c_str(), 1);
        std::ofstream(folder_ / "data" / kLanguageConfigName) << kLanguages;
        backend_.Install();
        ui::CPaintManagerUI::SetResourcePath(T418_APP_TEST_SKIN);
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        AppMessages messages;
        messages.productTitle = 0xC101;
        messages.lightCommand = 0xC104;
        messages.workToolQuery = 0xC105;
        SetMessagesForTesting(messages);
        windows::SetSkinIniPathForTesting((folder_ / "main.ini").string());
    }
    void TearDown() override {
        if (window_ && ui::IsWindow(window_->GetHWND()))
            ui::DestroyWindow(window_->GetHWND());
        window_.reset();
        ::unsetenv("TMPDIR");
        ui::CResourceManager::GetInstance()->Release();
        SetMessagesForTesting(AppMessages{});
        windows::SetSkinIniPathForTesting("");
        fs::remove_all(folder_);
    }

    // onBus: the window joins the session bus (other processes can reach it).
    CMainWnd& Open(bool onBus = false) {
        MainWndOptions options;
        options.makeDeviceList = [this](IDeviceListHost&) {
            auto list = std::make_unique<FakeList>();
            list_ = list.get();
            return list;
        };
        options.startScanThread = false;
        options.joinSessionBus = onBus;
        options.quitOnDestroy = false;
        options.dataFolder = (folder_ / "data").string() + "/";
        options.programFolder = (folder_ / "prog").string() + "/";
        options.clock = [] { return platform::LocalTime{2025, 3, 7, 9, 0, 0, 0}; };
        window_ = std::make_unique<CMainWnd>(std::move(options));
        EXPECT_NE(window_->Create(nullptr, kMainCaption, ui::WS_POPUP, 0, 0, 0, 800, 572), nullptr);
        backend_.ProcessPending();  // "windowinit"
        return *window_;
    }
    ui::LRESULT Send(ui::UINT message, ui::WPARAM w = 0, ui::LPARAM l = 0) {
        return ui::SendMessage(window_->GetHWND(), message, w, l);
    }
    void Click(const std::string& name) {
        ui::CControlUI* control = window_->FindControl(name);
        ASSERT_NE(control, nullptr) << name;
        window_->GetPaintManager()->SendNotify(control, "click", 0, 0, false);
    }

    fs::path folder_;
    ui::headless::HeadlessBackend backend_;
    std::unique_ptr<CMainWnd> window_;
    FakeList* list_ = nullptr;
};

TEST_F(MainWndTest, StartsHiddenAndShowsOnTheProductTitleMessage) {
    CMainWnd& window = Open();
    EXPECT_EQ(list_->startup, 1);
    EXPECT_FALSE(window.IsWindowVisible());
    EXPECT_EQ(list_->Mouse().GetPreviewActive(), 0);  // nothing to preview while hidden
    Send(0xC101, 0, 1);
    EXPECT_TRUE(window.IsWindowVisible());
    ASSERT_EQ(list_->places.size(), 1u);
    EXPECT_EQ(list_->places[0], "Open");
    EXPECT_EQ(list_->Mouse().GetPreviewActive(), 1);
    EXPECT_EQ(list_->Mouse().GetPowerQueryOff(), 0);
    // The close button hides; the program goes on.
    Click("closebtn");
    EXPECT_FALSE(window.IsWindowVisible());
    EXPECT_TRUE(ui::IsWindow(window.GetHWND()));
    EXPECT_EQ(list_->Mouse().GetPowerQueryOff(), 1);
    EXPECT_EQ(list_->Mouse().GetPreviewActive(), 0);
    // A left click on the tray toggles.
    Send(ui::UIMSG_TRAYICON, 0, ui::WM_LBUTTONUP);
    EXPECT_TRUE(window.IsWindowVisible());
    EXPECT_EQ(list_->places.back(), "UIMSG_TRAYICON");
    Send(ui::UIMSG_TRAYICON, 0, ui::WM_LBUTTONUP);
    EXPECT_FALSE(window.IsWindowVisible());
}

TEST_F(MainWndTest, ClicksAndOptionsReachTheDeviceList) {
    Open();
    Click("device_select_prev");
    Click("device_select_next");
    EXPECT_EQ(list_->previous, 1);
    EXPECT_EQ(list_->next, 1);
    Click("key_butt_keysave");  // not built: traced, nothing else
    Send(3090, 4);
    Send(3091, 4);
    Send(3331, 2, 1);
    Send(3333, 0);
    EXPECT_EQ(list_->adds, std::vector<size_t>{4});
    EXPECT_EQ(list_->removes, std::vector<size_t>{4});
    EXPECT_EQ(list_->links, std::vector<int>{21});
    EXPECT_EQ(list_->initUI, 1);
}

// The page's notifications reach the feature handlers with the selected device: a dragged
// stage slider shows its DPI, a report-rate option is stored, a function tab shows its page.
TEST_F(MainWndTest, PageNotificationsReachTheFeatureHandlers) {
    Open();
    auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(window_->FindControl("mouse_page"));
    ASSERT_NE(mouse, nullptr);
    std::array<uint8_t, hid::kInfoBlockLength> info{};
    info[9] = 0x95;  // sensor 0x3395: 50 x position + 50
    info[10] = 0x33;
    mouse->SetInfoBlock(info);
    list_->selected = mouse;
    ui::CPaintManagerUI* pm = window_->GetPaintManager();
    auto notify = [&](const char* type, const char* name) {
        ui::CControlUI* control = window_->FindControl(name);
        ASSERT_NE(control, nullptr) << name;
        pm->SendNotify(control, type, 0, 0, false);
    };

    static_cast<ui::CSliderUI*>(window_->FindControl("DPI_slider_2"))->SetValue(31, false);
    notify("movevaluechanged", "DPI_slider_2");
    EXPECT_EQ(window_->FindControl("DPI_edit_2")->GetText(), "1600");

    notify("selectchanged", "polling_rate_option_3");
    EXPECT_EQ(profile::HighHalf(mouse->GetSystemWords()[2]), 3);

    static_cast<ui::COptionUI*>(window_->FindControl("system_Op_tab"))->Selected(true, false);
    notify("selectchanged", "system_Op_tab");
    EXPECT_EQ(mouse->GetFunctionPage(), 5);

    // Without a selected device nothing changes.
    list_->selected = nullptr;
    notify("selectchanged", "polling_rate_option_1");
    EXPECT_EQ(profile::HighHalf(mouse->GetSystemWords()[2]), 3);
}

TEST_F(MainWndTest, SwallowedNotificationsNeverReachTheBase) {
    CMainWnd& window = Open();
    int removes = 0, clicks = 0;
    window.AddNotifyHandler("click_wpremove", [&](ui::TNotifyUI&) { ++removes; });
    window.AddNotifyHandler("click_wpedit", [&](ui::TNotifyUI&) { ++removes; });
    window.AddNotifyHandler("click", [&](ui::TNotifyUI&) { ++clicks; });
    ui::CControlUI* key = window.FindControl("key_3");
    for (const char* type : {"click_wpremove", "click_wpedit", "click"})
        window.GetPaintManager()->SendNotify(key, type, 0, 0, false);
    EXPECT_EQ(removes, 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(MainWndTest, WhileAsleepDeviceBookkeepingGoesOnAndUiWorkWaits) {
    CMainWnd& window = Open();
    Send(ui::WM_POWERBROADCAST, kPbtApmSuspend);
    EXPECT_EQ(window.Awake(), 0);
    EXPECT_EQ(list_->Mouse().GetLightControl(), 0);
    // A device that comes, goes or links meanwhile is still counted.
    Send(3090, 1);
    Send(3091, 1);
    Send(3331, 0, 0);
    Send(3333, 0);
    EXPECT_EQ(list_->adds.size(), 1u);
    EXPECT_EQ(list_->removes.size(), 1u);
    EXPECT_EQ(list_->links.size(), 1u);
    EXPECT_EQ(list_->initUI, 1);
    // UI work does not happen: the tray click, the progress bar, the timers.
    Send(ui::UIMSG_TRAYICON, 0, ui::WM_LBUTTONUP);
    EXPECT_FALSE(window.IsWindowVisible());
    EXPECT_TRUE(list_->places.empty());
    Send(kMsgShowSettingProgress);
    EXPECT_FALSE(window.FindControl("setting_progress")->IsVisible());
    ui::SetTimer(window.GetHWND(), kTimerFit, 10);
    backend_.AdvanceTime(50);
    EXPECT_EQ(window.GetPaintManager()->GetDPI(), 96);
    // Awake again: all of it works, and the lights follow the flag again.
    Send(ui::WM_POWERBROADCAST, kPbtApmResumeAutomatic);
    EXPECT_EQ(window.Awake(), 1);
    EXPECT_EQ(list_->Mouse().GetLightControl(), 1);
    backend_.AdvanceTime(50);
    EXPECT_EQ(window.GetPaintManager()->GetDPI(), 144);  // the headless screen is 1920 x 1040
    Send(kMsgShowSettingProgress);
    EXPECT_TRUE(window.FindControl("setting_progress")->IsVisible());
    Send(ui::UIMSG_TRAYICON, 0, ui::WM_LBUTTONUP);
    EXPECT_TRUE(window.IsWindowVisible());
}

TEST_F(MainWndTest, LightControlFromTheButtonAndFromAnotherProcess) {
    CMainWnd& window = Open();
    EXPECT_EQ(window.LightControl(), 1);
    Click("control_light_status");
    EXPECT_EQ(window.LightControl(), 0);
    EXPECT_EQ(window.FindControl("control_light_status")->GetText(), "不控制灯光");
    EXPECT_EQ(list_->Mouse().GetLightControl(), 0);
    Send(0xC104, 1, 1);
    EXPECT_EQ(window.LightControl(), 1);
    EXPECT_EQ(window.FindControl("control_light_status")->GetText(), "控制灯光");
    Send(0xC104, 0, 0);  // wParam must be 1
    Send(0xC104, 1, 7);  // no such state
    EXPECT_EQ(window.LightControl(), 1);
}

TEST_F(MainWndTest, TheLightControlClickIsAnnouncedToOtherProcesses) {
    AppMessages messages = Messages();
    messages.lightAnnounce = 0xC103;
    SetMessagesForTesting(messages);
    std::mutex lock;
    std::vector<std::pair<uint64_t, int64_t>> heard;
    platform::Event arrived(true, false);
    auto listener = platform::JoinBus("light-listener", [&](const platform::BusMessage& m) {
        if (m.message != 0xC103)
            return;
        std::lock_guard<std::mutex> hold(lock);
        heard.emplace_back(m.wParam, m.lParam);
        arrived.Set();
    });
    ASSERT_NE(listener, nullptr);
    Open(true);
    ASSERT_TRUE(arrived.Wait(2000));  // the start-up announcement
    arrived.Reset();
    Click("control_light_status");
    ASSERT_TRUE(arrived.Wait(2000));
    std::lock_guard<std::mutex> hold(lock);
    const std::vector<std::pair<uint64_t, int64_t>> want = {{1, 1}, {1, 0}};
    EXPECT_EQ(heard, want);
}

TEST_F(MainWndTest, TheMusicWindowKeepsOnlyConfirmedSettingsAndSendsTheirColour) {
    std::mutex lock;
    std::vector<std::string> records;
    auto audio = platform::JoinBus(audio::kAudioWindowTitle, [&](const platform::BusMessage& m) {
        std::lock_guard<std::mutex> hold(lock);
        if (m.kind == platform::BusMessage::Kind::CopyData && m.tag == 10)
            records.push_back(m.data);
    });
    ASSERT_NE(audio, nullptr);
    std::ofstream(folder_ / "data" / "AudioFile.json")
        << R"({"Device": {"AudioLightInfo": {"nAudioStyle": 0, "nStyleR0": 1}}})";
    CMainWnd& window = Open(true);
    const fs::path userFile = folder_ / "share" / "T418-ZEN" / "AudioFile.json";
    ASSERT_TRUE(fs::exists(userFile)) << "the user's copy is made at start-up";
    const Json::Value before = window.AudioLightInfo();
    ASSERT_EQ(before["nStyleR0"].asInt(), 1);
    auto edit = [&](const char* button) {
        backend_.Schedule([&, button] {
            auto* music = dynamic_cast<windows::CMusicWnd*>(
                ui::GetWindowObject(windows::CMusicWnd::Current()));
            ASSERT_NE(music, nullptr);
            auto* red = dynamic_cast<ui::CSliderUI*>(music->FindControl("audio_r_slider"));
            ASSERT_NE(red, nullptr);
            red->SetValue(4, true);
            music->GetPaintManager()->SendNotify(music->FindControl(button), "click", 0, 0, false);
        });
        Click("music_setting_btn");
    };
    edit("closebtn");
    EXPECT_EQ(window.AudioLightInfo(), before);
    EXPECT_EQ(profile::LoadJsonFile(userFile.string())["Device"]["AudioLightInfo"], before);
    edit("okbtn");
    EXPECT_EQ(window.AudioLightInfo()["nStyleR0"].asInt(), 4);
    EXPECT_EQ(profile::LoadJsonFile(userFile.string())["Device"]["AudioLightInfo"]["nStyleR0"], 4);
    std::lock_guard<std::mutex> hold(lock);
    ASSERT_EQ(records.size(), 1u) << "sent on the confirmation only";
    ASSERT_EQ(records[0].size(), 40u);
    EXPECT_EQ(records[0][0], 4);
    EXPECT_EQ(records[0][4], 1) << "a green of 0 is sent as 1";
}

TEST_F(MainWndTest, LanguageSwitchingAndFonts) {
    CMainWnd& window = Open();
    ui::CPaintManagerUI& pm = *window.GetPaintManager();
    // No registry value: the first entry, with its own face.
    EXPECT_EQ(window.LanguageIndex(), 0);
    EXPECT_EQ(pm.GetFontInfo(0)->face, "汉仪菱心体简");
    EXPECT_EQ(ui::CResourceManager::GetInstance()->GetText("hello"), "你好");
    // The first start makes the key and keeps the language applied in it.
    ASSERT_TRUE(platform::OpenKey(kLanguageRegistryKey));
    EXPECT_EQ(platform::OpenKey(kLanguageRegistryKey)->GetDword(kLanguageRegistryValue), 2052u);

    Send(kMsgLanguage, 1);
    EXPECT_EQ(window.LanguageIndex(), 1);
    EXPECT_EQ(pm.GetFontInfo(0)->face, "Verdana Unicode MS");
    EXPECT_EQ(pm.GetFontInfo(50)->size, 18);
    EXPECT_EQ(ui::CResourceManager::GetInstance()->GetText("hello"), "Hello");
    EXPECT_EQ(platform::OpenKey(kLanguageRegistryKey)->GetDword(kLanguageRegistryValue), 1033u);

    // From 1 to 3 the fonts stay (a changed font would show).
    pm.AddFont(0, "Marker", 15, false, false, false, true);
    Send(kMsgLanguage, 3);
    EXPECT_EQ(window.LanguageIndex(), 3);
    EXPECT_EQ(pm.GetFontInfo(0)->face, "Marker");
    EXPECT_EQ(platform::OpenKey(kLanguageRegistryKey)->GetDword(kLanguageRegistryValue), 1036u);

    // An index the list does not hold changes nothing and writes nothing.
    Send(kMsgLanguage, 9);
    EXPECT_EQ(window.LanguageIndex(), 3);
    EXPECT_EQ(pm.GetFontInfo(0)->face, "Marker");
    EXPECT_EQ(platform::OpenKey(kLanguageRegistryKey)->GetDword(kLanguageRegistryValue), 1036u);
    // Nor does any index while the list cannot be read.
    fs::remove(folder_ / "data" / kLanguageConfigName);
    Send(kMsgLanguage, 1);
    EXPECT_EQ(window.LanguageIndex(), 3);
    EXPECT_EQ(platform::OpenKey(kLanguageRegistryKey)->GetDword(kLanguageRegistryValue), 1036u);
}

TEST_F(MainWndTest, StartsInTheStoredLanguage) {
    auto key = platform::CreateKey(kLanguageRegistryKey);
    ASSERT_TRUE(key);
    key->SetDword(kLanguageRegistryValue, 1054);
    CMainWnd& window = Open();
    EXPECT_EQ(window.LanguageIndex(), 2);
    EXPECT_EQ(window.GetPaintManager()->GetFontInfo(0)->face, "Noto Sans CJK TC Regular");
}

TEST_F(MainWndTest, MenuExitIsCaseSensitive) {
    CMainWnd& window = Open();
    auto choose = [&](const char* name) {
        auto command = std::make_unique<ui::MenuCmd>();
        command->szName = name;
        ui::MenuCmd* kept = window.GetPaintManager()->KeepMenuCmd(std::move(command));
        Send(ui::WM_MENUCLICK, reinterpret_cast<ui::WPARAM>(kept));
        backend_.ProcessPending();
    };
    choose("EXIT");
    choose("About_Menu");
    EXPECT_TRUE(ui::IsWindow(window.GetHWND()));
    choose("exit");
    EXPECT_FALSE(ui::IsWindow(window.GetHWND()));
    EXPECT_EQ(list_->stops, 1);
}

TEST_F(MainWndTest, WorkToolQueryIsAnsweredWithTheDeviceTable) {
    Open();
    Send(0xC105);  // no work tool: nothing to send, nothing fails
    std::mutex mutex;
    std::vector<platform::BusMessage> got;
    auto tool = platform::JoinBus(kWorkToolWindowTitle, [&](const platform::BusMessage& m) {
        std::lock_guard<std::mutex> lock(mutex);
        got.push_back(m);
    });
    ASSERT_TRUE(tool);
    Send(0xC105);
    std::lock_guard<std::mutex> lock(mutex);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].kind, platform::BusMessage::Kind::CopyData);
    EXPECT_EQ(got[0].tag, kWorkToolRecordTag);
    auto expected = BuildWorkToolRecord(ProgramDeviceTypes());
    EXPECT_EQ(got[0].data, std::string(expected.begin(), expected.end()));
}

TEST_F(MainWndTest, OtherProcessesCannotHandUsPointers) {
    Open(/*onBus=*/true);
    ASSERT_TRUE(platform::WindowExists(kMainCaption));
    // A menu choice "pointing" anywhere, then one that must arrive: the product title.
    EXPECT_TRUE(platform::PostToWindow(kMainCaption, ui::WM_MENUCLICK, 0x10, 0));
    EXPECT_TRUE(platform::PostToWindow(kMainCaption, 0xC101, 0, 1));
    EXPECT_TRUE(backend_.PumpUntil([&] { return window_->IsWindowVisible(); }));
    EXPECT_TRUE(ui::IsWindow(window_->GetHWND()));
}

TEST_F(MainWndTest, AudioRecordsAreCheckedBeforeUse) {
    CMainWnd& window = Open();
    ASSERT_NE(window.Audio(), nullptr);
    std::vector<char> big(5000, 1);
    ui::COPYDATASTRUCT record;
    record.dwData = 1;
    record.cbData = 2000;
    record.lpData = big.data();
    // From a process that is not the audio-capture process (none runs): refused.
    Send(ui::WM_COPYDATA, 4242, reinterpret_cast<ui::LPARAM>(&record));
    EXPECT_EQ(window.Audio()->Rejected(), 1u);
    EXPECT_EQ(window.Audio()->Frames(), 0u);
    record.lpData = nullptr;  // no data: ignored before anything looks at it
    Send(ui::WM_COPYDATA, 4242, reinterpret_cast<ui::LPARAM>(&record));
    record.lpData = big.data();
    record.dwData = 9;  // not an audio record
    Send(ui::WM_COPYDATA, 4242, reinterpret_cast<ui::LPARAM>(&record));
    Send(ui::WM_COPYDATA, 0, 0);
    EXPECT_EQ(window.Audio()->Rejected(), 1u);
    // Nothing to start: the window says so.
    EXPECT_EQ(window.Audio()->State(), audio::AudioState::Missing);
    backend_.AdvanceTime(150);  // timer 1011
    EXPECT_EQ(window.Audio()->State(), audio::AudioState::NotStarted);
}

TEST_F(MainWndTest, TrayRightClickOpensTheMenuFromMenuXml) {
    Open();
    size_t before = backend_.Windows().size();
    Send(ui::UIMSG_TRAYICON, 0, ui::WM_RBUTTONUP);
    EXPECT_EQ(backend_.Windows().size(), before);  // on timer 1032, 10 ms later
    backend_.AdvanceTime(20);
    EXPECT_EQ(backend_.Windows().size(), before + 1);
    // Again: the open menu is closed first, so there is still one.
    Send(ui::UIMSG_TRAYICON, 0, ui::WM_RBUTTONUP);
    backend_.AdvanceTime(20);
    backend_.ProcessPending();
    EXPECT_EQ(backend_.Windows().size(), before + 1);
}

TEST_F(MainWndTest, DeviceSettingsRouteStartsTheDesktopsProgramWhenInstalled) {
    const std::string saved = std::getenv("PATH") ? std::getenv("PATH") : "";
    fs::create_directories(folder_ / "bin");
    const fs::path marker = folder_ / "started";
    const fs::path program = folder_ / "bin" / "gnome-control-center";
    std::ofstream(program) << "#!/bin/sh\necho \"$1\" > '" << marker.string() << "'\n";
    fs::permissions(program, fs::perms::owner_all);
    ::setenv("PATH", (folder_ / "bin").c_str(), 1);
    Open();
    ui::CControlUI* button = window_->FindControl("windowdeviceset_7");
    ASSERT_NE(button, nullptr);
    button->SetName("windowdeviceset_1");
    window_->GetPaintManager()->SendNotify(button, "click", 0, 0, false);
    ::setenv("PATH", saved.c_str(), 1);
    std::string text;
    for (int i = 0; i < 200 && text.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream(marker) >> text;
    }
    EXPECT_EQ(text, "mouse");
    // An index with no settings page starts nothing.
    fs::remove(marker);
    ::setenv("PATH", (folder_ / "bin").c_str(), 1);
    button->SetName("windowdeviceset_7");
    platform::TraceCapture trace;
    window_->GetPaintManager()->SendNotify(button, "click", 0, 0, false);
    ::setenv("PATH", saved.c_str(), 1);
    EXPECT_TRUE(trace.Contains("no such settings program"));
}

// A thread of the table that does not end in time: the window still goes, bounded, and the
// thread keeps what it touches.
class StuckEntry : public ThreadEntry {
  public:
    explicit StuckEntry(std::shared_ptr<platform::Event> release) : release_(std::move(release)) {
        thread_.Start([release = release_](platform::Event& stop) {
            stop.Wait();
            release->Wait(10000);
        });
    }
    void RequestStop() override { thread_.RequestStop(); }
    bool Join(uint32_t timeoutMs) override { return thread_.Join(timeoutMs); }

  private:
    std::shared_ptr<platform::Event> release_;
    platform::StoppableThread thread_;
};

TEST_F(MainWndTest, ShutdownWithAThreadThatDoesNotStopInTime) {
    CMainWnd& window = Open();
    auto release = std::make_shared<platform::Event>(true, false);
    ASSERT_TRUE(window.Threads().Set(5, std::make_shared<StuckEntry>(release)));
    platform::TraceCapture trace;
    auto start = std::chrono::steady_clock::now();
    ui::DestroyWindow(window.GetHWND());
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(900));
    EXPECT_LT(took, std::chrono::milliseconds(3000));
    EXPECT_EQ(list_->stops, 1);
    bool timedOut = false;
    for (const std::string& line : trace.Lines())
        timedOut = timedOut || line.find("超时") != std::string::npos;
    EXPECT_TRUE(timedOut);
    release->Set();
}

// The settings window opens from the settings button, the tray menu and 3093, one at a
// time; its language choice reaches the main window, which applies and keeps it.
TEST_F(MainWndTest, SettingsWindowChoosesTheLanguage) {
    std::ofstream(folder_ / "data" / kLanguageConfigName) << R"({"Language": [
      {"Language_ID": 2052, "Language_name": "cn", "Language_file": "lan_cn.xml", "Language_text": "hello"},
      {"Language_ID": 1033, "Language_name": "en", "Language_file": "lan_en.xml", "Language_text": "hello"}
    ]})";
    CMainWnd& window = Open();
    int opened = 0;
    backend_.Schedule([&] {
        windows::CSetWnd* settings = windows::CSetWnd::CurrentWindow();
        ASSERT_NE(settings, nullptr);
        ++opened;
        EXPECT_EQ(settings->LastCheckDate(), "2025-3-7");
        // Beside the main window's right edge, below its title.
        const ui::RECT main = window.GetWindowRect(), set = settings->GetWindowRect();
        EXPECT_EQ(set.right, main.right - 30);
        EXPECT_EQ(set.top, main.top + 60);
        Send(kMsgOpenSettings);  // one at a time: nothing more
        EXPECT_EQ(windows::CSetWnd::CurrentWindow(), settings);
        auto* combo = dynamic_cast<ui::CComboUI*>(settings->FindControl("Language_combox_info"));
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->GetCurSel(), 0);
        combo->SelectItem(1, false, true);
        EXPECT_EQ(window.LanguageIndex(), 1);
        ui::DestroyWindow(settings->GetHWND());
    });
    Click("setbtn");
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(windows::CSetWnd::Current(), nullptr);
    EXPECT_EQ(platform::OpenKey(kLanguageRegistryKey)->GetDword(kLanguageRegistryValue), 1033u);
    EXPECT_TRUE(fs::exists(folder_ / "share" / "T418-ZEN" / "updatetime.config"));

    for (int route = 0; route < 2; ++route) {
        backend_.Schedule([&] {
            ASSERT_NE(windows::CSetWnd::Current(), nullptr);
            ++opened;
            ui::DestroyWindow(windows::CSetWnd::Current());
        });
        if (route == 0) {
            Send(kMsgOpenSettings);
        } else {
            auto command = std::make_unique<ui::MenuCmd>();
            command->szName = "SetWnd_Menu";
            ui::MenuCmd* kept = window.GetPaintManager()->KeepMenuCmd(std::move(command));
            Send(ui::WM_MENUCLICK, reinterpret_cast<ui::WPARAM>(kept));
        }
    }
    EXPECT_EQ(opened, 3);
}

class ForcedUpgradeTest : public MainWndTest {
  protected:
    void SetUp() override {
        MainWndTest::SetUp();
        fs::create_directories(fs::path(platform::LogFilePath()).parent_path());
    }
    // The stand-in tool records its folder and its arguments, one a line.
    fs::path InstallTool(const std::string& name) {
        const fs::path folder = folder_ / "prog" / "Update";
        fs::create_directories(folder);
        const fs::path tool = folder / name;
        std::ofstream(tool) << "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"$a\"; done; } > "
                            << (folder_ / "started").string() << "\n";
        fs::permissions(tool, fs::perms::owner_all);
        return tool;
    }
    // Answers the next message box with one of its buttons; true when one was shown.
    void Answer(const char* button) {
        backend_.Schedule([this, button] {
            ui::HWND box = ui::FindWindow("MsgWnd", "msgwnd");
            ASSERT_NE(box, nullptr);
            boxes.push_back(box);
            auto* window = dynamic_cast<ui::WindowImplBase*>(ui::GetWindowObject(box));
            window->GetPaintManager()->SendNotify(window->FindControl(button), "click", 0, 0,
                                                  false);
        });
    }
    std::string Log() {
        std::string text;
        platform::ReadWholeFile(platform::LogFilePath(), text);
        return text;
    }
    bool Shown(const char* name) { return window_->FindControl(name)->IsVisible(); }
    std::vector<ui::HWND> boxes;
};

TEST_F(ForcedUpgradeTest, ConfirmedStartsTheToolInItsFolder) {
    InstallTool(kUpgradeToolName);
    Open();
    Answer("confirm_btn");
    Send(kMsgForcedUpgrade, 0x22A4, 0x0102);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(window_->UpgradePending());
    EXPECT_TRUE(Shown("No_device_Link"));
    EXPECT_EQ(list_->initUI, 1) << "the no-device flag set, the error layout hidden";
    EXPECT_TRUE(list_->Mouse().Channel().Suspended());
    EXPECT_NE(Log().find("UpdateMacroKbDevice>pNoDeviceLinkLyout    true"), std::string::npos);
    ASSERT_TRUE(backend_.PumpUntil([&] { return fs::exists(folder_ / "started"); }));
    std::string started;
    ASSERT_TRUE(backend_.PumpUntil([&] {
        platform::ReadWholeFile((folder_ / "started").string(), started);
        return started.find("upgrade") != std::string::npos;
    }));
    EXPECT_EQ(started,
              fs::canonical(folder_ / "prog" / "Update").string() + "\nOn\nthe\nupgrade\n");
    EXPECT_TRUE(ui::IsWindow(window_->GetHWND()));

    // A device present again ends the wait; current firmware lifts the suppression.
    Send(3090, 1);
    EXPECT_FALSE(window_->UpgradePending());
    Send(kMsgForcedUpgrade, 0x22A4, 0x0103);
    EXPECT_FALSE(list_->Mouse().Channel().Suspended());
    EXPECT_FALSE(Shown("No_device_Link"));
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(ForcedUpgradeTest, DeclinedEndsTheProgram) {
    InstallTool("FW902T-V0103-20251107");  // a native build without ".exe"
    Open();
    Answer("cancel_btn");
    Send(kMsgForcedUpgrade, 0x22A4, 0x0102);
    ASSERT_EQ(boxes.size(), 1u);
    backend_.ProcessPending();
    EXPECT_FALSE(ui::IsWindow(window_->GetHWND())) << "ended as from the tray menu's exit";
    EXPECT_FALSE(fs::exists(folder_ / "started"));
}

TEST_F(ForcedUpgradeTest, WithoutTheToolTheUserIsToldAndTheProgramGoesOn) {
    const fs::path tool = InstallTool(kUpgradeToolName);
    fs::permissions(tool, fs::perms::owner_read | fs::perms::owner_write);  // not runnable
    Open();
    Answer("confirm_btn");
    Send(kMsgForcedUpgrade, 0x22A4, 0x0102);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(Log().find("UpdateMacroKbDevice>UpgradeTool    missing"), std::string::npos);
    EXPECT_TRUE(list_->Mouse().Channel().Suspended());
    EXPECT_TRUE(Shown("No_device_Link"));
    backend_.ProcessPending();
    EXPECT_TRUE(ui::IsWindow(window_->GetHWND()));
    EXPECT_FALSE(fs::exists(folder_ / "started"));
    EXPECT_EQ(ToolMissingText("in %s.", "/p/Update/"), "in /p/Update/.");
}

}  // namespace
}  // namespace app

namespace app {
namespace {

TEST_F(MainWndTest, TheRootTakesAChosenColourOrImageOneReplacingTheOther) {
    CMainWnd& window = Open();
    ui::CControlUI* root = window.FindControl("root");
    ASSERT_NE(root, nullptr);
    windows::SkinChangedParam colour;
    colour.bColor = true;
    colour.bkcolor = 0xFF336699;
    root->SetBkImage("kept.png");
    EXPECT_EQ(windows::ProgramSkinObserver().Publish(colour), 0);
    EXPECT_EQ(root->GetBkColor(), 0xFF336699u);
    EXPECT_EQ(root->GetBkImage(), "");
    windows::SkinChangedParam image;
    image.bgimage = "kept.png";
    EXPECT_EQ(window.Receive(image), 1);
    EXPECT_EQ(root->GetBkColor(), 0u);
    EXPECT_EQ(root->GetBkImage(), "kept.png");
    // Gone with its window: the observer no longer calls it.
    ui::DestroyWindow(window.GetHWND());
    window_.reset();
    windows::ProgramSkinObserver().Publish(colour);
}

TEST_F(MainWndTest, TheSkinButtonDropsTheFrameDownUnderItAndExitClosesIt) {
    CMainWnd& window = Open();
    window.SetWindowPos(ui::Rect{100, 50, 900, 622});
    window.GetPaintManager()->UpdateLayout();
    Click("skinbtn");
    ui::HWND frame = windows::CSkinFrame::Current();
    ASSERT_NE(frame, nullptr);
    const ui::Rect button = window.FindControl("skinbtn")->GetPos();
    EXPECT_EQ(ui::GetWindowObject(frame)->GetWindowRect(),
              (ui::Rect{100 + button.right - 120, 50 + button.bottom, 100 + button.right,
                        50 + button.bottom + 80}));
    // A colour chosen there reaches the main window's root.
    auto* skin = static_cast<windows::CSkinFrame*>(ui::GetWindowObject(frame));
    skin->GetPaintManager()->SendNotify(skin->GetPaintManager()->FindControl("skin_color_btn"),
                                        "click", 0, 0, false);
    EXPECT_EQ(window.FindControl("root")->GetBkColor(), 0xFF204060u);
    window.Exit();
    backend_.ProcessPending();
    EXPECT_EQ(windows::CSkinFrame::Current(), nullptr);
}

TEST_F(MainWndTest, AKeptImageThatLoadsIsPutBackAtStartElseTheSkinsOwnStays) {
    const std::string ini = (folder_ / "main.ini").string();
    auto startWith = [&](const std::string& text) {
        std::ofstream(ini, std::ios::trunc) << text;
        CMainWnd& window = Open();
        std::string image = window.FindControl("root")->GetBkImage();
        ui::DestroyWindow(window.GetHWND());
        window_.reset();
        return image;
    };
    EXPECT_EQ(startWith("[SKINIMAGE]\nFLAGS=1\nIMAGE=kept.png\n"), "kept.png");
    EXPECT_EQ(startWith("[SKINIMAGE]\nFLAGS=0\nIMAGE=kept.png\n"), "");
    EXPECT_EQ(startWith("[SKINIMAGE]\nFLAGS=1\nIMAGE=missing.png\n"), "") << "does not load";
    EXPECT_EQ(startWith("[SKINIMAGE]\nFLAGS=1\nIMAGE=../skin/kept.png\n"), "")
        << "outside the skin folder";
    fs::remove(ini);
    CMainWnd& window = Open();
    EXPECT_EQ(window.FindControl("root")->GetBkImage(), "");
    EXPECT_FALSE(fs::exists(ini)) << "reading creates nothing";
}

}  // namespace
}  // namespace app
