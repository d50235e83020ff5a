// The mouse's notification and preview threads against the simulator's event interfaces.
#include <chrono>
#include <mutex>
#include <thread>

#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "tests/integration/mouse/MouseFixture.h"

namespace {

using mousetest::MouseTest;
using Clock = std::chrono::steady_clock;

// The window thread's queue, run by the test.
class TaskQueue {
  public:
    void Post(std::function<void()> task) {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    // Waits up to 2 s for a task, then runs all; false when none came.
    bool RunWhenPosted() {
        const auto until = Clock::now() + std::chrono::seconds(2);
        while (Clock::now() < until) {
            std::vector<std::function<void()>> tasks;
            {
                std::lock_guard lock(mutex_);
                tasks.swap(tasks_);
            }
            if (!tasks.empty()) {
                for (auto& task : tasks)
                    task();
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }

  private:
    std::mutex mutex_;
    std::vector<std::function<void()>> tasks_;
};

class MouseNotifyTest : public MouseTest {
  protected:
    devices::COrvaneMouseDevice& Connected(bool receiver) {
        auto& m = MakeMouse(receiver);
        m.SetWindowPoster([this](std::function<void()> task) { queue.Post(std::move(task)); });
        m.SetTimerRequest([this](int id, uint32_t ms) { timers.emplace_back(id, ms); });
        m.LoadProfile();
        const int kind = receiver ? hid::kKindMouseReceiver : hid::kKindMouseCable;
        EXPECT_TRUE(m.OpenNotifyChannel(
            PathOf(receiver ? "mouse-receiver-if0-col3" : "mouse-cable-if0-col3"), kind));
        return m;
    }

    void SetMode(devices::COrvaneMouseDevice& m, uint8_t mode) {
        profile::LightRecord light;
        light.mode = mode;
        const auto w = light.ToWords();
        m.SetLightSettings(w[0], w[1], w[2], w[3]);
    }

    // Waits until the simulator has told n event connections.
    static void Told(const std::function<int()>& send) {
        const auto until = Clock::now() + std::chrono::seconds(2);
        while (send() == 0 && Clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    TaskQueue queue;
    std::vector<std::pair<int, uint32_t>> timers;
};

TEST_F(MouseNotifyTest, KeyPressesOnTheMouseReachTheProfileAndItsFile) {
    auto& m = Connected(false);
    // A code the mouse ignores, until the event interface is connected.
    Told([this] { return devices.NotifyMouse(0x0400); });
    devices.PressDpi();
    ASSERT_TRUE(queue.RunWhenPosted());
    const int stage = devices.Mouse().ActiveStage();
    EXPECT_EQ(stage, 1);
    EXPECT_EQ(m.MirrorActiveStage(), stage);
    EXPECT_EQ(m.SettingsMirror()[12], stage);
    EXPECT_EQ(m.Profile().GetActiveStage(), stage);
    const Json::Value file = profile::LoadJsonFile(m.GetProfilePath());
    const Json::Value& saved = profile::json::Member(
        profile::json::Member(profile::json::Element(profile::json::Member(file, "Device"), 0),
                              "DPIStages"),
        "StageActive");
    EXPECT_EQ(profile::json::IntOf(saved), stage);

    devices.PressProfile();
    ASSERT_TRUE(queue.RunWhenPosted());
    EXPECT_EQ(m.OnboardProfile(), devices.Mouse().CurrentProfile());
    EXPECT_EQ(m.OnboardProfile(), 1);

    devices.NotifyMouse(0x0401);
    ASSERT_TRUE(queue.RunWhenPosted());
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_EQ(timers[0], (std::pair<int, uint32_t>{1002, 50}));

    // Other high bytes change nothing.
    devices.NotifyMouse(0x1205);
    EXPECT_FALSE(queue.RunWhenPosted());
    EXPECT_EQ(m.OnboardProfile(), 1);
}

TEST_F(MouseNotifyTest, ReactiveEventsCountOnlyOnTheCableInTheReactiveMode) {
    auto& m = Connected(false);
    SetMode(m, 5);
    Told([this] { return devices.NotifyMouse(0x0400); });
    devices.NotifyMouse(0x0403);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(m.ReactiveRequests(), 0u);
    SetMode(m, 7);
    devices.NotifyMouse(0x0403);
    const auto until = Clock::now() + std::chrono::seconds(2);
    while (m.ReactiveRequests() == 0 && Clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(m.ReactiveRequests(), 1u);

    m.CloseNotifyChannel(hid::kKindMouseCable);
    auto& r = Connected(true);
    SetMode(r, 7);
    Told([this] { return devices.NotifyMouse(0x0400); });
    devices.NotifyMouse(0x0403);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(r.ReactiveRequests(), 0u);
}

TEST_F(MouseNotifyTest, ThreadsStartAndStopRepeatedly) {
    auto& m = Connected(false);
    const std::string path = PathOf("mouse-cable-if0-col3");
    for (int i = 0; i < 100; ++i) {
        m.StartPreviewThread();
        EXPECT_TRUE(m.PreviewThreadRunning());
        m.StopPreviewThread();
        ASSERT_FALSE(m.PreviewThreadRunning()) << i;
        ASSERT_TRUE(m.ReopenNotifyChannel(path, hid::kKindMouseCable)) << i;
        m.CloseNotifyChannel(hid::kKindMouseCable);
        ASSERT_FALSE(m.IsNotifyChannelOpen(hid::kKindMouseCable));
    }
    // A stop asked for before the thread ran is not lost.
    m.StartPreviewThread();
    m.StopPreviewThread();
    EXPECT_FALSE(m.PreviewThreadRunning());
}

TEST_F(MouseNotifyTest, ClosingWhileAReadBlocksEndsWithinTheWait) {
    auto& m = Connected(false);
    m.StartPreviewThread();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto start = Clock::now();
    m.CloseNotifyChannel(hid::kKindMouseCable);
    m.StopPreviewThread();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_FALSE(m.IsNotifyChannelOpen(hid::kKindMouseCable));
}

TEST_F(MouseNotifyTest, ThePreviewThreadAnimatesTheMouseModes) {
    auto& m = Connected(false);
    m.SetLedCount(15);
    for (uint8_t mode : {5, 7, 9}) {
        profile::LightRecord light;
        light.mode = mode;
        light.brightness = 4;
        light.speed = 4;
        light.multiColour = 1;
        m.Profile().SetLightRecord(light);
        m.LoadLightSettings();
        devices.NotifyMouse(0x0403);
        m.StartPreviewThread();
        bool lit = false;
        const auto until = Clock::now() + std::chrono::seconds(2);
        while (!lit && Clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            for (int led = 0; led < 15; ++led)
                lit = lit || m.GetLedColour(led).level != 0;
        }
        m.StopPreviewThread();
        EXPECT_TRUE(lit) << int{mode};
    }
}

TEST_F(MouseNotifyTest, ThePreviewStandsStillWhileNobodySeesItAndResumesAtOnce) {
    auto& m = Connected(false);
    m.SetLedCount(15);
    profile::LightRecord light;
    light.mode = 2;  // the colour cycle: every step changes the colours
    light.brightness = 4;
    light.speed = 4;
    light.multiColour = 1;
    m.Profile().SetLightRecord(light);
    m.LoadLightSettings();
    auto colours = [&m] {
        std::vector<uint32_t> all;
        for (int led = 0; led < 15; ++led) {
            devices::LedColour c = m.GetLedColour(led);
            all.push_back(uint32_t{c.red} | uint32_t{c.green} << 8 | uint32_t{c.blue} << 16 |
                          uint32_t(c.level) << 24);
        }
        return all;
    };
    m.SetPreviewActive(0);
    m.StartPreviewThread();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto still = colours();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(colours(), still);

    m.SetPreviewActive(1);
    bool moved = false;
    const auto until = Clock::now() + std::chrono::milliseconds(500);  // well inside the idle look
    while (!moved && Clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        moved = colours() != still;
    }
    m.StopPreviewThread();
    EXPECT_TRUE(moved);
}

}  // namespace
