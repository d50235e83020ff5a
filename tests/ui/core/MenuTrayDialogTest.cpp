// Pop-up menus, the tray icon and the file dialog interface, driven headless.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "platform/Trace.h"
#include "ui/shell/FileDialog.h"
#include "ui/shell/MenuWnd.h"
#include "ui/shell/TrayIcon.h"

namespace ui {
namespace {

using testing::LayoutWindow;

constexpr const char* kMain = R"(<Window size="400,300"><VerticalLayout name="root"/></Window>)";
constexpr const char* kMenu = R"(<Window><Menu width="120">
    <MenuElement name="about_menu" text="About" userdata="a"/>
    <MenuElement name="mute" text="Mute" checkable="true"/>
    <MenuElement name="exit" text="Exit"/>
  </Menu></Window>)";

class MenuTest : public testing::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        main = std::make_unique<LayoutWindow>(kMain);
        ASSERT_NE(main->Create(nullptr, "main", WS_POPUP | WS_VISIBLE, 0, 0, 0, 400, 300), nullptr);
        main->onMessage = [this](UINT msg, WPARAM w, LPARAM, bool& handled) -> LRESULT {
            handled = msg == WM_MENUCLICK;
            if (handled) {
                auto* cmd = reinterpret_cast<MenuCmd*>(w);
                chosen.push_back(cmd->szName + "/" + cmd->szUserData +
                                 (cmd->bChecked ? "/on" : ""));
                main->GetPaintManager()->DeletePtr(cmd);
            }
            return 0;
        };
    }
    headless::HeadlessWindow* MenuWindow() {
        for (auto* w : backend.Windows()) {
            if (w->Params().popup)
                return w;
        }
        return nullptr;
    }
    std::unique_ptr<LayoutWindow> main;
    std::vector<std::string> chosen;
};

TEST_F(MenuTest, AChosenItemReachesTheOwnerByNameAndTheMenuCloses) {
    CMenuWnd* menu = CMenuWnd::CreateMenu(nullptr, kMenu, Point{50, 60}, main->GetPaintManager());
    ASSERT_NE(menu, nullptr);
    headless::HeadlessWindow* native = MenuWindow();
    ASSERT_NE(native, nullptr);
    EXPECT_TRUE(native->IsVisible());
    EXPECT_EQ(native->GetRect(), (Rect{50, 60, 170, 60 + 3 * 26}));
    native->Click(60, 13);  // the first item
    backend.ProcessPending();
    EXPECT_EQ(chosen, (std::vector<std::string>{"about_menu/a"}));
    EXPECT_EQ(MenuWindow(), nullptr);
}

TEST_F(MenuTest, EscapeAndLosingFocusCloseWithoutAChoice) {
    ASSERT_NE(CMenuWnd::CreateMenu(nullptr, kMenu, Point{0, 0}, main->GetPaintManager()), nullptr);
    MenuWindow()->PressKey(VK_ESCAPE);
    backend.ProcessPending();
    EXPECT_EQ(MenuWindow(), nullptr);
    ASSERT_NE(CMenuWnd::CreateMenu(nullptr, kMenu, Point{0, 0}, main->GetPaintManager()), nullptr);
    MenuWindow()->Focus(false);
    backend.ProcessPending();
    EXPECT_EQ(MenuWindow(), nullptr);
    EXPECT_TRUE(chosen.empty());
}

TEST_F(MenuTest, CheckInfoFollowsCheckableItems) {
    std::map<std::string, bool> checks{{"mute", true}};
    ASSERT_NE(CMenuWnd::CreateMenu(nullptr, kMenu, Point{0, 0}, main->GetPaintManager(), &checks),
              nullptr);
    MenuWindow()->Click(10, 26 + 13);
    backend.ProcessPending();
    EXPECT_FALSE(checks["mute"]);
    EXPECT_EQ(chosen, (std::vector<std::string>{"mute/"}));
}

TEST_F(MenuTest, AMenuTakesItsOwnersDpi) {
    main->GetPaintManager()->SetDPI(144);
    CMenuWnd* menu = CMenuWnd::CreateMenu(nullptr, kMenu, Point{50, 60}, main->GetPaintManager());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetPaintManager()->GetDPI(), 144);
    ASSERT_NE(MenuWindow(), nullptr);
    EXPECT_EQ(MenuWindow()->GetRect(), (Rect{50, 60, 50 + 180, 60 + 3 * 39}));
    menu->Close();
    backend.ProcessPending();
}

TEST_F(MenuTest, MenusStayOnTheScreenAndFollowTheirAlignment) {
    Rect work{0, 0, 1000, 800};
    EXPECT_EQ(CMenuWnd::PlaceMenu(Size{100, 50}, Point{200, 300},
                                  eMenuAlignment_Right | eMenuAlignment_Bottom, work),
              (Rect{100, 250, 200, 300}));
    // Near the bottom right corner the menu opens up and to the left of the point.
    EXPECT_EQ(CMenuWnd::PlaceMenu(Size{100, 50}, Point{990, 790},
                                  eMenuAlignment_Left | eMenuAlignment_Top, work),
              (Rect{890, 740, 990, 790}));
}

TEST_F(MenuTest, ABadMenuLayoutOpensNothing) {
    platform::TraceCapture trace;
    EXPECT_EQ(CMenuWnd::CreateMenu(nullptr, "<Window><Menu>", Point{0, 0}, main->GetPaintManager()),
              nullptr);
    EXPECT_EQ(MenuWindow(), nullptr);
    EXPECT_TRUE(trace.Contains("could not be opened"));
}

TEST_F(MenuTest, TrayClicksArriveAsTheTrayMessage) {
    std::vector<LPARAM> clicks;
    main->onMessage = [&](UINT msg, WPARAM w, LPARAM l, bool& handled) -> LRESULT {
        handled = msg == UIMSG_TRAYICON;
        if (handled) {
            EXPECT_EQ(w, 107u);
            clicks.push_back(l);
        }
        return 0;
    };
    CTrayIcon tray;
    tray.CreateTrayIcon(main->GetHWND(), 107, "T418-ZEN");
    ASSERT_TRUE(tray.IsVisible());
    ASSERT_NE(backend.LastTrayIcon(), nullptr);
    EXPECT_EQ(backend.LastTrayIcon()->ToolTip(), "T418-ZEN");
    backend.LastTrayIcon()->Click(MouseButton::Left);
    backend.LastTrayIcon()->Click(MouseButton::Right);
    backend.ProcessPending();
    EXPECT_EQ(clicks, (std::vector<LPARAM>{WM_LBUTTONUP, WM_RBUTTONUP}));
    tray.DeleteTrayIcon();
    EXPECT_EQ(backend.LastTrayIcon(), nullptr);
}

TEST_F(MenuTest, WithoutATrayTheProgramGoesOnAndSaysSo) {
    backend.SetTrayAvailable(false);
    platform::TraceCapture trace;
    CTrayIcon tray;
    tray.CreateTrayIcon(main->GetHWND(), 107, "T418-ZEN");
    EXPECT_FALSE(tray.IsVisible());
    EXPECT_TRUE(trace.Contains("no tray"));
    EXPECT_FALSE(tray.SetTooltipText("x"));
    tray.DeleteTrayIcon();
}

TEST(FileDialogTest, ScriptedDialogAnswersInOrderAndRecordsTheRequests) {
    ScriptedFileDialog scripted;
    SetFileDialog(&scripted);
    scripted.Answer("/tmp/a.json");
    EXPECT_EQ(ShowOpenFileDialog(nullptr, "Import", ParseFileFilter("Profile (*.json)|*.json|")),
              "/tmp/a.json");
    EXPECT_EQ(ShowSaveFileDialog(nullptr, "Export", {}, "/tmp", "p.json"), "");
    ASSERT_EQ(scripted.Requests().size(), 2u);
    EXPECT_EQ(scripted.Requests()[0].filters, (std::vector<std::string>{"Profile (*.json)"}));
    EXPECT_EQ(scripted.Requests()[1].fileName, "p.json");
    EXPECT_EQ(scripted.WasSave(), (std::vector<bool>{false, true}));
    SetFileDialog(nullptr);
}

TEST(FileDialogTest, Win32FilterStringsBecomeEntries) {
    std::string filter("Macro file\0*.mac\0All files (*.*)\0*.*\0\0", 38);
    EXPECT_EQ(ParseFileFilter(filter),
              (std::vector<std::string>{"Macro file (*.mac)", "All files (*.*)"}));
    EXPECT_EQ(ParseFileFilter("Images|*.png;*.jpg"),
              (std::vector<std::string>{"Images (*.png *.jpg)"}));
}

}  // namespace
}  // namespace ui
