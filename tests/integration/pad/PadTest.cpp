// The mouse pad's device object against the simulated pad: its connect sequence packet by
// packet, the mirror, its writes, its notification, its power record and its preview table.
#include <chrono>
#include <thread>

#include "devices/LightEffectFiles.h"
#include "devices/pad/PadBlock.h"
#include "hid/ResultCode.h"
#include "tests/integration/pad/PadFixture.h"

namespace {

using padtest::PadTest;
using Step = devices::COrvaneMousePadDevice::PreviewStep;

constexpr uint8_t kBegin = 0x01, kEnd = 0x02, kReadInfo = 0x03, kReadMemory = 0x05,
                  kWriteMemory = 0x06, kReadShort = 0x1A;

profile::LightRecord Light(uint8_t mode, uint8_t speed) {
    profile::LightRecord light;
    light.mode = mode;
    light.brightness = 3;
    light.speed = speed;
    light.red = 0x10;
    light.green = 0x20;
    light.blue = 0x30;
    return light;
}

// What the lighting panel's change path does: the record, the mirror, one write.
int ChangeLight(devices::COrvaneMousePadDevice& pad, const profile::LightRecord& light) {
    const auto w = light.ToWords();
    pad.SetLightSettings(w[0], w[1], w[2], w[3]);
    pad.LoadLightSettings();
    return pad.WriteSettings(0, 0, 1, 0, 0);
}

TEST_F(PadTest, ConnectsPacketByPacketAndReadsItsBlockBeforeTheProfile) {
    auto& p = MakePad();
    TakeRequests();
    p.ConnectDevice();
    p.StopPreviewThread();
    const auto requests = TakeRequests();
    // The information block, then the onboard profile and its block, in 24-byte chunks.
    ASSERT_EQ(Codes(requests), (std::vector<uint8_t>{kBegin, kReadInfo, kReadInfo, kEnd,
                                                     kReadMemory, kReadMemory, kReadMemory}));
    EXPECT_EQ(requests[4].length, 1);
    EXPECT_EQ(requests[5].length, 24);
    EXPECT_EQ(requests[5].address, 0);
    EXPECT_EQ(requests[6].length, 21);
    EXPECT_EQ(requests[6].address, 24);
    EXPECT_TRUE(p.BlockRead());
    EXPECT_EQ(p.InfoBlock()[0], 0xAA);
    // The light bytes are the profile's; the others as the pad gave them.
    const auto& mirror = p.SettingsMirror();
    const profile::LightRecord light = p.Profile().GetLightRecord();
    EXPECT_EQ(mirror[1], light.mode);
    EXPECT_EQ(mirror[3], light.speed);
    EXPECT_EQ(mirror[4], 1);
    for (size_t i = 9; i < devices::pad::kBlockSize; ++i)
        EXPECT_EQ(mirror[i], 0x30 + i) << i;
    EXPECT_TRUE(std::filesystem::exists(p.GetProfilePath()));
}

TEST_F(PadTest, TheMirrorTakesTheCurrentOnboardBlock) {
    devices.Pad().SetMemoryByte(0, 1);  // onboard profile 1: its block lies at 64
    auto& p = MakePad();
    uint8_t onboard = 0xFF;
    ASSERT_EQ(p.ReadSettingsBlock(&onboard), 1);
    EXPECT_EQ(onboard, 1);
    const auto stored = StoredBlock(1);
    const auto& mirror = p.SettingsMirror();
    EXPECT_EQ(mirror[0], 1);
    EXPECT_EQ(mirror[1], stored[1]);  // code 2 is position 2 of the pad's list
    EXPECT_EQ(mirror[2], stored[2]);
    EXPECT_EQ(mirror[3], 4 - stored[3]);
    for (size_t i = 4; i < devices::pad::kBlockSize; ++i)
        EXPECT_EQ(mirror[i], stored[i]) << i;
}

TEST_F(PadTest, AFailedReadLeavesTheMirrorAndAllowsNoWrite) {
    auto& p = MakePad();
    devices.Faults().SetStatusAt(0xFF, 2);  // the block's first chunk is refused
    EXPECT_EQ(p.ReadSettingsBlock(), 0);
    EXPECT_FALSE(p.BlockRead());
    EXPECT_EQ(p.SettingsMirror(), devices::pad::Block{});
    devices.Faults().Clear();
    // Never read: bytes 4 and 9-20 are unknown, so nothing goes out.
    TakeRequests();
    EXPECT_EQ(ChangeLight(p, Light(3, 2)), 0);
    EXPECT_TRUE(TakeRequests().empty());

    p.Channel().SetOpen(false);
    EXPECT_EQ(p.ReadSettingsBlock(), 0);
    EXPECT_TRUE(TakeRequests().empty());
}

TEST_F(PadTest, ALightChangeIsOneBlockWithTheCodeAndTheBytesAsRead) {
    auto& p = MakePad();
    p.ConnectDevice();
    p.StopPreviewThread();
    TakeRequests();
    ASSERT_EQ(ChangeLight(p, Light(4, 1)), 1);
    const auto requests = TakeRequests();
    ASSERT_EQ(Codes(requests), (std::vector<uint8_t>{kBegin, kWriteMemory, kEnd}));
    EXPECT_EQ(requests[1].address, 0);
    EXPECT_EQ(requests[1].length, devices::pad::kBlockSize);
    const auto stored = StoredBlock(0);
    EXPECT_EQ(stored[1], 4);      // flash's code
    EXPECT_EQ(stored[2], 3);      // brightness
    EXPECT_EQ(stored[3], 4 - 1);  // 4 - speed
    EXPECT_EQ(stored[4], 1);      // as read
    EXPECT_EQ(stored[6], 0x10);
    EXPECT_EQ(stored[8], 0x30);
    for (size_t i = 9; i < devices::pad::kBlockSize; ++i)
        EXPECT_EQ(stored[i], 0x30 + i) << i;
    // The mirror keeps the position and the speed: a second write sends the same block.
    EXPECT_EQ(p.SettingsMirror()[3], 1);
    ASSERT_EQ(p.WriteSettings(0, 0, 1, 0, 0), 1);
    EXPECT_EQ(StoredBlock(0), stored);
}

TEST_F(PadTest, APositionBeyondTheModeListSendsNothing) {
    auto& p = MakePad();
    p.ConnectDevice();
    p.StopPreviewThread();
    const auto before = StoredBlock(0);
    TakeRequests();
    EXPECT_EQ(ChangeLight(p, Light(9, 2)), 0);
    EXPECT_EQ(ChangeLight(p, Light(200, 2)), 0);
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_EQ(StoredBlock(0), before);
}

TEST_F(PadTest, AWriteTheDeviceRefusesIsNotReportedAsDone) {
    auto& p = MakePad();
    p.ConnectDevice();
    p.StopPreviewThread();
    devices.Faults().SetStatusAt(0xFE, 3);  // the end
    EXPECT_EQ(ChangeLight(p, Light(3, 2)), 0);
}

TEST_F(PadTest, TheLightKeyOnThePadIsReadBackThroughTheRefreshTimer) {
    auto& p = MakePad();
    p.ConnectDevice();
    p.StopPreviewThread();
    std::atomic<int> timer{0};
    p.SetWindowPoster([](std::function<void()> task) { task(); });
    p.SetTimerRequest([&timer](int id, uint32_t) { timer = id; });
    ASSERT_TRUE(p.OpenNotifyChannel(PathOf("pad-if0-col3"), hid::kKindMousePad));
    ASSERT_TRUE(p.IsNotifyChannelOpen(hid::kKindMousePad));

    // Other codes mean nothing to the pad (the first also waits until the simulator has
    // taken the connection).
    int told = 0;
    for (int i = 0; i < 200 && told == 0; ++i) {
        told = devices.NotifyPad(0x0403);
        if (told == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(told, 1);
    ASSERT_EQ(devices.NotifyPad(0x1001), 1);
    ASSERT_EQ(devices.PressPadLight(), 1);
    for (int i = 0; i < 200 && timer == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(timer.load(), 1002);
    timer = 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(timer.load(), 0) << "one request for one press";

    messages.clear();
    TakeRequests();
    p.RefreshFromDevice();
    EXPECT_EQ(Codes(TakeRequests()), (std::vector<uint8_t>{kReadMemory, kReadMemory, kReadMemory}));
    EXPECT_EQ(p.SettingsMirror()[1], 2);  // breathing, one after colour cycle
    EXPECT_EQ(p.Profile().GetLightRecord().mode, 2);
    EXPECT_EQ(p.LightSettings().mode, 2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].msg, devices::WM_USB_MAINMESS_ONBOARD_PROFILE);
    EXPECT_EQ(messages[0].wParam, 0u);
    p.CloseNotifyChannel(hid::kKindMousePad);
}

TEST_F(PadTest, ThePowerRecordSaysWhichPhoneLiesOnThePad) {
    auto& p = MakePad();
    for (uint8_t phone : {1, 2, 3, 9}) {
        SCOPED_TRACE(phone);
        devices.SetPadPhone(phone);
        messages.clear();
        TakeRequests();
        p.QueryPowerState();
        const auto requests = TakeRequests();
        ASSERT_EQ(Codes(requests), std::vector<uint8_t>{kReadShort});
        EXPECT_EQ(requests[0].length, 6);
        EXPECT_EQ(p.PowerRecord()[0], 100);
        EXPECT_EQ(p.PowerRecord()[5], phone);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].msg, devices::WM_USB_MAINMESS_POWER);
    }
    // Closed: no query, the record stays.
    p.Channel().SetOpen(false);
    p.QueryPowerState();
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_EQ(p.PowerRecord()[5], 9);
}

class ManualClock : public devices::TickClock {
  public:
    uint32_t NowMs() override { return now; }
    uint32_t now = 1000;
};

TEST_F(PadTest, ThePreviewTableRunsEachModeAtItsSpeed) {
    auto& p = MakePad();
    ManualClock clock;
    p.SetTickClock(&clock);
    p.LoadNameLists();
    const std::pair<uint8_t, Step> modes[] = {
        {0, Step::Neon},  {1, Step::ColourCycle}, {2, Step::Breathe}, {3, Step::Static},
        {4, Step::Flash}, {6, Step::Reactive},    {7, Step::Wave},    {8, Step::Off},
    };
    for (const auto& [mode, step] : modes) {
        for (uint8_t speed = 0; speed <= 4; ++speed) {
            SCOPED_TRACE(testing::Message() << "mode " << int(mode) << " speed " << int(speed));
            const auto w = Light(mode, speed).ToWords();
            p.SetLightSettings(w[0], w[1], w[2], w[3]);
            p.LoadLightSettings();
            const uint32_t threshold = devices::COrvaneMousePadDevice::kStepThresholds[speed];
            uint32_t counter = 0;
            for (uint32_t pass = 1; pass < threshold; ++pass)
                ASSERT_EQ(p.PreviewPass(counter), Step::None) << pass;
            EXPECT_EQ(p.PreviewPass(counter), step);
            EXPECT_EQ(counter, 0u);
        }
    }
    // A held channel (a synchronised effect) runs nothing.
    p.Channel().SetHold(1);
    uint32_t counter = 100;
    EXPECT_EQ(p.PreviewPass(counter), Step::None);
    p.Channel().SetHold(0);
}

TEST_F(PadTest, TheCustomModePlaysItsEffectByTheTickClock) {
    auto& p = MakePad();
    ManualClock clock;
    p.SetTickClock(&clock);
    p.LoadNameLists();
    const std::string effect =
        std::string(T418_RESOURCES_DIR) + "DefaultData/light/police_flash.light";
    ASSERT_EQ(devices::AddCustomEffect(p.GetUserDataFolder(), 2, "flash", effect).position, 0);
    ASSERT_EQ(devices::AddCustomEffect(p.GetUserDataFolder(), 2, "walk", effect).position, 1);
    profile::LightRecord light = Light(5, 2);
    light.customGroup = 1;
    const auto w = light.ToWords();
    p.SetLightSettings(w[0], w[1], w[2], w[3]);
    p.LoadLightSettings();
    ASSERT_GT(p.EffectStepCount(), 0u);
    uint32_t counter = 0;
    std::vector<devices::LedColour> seen;
    for (int pass = 0; pass < 400; ++pass) {
        EXPECT_EQ(p.PreviewPass(counter), Step::Custom);
        clock.now += 25;
        seen.push_back(p.GetLedColour(0));
    }
    // The effect moves: its colours change as the clock runs.
    size_t changes = 0;
    for (size_t i = 1; i < seen.size(); ++i)
        changes += seen[i] == seen[i - 1] ? 0 : 1;
    EXPECT_GT(changes, 5u);
}

TEST_F(PadTest, ThreadsStartAndStopAHundredTimes) {
    auto& p = MakePad();
    p.ConnectDevice();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 100; ++i) {
        p.StartPreviewThread();
        ASSERT_TRUE(p.OpenNotifyChannel(PathOf("pad-if0-col3"), hid::kKindMousePad));
        EXPECT_TRUE(p.PreviewThreadRunning());
        p.CloseNotifyChannel(hid::kKindMousePad);
        p.StopPreviewThread();
        EXPECT_FALSE(p.PreviewThreadRunning());
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
