// The message model from other threads: finding windows while they change, waking the window
// thread while the realisation is replaced, sends released when a window starts to go, tasks
// run in queue order, and the debug check of the window-thread rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "UiTestSupport.h"
#include "platform/Event.h"
#include "platform/StoppableThread.h"
#include "ui/core/MessageModel.h"
#include "ui/core/ThreadCheck.h"

namespace ui {
namespace {

using namespace std::chrono_literals;
using testing::LayoutWindow;

constexpr const char* kThreadsSmall = R"(<Window size="100,80"><VerticalLayout name="root">
    <Button name="ok_btn" height="30"/></VerticalLayout></Window>)";

// Notes whether its class name was ever asked for on a thread other than its own.
class WatchedWindow : public LayoutWindow {
  public:
    WatchedWindow() : LayoutWindow(kThreadsSmall) {}
    std::string GetWindowClassName() const override {
        if (std::this_thread::get_id() != owner_)
            askedElsewhere = true;
        return "WatchedWindow";
    }
    mutable std::atomic<bool> askedElsewhere{false};

  private:
    std::thread::id owner_ = std::this_thread::get_id();
};

class MessageThreadsTest : public testing::HeadlessTest {
  protected:
    std::unique_ptr<LayoutWindow> Make(const std::string& title = "w") {
        auto window = std::make_unique<LayoutWindow>(kThreadsSmall);
        EXPECT_NE(window->Create(nullptr, title, WS_POPUP, 0, 0, 0, 100, 80), nullptr);
        return window;
    }
};

TEST_F(MessageThreadsTest, FindWindowFromAnotherThreadNeverTouchesWindowsThatChange) {
    auto watched = std::make_unique<WatchedWindow>();
    ASSERT_NE(watched->Create(nullptr, "watched", WS_POPUP, 0, 0, 0, 100, 80), nullptr);
    std::atomic<bool> done{false};
    std::atomic<int> foundWatched{0};
    std::thread finder([&] {
        while (!done.load()) {
            if (FindWindow("WatchedWindow", "") != nullptr)
                ++foundWatched;
            FindWindow("", "title 7");
        }
    });
    // Titles change and windows come and go while the other thread searches.
    for (int i = 0; i < 300; ++i) {
        auto window = Make("short lived");
        window->SetTitle("title " + std::to_string(i % 10));
        watched->SetTitle(std::string(static_cast<size_t>(i % 40), 'x'));
        DestroyWindow(window->GetHWND());
    }
    while (foundWatched.load() == 0)
        std::this_thread::yield();
    done = true;
    finder.join();
    EXPECT_FALSE(watched->askedElsewhere.load());
    // What it compares follows SetTitle.
    watched->SetTitle("Zovi");
    HWND found = nullptr;
    std::thread([&] { found = FindWindow("WatchedWindow", "Zovi"); }).join();
    EXPECT_EQ(found, watched->GetHWND());
}

// A realisation whose wake takes a while, and that notes who hands it its wake handler.
class SlowWakeBackend : public headless::HeadlessBackend {
  public:
    void Wake() override {
        entered.Set();
        std::this_thread::sleep_for(50ms);
        HeadlessBackend::Wake();
        wakeReturned = true;
    }
    void SetWakeHandler(std::function<void()> handler) override {
        if (std::this_thread::get_id() != windowThread)
            handlerSetElsewhere = true;
        HeadlessBackend::SetWakeHandler(std::move(handler));
    }
    platform::Event entered{true, false};
    std::atomic<bool> wakeReturned{false};
    std::atomic<bool> handlerSetElsewhere{false};
    std::thread::id windowThread = std::this_thread::get_id();
};

TEST_F(MessageThreadsTest, ReplacingTheRealisationWaitsForAWakeInProgress) {
    auto window = Make();
    SlowWakeBackend slow;
    slow.Install();
    std::thread poster([&] { PostMessage(window->GetHWND(), WM_USER + 1, 0, 0); });
    ASSERT_TRUE(slow.entered.Wait(5000));
    backend.Install();  // replaces the slow one while the other thread is inside its Wake
    EXPECT_TRUE(slow.wakeReturned.load());
    poster.join();
    EXPECT_FALSE(slow.handlerSetElsewhere.load());
    // The realisation in use now drains the queue: the message arrives.
    backend.ProcessPending();
    backend.Wake();
    backend.ProcessPending();
    EXPECT_EQ(std::count(window->messages.begin(), window->messages.end(), WM_USER + 1), 1);
}

TEST_F(MessageThreadsTest, ASendIsReleasedWhenTheWindowStartsToGo) {
    // The window stops a worker from its WM_DESTROY while the worker waits in a send to it:
    // the send must not wait for a window that is going.
    auto window = Make();
    platform::StoppableThread worker;
    std::atomic<bool> sending{false};
    std::atomic<LRESULT> result{-1};
    bool stoppedInTime = false;
    window->onMessage = [&](UINT msg, WPARAM, LPARAM, bool& handled) -> LRESULT {
        handled = false;
        if (msg == WM_USER + 3)
            ADD_FAILURE() << "a send to a window being destroyed was handled";
        if (msg == WM_DESTROY)
            stoppedInTime = worker.Stop(2000);
        return 0;
    };
    HWND hwnd = window->GetHWND();
    ASSERT_TRUE(worker.Start([&](platform::Event&) {
        sending = true;
        result = SendMessage(hwnd, WM_USER + 3, 0, 0);
    }));
    while (!sending.load())
        std::this_thread::yield();
    std::this_thread::sleep_for(20ms);  // the send is queued by now
    DestroyWindow(hwnd);
    EXPECT_TRUE(stoppedInTime);
    EXPECT_EQ(result.load(), 0);
}

TEST_F(MessageThreadsTest, TasksRunInQueueOrderAndAreDroppedWithTheirWindow) {
    auto window = Make();
    std::vector<std::string> order;
    window->onMessage = [&](UINT msg, WPARAM, LPARAM, bool& handled) -> LRESULT {
        handled = msg == WM_USER + 4;
        if (handled)
            order.push_back("message");
        return 0;
    };
    std::thread other([&] {
        EXPECT_TRUE(PostTask(window->GetHWND(), [&] { order.push_back("task 1"); }));
        PostMessage(window->GetHWND(), WM_USER + 4, 0, 0);
        EXPECT_TRUE(PostTask(window->GetHWND(), [&] { order.push_back("task 2"); }));
    });
    other.join();
    backend.ProcessPending();
    EXPECT_EQ(order, (std::vector<std::string>{"task 1", "message", "task 2"}));

    // A task still queued when its window goes is dropped unrun, and what it holds is freed.
    auto held = std::make_shared<int>(1);
    std::weak_ptr<int> watch = held;
    EXPECT_TRUE(PostTask(window->GetHWND(), [held] { ADD_FAILURE() << "ran after its window"; }));
    held.reset();
    DestroyWindow(window->GetHWND());
    EXPECT_TRUE(watch.expired());
    backend.ProcessPending();
    EXPECT_FALSE(PostTask(window->GetHWND(), [] {}));
}

#ifndef NDEBUG
TEST_F(MessageThreadsTest, AWindowThreadRuleBrokenInADebugBuildStopsAndSaysWhich) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto window = Make();
    HWND hwnd = window->GetHWND();
    EXPECT_DEATH(std::thread([hwnd] { SetTimer(hwnd, 1, 10); }).join(),
                 "ui::SetTimer: window thread only");
    EXPECT_DEATH(std::thread([] { UI_ASSERT_WINDOW_THREAD("CPaintManagerUI::SetTimer"); }).join(),
                 "CPaintManagerUI::SetTimer: window thread only");
}
#endif

}  // namespace
}  // namespace ui
