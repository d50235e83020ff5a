// The keyboard's notification and preview threads against the simulator's event interface,
// and the music light's input.
#include <chrono>
#include <mutex>
#include <thread>

#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "tests/integration/keyboard/KeyboardFixture.h"

namespace {

using keyboardtest::KeyboardTest;
using Clock = std::chrono::steady_clock;
namespace kb = devices::keyboard;

// The window thread's queue, run by the test.
class KeyboardTaskQueue {
  public:
    void Post(std::function<void()> task) {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    // Waits up to 2 s for `count` tasks in all, running them as they come; false when fewer
    // came.
    bool RunPosted(size_t count) {
        const auto until = Clock::now() + std::chrono::seconds(2);
        size_t ran = 0;
        while (ran < count && Clock::now() < until) {
            std::vector<std::function<void()>> tasks;
            {
                std::lock_guard lock(mutex_);
                tasks.swap(tasks_);
            }
            for (auto& task : tasks)
                task();
            ran += tasks.size();
            if (tasks.empty())
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return ran >= count;
    }

  private:
    std::mutex mutex_;
    std::vector<std::function<void()>> tasks_;
};

class KeyboardNotifyTest : public KeyboardTest {
  protected:
    devices::COrvaneKeyboardDevice& Connected() {
        auto& k = MakeKeyboard(hid::kKindKeyboard);
        k.SetWindowPoster([this](std::function<void()> task) { queue.Post(std::move(task)); });
        k.SetTimerRequest([this](int id, uint32_t ms) { timers.emplace_back(id, ms); });
        k.ConnectDevice();
        k.StopPreviewThread();
        EXPECT_TRUE(k.OpenNotifyChannel(eventPath, hid::kKindKeyboard));
        // Until the event interface is connected the keyboard tells nobody.
        const auto until = Clock::now() + std::chrono::seconds(2);
        while (devices.NotifyKeyboard(0x0400) == 0 && Clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return k;
    }

    void SetMode(devices::COrvaneKeyboardDevice& k, uint8_t mode) {
        profile::LightRecord light = k.Profile().GetLightRecord();
        light.mode = mode;
        const auto w = light.ToWords();
        k.SetLightSettings(w[0], w[1], w[2], w[3]);
    }

    // Repeat as the profile file holds it.
    int FileRepeat(devices::COrvaneKeyboardDevice& k) {
        const Json::Value doc = profile::LoadJsonFile(k.GetProfilePath());
        return static_cast<int>(profile::json::IntOf(doc["Device"][0]["SystemStages"]["Repeat"]));
    }
    void SetFileRepeat(devices::COrvaneKeyboardDevice& k, int repeat) {
        Json::Value doc = profile::LoadJsonFile(k.GetProfilePath());
        doc["Device"][0]["SystemStages"]["Repeat"] = repeat;
        profile::WriteJsonFile(k.GetProfilePath(), doc);
    }

    KeyboardTaskQueue queue;
    std::vector<std::pair<int, uint32_t>> timers;
};

TEST_F(KeyboardNotifyTest, AReloadRequestThenAChangeReloadOnceThenRead) {
    auto& k = Connected();
    devices.NotifyKeyboard(0x0402);
    devices.NotifyKeyboard(0x0401);
    ASSERT_TRUE(queue.RunPosted(2));
    EXPECT_EQ(timers, (std::vector<std::pair<int, uint32_t>>{{1002, 50}, {1002, 50}}));
    EXPECT_EQ(k.ReloadPending(), 1);
    // The list item's one timer fires once: the profile is loaded again, then read.
    SetFileRepeat(k, 25);
    devices.Log().Clear();
    k.RefreshFromDevice();
    EXPECT_EQ(profile::LowHalf(k.GetSystemWords()[0]), 25);
    EXPECT_EQ(k.ReloadPending(), 0);
    EXPECT_TRUE(k.SettingsRead());
    // A later read does not load the file again.
    SetFileRepeat(k, 30);
    k.RefreshFromDevice();
    EXPECT_EQ(profile::LowHalf(k.GetSystemWords()[0]), 25);
    EXPECT_EQ(FileRepeat(k), 30) << "nothing read differed from the profile: no save";
}

TEST_F(KeyboardNotifyTest, AnEmptyCodeCountsOnlyInTheKeyboardsOwnMode) {
    auto& k = Connected();
    SetMode(k, 6);
    devices.NotifyKeyboard(0x0000);
    devices.NotifyKeyboard(0x0401);  // a marker: its task comes after the first code's
    ASSERT_TRUE(queue.RunPosted(1));
    EXPECT_EQ(timers.size(), 1u);
    SetMode(k, kb::kOnboardMode);
    devices.NotifyKeyboard(0x0000);
    ASSERT_TRUE(queue.RunPosted(1));
    EXPECT_EQ(timers.size(), 2u);
}

TEST_F(KeyboardNotifyTest, ProfileAndLayerCodesReachTheMirror) {
    auto& k = Connected();
    devices.NotifyKeyboard(0x1132);
    ASSERT_TRUE(queue.RunPosted(1));
    EXPECT_EQ(k.OnboardProfile(), 2);
    EXPECT_EQ(k.SettingsMirror()[0], 2);
    EXPECT_EQ(k.SettingsMirror()[17], 3);
    devices.NotifyKeyboard(0x1001);
    ASSERT_TRUE(queue.RunPosted(1));
    EXPECT_EQ(k.OnboardProfile(), 1);
    EXPECT_EQ(k.SettingsMirror()[17], 3) << "a profile code leaves the layer";
    EXPECT_TRUE(timers.empty());
}

TEST_F(KeyboardTest, ThreadsStartAndStopAHundredTimes) {
    auto& k = MakeKeyboard(hid::kKindKeyboard);
    k.LoadProfile();
    const auto start = Clock::now();
    for (int i = 0; i < 100; ++i) {
        k.StartPreviewThread();
        ASSERT_TRUE(k.PreviewThreadRunning());
        ASSERT_TRUE(k.OpenNotifyChannel(eventPath, hid::kKindKeyboard));
        k.CloseNotifyChannel(hid::kKindKeyboard);
        k.StopPreviewThread();
        ASSERT_FALSE(k.PreviewThreadRunning());
    }
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(20)) << "no stop waited its bound";
}

TEST_F(KeyboardTest, ThePreviewAnimatesKeysAndKeepsPerKeySettings) {
    auto& k = MakeKeyboard(hid::kKindKeyboard);
    k.SetLedCount(kb::kPositions);
    k.LoadProfile();
    profile::LightRecord light = k.Profile().GetLightRecord();
    light.mode = 1;  // a wave over the keys
    light.speed = 4;
    light.brightness = 4;
    light.multiColour = 1;
    auto w = light.ToWords();
    k.SetLightSettings(w[0], w[1], w[2], w[3]);
    uint32_t tick = 0, counter = 0;
    for (int i = 0; i < 8; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        k.PreviewPass(tick, counter);
    }
    EXPECT_NE(k.GetLedColour(0), k.GetLedColour(20)) << "the wave differs across a row";
    EXPECT_GT(k.GetLedColour(0).level, 0);
    // Off leaves every LED dark.
    light.mode = 28;
    w = light.ToWords();
    k.SetLightSettings(w[0], w[1], w[2], w[3]);
    for (int i = 0; i < 3; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        k.PreviewPass(tick, counter);
    }
    for (int p = 0; p < kb::kPositions; ++p)
        EXPECT_EQ(k.GetLedColour(p).level, 0) << p;
}

TEST_F(KeyboardTest, LoudMusicFiresTheRhythmKeyOnlyInItsMode) {
    auto& k = MakeKeyboard(hid::kKindKeyboard);
    k.LoadProfile();
    kb::ResetAudioCounter();
    std::array<uint32_t, 25> loud{};
    loud.fill(5000);
    const auto* bytes = reinterpret_cast<const uint8_t*>(loud.data());
    // Not the rhythm mode: the bands are kept, nothing fires.
    for (int i = 0; i < 20; ++i)
        k.FeedAudioSpectrum(bytes, sizeof loud);
    EXPECT_EQ(k.AudioBands()[0], 5000u);
    EXPECT_EQ(k.AudioTriggers(), 0u);
    profile::LightRecord light = k.Profile().GetLightRecord();
    light.mode = 29;
    const auto w = light.ToWords();
    k.SetLightSettings(w[0], w[1], w[2], w[3]);
    k.SetAudioLightSettings(2, 0, 0);  // audio light type 2
    for (int i = 0; i < 14; ++i)
        k.FeedAudioSpectrum(bytes, sizeof loud);
    EXPECT_EQ(k.AudioTriggers(), 0u);
    k.FeedAudioSpectrum(bytes, sizeof loud);
    EXPECT_EQ(k.AudioTriggers(), 1u);
    // A short frame fills only what it gives; the rest of the bands are zero.
    const uint32_t two[2] = {7, 8};
    k.FeedAudioSpectrum(reinterpret_cast<const uint8_t*>(two), sizeof two);
    EXPECT_EQ(k.AudioBands()[1], 8u);
    EXPECT_EQ(k.AudioBands()[2], 0u);
    const uint8_t colours[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    k.FeedAudioColours(colours, sizeof colours);
    EXPECT_EQ(k.AudioColours()[5], 6);
    kb::ResetAudioCounter();
}

}  // namespace
