// One lifetime rule for windows that own themselves: destroyed inside their own message, they
// are deleted once that message has been handled, never under the code handling it.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"

namespace ui {
namespace {

using testing::LayoutWindow;

constexpr const char* kLifetimeLayout = R"(<Window size="100,80"><VerticalLayout name="root">
    <Button name="ok_btn" height="30"/><Control/></VerticalLayout></Window>)";

// Owns itself; tells the test when it is deleted.
class SelfOwnedWindow : public LayoutWindow {
  public:
    explicit SelfOwnedWindow(bool& deleted) : LayoutWindow(kLifetimeLayout), deleted_(deleted) {
        ownsItself = true;
    }
    ~SelfOwnedWindow() override { deleted_ = true; }

    // Runs inside the window's own notification.
    std::function<void(TNotifyUI&)> onNotify;
    void Notify(TNotifyUI& msg) override {
        if (onNotify)
            onNotify(msg);
        else
            LayoutWindow::Notify(msg);
    }

  private:
    bool& deleted_;
};

class WindowLifetimeTest : public testing::HeadlessTest {
  protected:
    SelfOwnedWindow* Open() {
        auto* window = new SelfOwnedWindow(deleted);
        EXPECT_NE(window->Create(nullptr, "self", WS_POPUP | WS_VISIBLE, 0, 0, 0, 100, 80),
                  nullptr);
        backend.ProcessPending();
        return window;
    }
    bool deleted = false;
};

TEST_F(WindowLifetimeTest, AWindowDestroyedByItsOwnClickGoesAfterTheClick) {
    SelfOwnedWindow* window = Open();
    HWND hwnd = window->GetHWND();
    bool aliveAfterDestroy = false;
    window->onNotify = [&](TNotifyUI& msg) {
        if (msg.sType != "click")
            return;
        DestroyWindow(hwnd);  // at once, inside the button-up that raised the click
        aliveAfterDestroy = !deleted && !IsWindow(hwnd);
    };
    auto* native = window->Native();
    Point p = window->CentreOf("ok_btn");
    native->MouseMove(p.x, p.y);
    native->MouseDown(p.x, p.y);
    native->MouseUp(p.x, p.y);  // the native window is gone after this: touch it no more
    EXPECT_TRUE(aliveAfterDestroy);
    EXPECT_TRUE(deleted);
}

TEST_F(WindowLifetimeTest, AControlTimerThatClosesItsWindowRunsToItsEnd) {
    SelfOwnedWindow* window = Open();
    HWND hwnd = window->GetHWND();
    CControlUI* button = window->Find("ok_btn");
    bool aliveAfterDestroy = false;
    int ticks = 0;
    window->onNotify = [&](TNotifyUI& msg) {
        if (msg.sType != "timer")
            return;
        ++ticks;
        DestroyWindow(hwnd);
        aliveAfterDestroy = !deleted;
    };
    window->GetPaintManager()->SetTimer(button, 7, 100);
    backend.AdvanceTime(350);
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(aliveAfterDestroy);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(backend.ActiveTimerCount(), 0);
}

}  // namespace
}  // namespace ui
