// The gallery's controls under real input: each gesture and its effect read back.
#include "DesktopTestSupport.h"

namespace desktop {
namespace {

TEST_F(DesktopTest, ClicksDoubleClickAndRightClick) {
    ClickControl("btn_cancel");
    EXPECT_TRUE(Gallery().WaitFor("last_click", "btn_cancel"));
    EXPECT_EQ(Gallery().Value("clicks"), "1");
    ClickControl("opt_1000");
    EXPECT_TRUE(Gallery().WaitFor("opt_1000", "1"));
    EXPECT_EQ(Gallery().Value("opt_500"), "0") << "options of a group exclude each other";
    ClickControl("tab_keys");
    EXPECT_TRUE(Gallery().WaitFor("tab", "2"));

    const Box office = Gallery().ClientBox("list.row3");
    Desk().DoubleClick(office.CenterX(), office.CenterY());
    EXPECT_TRUE(Gallery().WaitFor("activated", "Office"));
    EXPECT_EQ(Gallery().Value("list"), "3");

    // Right click: the context menu opens at the pointer; a click on an item chooses it.
    OpenMenu();
    const Box space = Gallery().ScreenRect("combo_space");
    const Box menu = Gallery().StateBox("menu.rect");
    EXPECT_EQ(menu.left, space.left + 20);
    EXPECT_EQ(menu.top, space.top + 10);
    const Box save = Gallery().StateBox("menu.item.menu_save");
    Desk().Click(save.CenterX(), save.CenterY());
    EXPECT_TRUE(Gallery().WaitFor("menu.chosen", "menu_save"));
    EXPECT_TRUE(WaitPopupsGone());
}

TEST_F(DesktopTest, DraggingTheSliderAndTheScrollBarThumb) {
    const Box thumb = Gallery().ClientBox("slider.thumb");
    Desk().Drag(thumb.CenterX(), thumb.CenterY(), thumb.CenterX() + 80, thumb.CenterY() + 4);
    ASSERT_TRUE(DesktopSession::WaitUntil(
        [&] { return std::stoi("0" + Gallery().Value("slider")) > 80; }, 3000))
        << "slider at " << Gallery().Value("slider");
    const int value = std::stoi(Gallery().Value("slider"));
    EXPECT_EQ(Gallery().Value("slider_value"), "DPI stage: " + std::to_string(100 + value * 25));

    const Box bar = Gallery().ClientBox("list.thumb");
    Desk().Drag(bar.CenterX(), bar.CenterY(), bar.CenterX(), bar.CenterY() + 30);
    EXPECT_TRUE(DesktopSession::WaitUntil(
        [&] { return std::stoi("0" + Gallery().Value("list.scroll")) > 20; }, 3000));
    Desk().Drag(bar.CenterX(), bar.CenterY() + 30, bar.CenterX(), bar.CenterY() - 60);
    EXPECT_TRUE(Gallery().WaitFor("list.scroll", "0"));
}

TEST_F(DesktopTest, WheelScrollsTheListAndAClickPicksAColour) {
    const Box list = Gallery().ScreenRect("profile_list");
    Desk().Wheel(list.CenterX(), list.CenterY(), -2);
    EXPECT_TRUE(DesktopSession::WaitUntil(
        [&] { return std::stoi("0" + Gallery().Value("list.scroll")) > 0; }, 3000));
    Desk().Wheel(list.CenterX(), list.CenterY(), 3);
    EXPECT_TRUE(Gallery().WaitFor("list.scroll", "0"));

    const std::string before = Gallery().Value("palette");
    const Box palette = Gallery().ScreenRect("palette");
    Desk().Click(palette.left + 40, palette.top + 100);
    EXPECT_TRUE(
        DesktopSession::WaitUntil([&] { return Gallery().Value("palette") != before; }, 3000));
}

TEST_F(DesktopTest, TypingWithSelectionAndTheClipboard) {
    ClickControl("edit_name");
    ASSERT_TRUE(Gallery().WaitFor("focus", "edit_name"));
    Desk().Key("End");
    for (int i = 0; i < 3; ++i)
        Desk().Key("shift+Left");
    EXPECT_TRUE(Gallery().WaitFor("edit_name.sel", "8,11"));
    Desk().Type("two");
    EXPECT_TRUE(Gallery().WaitFor("edit_name", "Profile two"));

    Desk().Key("ctrl+a");
    EXPECT_TRUE(Gallery().WaitFor("edit_name.sel", "0,11"));
    Desk().Key("ctrl+c");
    Desk().Key("End");
    Desk().Type(" and ");
    Desk().Key("ctrl+v");
    EXPECT_TRUE(Gallery().WaitFor("edit_name", "Profile two and Profile two"))
        << Gallery().Value("edit_name");

    ClickControl("edit_digits");
    Desk().Key("ctrl+a");
    Desk().Type("12ab34");
    EXPECT_TRUE(Gallery().WaitFor("edit_digits", "1234")) << "letters stay out";
}

TEST_F(DesktopTest, TabMovesTheFocusInLayoutOrder) {
    ClickControl("edit_name");
    ASSERT_TRUE(Gallery().WaitFor("focus", "edit_name"));
    Desk().Key("Tab");
    EXPECT_TRUE(Gallery().WaitFor("focus", "edit_digits"));
    Desk().Key("Tab");
    EXPECT_TRUE(Gallery().WaitFor("focus", "combo_rate"));
    Desk().Key("shift+Tab");
    EXPECT_TRUE(Gallery().WaitFor("focus", "edit_digits"));
}

// What the X server sends reaches the input observers as the key tables' codes: table
// code, scan code, extended flag. Right Shift must come as 0x36 extended. The gallery's key
// watch only looks; the edit behind it keeps working.
TEST_F(DesktopTest, RealKeysCarryTheKeyTablesCodes) {
    ClickControl("edit_digits");
    ASSERT_TRUE(Gallery().WaitFor("focus", "edit_digits"));
    const std::pair<const char*, const char*> keys[] = {
        {"Shift_R", "A1,36,1"},   {"Shift_L", "A0,2A,0"}, {"Control_R", "A3,1D,1"},
        {"KP_Enter", "101,1C,1"}, {"Return", "D,1C,0"},   {"Pause", "13,45,0"},
        {"Num_Lock", "90,45,1"},  {"a", "41,1E,0"},       {"Num_Lock", "90,45,1"},
    };  // Print is the window manager's (it takes a screenshot), so it never reaches us
    for (const auto& [key, codes] : keys) {
        Desk().Key(key);
        EXPECT_TRUE(Gallery().WaitFor("key.last", codes))
            << key << ": " << Gallery().Value("key.last");
    }
}

TEST_F(DesktopTest, ComboChoiceByClickAndByKeyboard) {
    OpenComboList();
    const Box item = Gallery().StateBox("combo.item3");
    Desk().Click(item.CenterX(), item.CenterY());
    EXPECT_TRUE(Gallery().WaitFor("combo", "3"));
    EXPECT_EQ(Gallery().Value("combo.text"), "1000 Hz");
    EXPECT_TRUE(WaitPopupsGone());

    ASSERT_TRUE(Gallery().WaitFor("focus", "combo_rate"));
    Desk().Key("alt+Down");
    EXPECT_TRUE(Gallery().WaitFor("combo.open", "1"));
    Desk().Key("Down");
    EXPECT_TRUE(Gallery().WaitFor("combo", "4"));
    Desk().Key("Return");
    EXPECT_TRUE(WaitPopupsGone());
    EXPECT_EQ(Gallery().Value("combo.text"), "2000 Hz");

    Desk().Key("F4");
    EXPECT_TRUE(Gallery().WaitFor("combo.open", "1"));
    Desk().Key("Escape");
    EXPECT_TRUE(WaitPopupsGone());
    EXPECT_EQ(Gallery().Value("combo"), "4");
}

}  // namespace
}  // namespace desktop
