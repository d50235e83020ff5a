// Paint manager services the later windows rely on: DPI changes, posted notifications,
// context menus, virtual windows and caption dragging.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "ui/controls/ButtonUI.h"
#include "ui/layout/ContainerUI.h"

namespace ui {
namespace {

using testing::LayoutWindow;

constexpr const char* kLayout = R"(
<Window size="200,100" caption="0,0,0,30">
  <VerticalLayout name="root">
    <HorizontalLayout height="30" name="title"><Button name="closebtn" width="30"/></HorizontalLayout>
    <Button name="btn" height="30" menu="true"/>
    <VerticalLayout virtualwnd="page"><Button name="page_btn"/></VerticalLayout>
  </VerticalLayout>
</Window>)";

class PaintManagerTest : public testing::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        window = std::make_unique<LayoutWindow>(kLayout);
        ASSERT_NE(window->Create(nullptr, "pm", WS_POPUP | WS_VISIBLE, 0, 10, 20, 1, 1), nullptr);
        backend.ProcessPending();
        pm = window->GetPaintManager();
    }
    std::unique_ptr<LayoutWindow> window;
    CPaintManagerUI* pm = nullptr;
};

TEST_F(PaintManagerTest, SetAllDpiScalesWindowsAndLayoutsAndRaisesWindowSize) {
    window->seen.clear();
    CPaintManagerUI::SetAllDPI(144);
    EXPECT_EQ(window->GetWindowRect().Width(), 300);
    EXPECT_EQ(window->GetWindowRect().Height(), 150);
    pm->UpdateLayout();
    EXPECT_EQ(window->Find("btn")->GetPos().Height(), 45);
    EXPECT_EQ(window->TypesFrom("root"), (std::vector<std::string>{"windowsize"}));
    CPaintManagerUI::SetAllDPI(96);
    EXPECT_EQ(window->GetWindowRect().Width(), 200);
}

TEST_F(PaintManagerTest, PostedNotificationsArriveLaterAndNeverFromADeletedSender) {
    CControlUI* btn = window->Find("btn");
    CControlUI* page = window->Find("page_btn");
    window->seen.clear();
    pm->SendNotify(btn, "later", 1, 2, true);
    pm->SendNotify(page, "gone", 0, 0, true);
    EXPECT_TRUE(window->seen.empty());
    auto* parent = static_cast<IContainerUI*>(page->GetParent()->GetInterface("IContainer"));
    parent->Remove(page);
    backend.ProcessPending();
    ASSERT_EQ(window->seen.size(), 1u);
    EXPECT_EQ(window->seen[0].type, "later");
    EXPECT_EQ(window->seen[0].wParam, 1u);
}

TEST_F(PaintManagerTest, RightClickOnAControlWithMenuRaisesMenu) {
    window->seen.clear();
    Point p = window->CentreOf("btn");
    window->Native()->Click(p.x, p.y, MouseButton::Right);
    auto types = window->TypesFrom("btn");
    EXPECT_NE(std::find(types.begin(), types.end(), "menu"), types.end());
    EXPECT_EQ(std::count(types.begin(), types.end(), "click"), 0);
}

TEST_F(PaintManagerTest, NotificationsOfAVirtualWindowGoToItsPump) {
    CNotifyPump page;
    int pageClicks = 0;
    page.AddNotifyHandler("click", [&](TNotifyUI& msg) {
        EXPECT_EQ(msg.sVirtualWnd, "page");
        ++pageClicks;
    });
    ASSERT_TRUE(window->AddVirtualWnd("PAGE", &page));
    EXPECT_FALSE(window->AddVirtualWnd("page", &page));
    window->ClickOn("page_btn");
    EXPECT_EQ(pageClicks, 1);
    window->RemoveVirtualWnd("page");
}

TEST_F(PaintManagerTest, DraggingTheCaptionMovesTheWindowButNotOverButtons) {
    auto* native = window->Native();
    backend.SetCursorPos(Point{100, 50});
    native->MouseMove(100, 10);
    native->MouseDown(100, 10);
    backend.SetCursorPos(Point{130, 70});
    native->MouseMove(130, 30);
    native->MouseUp(130, 30);
    EXPECT_EQ(window->GetWindowRect().left, 40);
    EXPECT_EQ(window->GetWindowRect().top, 40);
    // A press on the close button clicks it instead.
    window->seen.clear();
    backend.SetCursorPos(Point{200, 200});
    window->ClickOn("closebtn");
    EXPECT_EQ(window->GetWindowRect().left, 40);
    EXPECT_EQ(window->TypesFrom("closebtn").back(), "click");
}

}  // namespace
}  // namespace ui
