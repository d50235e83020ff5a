// Pop-ups of the Qt realisation go away as the desktop's own (offscreen here; the real
// desktop is tests/desktop/).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include "QtHarness.h"
#include "ui/core/UIDefs.h"
#include "ui/qt/QtWindow.h"

using namespace ui;

namespace {

struct PopupEvents : NativeWindowEvents {
    int presses = 0;
    int releases = 0;
    int closeRequests = 0;
    int focusLost = 0;
    void OnPaint(RenderTarget&, const Rect&) override {}
    void OnMouse(const MouseEvent& e) override {
        presses += e.action == MouseAction::Down;
        releases += e.action == MouseAction::Up;
    }
    void OnKey(const KeyEvent&) override {}
    void OnText(const std::string&) override {}
    void OnFocus(bool gained) override { focusLost += gained ? 0 : 1; }
    void OnResize(Size) override {}
    void OnMove(Point) override {}
    void OnCloseRequest() override { ++closeRequests; }
    void OnDpiChanged(int) override {}
};

QWidget* WidgetOf(NativeWindow& window) {
    return static_cast<qt::QtWindow&>(window).Widget();
}

void Press(QWidget* widget, QPoint local) {
    const QPointF global = widget->mapToGlobal(QPointF(local));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(local), global, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

std::unique_ptr<NativeWindow> OpenPopup(PopupEvents& events, NativeWindow* owner = nullptr) {
    NativeWindowParams params;
    params.rect = {100, 100, 160, 160};
    params.popup = true;
    params.owner = owner;
    auto window = qt_test::Backend().CreateNativeWindow(params, events);
    window->Show(true, true);
    return window;
}

TEST(QtPopupTest, APressOutsideHidesThePopupAndReachesNothing) {
    PopupEvents events;
    auto popup = OpenPopup(events);
    QWidget* widget = WidgetOf(*popup);
    ASSERT_EQ(QApplication::activePopupWidget(), widget);

    Press(widget, QPoint(5, 5));
    EXPECT_EQ(events.presses, 1) << "a press inside is the pop-up's own";
    Press(widget, QPoint(-20, 30));
    EXPECT_FALSE(widget->isVisible()) << "hidden at once";
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(events.presses, 1) << "the closing press is nobody's";
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 10), QPointF(110, 110),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
    EXPECT_EQ(events.releases, 0) << "nor is its release, over the hidden list";
    EXPECT_EQ(events.closeRequests, 0) << "not from inside the native event";
    QCoreApplication::processEvents();
    EXPECT_EQ(events.closeRequests, 1);

    // The library destroys it then; its widget goes once the loop runs.
    QPointer<QWidget> gone = widget;
    popup.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
}

TEST(QtPopupTest, ANoActivateWindowIsAPopupThatTakesNoFocusAndLosesItWhenPressedOutside) {
    PopupEvents events;
    NativeWindowParams params;
    params.rect = {100, 100, 160, 160};
    params.popup = true;  // as CWindowWnd::Create makes every WS_EX_NOACTIVATE window
    params.exStyle = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    auto frame = qt_test::Backend().CreateNativeWindow(params, events);
    frame->Show(true, false);
    QWidget* widget = WidgetOf(*frame);
    EXPECT_TRUE(widget->windowFlags().testFlag(Qt::Popup));
    EXPECT_TRUE(widget->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(widget->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(widget->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
    ASSERT_EQ(QApplication::activePopupWidget(), widget);

    Press(widget, QPoint(-20, 30));
    EXPECT_FALSE(widget->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(events.focusLost, 1) << "never focused, yet told of the loss";
    EXPECT_EQ(events.closeRequests, 1);
}

TEST(QtPopupTest, TheOwnerMovedOrHiddenDismissesThePopup) {
    PopupEvents ownerEvents, events;
    NativeWindowParams params;
    params.rect = {50, 50, 350, 250};
    auto owner = qt_test::Backend().CreateNativeWindow(params, ownerEvents);
    owner->Show(true, true);

    auto popup = OpenPopup(events, owner.get());
    QCoreApplication::processEvents();
    owner->SetRect(Rect{80, 50, 380, 250});
    QCoreApplication::processEvents();
    EXPECT_FALSE(WidgetOf(*popup)->isVisible());
    EXPECT_EQ(events.closeRequests, 1);

    PopupEvents again;
    auto second = OpenPopup(again, owner.get());
    QCoreApplication::processEvents();
    owner->Show(false, false);
    QCoreApplication::processEvents();
    EXPECT_FALSE(WidgetOf(*second)->isVisible());
    EXPECT_EQ(again.closeRequests, 1);
}

TEST(QtPopupTest, AnotherWindowShownActiveDismissesThePopups) {
    PopupEvents events, otherEvents;
    auto popup = OpenPopup(events);
    NativeWindowParams params;
    params.rect = {400, 100, 500, 200};
    auto other = qt_test::Backend().CreateNativeWindow(params, otherEvents);
    other->Show(true, true);
    EXPECT_FALSE(WidgetOf(*popup)->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(events.closeRequests, 1);
    EXPECT_EQ(otherEvents.closeRequests, 0);
}

TEST(QtPopupTest, AWindowShownOverItsDisabledOwnerIsModal) {
    PopupEvents ownerEvents, dialogEvents, toolEvents;
    NativeWindowParams params;
    params.rect = {50, 50, 350, 250};
    auto owner = qt_test::Backend().CreateNativeWindow(params, ownerEvents);
    owner->Show(true, true);
    params.owner = owner.get();
    params.rect = {100, 100, 200, 200};
    auto tool = qt_test::Backend().CreateNativeWindow(params, toolEvents);
    tool->Show(true, false);
    EXPECT_FALSE(WidgetOf(*tool)->isModal());

    owner->SetEnabled(false);
    auto dialog = qt_test::Backend().CreateNativeWindow(params, dialogEvents);
    dialog->Show(true, true);
    EXPECT_TRUE(WidgetOf(*dialog)->isModal());
    owner->SetEnabled(true);
}

}  // namespace
