// Named styles, an edit inside a list row, and a control's place on the screen.
#include "ControlsTestSupport.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/ListElementUI.h"
#include "ui/controls/ListUI.h"

namespace ui::controls_test {
namespace {

using Types = std::vector<std::string>;

// The styles sit inside the layout, as a panel's own file (no Window root) would hold them.
const char* kRowLayout = R"(
<Window size="400,300">
  <VerticalLayout>
    <Style name="warn_style" value="textcolor=&quot;#FFFF2020&quot; width=&quot;90&quot;"/>
    <Style name="Label" value="textcolor=&quot;#FF101010&quot;"/>
    <Label name="styled" style="warn_style" height="20"/>
    <Label name="styled_own" style="warn_style" textcolor="#FF00FF00" height="20"/>
    <Label name="plain" height="20"/>
    <List name="rows" header="hidden" itemheight="30"/>
    <Edit name="elsewhere" height="30"/>
  </VerticalLayout>
</Window>)";

class StyleRowEditTest : public ControlsTest {
  protected:
    void SetUp() override {
        Open(kRowLayout);
        list = window->Get<CListUI>("rows");
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < 3; ++i) {
            auto* row = new CListContainerElementUI;
            row->SetName("macro_action");
            row->SetFixedHeight(30);
            auto* label = new CLabelUI;
            label->SetText("row " + std::to_string(i));
            auto* edit = new CEditUI;
            edit->SetName("macro_delay");
            edit->SetFixedHeight(25);
            edit->SetFixedWidth(60);
            edit->SetText(std::to_string(10 * (i + 1)));
            row->Add(label);
            row->Add(edit);
            list->Add(row);
        }
        window->GetPaintManager()->UpdateLayout();
    }
    CEditUI* RowEdit(int index) {
        auto* row = dynamic_cast<CContainerUI*>(list->GetItemAt(index));
        return dynamic_cast<CEditUI*>(row->GetItemAt(1));
    }
    void ClickAt(const Rect& r) {
        const Point c = Centre(r);
        window->Native()->Click(c.x, c.y);
    }
    CListUI* list = nullptr;
};

TEST_F(StyleRowEditTest, StyleByNameFromLayoutAndFromCode) {
    // The tag's defaults, then the style, then the element's own attributes.
    EXPECT_EQ(window->Get<CLabelUI>("styled")->GetTextColor(), 0xFFFF2020u);
    EXPECT_EQ(window->Get<CLabelUI>("styled")->GetFixedWidth(), 90);
    EXPECT_EQ(window->Get<CLabelUI>("styled_own")->GetTextColor(), 0xFF00FF00u);
    EXPECT_EQ(window->Get<CLabelUI>("plain")->GetTextColor(), 0xFF101010u);

    // A control made by code takes a style once it belongs to the window.
    auto* row = dynamic_cast<CContainerUI*>(list->GetItemAt(0));
    auto* label = dynamic_cast<CLabelUI*>(row->GetItemAt(0));
    EXPECT_TRUE(label->ApplyStyle("WARN_STYLE"));
    EXPECT_EQ(label->GetTextColor(), 0xFFFF2020u);
    EXPECT_FALSE(label->ApplyStyle("no_such_style"));
    CLabelUI loose;
    EXPECT_FALSE(loose.ApplyStyle("warn_style"));
}

TEST_F(StyleRowEditTest, EditInsideARowTakesTheClickTheFocusAndRaisesItsOwnKillFocus) {
    CEditUI* edit = RowEdit(1);
    ClickAt(edit->GetPos());
    EXPECT_TRUE(edit->IsFocused());
    window->Native()->PressKey(VK_END);
    window->Native()->Type("5");
    EXPECT_EQ(edit->GetText(), "205");
    window->seen.clear();
    ClickAt(window->PosOf("elsewhere"));
    EXPECT_FALSE(edit->IsFocused());
    const Seen* left = window->Last("killfocus");
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->sender, "macro_delay");
    // The row's label still selects the row.
    auto* row = dynamic_cast<CContainerUI*>(list->GetItemAt(2));
    ClickAt(row->GetItemAt(0)->GetPos());
    EXPECT_EQ(list->GetCurSel(), 2);
}

TEST_F(StyleRowEditTest, ScreenPositionIsTheWindowsPlusTheControls) {
    window->Native()->SetRect(Rect{120, 70, 520, 370});
    backend.ProcessPending();
    window->GetPaintManager()->UpdateLayout();
    CEditUI* edit = RowEdit(2);
    const Rect local = edit->GetPos();
    const std::optional<Rect> screen = edit->GetScreenPos();
    ASSERT_TRUE(screen.has_value());
    EXPECT_EQ(*screen, local.Offset(120, 70));
    CEditUI loose;
    EXPECT_FALSE(loose.GetScreenPos().has_value());
}

}  // namespace
}  // namespace ui::controls_test
