// A window on the session bus: posted messages and copy-data records from another process's
// point of view arrive on the window thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "../../unit/platform/TestFolders.h"
#include "../core/UiTestSupport.h"
#include "platform/MessageBus.h"
#include "ui/core/MessageModel.h"
#include "ui/shell/SessionBusBridge.h"

namespace ui {
namespace {

using testing::LayoutWindow;

constexpr const char* kLayout = R"(<Window size="100,80"><VerticalLayout name="root"/></Window>)";

class SessionBusBridgeTest : public testing::HeadlessTest {
  protected:
    std::unique_ptr<LayoutWindow> Make() {
        auto window = std::make_unique<LayoutWindow>(kLayout);
        EXPECT_NE(window->Create(nullptr, "T418-ZEN", WS_POPUP, 0, 0, 0, 100, 80), nullptr);
        return window;
    }
    t418test::TempFolder runtime_;
    t418test::ScopedEnv env_{"XDG_RUNTIME_DIR", runtime_.path()};
};

TEST_F(SessionBusBridgeTest, PostsAndCopyDataArriveOnTheWindowThread) {
    auto window = Make();
    auto bridge = SessionBusBridge::Join(window->GetHWND(), "T418-ZEN");
    ASSERT_NE(bridge, nullptr);
    const UINT light = platform::RegisterMessage("{4695579F-999A-41d4-9FAF-EFFCE93EBF17}");
    std::vector<std::pair<UINT, LPARAM>> posted;
    std::string copied;
    uintptr_t tag = 0;
    std::thread::id windowThread = std::this_thread::get_id(), handledOn;
    window->onMessage = [&](UINT msg, WPARAM, LPARAM l, bool& handled) -> LRESULT {
        handled = msg == WM_COPYDATA || msg == light;
        if (!handled)
            return 0;  // the library's own messages
        handledOn = std::this_thread::get_id();
        if (msg == WM_COPYDATA) {
            auto* record = reinterpret_cast<const COPYDATASTRUCT*>(l);
            copied.assign(static_cast<const char*>(record->lpData), record->cbData);
            tag = record->dwData;
        } else {
            posted.emplace_back(msg, l);
        }
        return 1;
    };

    std::atomic<bool> sent{false};
    std::thread other([&] {
        platform::PostToWindow("T418-ZEN", light, 1, 0);
        platform::Broadcast(light, 1, 1);
        sent = platform::SendCopyData("T418-ZEN", 10, std::string("\x01\x02\x03", 3));
    });
    EXPECT_TRUE(backend.PumpUntil([&] { return posted.size() == 2 && !copied.empty(); }));
    other.join();
    EXPECT_TRUE(sent);
    EXPECT_EQ(posted, (std::vector<std::pair<UINT, LPARAM>>{{light, 0}, {light, 1}}));
    EXPECT_EQ(copied, std::string("\x01\x02\x03", 3));
    EXPECT_EQ(tag, 10u);
    EXPECT_EQ(handledOn, windowThread);
}

TEST_F(SessionBusBridgeTest, ARecordThatWaitedPastItsDeadlineIsReportedAndNeverHandled) {
    // The window thread is busy: one sender gives up before it is free again, another waits
    // long enough. Neither holds the other up, and each learns what really happened.
    auto window = Make();
    auto bridge = SessionBusBridge::Join(window->GetHWND(), "T418-ZEN");
    ASSERT_NE(bridge, nullptr);
    std::vector<std::string> handled;
    window->onMessage = [&](UINT msg, WPARAM, LPARAM l, bool& done) -> LRESULT {
        done = msg == WM_COPYDATA;
        if (done) {
            auto* record = reinterpret_cast<const COPYDATASTRUCT*>(l);
            handled.emplace_back(static_cast<const char*>(record->lpData), record->cbData);
        }
        return 0;
    };
    std::atomic<int> impatient{-1}, patient{-1};
    std::thread first([&] { impatient = platform::SendCopyData("T418-ZEN", 1, "late", 200); });
    std::thread second([&] { patient = platform::SendCopyData("T418-ZEN", 2, "in time", 5000); });
    auto start = std::chrono::steady_clock::now();
    // Busy for a while, then the window thread handles its queue.
    while (impatient.load() == -1 &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(impatient.load(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(backend.PumpUntil([&] { return patient.load() != -1; }));
    first.join();
    second.join();
    EXPECT_EQ(patient.load(), 1);
    backend.ProcessPending();
    EXPECT_EQ(handled, (std::vector<std::string>{"in time"}));
}

TEST_F(SessionBusBridgeTest, LeavingWhileARecordWaitsForTheWindowEndsEverythingAtOnce) {
    auto window = Make();
    auto bridge = SessionBusBridge::Join(window->GetHWND(), "T418-ZEN");
    ASSERT_NE(bridge, nullptr);
    bool handled = false;
    window->onMessage = [&](UINT msg, WPARAM, LPARAM, bool& done) -> LRESULT {
        done = msg == WM_COPYDATA;
        handled = handled || done;
        return 0;
    };
    std::atomic<int> sent{-1};
    std::thread sender([&] { sent = platform::SendCopyData("T418-ZEN", 1, "x", 3000); });
    // Give the record time to reach the window's queue (this thread is not pumping).
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    auto start = std::chrono::steady_clock::now();
    bridge.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_FALSE(platform::WindowExists("T418-ZEN"));  // gone for senders, no thread left
    sender.join();
    EXPECT_EQ(sent.load(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    backend.ProcessPending();
    EXPECT_FALSE(handled);
    DestroyWindow(window->GetHWND());
    EXPECT_FALSE(SessionBusBridge::Join(window->GetHWND(), "T418-ZEN"));
}

}  // namespace
}  // namespace ui
