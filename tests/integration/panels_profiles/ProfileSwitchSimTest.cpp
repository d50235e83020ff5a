// A profile switch end to end: the panel and its handlers on a mouse page whose device
// object talks to the simulated mouse over the simulated bus; then profiles that follow
// programs, started and ended by a scripted watcher.
#include <cstdlib>
#include <filesystem>

#include "devices/mouse/OrvaneMouseDevice.h"
#include "devices/mouse/SettingsBlock.h"
#include "panels/profiles/ProfileHandlers.h"
#include "panels/profiles/ProgramFollower.h"
#include "panels/profiles/UploadGate.h"
#include "platform/FileIO.h"
#include "platform/Trace.h"
#include "tests/integration/proto/BusFixture.h"
#include "tests/ui/panels_profiles/ProfilePanelSupport.h"

namespace {

namespace fs = std::filesystem;

class MousePage : public ui::WindowImplBase {
  public:
    explicit MousePage(platform::HidTransport* transport) : transport_(transport) {}
    devices::COrvaneMouseDevice* mouse = nullptr;
    ui::CControlUI* CreateControl(const std::string& tag) override {
        if (tag == "OrvaneMouseDevice")
            return mouse = new devices::COrvaneMouseDevice(transport_);
        return app::CreatePanelControl(tag, this, m_pm);
    }

  protected:
    std::string GetWindowClassName() const override { return "ProfileSwitchPage"; }
    std::string GetSkinFile() override {
        return R"(<Window size="560,200"><OrvaneMouseDevice name="mouse_device_page">
                    <VerticalLayout>
                      <DeviceProfile name="DeviceProfileItem" height="88"><DeviceProfileUI/></DeviceProfile>
                    </VerticalLayout></OrvaneMouseDevice></Window>)";
    }

  private:
    platform::HidTransport* transport_;
};

class ProfileSwitch : public prototest::BusTest {
  protected:
    void SetUp() override {
        BusTest::SetUp();
        ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        ::setenv("T418_ZEN_PROGRAM_DIR", T418_RESOURCES_DIR "/", 1);
        backend.Install();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml"));
        page = new MousePage(transport.get());
        ASSERT_NE(page->Create(nullptr, "page", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 560, 200),
                  nullptr);
        backend.ProcessPending();
        ASSERT_NE(page->mouse, nullptr);
        devices::COrvaneMouseDevice& m = *page->mouse;
        hid::CHidChannel& channel = m.Channel();
        ASSERT_TRUE(
            channel.CableDevice().Open(PathOf("mouse-cable-if1-col2"), true, true, true, false));
        channel.SetOpen(true);
        channel.SetConnection(hid::kConnectionCable);
        hid::DeviceIdentity identity;
        identity.Kind = hid::kKindMouseCable;
        m.SetIdentity(identity);
        m.SetDataFolderName("mouse");
        ASSERT_TRUE(m.ReadDeviceData());
        // As the device binds its page.
        panel = panels::ProfileHandlers::PanelOf(&m);
        ASSERT_NE(panel, nullptr);
        panel->SetKind(m.GetKind());
        panel->SetFolders(m.GetUserDataFolder(), m.GetDefaultDocumentPath());
        panel->LoadList();
        m.SetProfileBaseName(panel->GetCurrentProfileBaseName());
        m.LoadProfile();
    }
    void TearDown() override {
        if (page != nullptr && ui::IsWindow(page->GetHWND()))
            ui::DestroyWindow(page->GetHWND());
        delete page;
        backend.ProcessPending();
        ui::CResourceManager::GetInstance()->Release();
        BusTest::TearDown();
    }

    devices::COrvaneMouseDevice& mouse() { return *page->mouse; }
    std::string User() { return mouse().GetUserDataFolder(); }
    std::string FileOf(int index) { return panel->GetProfilePathAt(index); }
    void Choose(int index) {
        dynamic_cast<ui::CComboUI*>(page->GetPaintManager()->FindControl("device_profile_combo"))
            ->SelectItem(index, false, true);
        handlers.Select(&mouse());  // what the main window's timer runs
    }
    std::vector<uint8_t> Block() {
        return devices.Mouse().Memory(0, devices::mouse::kSettingsBlockSize);
    }
    size_t RequestCount() {
        size_t n = 0;
        for (const auto& entry : devices.Log().Entries())
            n += entry.request ? 1 : 0;
        return n;
    }
    // Two macros, of 3 and 5 events.
    void WriteMacroFiles() {
        Json::Value config(Json::objectValue);
        for (int i = 0; i < 2; ++i) {
            config["MacroInfo"][i]["MacroName"] = "macro " + std::to_string(i);
            config["MacroInfo"][i]["Guid"] = "m" + std::to_string(i);
            Json::Value macro(Json::objectValue);
            for (int e = 0; e < 3 + 2 * i; ++e) {
                macro["Events"][e]["Action"] = e % 2 ? "up" : "down";
                macro["Events"][e]["Button"] = 4;
                macro["Events"][e]["Type"] = 10;
                macro["Events"][e]["Delay"] = "60";
            }
            profile::WriteJsonFile(User() + "m" + std::to_string(i) + ".mac", macro);
        }
        profile::WriteJsonFile(User() + "macro.config", config);
    }

    ui::headless::HeadlessBackend backend;
    MousePage* page = nullptr;
    panels::CDeviceProfileUI* panel = nullptr;
    profiles_ui::ScriptedHost host;
    panels::ProfileHandlers handlers{host};
};

TEST_F(ProfileSwitch, TheMouseGetsTheChosenProfilesSettingsMacrosAndKeyMap) {
    WriteMacroFiles();
    handlers.Add(&mouse());
    ASSERT_EQ(panel->GetCurrentIndex(), 1);
    // The second profile: stage 3 active, another first stage, key 1 plays macro 1.
    Json::Value second = profile::LoadJsonFile(FileOf(1));
    Json::Value& document = second["Device"][0];
    document["DPIStages"]["StageActive"] = 3;
    document["DPIStages"]["StageDPIs"][0]["StageDPIX"] = 0x1234;
    document["DPIStages"]["StageDPIs"][0]["StageColorR"] = 0x56;
    document["KeyList"][1]["Assignment"] = 0x70 * 65536 + 1 * 256;
    ASSERT_EQ(profile::WriteJsonFile(FileOf(1), second), 0);

    Choose(0);
    const std::vector<uint8_t> first = Block();
    EXPECT_NE(first[12], 3);
    EXPECT_NE(devices.Mouse().ActiveKeyMap(0)[3], 0x70);

    Choose(1);
    const std::vector<uint8_t> block = Block();
    EXPECT_EQ(block[12], 3) << "active stage";
    EXPECT_EQ(block[14 + 2], 0x34) << "stage 0, X low";
    EXPECT_EQ(block[14 + 3], 0x12) << "stage 0, X high";
    EXPECT_EQ(block[14 + 6], 0x56) << "stage 0, red";
    const std::vector<uint8_t> map = devices.Mouse().ActiveKeyMap(0);
    EXPECT_EQ(map[3], 0x70) << "key 1 plays a macro";
    EXPECT_EQ(map[4], 0) << "the first (only) macro sent";
    const std::vector<uint8_t> area = devices.Mouse().MacroArea(64);
    EXPECT_EQ(area[4], 1) << "one macro in the area";
    EXPECT_EQ(area[16 + 2 * 1], 5) << "of five events";
    EXPECT_TRUE(host.shownKeys.empty() && host.shownTexts.empty());
    EXPECT_EQ(profile::LoadJsonFile(User() + "ProfileList.ini")["profileselect"].asInt(), 1);

    Choose(0);
    EXPECT_EQ(Block(), first) << "back to the first profile";
}

TEST_F(ProfileSwitch, AHostileImportIsRefusedAndNothingChanges) {
    std::string listBefore;
    platform::ReadWholeFile(User() + "ProfileList.ini", listBefore);
    const size_t filesBefore =
        std::distance(fs::directory_iterator(User()), fs::directory_iterator());
    const std::vector<uint8_t> blockBefore = Block();
    devices.Log().Clear();

    const char* hostile[] = {
        R"([{"profilename": "Game", "profileUUID": "x"}])",
        R"({"profilename": {"a": 1}, "profileUUID": "x", "Device": []})",
        R"({"profilename": "Game", "Device": [{"DPIStages": 5}]})",
        R"({"profilename": "Ga)",
    };
    int n = 0;
    for (const char* text : hostile) {
        const std::string path = (folder / ("hostile" + std::to_string(n++) + ".json")).string();
        platform::WriteFileAtomic(path, text);
        host.fileAnswers.push_back(path);
    }
    for (size_t i = 0; i < std::size(hostile); ++i)
        handlers.Import(&mouse());

    std::string listAfter;
    platform::ReadWholeFile(User() + "ProfileList.ini", listAfter);
    EXPECT_EQ(listAfter, listBefore);
    EXPECT_EQ(std::distance(fs::directory_iterator(User()), fs::directory_iterator()),
              static_cast<long>(filesBefore));
    EXPECT_EQ(panel->GetProfileCount(), 1);
    EXPECT_TRUE(host.shownKeys.empty());
    EXPECT_EQ(RequestCount(), 0u) << "nothing was sent to the mouse";
    EXPECT_EQ(Block(), blockBefore);
}

TEST_F(ProfileSwitch, ADeletedProfileStaysDeletedAfterTheNextSave) {
    handlers.Add(&mouse());
    const std::string deleted = FileOf(1);
    ASSERT_EQ(mouse().GetProfilePath(), deleted);
    handlers.Delete(&mouse());
    EXPECT_FALSE(fs::exists(deleted));
    EXPECT_EQ(mouse().GetProfilePath(), FileOf(0));
    mouse().SaveProfile();  // any later change saves the current profile
    EXPECT_FALSE(fs::exists(deleted));
}

}  // namespace

namespace {

// Profiles that follow programs, against the simulated mouse: three profiles told apart by
// their active DPI stage (the settings block's byte 12), programs started and ended by hand,
// a clock of the test's own.
class ProgramFollow : public ProfileSwitch {
  protected:
    void SetUp() override {
        ProfileSwitch::SetUp();
        handlers.Add(&mouse());
        handlers.Add(&mouse());
        for (int i = 0; i < 3; ++i) {
            Json::Value root = profile::LoadJsonFile(FileOf(i));
            root["Device"][0]["DPIStages"]["StageActive"] = kStage[i];
            ASSERT_EQ(profile::WriteJsonFile(FileOf(i), root), 0);
            ids.push_back(panel->List()->Entries()[static_cast<size_t>(i)].id);
        }
        Choose(0);
        ASSERT_EQ(Block()[12], kStage[0]);
        panels::ProgramRules rules(User());
        ASSERT_EQ(rules.Link(ids[1], "gameA"), panels::ProgramRules::Change::kDone);
        ASSERT_EQ(rules.Link(ids[2], "*gameB*"), panels::ProgramRules::Change::kDone);

        panels::ProgramFollower::Hooks hooks;
        hooks.nowMs = [this] { return clock; };
        hooks.lookAgainIn = [this](uint32_t ms) { lookAt = clock + ms; };
        hooks.storedChoice = [] { return std::optional<bool>(); };  // never chosen: rules decide
        follower = std::make_unique<panels::ProgramFollower>(handlers, host, watcher, hooks);
        handlers.SetUserSelectObserver(
            [this](devices::COrvaneUSBDevice* device) { follower->UserSelected(device); });
        ASSERT_TRUE(watcher.Start([this] { follower->Update({&mouse()}); }));
        follower->DeviceReady(&mouse());
    }
    int ProfileShown() {
        const uint8_t stage = Block()[12];
        for (int i = 0; i < 3; ++i) {
            if (stage == kStage[i])
                return i;
        }
        return -1;
    }
    int StoredSelection() {
        return profile::LoadJsonFile(User() + "ProfileList.ini")["profileselect"].asInt();
    }
    // Time passes; a look the follower asked for is taken when due.
    void Wait(uint64_t ms) {
        clock += ms;
        if (lookAt && *lookAt <= clock) {
            lookAt.reset();
            follower->Update({&mouse()});
        }
    }

    static constexpr uint8_t kStage[3] = {1, 3, 5};
    std::vector<std::string> ids;
    platform::ScriptedProcessWatcher watcher;
    std::unique_ptr<panels::ProgramFollower> follower;
    uint64_t clock = 10000;
    std::optional<uint64_t> lookAt;
};

TEST_F(ProgramFollow, TheMouseFollowsTheProgramStartedLastAndComesBackToTheUsersProfile) {
    const int a = watcher.Launch("gameA");
    EXPECT_EQ(ProfileShown(), 1) << "A runs: its profile's block is on the mouse";
    EXPECT_EQ(panel->GetCurrentIndex(), 1) << "and in the list";
    EXPECT_EQ(StoredSelection(), 0) << "a rule's choice is not stored as the user's";
    EXPECT_EQ(follower->StatusOf(&mouse()), "profile2 — for gameA");
    Wait(2000);
    const int b = watcher.Launch("x86_64", "/games/gameB/run.x86_64 -windowed");
    EXPECT_EQ(ProfileShown(), 2);
    Wait(2000);
    watcher.End(b);
    EXPECT_EQ(ProfileShown(), 1);
    Wait(2000);
    watcher.End(a);
    EXPECT_EQ(ProfileShown(), 0);
    EXPECT_EQ(follower->StatusOf(&mouse()), "");
    EXPECT_EQ(follower->Switches(), 4);
}

TEST_F(ProgramFollow, AManualChoiceWhileALinkedProgramRunsHoldsUntilItEnds) {
    const int a = watcher.Launch("gameA");
    ASSERT_EQ(ProfileShown(), 1);
    Wait(2000);
    Choose(2);  // the user picks the third profile
    EXPECT_EQ(ProfileShown(), 2);
    EXPECT_EQ(StoredSelection(), 2);
    Wait(2000);
    watcher.Launch("editor");
    EXPECT_EQ(ProfileShown(), 2) << "A still runs; the user's choice holds";
    Wait(2000);
    watcher.End(a);
    EXPECT_EQ(ProfileShown(), 2) << "the user's choice is the one to come back to";
}

TEST_F(ProgramFollow, ARestartLoopSwitchesAtMostTwiceAndSettlesOnTheUsersProfile) {
    const int before = follower->Switches();
    for (int i = 0; i < 20; ++i) {  // 20 restarts in 2 s
        const int pid = watcher.Launch("gameA");
        Wait(50);
        watcher.End(pid);
        Wait(50);
    }
    EXPECT_LE(follower->Switches() - before, 2);
    Wait(1000);
    EXPECT_EQ(ProfileShown(), 0);
}

TEST_F(ProgramFollow, RulesOfDeletedOrMissingProfilesDoNothing) {
    platform::TraceCapture trace;
    // The third profile is deleted while linked: its rule goes with it.
    Choose(2);
    handlers.Delete(&mouse());
    panels::ProgramRules rules(User());
    ASSERT_TRUE(rules.Load());
    EXPECT_TRUE(rules.PatternsOf(ids[2]).empty());
    EXPECT_FALSE(rules.PatternsOf(ids[1]).empty());
    // A rule naming a profile that is not in the list (written by hand) does nothing.
    panels::ProgramRules(User()).Link("2020_01_01_00_00_00_000", "gameC");
    Wait(2000);
    const std::vector<uint8_t> block = Block();
    watcher.Launch("gameC");
    watcher.Launch("run", "/games/gameB/run");
    EXPECT_EQ(Block(), block);
    EXPECT_TRUE(trace.Contains("which is not in the list"));
}

TEST_F(ProgramFollow, ASwitchWaitsForAnUploadInProgress) {
    {
        const panels::UploadGate::Scope uploading;
        watcher.Launch("gameA");
        EXPECT_EQ(ProfileShown(), 0) << "queued while the channel is busy";
        ASSERT_TRUE(lookAt);
    }
    Wait(panels::ProgramFollower::kUploadRetryMs);
    EXPECT_EQ(ProfileShown(), 1) << "sent once the channel is idle";
}

}  // namespace
