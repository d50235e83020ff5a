// The message model: sends across threads, posts, modal loops and the quit message.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "UiTestSupport.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"

namespace ui {
namespace {

using testing::LayoutWindow;

constexpr const char* kSmall = R"(<Window size="100,80"><VerticalLayout name="root">
    <Button name="ok_btn" height="30"/><Button name="closebtn"/></VerticalLayout></Window>)";
constexpr UINT kDeviceAdd = 3090;

class MessageModelTest : public testing::HeadlessTest {
  protected:
    std::unique_ptr<LayoutWindow> Make(HWND owner = nullptr) {
        auto window = std::make_unique<LayoutWindow>(kSmall);
        EXPECT_NE(window->Create(owner, "w", WS_POPUP, 0, 0, 0, 100, 80), nullptr);
        return window;
    }
};

TEST_F(MessageModelTest, SendFromAWorkerThreadRunsOnTheWindowThreadAndReturnsTheResult) {
    auto window = Make();
    std::thread::id handledOn;
    window->onMessage = [&](UINT msg, WPARAM w, LPARAM l, bool& handled) -> LRESULT {
        handled = msg == kDeviceAdd;
        handledOn = std::this_thread::get_id();
        return static_cast<LRESULT>(w + l);
    };
    std::atomic<LRESULT> result{-1};
    std::thread worker([&] { result = SendMessage(window->GetHWND(), kDeviceAdd, 40, 2); });
    EXPECT_TRUE(backend.PumpUntil([&] { return result.load() != -1; }));
    worker.join();
    EXPECT_EQ(result.load(), 42);
    EXPECT_EQ(handledOn, std::this_thread::get_id());
}

TEST_F(MessageModelTest, ASendWaitingForAWindowIsReleasedWhenTheWindowIsDestroyed) {
    auto window = Make();
    HWND hwnd = window->GetHWND();
    std::atomic<bool> returned{false};
    std::atomic<LRESULT> result{-1};
    std::thread worker([&] {
        result = SendMessage(hwnd, kDeviceAdd, 1, 1);
        returned = true;
    });
    // The window thread destroys the window instead of pumping the send.
    while (!returned) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
    }
    worker.join();
    EXPECT_EQ(result.load(), 0);
    EXPECT_TRUE(window->messages.empty());
    // Sends and posts to a dead handle fail at once.
    EXPECT_EQ(SendMessage(hwnd, kDeviceAdd, 0, 0), 0);
    EXPECT_FALSE(PostMessage(hwnd, kDeviceAdd, 0, 0));
}

TEST_F(MessageModelTest, PostedMessagesArriveInOrderFromTheQueue) {
    auto window = Make();
    std::vector<WPARAM> order;
    window->onMessage = [&](UINT msg, WPARAM w, LPARAM, bool& handled) -> LRESULT {
        handled = msg == WM_USER + 5;
        if (handled)
            order.push_back(w);
        return 0;
    };
    for (WPARAM i = 0; i < 5; ++i)
        EXPECT_TRUE(PostMessage(window->GetHWND(), WM_USER + 5, i, 0));
    EXPECT_TRUE(order.empty());
    backend.ProcessPending();
    EXPECT_EQ(order, (std::vector<WPARAM>{0, 1, 2, 3, 4}));
}

TEST_F(MessageModelTest, CopyDataReachesTheWindowWithItsRecord) {
    auto window = Make();
    std::string received;
    window->onMessage = [&](UINT msg, WPARAM, LPARAM l, bool& handled) -> LRESULT {
        handled = msg == WM_COPYDATA;
        if (handled) {
            auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(l);
            received.assign(static_cast<const char*>(cds->lpData), cds->cbData);
            return static_cast<LRESULT>(cds->dwData);
        }
        return 0;
    };
    COPYDATASTRUCT cds{5, 3, "abc"};
    EXPECT_EQ(SendMessage(window->GetHWND(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)), 5);
    EXPECT_EQ(received, "abc");
}

TEST_F(MessageModelTest, AModalDialogReturnsTheValueGivenToClose) {
    auto owner = Make();
    auto dialog = Make(owner->GetHWND());
    backend.Schedule([&] {
        EXPECT_FALSE(owner->IsWindowEnabled());
        dialog->Close(42);
    });
    EXPECT_EQ(dialog->ShowModal(), 42u);
    EXPECT_TRUE(owner->IsWindowEnabled());
    EXPECT_FALSE(IsWindow(dialog->GetHWND()));
    EXPECT_TRUE(dialog->finalMessage);
}

TEST_F(MessageModelTest, AModalDialogClosedByItsCloseButtonReturnsCancel) {
    auto dialog = Make();
    backend.Schedule([&] { dialog->ClickOn("closebtn"); });
    EXPECT_EQ(dialog->ShowModal(), static_cast<UINT>(IDCANCEL));
}

TEST_F(MessageModelTest, AQuitPostedInsideAModalDialogEndsOnlyTheDialog) {
    auto main = Make();
    auto dialog = Make(main->GetHWND());
    bool mainLoopEnded = false;
    backend.Schedule([&] {
        EXPECT_EQ(dialog->ShowModal(), static_cast<UINT>(IDCANCEL));
        EXPECT_TRUE(IsWindow(main->GetHWND()));
        // The program's loop is still running; only the next quit ends it.
        backend.Schedule([&] { PostQuitMessage(7); });
    });
    backend.Schedule([&] { PostQuitMessage(0); });
    int code = CPaintManagerUI::MessageLoop();
    mainLoopEnded = true;
    EXPECT_EQ(code, 7);
    EXPECT_TRUE(mainLoopEnded);
    EXPECT_FALSE(IsWindow(dialog->GetHWND()));
}

TEST_F(MessageModelTest, ClosingAModalDialogFromANestedDialogEndsBothInOrder) {
    auto outer = Make();
    auto inner = Make(outer->GetHWND());
    UINT innerResult = 0;
    backend.Schedule([&] {
        backend.Schedule([&] {
            outer->Close(3);  // the outer dialog goes while the inner one still runs
            inner->Close(4);
        });
        innerResult = inner->ShowModal();
    });
    EXPECT_EQ(outer->ShowModal(), 3u);
    EXPECT_EQ(innerResult, 4u);
}

TEST_F(MessageModelTest, FindWindowByTitle) {
    auto window = Make();
    window->SetTitle("ZoviDuri");
    EXPECT_EQ(FindWindow("", "ZoviDuri"), window->GetHWND());
    EXPECT_EQ(FindWindow("LayoutWindow", "ZoviDuri"), window->GetHWND());
    EXPECT_EQ(FindWindow("", "Nobody"), nullptr);
}

}  // namespace
}  // namespace ui
