#include "ControlsTestSupport.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/ListUI.h"
#include "ui/controls/ScrollBarUI.h"

namespace ui::controls_test {
namespace {

using Types = std::vector<std::string>;

const char* kComboLayout = R"(
<Window size="400,300">
  <HorizontalLayout>
    <VerticalLayout width="150">
      <Combo name="ble_sleep1_combo" height="30" dropboxsize="0,200">
        <ListLabelElement text="1 min" userdata="1" height="30"/>
        <ListLabelElement text="5 min" userdata="5" height="30"/>
        <ListLabelElement text="30 min" userdata="30" height="30"/>
      </Combo>
      <Control/>
    </VerticalLayout>
    <List name="macro_name_list" width="200" multiselect="true" itemheight="30">
      <ListHeader>
        <ListHeaderItem name="name_column" text="Name" width="160"/>
      </ListHeader>
    </List>
  </HorizontalLayout>
</Window>)";

class ComboListTest : public ControlsTest {
  protected:
    void SetUp() override {
        Open(kComboLayout);
        list = window->Get<CListUI>("macro_name_list");
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < 20; ++i) {
            auto* row = new CListLabelElementUI;
            row->SetName("row" + std::to_string(i));
            row->SetText("Macro " + std::to_string(i));
            list->Add(row);
        }
        window->GetPaintManager()->UpdateLayout();
    }
    Point RowCentre(int index) {
        window->GetPaintManager()->UpdateLayout();
        return Centre(list->GetItemAt(index)->GetPos());
    }
    CListUI* list = nullptr;
};

TEST_F(ComboListTest, ComboSelectsByIndexAndUserDataWithOrWithoutNotification) {
    auto* combo = window->Get<CComboUI>("BLE_SLEEP1_COMBO");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetCount(), 3);
    EXPECT_EQ(combo->GetCurSel(), -1);
    EXPECT_TRUE(combo->SelectItem1(1, false, false));
    EXPECT_EQ(combo->GetText(), "5 min");
    EXPECT_TRUE(window->From("ble_sleep1_combo").empty());
    EXPECT_TRUE(combo->UserDataSetSelectItem(30, false, true));
    EXPECT_EQ(combo->GetCurSel(), 2);
    ASSERT_NE(window->Last("itemselect"), nullptr);
    EXPECT_EQ(window->Last("itemselect")->wParam, 2u);
    EXPECT_EQ(window->Last("itemselect")->lParam, 1);
    EXPECT_FALSE(combo->UserDataSetSelectItem("7"));  // unknown value: selection kept
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(combo->GetItemUserData(0), "1");

    // Removing the selected item leaves none selected; later items move up.
    combo->SelectItem(1, false, false);
    combo->RemoveAt(0);
    EXPECT_EQ(combo->GetCurSel(), 0);
    combo->RemoveAt(0);
    EXPECT_EQ(combo->GetCurSel(), -1);
    EXPECT_EQ(combo->GetText(), "");
}

TEST_F(ComboListTest, ComboDropDownListPicksAnItemAndCloses) {
    auto* combo = window->Get<CComboUI>("ble_sleep1_combo");
    combo->SelectItem(0, false, false);
    const Point c = Centre(combo->GetPos());
    window->Native()->Click(c.x, c.y);
    ASSERT_TRUE(combo->IsDropDownOpen());
    EXPECT_EQ(window->From("ble_sleep1_combo"), (Types{"dropdown"}));
    CComboWnd* drop = combo->GetDropDownWindow();
    auto* native = static_cast<headless::HeadlessWindow*>(drop->GetNativeWindow());
    // The list opens right under the field, as wide as it, as tall as its items.
    const Rect dropRect = native->GetRect();
    const Rect mainRect = window->Native()->GetRect();
    EXPECT_EQ(dropRect.top, mainRect.top + combo->GetPos().bottom);
    EXPECT_EQ(dropRect.Width(), combo->GetWidth());
    EXPECT_EQ(dropRect.Height(), 92);

    drop->GetPaintManager().UpdateLayout();
    const Point item = Centre(combo->GetItemAt(2)->GetPos());
    native->Click(item.x, item.y);
    backend.ProcessPending();
    EXPECT_FALSE(combo->IsDropDownOpen());
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(combo->GetText(), "30 min");
    ASSERT_NE(window->Last("itemselect"), nullptr);
    EXPECT_EQ(window->Last("itemselect")->sender, "ble_sleep1_combo");
    EXPECT_EQ(window->Last("itemselect")->lParam, 0);
    // The items are back with the combo's window and still findable by name there.
    EXPECT_EQ(combo->GetItemAt(2)->GetManager(), window->GetPaintManager());

    // Keyboard on the focused field changes the choice without opening the list.
    window->seen.clear();
    window->Native()->PressKey(VK_UP);
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(window->From("ble_sleep1_combo"), (Types{"itemselect"}));
    EXPECT_FALSE(combo->IsDropDownOpen());

    // Opening again and closing by focus loss keeps the selection.
    window->Native()->Click(c.x, c.y);
    ASSERT_TRUE(combo->IsDropDownOpen());
    static_cast<headless::HeadlessWindow*>(combo->GetDropDownWindow()->GetNativeWindow())
        ->Focus(false);
    backend.ProcessPending();
    EXPECT_FALSE(combo->IsDropDownOpen());
    EXPECT_EQ(combo->GetCurSel(), 1);
}

TEST_F(ComboListTest, ADropDownClosedFromInsideItsOwnClickGoesAfterIt) {
    // The choice's handler closes the list at once, inside the list window's own button
    // handling: the window is destroyed there and deleted only after that message.
    auto* combo = window->Get<CComboUI>("ble_sleep1_combo");
    const Point c = Centre(combo->GetPos());
    window->Native()->Click(c.x, c.y);
    ASSERT_TRUE(combo->IsDropDownOpen());
    CComboWnd* drop = combo->GetDropDownWindow();
    HWND dropHwnd = drop->GetHWND();
    window->onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == "itemselect")
            combo->CloseDropDown();
    };
    drop->GetPaintManager().UpdateLayout();
    const Point item = Centre(combo->GetItemAt(1)->GetPos());
    auto* native = static_cast<headless::HeadlessWindow*>(drop->GetNativeWindow());
    native->MouseMove(item.x, item.y);
    native->MouseDown(item.x, item.y);
    if (IsWindow(dropHwnd))
        native->MouseUp(item.x, item.y);
    backend.ProcessPending();
    EXPECT_FALSE(IsWindow(dropHwnd));
    EXPECT_FALSE(combo->IsDropDownOpen());
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(combo->GetItemAt(1)->GetManager(), window->GetPaintManager());
}

TEST_F(ComboListTest, ListClickCtrlClickAndShiftClickSelect) {
    auto* native = window->Native();
    Point p = RowCentre(1);
    native->Click(p.x, p.y);
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(window->From("macro_name_list"), (Types{"itemselect"}));
    EXPECT_EQ(window->From("row1"), (Types{"itemclick"}));

    p = RowCentre(3);
    native->Click(p.x, p.y, MouseButton::Left, kModControl);
    EXPECT_EQ(list->GetSelectedItems(), (std::vector<int>{1, 3}));
    p = RowCentre(1);
    native->Click(p.x, p.y, MouseButton::Left, kModControl);  // Ctrl on a selected row drops it
    EXPECT_EQ(list->GetSelectedItems(), (std::vector<int>{3}));
    // Shift extends from the last row clicked with Ctrl.
    p = RowCentre(5);
    native->Click(p.x, p.y, MouseButton::Left, kModShift);
    EXPECT_EQ(list->GetSelectedItems(), (std::vector<int>{1, 2, 3, 4, 5}));
    p = RowCentre(0);
    native->Click(p.x, p.y);
    EXPECT_EQ(list->GetSelectedItems(), (std::vector<int>{0}));
    auto* row0 = dynamic_cast<IListItemUI*>(list->GetItemAt(0));
    auto* row5 = dynamic_cast<IListItemUI*>(list->GetItemAt(5));
    EXPECT_TRUE(row0->IsSelected());
    EXPECT_FALSE(row5->IsSelected());

    window->seen.clear();
    native->DoubleClick(p.x, p.y);
    ASSERT_NE(window->Last("itemactivate"), nullptr);
    EXPECT_EQ(window->Last("itemactivate")->sender, "row0");
}

TEST_F(ComboListTest, ListKeyboardMovesSelectionAndScrollsItIntoView) {
    auto* native = window->Native();
    const Point p = RowCentre(0);
    native->Click(p.x, p.y);
    CControlUI* bar = list->GetList()->GetVerticalScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsVisible());  // 20 rows of 30 do not fit
    native->PressKey(VK_END);
    EXPECT_EQ(list->GetCurSel(), 19);
    window->GetPaintManager()->UpdateLayout();
    const Rect body = list->GetList()->GetPos();
    const Rect last = list->GetItemAt(19)->GetPos();
    EXPECT_LE(last.bottom, body.bottom);
    EXPECT_GE(last.top, body.top);
    native->PressKey(VK_HOME);
    native->PressKey(VK_DOWN);
    native->PressKey(VK_DOWN);
    EXPECT_EQ(list->GetCurSel(), 2);
    EXPECT_EQ(list->GetScrollPos().cy, 0);
    const Seen* select = window->Last("itemselect");
    ASSERT_NE(select, nullptr);
    EXPECT_EQ(select->wParam, 2u);
    EXPECT_EQ(select->lParam, 1);

    // Code selection is silent when asked, and rows removed keep the selection on its row.
    window->seen.clear();
    list->SelectItem(5, false, false);
    EXPECT_TRUE(window->From("macro_name_list").empty());
    list->RemoveAt(0);
    EXPECT_EQ(list->GetCurSel(), 4);
    EXPECT_EQ(list->GetItemAt(4)->GetName(), "row5");
    list->RemoveAll();
    EXPECT_EQ(list->GetCurSel(), -1);
}

TEST_F(ComboListTest, HeaderItemResizesByItsEdgeAndReportsClicks) {
    auto* column = window->Get<CListHeaderItemUI>("name_column");
    ASSERT_NE(column, nullptr);
    EXPECT_GT(list->GetHeader()->GetHeight(), 0);
    const Rect r = column->GetPos();
    auto* native = window->Native();
    native->MouseMove(r.right - 1, Centre(r).y);
    native->MouseDown(r.right - 1, Centre(r).y);
    native->MouseMove(r.right - 41, Centre(r).y);
    native->MouseUp(r.right - 41, Centre(r).y);
    EXPECT_EQ(column->GetFixedWidth(), 120);
    EXPECT_EQ(window->PosOf("name_column").Width(), 120);
    EXPECT_TRUE(window->From("name_column").empty());  // a resize is no click
    native->Click(Centre(r).x - 40, Centre(r).y);
    EXPECT_EQ(window->From("name_column"), (Types{"headerclick"}));
}

TEST_F(ComboListTest, ScrollBarThumbDragAndWheelScrollTheList) {
    auto* bar = dynamic_cast<CScrollBarUI*>(list->GetList()->GetVerticalScrollBar());
    ASSERT_NE(bar, nullptr);
    window->GetPaintManager()->UpdateLayout();
    const int range = list->GetScrollRange().cy;
    EXPECT_GT(range, 0);
    const Point thumb = Centre(bar->GetThumbRect());
    auto* native = window->Native();
    native->MouseMove(thumb.x, thumb.y);
    native->MouseDown(thumb.x, thumb.y);
    native->MouseMove(thumb.x, thumb.y + 2000);
    native->MouseUp(thumb.x, thumb.y + 2000);
    EXPECT_EQ(list->GetScrollPos().cy, range);
    EXPECT_EQ(bar->GetScrollPos(), range);
    const Point row = RowCentre(19);
    native->Wheel(row.x, row.y, 120);
    EXPECT_LT(list->GetScrollPos().cy, range);
    // A click on the track above the thumb pages up.
    const int before = list->GetScrollPos().cy;
    const Rect track = bar->GetTrackRect();
    native->Click(Centre(track).x, track.top + 2);
    EXPECT_LT(list->GetScrollPos().cy, before);
}

}  // namespace
}  // namespace ui::controls_test

namespace ui::controls_test {
namespace {

class BuiltTagsTest : public ControlsTest {};

TEST_F(BuiltTagsTest, LayoutTagsMakeRowsOfTheirListAndStandAloneBars) {
    Open(R"(
<Window size="400,300">
  <VerticalLayout>
    <List name="update_list" height="120" menu="true">
      <ListContainerElement name="row_a" height="40"><Label name="row_a_text" text="A"/></ListContainerElement>
      <ListContainerElement name="row_b" height="40" menu="true"><Label text="B" mouse="false"/></ListContainerElement>
    </List>
    <ScrollBar name="bar" hor="true" height="12" range="100" linesize="10" showbutton1="true" showbutton2="true"/>
    <Control/>
  </VerticalLayout>
</Window>)");
    auto* list = window->Get<CListUI>("update_list");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetCount(), 2);
    EXPECT_FALSE(list->GetHeader()->IsVisible() && list->GetHeader()->GetHeight() > 0);
    auto* row = dynamic_cast<CListContainerElementUI*>(window->Get<CControlUI>("row_b"));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetOwner(), static_cast<IListOwnerUI*>(list));
    EXPECT_EQ(row->GetIndex(), 1);
    // A click on the row's child selects the row; the right button raises its "menu".
    const Point p = Centre(window->PosOf("row_b"));
    window->Native()->Click(p.x, p.y);
    EXPECT_EQ(list->GetCurSel(), 1);
    window->Native()->Click(p.x, p.y, MouseButton::Right);
    EXPECT_NE(window->Last("menu"), nullptr);
    EXPECT_TRUE(row->Activate());
    EXPECT_EQ(window->Last("itemactivate")->sender, "row_b");

    // A bar without an owner reports its own moves.
    auto* bar = window->Get<CScrollBarUI>("bar");
    ASSERT_NE(bar, nullptr);
    const Point right = Centre(bar->GetButton2Rect());
    window->Native()->Click(right.x, right.y);
    EXPECT_EQ(bar->GetScrollPos(), 10);
    EXPECT_EQ(window->From("bar"), (std::vector<std::string>{"scroll"}));
    // Holding the arrow repeats after a delay.
    window->Native()->MouseDown(right.x, right.y);
    backend.AdvanceTime(1000);
    window->Native()->MouseUp(right.x, right.y);
    EXPECT_GT(bar->GetScrollPos(), 30);
}

}  // namespace
}  // namespace ui::controls_test
