// The list rows that frame themselves while hot and the drop-down row with a delay edit.
#include <string>
#include <vector>

#include "PageTestSupport.h"
#include "controls/CloudShareListItemUI.h"
#include "controls/ComboEditContainerElementUI.h"
#include "ui/controls/ListUI.h"
#include "ui/core/PaintManager.h"

namespace devices_test {
namespace {

using controls::CCloudShareListItemUI;
using controls::CComboEditContainerElementUI;
using ui::headless::OpKind;

ui::TEventUI RowEvent(ui::CControlUI* row, int type, ui::WPARAM wParam = 0, ui::LPARAM lParam = 0) {
    ui::TEventUI event;
    event.Type = type;
    event.pSender = row;
    event.wParam = wParam;
    event.lParam = lParam;
    event.ptMouse = Centre(row->GetPos());
    return event;
}

class ListRowControlsTest : public PageTest {
  protected:
    std::vector<std::string> Types() const {
        std::vector<std::string> types;
        for (const Seen& s : window->seen)
            types.push_back(s.type);
        return types;
    }
    void Send(ui::CControlUI* row, int type, ui::WPARAM wParam = 0, ui::LPARAM lParam = 0,
              uint16_t keys = 0) {
        ui::TEventUI event = RowEvent(row, type, wParam, lParam);
        event.wKeyState = keys;
        if (type == ui::UIEVENT_KEYDOWN)
            event.chKey = static_cast<uint32_t>(wParam);
        row->Event(event);
    }
};

TEST_F(ListRowControlsTest, HotRowIsFramedUnlessSelectedOrTheListShowsNoHover) {
    Open(R"(
<Window size="400,300"><VerticalLayout>
  <List name="list" height="200" itemhotimage="hot.png" itemselectedbkcolor="#FF00FF00">
    <CloudShareListItem name="a" height="40"/>
    <CloudShareListItem name="b" height="40" menu="true"/>
  </List>
</VerticalLayout></Window>)");
    AddImage("hot.png", 4, 4);
    auto* a = window->Get<CCloudShareListItemUI>("a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetClass(), "CloudShareListItemUI");
    const ui::Point p = Centre(a->GetPos());
    window->Native()->MouseMove(p.x, p.y);
    ASSERT_TRUE(a->IsHot());
    auto frames = window->Native()->Paint().OfKind(OpKind::RectOutline);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].rect, a->GetPos());
    EXPECT_EQ(frames[0].color, 0xFF00FF00u);
    EXPECT_EQ(frames[0].width, 1);

    a->Select(true);
    EXPECT_TRUE(window->Native()->Paint().OfKind(OpKind::RectOutline).empty());
    a->Select(false);
    window->Get<ui::CListUI>("list")->SetAttribute("itemhotimage", "");
    EXPECT_TRUE(window->Native()->Paint().OfKind(OpKind::RectOutline).empty());
    window->Native()->MouseMove(390, 290);
    EXPECT_FALSE(a->IsHot());

    // "menu" only with the row's menu switched on, carrying the event's parameters.
    auto* b = window->Get<CCloudShareListItemUI>("b");
    window->seen.clear();
    Send(a, ui::UIEVENT_CONTEXTMENU, 7, 9);
    EXPECT_TRUE(window->seen.empty());
    Send(b, ui::UIEVENT_CONTEXTMENU, 7, 9);
    ASSERT_EQ(window->Count("menu"), 1);
    EXPECT_EQ(window->seen.back().wParam, 7u);
    EXPECT_EQ(window->seen.back().lParam, 9);

    EXPECT_TRUE(b->Activate());
    EXPECT_EQ(window->seen.back().type, "itemactivate");
    b->SetEnabled(false);
    EXPECT_FALSE(b->Activate());
}

class ComboEditRowTest : public ListRowControlsTest {
  protected:
    void SetUp() override {
        savedPath_ = ui::CPaintManagerUI::GetResourcePath();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        Open(R"(
<Window size="400,300"><VerticalLayout>
  <List name="list" height="200" multiselect="true">
    <ComboEditContainerElement name="first" height="30"/>
    <ComboEditContainerElement name="second" height="30" menu="true"/>
  </List>
</VerticalLayout></Window>)");
        first = window->Get<CComboEditContainerElementUI>("first");
        second = window->Get<CComboEditContainerElementUI>("second");
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
        list = window->Get<ui::CListUI>("list");
    }
    void TearDown() override {
        ListRowControlsTest::TearDown();
        ui::CPaintManagerUI::SetResourcePath(savedPath_);
    }
    static bool Below(ui::CControlUI* child, ui::CControlUI* row) {
        for (ui::CControlUI* c = child; c != nullptr; c = c->GetParent())
            if (c == row)
                return true;
        return false;
    }
    CComboEditContainerElementUI* first = nullptr;
    CComboEditContainerElementUI* second = nullptr;
    ui::CListUI* list = nullptr;
    std::string savedPath_;
};

TEST_F(ComboEditRowTest, EachRowFindsItsOwnLabelsAndEdit) {
    for (auto* row : {first, second}) {
        ASSERT_NE(row->Text1(), nullptr);
        ASSERT_NE(row->Text2(), nullptr);
        ASSERT_NE(row->DelayEdit(), nullptr);
        EXPECT_TRUE(Below(row->Text1(), row));
        EXPECT_TRUE(Below(row->Text2(), row));
        EXPECT_TRUE(Below(row->DelayEdit(), row));
    }
    EXPECT_NE(first->DelayEdit(), second->DelayEdit());
}

TEST_F(ComboEditRowTest, EventsSelectActivateAndRaiseInOrder) {
    Send(second, ui::UIEVENT_BUTTONDOWN);
    EXPECT_EQ(list->GetCurSel(), 1);
    Send(second, ui::UIEVENT_BUTTONUP);
    Send(second, ui::UIEVENT_KEYDOWN, ui::VK_RETURN);
    Send(second, ui::UIEVENT_TIMER, 42, 5);
    Send(second, ui::UIEVENT_CONTEXTMENU, 3, 4);
    EXPECT_EQ(Types(), (std::vector<std::string>{"itemselect", "itemclick", "itemactivate",
                                                 "return", "timer", "menu"}));
    EXPECT_EQ(window->seen[4].wParam, 42u);
    EXPECT_EQ(window->seen[4].lParam, 5);
    EXPECT_EQ(window->seen[5].wParam, 3u);

    // Ctrl toggles the row in the multi-selection.
    window->seen.clear();
    Send(first, ui::UIEVENT_BUTTONDOWN, 0, 0, ui::MK_CONTROL);
    EXPECT_TRUE(first->IsSelected());
    EXPECT_TRUE(second->IsSelected());
    Send(first, ui::UIEVENT_BUTTONDOWN, 0, 0, ui::MK_CONTROL);
    EXPECT_FALSE(first->IsSelected());

    // Without its menu switched on the row raises no "menu"; a disabled row neither clicks nor
    // activates.
    window->seen.clear();
    Send(first, ui::UIEVENT_CONTEXTMENU);
    first->SetEnabled(false);
    Send(first, ui::UIEVENT_BUTTONUP);
    Send(first, ui::UIEVENT_KEYDOWN, ui::VK_RETURN);
    Send(first, ui::UIEVENT_MOUSEENTER);
    EXPECT_EQ(window->Count("menu"), 0);
    EXPECT_EQ(window->Count("itemclick"), 0);
    EXPECT_EQ(window->Count("return"), 0);
    EXPECT_FALSE(first->IsHot());
}

TEST_F(ComboEditRowTest, ChangedMarkFollowsSelectionAndTheDelayEditsReturn) {
    ui::TNotifyUI note;
    note.sType = "return";
    note.pSender = first->Text1();
    first->Notify(note);
    EXPECT_FALSE(first->IsChanged());
    note.pSender = second->DelayEdit();
    first->Notify(note);
    EXPECT_FALSE(first->IsChanged()) << "another row's edit";
    note.pSender = first->DelayEdit();
    first->Notify(note);
    EXPECT_TRUE(first->IsChanged());
    first->ClearChanged();
    note.sType = "selectchanged";
    note.pSender = nullptr;
    first->Notify(note);
    EXPECT_TRUE(first->IsChanged());
}

}  // namespace
}  // namespace devices_test
