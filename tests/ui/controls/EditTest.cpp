#include "ControlsTestSupport.h"
#include "ui/controls/EditUI.h"

namespace ui::controls_test {
namespace {

using Types = std::vector<std::string>;

const char* kEditLayout = R"(
<Window size="400,300">
  <VerticalLayout>
    <Edit name="color_edit_g" height="30" width="120" numberonly="true" maxchar="5" minvalue="0" maxvalue="255"/>
    <Edit name="name_edit" height="30" width="120" text="preset"/>
    <Control/>
  </VerticalLayout>
</Window>)";

class EditTest : public ControlsTest {
  protected:
    void SetUp() override { Open(kEditLayout); }
    void ClickInto(const std::string& name) {
        const Point c = Centre(window->PosOf(name));
        window->Native()->Click(c.x, c.y);
    }
};

TEST_F(EditTest, TypingIntoDigitsOnlyEditKeepsDigitsAndLimitsOnLeaving) {
    auto* edit = window->Get<CEditUI>("color_edit_g");
    ASSERT_NE(edit, nullptr);
    ClickInto("color_edit_g");
    EXPECT_TRUE(edit->IsFocused());
    window->Native()->Type("3a0-0");
    EXPECT_EQ(edit->GetText(), "300");
    EXPECT_EQ(window->From("color_edit_g"), (Types{"textchanged", "textchanged", "textchanged"}));

    // Leaving the edit clamps to the limit before the owner reads it in "killfocus".
    window->seen.clear();
    ClickInto("name_edit");
    EXPECT_EQ(edit->GetText(), "255");
    std::vector<std::string> order;
    for (const Seen& s : window->seen) {
        if (s.sender == "color_edit_g")
            order.push_back(s.type);
    }
    EXPECT_EQ(order, (Types{"textchanged", "killfocus"}));
    EXPECT_FALSE(edit->IsFocused());
}

TEST_F(EditTest, MaximumLengthBackspaceAndReturn) {
    auto* edit = window->Get<CEditUI>("color_edit_g");
    ClickInto("color_edit_g");
    window->Native()->Type("1234567");
    EXPECT_EQ(edit->GetText(), "12345");
    window->Native()->PressKey(VK_BACK);
    window->Native()->PressKey(VK_HOME);
    window->Native()->PressKey(VK_DELETE);
    EXPECT_EQ(edit->GetText(), "234");
    window->seen.clear();
    window->Native()->PressKey(VK_RETURN);
    EXPECT_EQ(window->From("color_edit_g"), (Types{"return"}));
    EXPECT_EQ(edit->GetText(), "234");  // a single-line edit takes no line break
}

TEST_F(EditTest, SelectionAndClipboardWithShiftAndCtrl) {
    auto* edit = window->Get<CEditUI>("name_edit");
    EXPECT_EQ(edit->GetText(), "preset");
    ClickInto("name_edit");
    auto* keys = window->Native();
    keys->PressKey(VK_END);
    keys->KeyDown(VK_SHIFT);
    keys->PressKey(VK_LEFT, kModShift);
    keys->PressKey(VK_LEFT, kModShift);
    keys->KeyUp(VK_SHIFT);
    EXPECT_EQ(edit->GetSelText(), "et");
    keys->KeyDown(VK_CONTROL);
    keys->PressKey('C', kModControl);
    EXPECT_EQ(backend.ClipboardText(), "et");
    keys->PressKey('A', kModControl);
    keys->PressKey('V', kModControl);
    keys->KeyUp(VK_CONTROL);
    EXPECT_EQ(edit->GetText(), "et");
    window->Native()->Type("\xC3\xA9");  // a two-byte character
    window->Native()->PressKey(VK_BACK);
    EXPECT_EQ(edit->GetText(), "et");

    // Code changes: silent on request, notified otherwise; read-only refuses typing.
    window->seen.clear();
    edit->SetText("quiet", false);
    EXPECT_TRUE(window->From("name_edit").empty());
    edit->SetText("loud");
    EXPECT_EQ(window->From("name_edit"), (Types{"textchanged"}));
    edit->SetReadOnly(true);
    window->Native()->Type("x");
    EXPECT_EQ(edit->GetText(), "loud");
}

TEST_F(EditTest, ClickPlacesTheCaretAndTheCaretBlinksOnlyWhileFocused) {
    auto* edit = window->Get<CEditUI>("name_edit");
    const Rect r = window->PosOf("name_edit");
    // Far left: before the first character.
    window->Native()->Click(r.left + 1, Centre(r).y);
    EXPECT_EQ(edit->GetModel().Caret(), 0u);
    window->Native()->Click(r.right - 2, Centre(r).y);
    EXPECT_EQ(edit->GetModel().Caret(), edit->GetText().size());
    EXPECT_TRUE(edit->IsCaretShown());
    backend.AdvanceTime(600);
    EXPECT_FALSE(edit->IsCaretShown());
    backend.AdvanceTime(600);
    EXPECT_TRUE(edit->IsCaretShown());
    ClickInto("color_edit_g");
    EXPECT_FALSE(edit->IsCaretShown());
}

// Text given before the edit is laid out (a page built hidden) shows from its start once
// the edit has its size, instead of staying scrolled out of view.
TEST_F(EditTest, TextSetBeforeLayoutStartsUnscrolled) {
    auto* edit = window->Get<CEditUI>("name_edit");
    const RECT laidOut = edit->GetPos();
    edit->SetPos(RECT{0, 0, 0, 0});
    edit->SetText("Profile1", false);
    edit->SetPos(laidOut);
    window->Native()->Paint();
    const auto texts = window->Native()->LastPaint().Texts("Profile1");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_GE(texts[0].rect.left, laidOut.left);
}

}  // namespace
}  // namespace ui::controls_test
