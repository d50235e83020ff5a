// Pop-ups close as the desktop's own do: a click elsewhere closes them and reaches nothing
// else; the owner window moved, minimised or deactivated closes them too.
#include "DesktopTestSupport.h"

namespace desktop {
namespace {

// After a pop-up went, the program has surely seen the rest of the click by then.
constexpr int kSettleMs = 200;

TEST_F(DesktopTest, ComboListClosesOnAClickElsewhereThatReachesNothing) {
    OpenComboList();
    SaveScreenshot("combo-open");
    ASSERT_EQ(Gallery().Value("chk_start"), "0");
    const std::string clicks = Gallery().Value("clicks");

    ClickControl("chk_start");
    EXPECT_TRUE(WaitPopupsGone()) << "the list stays open after a click elsewhere";
    DesktopSession::Pause(kSettleMs);
    EXPECT_EQ(Gallery().Value("chk_start"), "0") << "the closing click reached the check box";
    EXPECT_EQ(Gallery().Value("clicks"), clicks);
    EXPECT_EQ(Gallery().Value("combo"), "-1") << "closing chose nothing";

    ClickControl("chk_start");
    EXPECT_TRUE(Gallery().WaitFor("chk_start", "1")) << "the next click works as usual";
}

TEST_F(DesktopTest, MenuClosesOnAClickElsewhereThatReachesNothing) {
    OpenMenu();
    SaveScreenshot("menu-open");
    ClickControl("chk_start");
    EXPECT_TRUE(WaitPopupsGone()) << "the menu stays open after a click elsewhere";
    DesktopSession::Pause(kSettleMs);
    EXPECT_EQ(Gallery().Value("chk_start"), "0");
    EXPECT_EQ(Gallery().Value("menu.chosen"), "");

    ClickControl("chk_start");
    EXPECT_TRUE(Gallery().WaitFor("chk_start", "1"));

    // Nor does a right click elsewhere open the next menu: its release is the closing click's.
    OpenMenu();
    ClickControl("chk_tray", 3);
    EXPECT_TRUE(WaitPopupsGone());
    DesktopSession::Pause(kSettleMs);
    EXPECT_EQ(Gallery().Value("menu.opened"), "2");
    EXPECT_EQ(Gallery().Value("menu.open"), "0");
}

TEST_F(DesktopTest, PopUpsCloseOnAClickOnTheDesktop) {
    OpenComboList();
    ClickDesktop();
    EXPECT_TRUE(WaitPopupsGone());
    ClickControl("chk_start");
    EXPECT_TRUE(Gallery().WaitFor("chk_start", "1")) << "the program takes clicks again";

    OpenMenu();
    ClickDesktop();
    EXPECT_TRUE(WaitPopupsGone());
    ClickControl("chk_start");
    EXPECT_TRUE(Gallery().WaitFor("chk_start", "0"));
}

TEST_F(DesktopTest, PopUpsCloseWhenTheOwnerWindowMoves) {
    OpenComboList();
    const WindowInfo main = Gallery().Window();
    Desk().MoveWindow(main.id, main.rect.left + 40, main.rect.top + 20);
    EXPECT_TRUE(WaitPopupsGone()) << "the list stays behind when its window moves";
    ASSERT_TRUE(DesktopSession::WaitUntil(
        [&] { return Gallery().Window().rect.left == main.rect.left + 40; }, 3000));

    OpenMenu();
    Desk().MoveWindow(main.id, main.rect.left, main.rect.top);
    EXPECT_TRUE(WaitPopupsGone());
}

TEST_F(DesktopTest, PopUpsCloseWhenAnotherProgramIsActivated) {
    OpenComboList();
    const unsigned long other = Desk().ActivateForeignWindow(Box{1180, 10, 1270, 60});
    EXPECT_TRUE(DesktopSession::WaitUntil([&] { return Desk().ActiveWindow() == other; }, 3000));
    EXPECT_TRUE(WaitPopupsGone()) << "the list stays open over another program";

    ClickControl("chk_start");  // back to the gallery
    EXPECT_TRUE(Gallery().WaitFor("chk_start", "1"));
    OpenMenu();
    Desk().ActivateForeignWindow(Box{1180, 70, 1270, 120});
    EXPECT_TRUE(WaitPopupsGone());
}

TEST_F(DesktopTest, PopUpsCloseWhenTheOwnerWindowIsMinimised) {
    OpenComboList();
    Desk().Iconify(Gallery().Window().id);
    EXPECT_TRUE(WaitPopupsGone()) << "the list stays on the screen without its window";
    EXPECT_FALSE(Desk().FindWindow(GalleryProcess::kTitle).has_value());
}

TEST_F(DesktopTest, EscapeClosesTheComboListAndTheMenu) {
    OpenComboList();
    Desk().Key("Escape");
    EXPECT_TRUE(WaitPopupsGone());
    OpenMenu();
    Desk().Key("Escape");
    EXPECT_TRUE(WaitPopupsGone());
    EXPECT_EQ(Gallery().Value("menu.chosen"), "");
}

}  // namespace
}  // namespace desktop
