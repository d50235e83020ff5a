// The program's side of the audio-capture process on a window of its own: records checked
// for size and sender feed the first keyboard and the status; the gain sliders and the live
// view; and the real process (test tone, killed and restarted, ended at shutdown; no sound
// server).
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include "../../unit/platform/TestFolders.h"
#include "../core/UiTestSupport.h"
#include "app/AppMessages.h"
#include "app/ThreadTable.h"
#include "app/audio/AudioLink.h"
#include "devices/OrvaneUSBDevice.h"
#include "platform/MessageBus.h"
#include "platform/Process.h"
#include "platform/SingleInstance.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/shell/SessionBusBridge.h"

namespace app::audio {
namespace {

// Two lighting panels, as two device pages have them.
constexpr const char* kAudioTestPanel = R"(
  <HorizontalLayout name="%s">
    <Label name="music_status_label" resourcetext="true"/>
    <CheckBox name="music_live_option"/>
    <TabLayout name="music_view_tab"><Control/><Control/></TabLayout>
    <Label name="R_light_label"/><Slider name="R_light_slider" max="100" value="100"/>
    <Label name="G_light_label"/><Slider name="G_light_slider" max="100" value="100"/>
    <Label name="B_light_label"/><Slider name="B_light_slider" max="100" value="100"/>
  </HorizontalLayout>)";

std::string AudioTestLayout() {
    char a[2048], b[2048];
    std::snprintf(a, sizeof a, kAudioTestPanel, "panel_a");
    std::snprintf(b, sizeof b, kAudioTestPanel, "panel_b");
    return std::string(R"(<Window size="600,200"><VerticalLayout name="root">)") + a + b +
           "</VerticalLayout></Window>";
}

class FakeKeyboard : public devices::COrvaneUSBDevice {
  public:
    void FeedAudioSpectrum(const uint8_t* data, size_t length) override {
        spectra.emplace_back(data, data + length * 4);
    }
    void FeedAudioColours(const uint8_t* colours, size_t count) override {
        colourRecords.emplace_back(colours, colours + count);
    }
    std::vector<std::vector<uint8_t>> spectra, colourRecords;
};

// CPU time of a process in clock ticks (user + system), -1 when unknown.
long AudioTestCpuTicks(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            utime = std::stol(field);
        if (i == 15)
            stime = std::stol(field);
    }
    return utime + stime;
}

class AudioLinkTest : public ui::testing::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        std::filesystem::create_directories(root_ / "run");
        std::filesystem::permissions(root_ / "run", std::filesystem::perms::owner_all);
        AppMessages messages;
        messages.audioCommand = platform::RegisterMessage(kCompanionMessageNames[4]);
        ASSERT_NE(messages.audioCommand, 0u);
        SetMessagesForTesting(messages);
        window_ = std::make_unique<ui::testing::LayoutWindow>(AudioTestLayout());
        ASSERT_NE(window_->Create(nullptr, "audio", ui::WS_POPUP, 0, 0, 0, 600, 200), nullptr);
        window_->onMessage = [this](ui::UINT msg, ui::WPARAM w, ui::LPARAM l, bool& handled) {
            handled = false;
            if (link_ && link_->HandleMessage(msg, w, l))
                handled = true;
            else if (link_ && msg == ui::WM_COPYDATA && l != 0)
                handled = link_->OnCopyData(w, *reinterpret_cast<const ui::COPYDATASTRUCT*>(l));
            return ui::LRESULT{0};
        };
    }
    void TearDown() override {
        bus_.reset();
        link_.reset();
        if (window_ && ui::IsWindow(window_->GetHWND()))
            ui::DestroyWindow(window_->GetHWND());
        SetMessagesForTesting(AppMessages{});
    }

    AudioLink& Link(const std::string& program) {
        AudioLinkHost host;
        host.window = window_->GetHWND();
        host.lightPanels = [this] {
            return std::vector<ui::CControlUI*>{window_->Find("panel_a"), window_->Find("panel_b")};
        };
        host.shownLightPanel = [this] { return window_->Find("panel_a"); };
        host.firstKeyboard = [this] { return &keyboard_; };
        host.styleColour = [] { return std::array<int, 3>{9, 0, 4}; };
        link_ = std::make_unique<AudioLink>(std::move(host), program);
        return *link_;
    }
    ui::CControlUI* In(const char* panel, const char* name) {
        return window_->GetPaintManager()->FindSubControlByName(window_->Find(panel), name);
    }
    // Runs the window (virtual timers, bus records) until pred or the real time is up.
    bool PumpUntil(const std::function<bool()>& pred, int ms) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            backend.AdvanceTime(20);
            backend.ProcessPending();
            if (pred())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }
    void SendRecord(ui::WPARAM sender, uint32_t tag, const std::string& data) {
        ui::COPYDATASTRUCT record;
        record.dwData = tag;
        record.cbData = static_cast<ui::DWORD>(data.size());
        record.lpData = data.data();
        ui::SendMessage(window_->GetHWND(), ui::WM_COPYDATA, sender,
                        reinterpret_cast<ui::LPARAM>(&record));
    }

    t418test::TempFolder root_;
    t418test::ScopedEnv runtime_{"XDG_RUNTIME_DIR", root_ / "run"};
    std::unique_ptr<ui::testing::LayoutWindow> window_;
    std::unique_ptr<AudioLink> link_;
    std::unique_ptr<ui::SessionBusBridge> bus_;
    FakeKeyboard keyboard_;
};

TEST_F(AudioLinkTest, RecordsOfTheLockHolderFeedTheKeyboardAndTheStatus) {
    AudioLink& link = Link("");
    // This process holds the audio lock: its records count as the audio process's.
    platform::SingleInstance holder(kAudioLockName);
    ASSERT_TRUE(holder.Held());
    const auto self = static_cast<ui::WPARAM>(::getpid());

    std::string spectrum(kSpectrumBytes, '\0');
    spectrum[22 * 4] = 0x00;
    spectrum[22 * 4 + 1] = 0x20;  // 8192 at value 22
    for (int i = 0; i < 7; ++i)
        SendRecord(self, kTagSpectrum, spectrum);
    EXPECT_EQ(link.Frames(), 7u);
    ASSERT_EQ(keyboard_.spectra.size(), 3u) << "frames 1, 4 and 7";
    ASSERT_EQ(keyboard_.spectra[0].size(), kBands * 4);
    Bands bands = SpectrumBands(*DecodeSpectrum(spectrum));
    int band = -1;
    for (size_t k = 0; k < kBands; ++k)
        if (bands[k] != 0)
            band = static_cast<int>(k);
    ASSERT_GE(band, 0);
    const auto& bytes = keyboard_.spectra[0];
    EXPECT_EQ(
        bytes[static_cast<size_t>(band) * 4] | (bytes[static_cast<size_t>(band) * 4 + 1] << 8),
        2000)
        << "on the keyboard's 0-2000 scale";

    SendRecord(self, kTagKeyboard, std::string("\x01\x02\x03\x04\x05\x06", 6));
    ASSERT_EQ(keyboard_.colourRecords.size(), 1u);
    EXPECT_EQ(keyboard_.colourRecords[0], (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));

    // Wrong sizes and other senders change nothing.
    const uint64_t rejected = link.Rejected();
    SendRecord(self, kTagSpectrum, spectrum + "x");
    SendRecord(self, kTagKeyboard, std::string(7, '\0'));
    SendRecord(self, kTagState, std::string(1, '\x09'));
    SendRecord(self + 1, kTagSpectrum, spectrum);
    SendRecord(0, kTagKeyboard, std::string(6, '\0'));
    EXPECT_EQ(link.Frames(), 7u);
    EXPECT_EQ(keyboard_.colourRecords.size(), 1u);
    EXPECT_EQ(link.Rejected(), rejected + 5);

    SendRecord(self, kTagState, std::string("\x01") + "no sound server: refused");
    EXPECT_EQ(link.State(), AudioState::NoServer);
    for (const char* panel : {"panel_a", "panel_b"}) {
        EXPECT_EQ(In(panel, "music_status_label")->GetText(), "music_status_1") << panel;
        EXPECT_EQ(In(panel, "music_status_label")->GetToolTip(), "no sound server: refused");
    }
}

TEST_F(AudioLinkTest, GainSlidersShowTheirValueEverywhereAndTheLiveOptionTurnsItsPage) {
    AudioLink& link = Link("");
    auto* green = dynamic_cast<ui::CSliderUI*>(In("panel_a", "G_light_slider"));
    ASSERT_NE(green, nullptr);
    green->SetValue(40, false);
    EXPECT_TRUE(link.OnValueChanged("g_LIGHT_slider", green));
    for (const char* panel : {"panel_a", "panel_b"}) {
        EXPECT_EQ(In(panel, "G_light_label")->GetText(), "G 40") << panel;
        EXPECT_EQ(In(panel, "R_light_label")->GetText(), "R 100") << panel;
        EXPECT_EQ(dynamic_cast<ui::CSliderUI*>(In(panel, "G_light_slider"))->GetValue(), 40);
    }
    EXPECT_FALSE(link.OnValueChanged("deng_light_slider", green));

    auto* live = dynamic_cast<ui::COptionUI*>(In("panel_b", "music_live_option"));
    ASSERT_NE(live, nullptr);
    live->Selected(true, false);
    EXPECT_TRUE(link.OnSelectChanged("music_live_option", live));
    EXPECT_EQ(dynamic_cast<ui::CTabLayoutUI*>(In("panel_b", "music_view_tab"))->GetCurSel(), 1);
    EXPECT_EQ(dynamic_cast<ui::CTabLayoutUI*>(In("panel_a", "music_view_tab"))->GetCurSel(), 0);
}

#ifdef T418_ZEN_AUDIO_EXE
TEST_F(AudioLinkTest, TheToneProcessStartsIsRestartedWhenKilledAndEndsAtShutdown) {
    bus_ = ui::SessionBusBridge::Join(window_->GetHWND(), "T418-ZEN");
    ASSERT_TRUE(bus_);
    AudioLink& link = Link(std::string("\"") + T418_ZEN_AUDIO_EXE + "\" --tone 1000");
    std::shared_ptr<ThreadEntry> watchdog = link.MakeWatchdog();
    ASSERT_TRUE(watchdog);
    link.Start();
    // Commands 0, 3, 1 once its window is on the bus: it reports its test source and sends.
    ASSERT_TRUE(PumpUntil(
        [&] { return link.State() == AudioState::TestSource && link.Frames() >= 3; }, 10000));
    EXPECT_EQ(In("panel_a", "music_status_label")->GetText(), "music_status_3");
    const SpectrumValues& values = link.LastSpectrum();
    EXPECT_EQ(std::max_element(values.begin(), values.end()) - values.begin(), 22);
    EXPECT_FALSE(keyboard_.spectra.empty());
    EXPECT_FALSE(keyboard_.colourRecords.empty());
    EXPECT_GT(keyboard_.colourRecords.back()[0], 0) << "the style colour's red reached it";
    // Green 0 travels as 1 (of 9): a ninth of the red.
    EXPECT_NEAR(keyboard_.colourRecords.back()[1], keyboard_.colourRecords.back()[0] / 9, 2);

    // A second one ends at once with 0.
    auto second = platform::StartProcess(T418_ZEN_AUDIO_EXE, {"--tone", "500"});
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->Wait(3000));
    EXPECT_EQ(second->ExitCode(), 0);

    // Killed: the watchdog sees its lock vanish and it is started again.
    const int first = link.Child()->Id();
    const uint64_t frames = link.Frames();
    link.Child()->Kill();
    ASSERT_TRUE(PumpUntil(
        [&] {
            return link.Restarts() == 1 && link.Child() && link.Child()->Id() != first &&
                   link.Frames() > frames + 3;
        },
        10000));

    // Shutdown: commands 2, 4, 5; it ends within the second the link waits.
    link.Shutdown();
    ASSERT_TRUE(link.Child()->Wait(100));
    EXPECT_EQ(link.Child()->ExitCode(), 0);
    watchdog->RequestStop();
    EXPECT_TRUE(watchdog->Join(1000));
}

TEST_F(AudioLinkTest, WithoutASoundServerItSaysSoAndWaitsQuietly) {
    t418test::ScopedEnv dead("PULSE_SERVER", "unix:" + (root_ / "no-such-socket"));
    bus_ = ui::SessionBusBridge::Join(window_->GetHWND(), "T418-ZEN");
    ASSERT_TRUE(bus_);
    AudioLink& link = Link(std::string("\"") + T418_ZEN_AUDIO_EXE + "\"");
    link.Start();
    ASSERT_TRUE(PumpUntil([&] { return link.State() == AudioState::NoServer; }, 10000));
    EXPECT_EQ(In("panel_b", "music_status_label")->GetText(), "music_status_1");
    // It retries every 5 s; between retries it sleeps.
    const int pid = link.Child()->Id();
    const long before = AudioTestCpuTicks(pid);
    PumpUntil([] { return false; }, 1500);
    const long after = AudioTestCpuTicks(pid);
    ASSERT_GE(before, 0);
    EXPECT_LT(after - before, 15) << "CPU ticks in 1.5 s";
    EXPECT_TRUE(link.Child()->IsRunning());
    EXPECT_EQ(link.Frames(), 0u);
    link.Shutdown();
    EXPECT_TRUE(link.Child()->Wait(100));
}
#endif

}  // namespace
}  // namespace app::audio
