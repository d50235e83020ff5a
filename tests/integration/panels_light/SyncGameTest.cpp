// Same mode, the light synchronisation thread and the game requests against the simulated
// mouse and mouse pad; the keyboard (and a second pad where only the bookkeeping matters) are
// test objects that record what they are given.
#include <chrono>
#include <thread>

#include "devices/mouse/SettingsBlock.h"
#include "devices/pad/OrvaneMousePadDevice.h"
#include "devices/pad/PadBlock.h"
#include "panels/light/LightCommit.h"
#include "panels/sync/GameLight.h"
#include "panels/sync/LightSync.h"
#include "panels/sync/SameMode.h"
#include "platform/Trace.h"
#include "tests/integration/mouse/MouseFixture.h"

namespace {

namespace light = panels::light;
namespace sync = panels::sync;

// A connected device of a kind without its own class: keeps the record it is given and
// counts the writes and saves.
class RecordingDevice : public devices::COrvaneUSBDevice {
  public:
    explicit RecordingDevice(int kind) {
        hid::DeviceIdentity identity;
        identity.Kind = static_cast<uint16_t>(kind);
        SetIdentity(identity);
        Channel().SetOpen(true);
        SetLedCount(4);
    }
    ~RecordingDevice() override { Channel().SetOpen(false); }
    int WriteSettings(int, int, int, int, int) override {
        written.push_back(LightSettings().mode);
        return 1;
    }
    void SaveProfile() override { ++saves; }
    std::vector<int> written;
    int saves = 0;
};

class SyncGameTest : public mousetest::MouseTest {
  protected:
    devices::COrvaneMouseDevice& Connected() {
        auto& m = MakeMouse(false);
        EXPECT_TRUE(m.ReadDeviceData());
        EXPECT_EQ(m.LoadProfile(), 1);
        m.SetLightListIndex(1);
        m.LoadNameLists();
        m.SetLedCount(15);
        return m;
    }
    void SetMouseMode(uint8_t mode) {
        light::CommitLightChange(
            *mouse,
            [mode](profile::LightRecord& r) {
                r.mode = mode;
                r.brightness = 3;
                r.red = 10;
                r.green = 20;
                r.blue = 30;
            },
            kScreen);
    }
    uint8_t BlockMode() { return devices.Mouse().Memory(0, devices::mouse::kSettingsBlockSize)[1]; }
    sync::SameModeLists Lists() { return {{&keyboard}, {mouse.get()}, {&pad}, {}}; }
    // The simulated pad, connected as the device list connects it.
    devices::COrvaneMousePadDevice& SimulatedPad() {
        EXPECT_TRUE(simulator->Plug("pad"));
        simPad = std::make_unique<devices::COrvaneMousePadDevice>(transport.get());
        hid::CHidChannel& channel = simPad->Channel();
        EXPECT_TRUE(channel.CableDevice().Open(PathOf("pad-if1-col4"), true, true, true, false));
        channel.SetOpen(true);
        hid::DeviceIdentity identity;
        identity.Kind = hid::kKindMousePad;
        simPad->SetIdentity(identity);
        simPad->SetProfileBaseName("profile_test");
        simPad->SetLedCount(15);
        simPad->SetMessageSink([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; });
        simPad->ConnectDevice();
        simPad->StopPreviewThread();
        return *simPad;
    }
    void TearDown() override {
        simPad.reset();
        mousetest::MouseTest::TearDown();
    }

    static constexpr light::ScreenSize kScreen{1920, 1080};
    RecordingDevice keyboard{hid::kKindKeyboard};
    RecordingDevice pad{hid::kKindMousePad};
    sync::LightSyncShared shared;
    std::unique_ptr<devices::COrvaneMousePadDevice> simPad;
};

TEST_F(SyncGameTest, SameModeFromStaticPausesEveryDeviceInItsOwnMode) {
    auto& m = Connected();
    SetMouseMode(0);
    EXPECT_EQ(sync::ApplySameMode(m, Lists(), shared, kScreen), 3);
    EXPECT_EQ(keyboard.written, std::vector<int>{6});
    EXPECT_EQ(pad.written, std::vector<int>{3});
    EXPECT_EQ(pad.LightSettings().red, 10);
    EXPECT_EQ(pad.saves, 1);
    EXPECT_EQ(BlockMode(), 0);
    for (devices::COrvaneUSBDevice* d : {static_cast<devices::COrvaneUSBDevice*>(&keyboard),
                                         static_cast<devices::COrvaneUSBDevice*>(&pad),
                                         static_cast<devices::COrvaneUSBDevice*>(&m)})
        EXPECT_EQ(d->Channel().Hold(), 1u);
    const sync::SyncParams p = shared.Params();
    EXPECT_EQ(p.effect, sync::SharedEffect::Static);
    EXPECT_EQ(p.brightness, 3);
    EXPECT_EQ(p.blue, 30);

    // The mouse's own change releases it; the others stay paused.
    light::CommitLightChange(
        m, [](profile::LightRecord& r) { r.brightness = 1; }, kScreen);
    EXPECT_EQ(m.Channel().Hold(), 0u);
    EXPECT_EQ(pad.Channel().Hold(), 1u);
}

TEST_F(SyncGameTest, TheSimulatedPadTakesTheSharedEffectInItsOwnCode) {
    auto& m = Connected();
    auto& p = SimulatedPad();
    SetMouseMode(0);
    const sync::SameModeLists lists{{&keyboard}, {&m}, {&p}, {}};
    EXPECT_EQ(sync::ApplySameMode(m, lists, shared, kScreen), 3);
    const std::vector<uint8_t> block = devices.Pad().Memory(0, devices::pad::kBlockSize);
    EXPECT_EQ(block[1], 3);  // static
    EXPECT_EQ(block[2], 3);  // the mouse's brightness
    EXPECT_EQ(p.LightSettings().mode, 3);
    EXPECT_EQ(p.Channel().Hold(), 1u);
    EXPECT_EQ(BlockMode(), 0);
    // Breathing on the mouse is breathing (2) on the pad.
    SetMouseMode(1);
    sync::ApplySameMode(m, lists, shared, kScreen);
    EXPECT_EQ(devices.Pad().Memory(0, devices::pad::kBlockSize)[1], 2);
}

TEST_F(SyncGameTest, SameModeFromAModeWithoutASharedEffectChangesNothing) {
    auto& m = Connected();
    SetMouseMode(7);
    EXPECT_EQ(sync::ApplySameMode(m, Lists(), shared, kScreen), 0);
    EXPECT_TRUE(keyboard.written.empty());
    EXPECT_TRUE(pad.written.empty());
    EXPECT_EQ(m.Channel().Hold(), 0u);
    EXPECT_EQ(shared.Params(), sync::SyncParams{});
    // A closed device is left out.
    SetMouseMode(2);
    pad.Channel().SetOpen(false);
    EXPECT_EQ(sync::ApplySameMode(m, Lists(), shared, kScreen), 2);
    EXPECT_TRUE(pad.written.empty());
    EXPECT_EQ(keyboard.written, std::vector<int>{4});
}

TEST_F(SyncGameTest, TheThreadPaintsOnlyThePausedDevicesAndStopsAtOnce) {
    auto& m = Connected();
    SetMouseMode(0);
    sync::ApplySameMode(m, Lists(), shared, kScreen);
    pad.Channel().SetHold(0);
    auto sharedPtr = std::shared_ptr<sync::LightSyncShared>(&shared, [](auto*) {});
    sharedPtr->SetDevices({&m, &pad, &keyboard});
    sync::LightSyncThread thread(sharedPtr);
    platform::TraceCapture trace;
    ASSERT_TRUE(thread.Start());
    const devices::LedColour expected{10, 20, 30, 175};
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (m.GetLedColour(14) != expected && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(m.GetLedColour(0), expected);
    EXPECT_EQ(m.GetLedColour(14), expected);
    EXPECT_EQ(keyboard.GetLedColour(3), expected);
    EXPECT_EQ(pad.GetLedColour(0), devices::LedColour{});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(thread.Stop(1000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    bool traced = false;
    for (const std::string& line : trace.Lines())
        traced = traced || line.find("同步灯光线程设定退出") != std::string::npos;
    EXPECT_TRUE(traced);
}

TEST_F(SyncGameTest, StartedAndStoppedManyTimesEachStopIsPrompt) {
    auto sharedPtr = std::make_shared<sync::LightSyncShared>();
    sharedPtr->SetDevices({&pad});
    pad.Channel().SetHold(1);
    for (int i = 0; i < 100; ++i) {
        sync::LightSyncThread thread(sharedPtr);
        ASSERT_TRUE(thread.Start());
        if (i % 2)
            sharedPtr->SetDevices({});  // the idle second-long wait must end at once too
        ASSERT_TRUE(thread.Stop(1000)) << i;
        sharedPtr->SetDevices({&pad});
    }
}

TEST_F(SyncGameTest, AGameRequestChangesTheModeAndTheRestorePutsTheUsersBack) {
    auto& m = Connected();
    SetMouseMode(0);
    m.Channel().SetHold(1);
    sync::GameLight game;
    EXPECT_TRUE(game.OnRequest(&m, 0, 2, kScreen));
    EXPECT_EQ(BlockMode(), 2);
    EXPECT_EQ(m.Channel().Hold(), 0u);
    EXPECT_EQ(m.LightSettings().previousMode, 0);  // mode 0 is kept as 0, not 1
    // A second kind-0 request within the restore's delay keeps the user's mode.
    EXPECT_TRUE(game.OnRequest(&m, 0, 6, kScreen));
    EXPECT_EQ(BlockMode(), 6);
    EXPECT_EQ(m.LightSettings().previousMode, 0);
    EXPECT_EQ(game.Restore(kScreen), 1);
    EXPECT_EQ(BlockMode(), 0);
    EXPECT_EQ(m.LightSettings().mode, 0);
    EXPECT_EQ(game.Restore(kScreen), 0);  // nothing pending any more
    EXPECT_EQ(BlockMode(), 0);
}

TEST_F(SyncGameTest, RequestsThatAreNotModesOfTheDeviceChangeNothing) {
    auto& m = Connected();
    SetMouseMode(1);
    TakeRequestCodes();
    sync::GameLight game;
    EXPECT_FALSE(game.OnRequest(&m, 3, 2, kScreen));       // unknown kind
    EXPECT_FALSE(game.OnRequest(&m, 0, 200, kScreen));     // past the list
    EXPECT_FALSE(game.OnRequest(&m, 1, -1, kScreen));      // negative
    EXPECT_FALSE(game.OnRequest(nullptr, 0, 2, kScreen));  // no device
    EXPECT_TRUE(TakeRequestCodes().empty());
    EXPECT_FALSE(game.RestorePending());
    EXPECT_EQ(game.Restore(kScreen), 0);
    EXPECT_EQ(m.LightSettings().mode, 1);
    // The last custom position is still a mode of the list.
    const int last = m.GetLightModeCount() - 1;
    ASSERT_GE(last, 11);
    EXPECT_TRUE(game.OnRequest(&m, 2, last, kScreen));
    EXPECT_EQ(m.LightSettings().mode, last);
    EXPECT_EQ(m.LightSettings().previousMode, 0);  // kinds 1 and 2 leave OldLedmode
    game.Restore(kScreen);
    EXPECT_EQ(m.LightSettings().mode, 1);
}

TEST_F(SyncGameTest, TheRestoreTouchesOnlyTheDeviceThatWasChanged) {
    auto& m = Connected();
    SetMouseMode(0);
    pad.SetLightSettings(4, 0, 0, 0);
    sync::GameLight game;
    ASSERT_TRUE(game.OnRequest(&m, 1, 5, kScreen));
    // The user switches to the pad; the timer then fires.
    EXPECT_EQ(game.Restore(kScreen), 1);
    EXPECT_EQ(BlockMode(), 0);
    EXPECT_TRUE(pad.written.empty());
    EXPECT_EQ(pad.LightSettings().mode, 4);
}

}  // namespace
