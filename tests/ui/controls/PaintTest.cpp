// What the input controls draw, read back from the recording render target.
#include "ControlsTestSupport.h"
#include "ui/controls/ColorPaletteUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/ListUI.h"
#include "ui/controls/SliderUI.h"

namespace ui::controls_test {
namespace {

using headless::DrawOp;
using headless::OpKind;

const char* kPaintLayout = R"(
<Window size="400,300">
  <Font id="0" name="Sans" size="12" default="true"/>
  <VerticalLayout>
    <Edit name="pin" height="30" width="200" password="true" selbkcolor="#FF112233"/>
    <Edit name="hint" height="30" width="200" tipvalue="type here" tipvaluecolor="#FF999999"/>
    <Combo name="mode" height="30" width="200">
      <ListLabelElement text="Breathing"/>
      <ListLabelElement text="Static"/>
    </Combo>
    <Slider name="vol" height="100" width="30" hor="false" min="0" max="10" value="0" thumbsize="20,20"/>
    <Control/>
  </VerticalLayout>
</Window>)";

class PaintTest : public ControlsTest {
  protected:
    void SetUp() override { Open(kPaintLayout); }
    const headless::RecordingRenderTarget& Paint() { return window->Native()->Paint(); }
    static bool Inside(const Rect& inner, const Rect& outer) {
        return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
               inner.bottom <= outer.bottom;
    }
};

TEST_F(PaintTest, PasswordEditShowsMaskAndSelectionAndRefusesToCopy) {
    auto* edit = window->Get<CEditUI>("pin");
    edit->SetText("abc", false);
    Paint();
    EXPECT_EQ(window->Native()->LastPaint().Texts("abc").size(), 0u);
    EXPECT_EQ(window->Native()->LastPaint().Texts("***").size(), 1u);

    const Point c = Centre(edit->GetPos());
    window->Native()->Click(c.x, c.y);
    edit->SetSelAll();
    backend.SetClipboardText("kept");
    window->Native()->KeyDown(VK_CONTROL);
    window->Native()->PressKey('C', kModControl);
    window->Native()->KeyUp(VK_CONTROL);
    EXPECT_EQ(backend.ClipboardText(), "kept");
    const auto& ops = Paint().Ops();
    // The selection background spans the masked text inside the edit.
    bool selection = false;
    for (const DrawOp& op : ops) {
        if (op.kind == OpKind::FillRect && op.color == 0xFF112233u) {
            selection = Inside(op.rect, edit->GetPos()) && op.rect.Width() > 0;
        }
    }
    EXPECT_TRUE(selection);
}

TEST_F(PaintTest, HintShowsOnlyWhileEmptyAndUnfocused) {
    auto* edit = window->Get<CEditUI>("hint");
    auto texts = Paint().Texts("type here");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].color, 0xFF999999u);
    const Point c = Centre(edit->GetPos());
    window->Native()->Click(c.x, c.y);
    EXPECT_TRUE(Paint().Texts("type here").empty());
    // The caret: a one pixel bar at the text's left edge.
    bool caret = false;
    for (const DrawOp& op : window->Native()->LastPaint().OfKind(OpKind::FillRect)) {
        caret = caret || (op.rect.Width() == 1 && Inside(op.rect, edit->GetPos()));
    }
    EXPECT_TRUE(caret);
}

TEST_F(PaintTest, ComboShowsTheSelectedItemOnlyInItsField) {
    auto* combo = window->Get<CComboUI>("mode");
    EXPECT_TRUE(Paint().Texts("Static").empty());
    combo->SelectItem(1, false, false);
    const auto texts = Paint().Texts("Static");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(Inside(texts[0].rect, combo->GetPos()));
    EXPECT_TRUE(window->Native()->LastPaint().Texts("Breathing").empty());  // items stay hidden
}

TEST_F(PaintTest, VerticalSliderHasItsMinimumAtTheBottom) {
    auto* slider = window->Get<CSliderUI>("vol");
    const Rect bottom = slider->GetThumbRect();
    EXPECT_EQ(bottom.bottom, slider->GetPos().bottom);
    slider->SetValue(10, false);
    EXPECT_EQ(slider->GetThumbRect().top, slider->GetPos().top);
    // A click near the bottom brings the value down again.
    window->Native()->Click(Centre(bottom).x, slider->GetPos().bottom - 2);
    EXPECT_EQ(slider->GetValue(), 0);
    const auto thumbs = Paint().OfKind(OpKind::FillEllipse);
    ASSERT_FALSE(thumbs.empty());
    EXPECT_EQ(thumbs.back().rect, slider->GetThumbRect());
}

}  // namespace
}  // namespace ui::controls_test
