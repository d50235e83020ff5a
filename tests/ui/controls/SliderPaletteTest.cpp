#include "ControlsTestSupport.h"
#include "ui/controls/ColorPaletteUI.h"
#include "ui/controls/SliderUI.h"

namespace ui::controls_test {
namespace {

using Types = std::vector<std::string>;

const char* kSliderLayout = R"(
<Window size="400,300">
  <VerticalLayout>
    <Slider name="DPI_slider_1" height="20" width="220" min="200" max="6500" step="100" value="800" thumbsize="20,20"/>
    <ColorPalette name="Pallet" height="120" width="242" barwidth="20" bargap="20"/>
    <Control/>
  </VerticalLayout>
</Window>)";

class SliderPaletteTest : public ControlsTest {
  protected:
    void SetUp() override { Open(kSliderLayout); }
};

TEST_F(SliderPaletteTest, DraggingRaisesMoveValueChangedThenValueChangedOnRelease) {
    auto* slider = window->Get<CSliderUI>("dpi_SLIDER_1");
    ASSERT_NE(slider, nullptr);
    const Rect thumb = slider->GetThumbRect();
    const Point grab = Centre(thumb);
    auto* native = window->Native();
    native->MouseMove(grab.x, grab.y);
    native->MouseDown(grab.x, grab.y);
    EXPECT_TRUE(window->From("DPI_slider_1").empty());  // grabbing the thumb changes nothing
    native->MouseMove(grab.x + 50, grab.y);
    native->MouseMove(grab.x + 100, grab.y + 30);  // leaving the rail sideways keeps dragging
    const int dragged = slider->GetValue();
    native->MouseUp(grab.x + 100, grab.y + 30);
    EXPECT_EQ(window->From("DPI_slider_1"),
              (Types{"movevaluechanged", "movevaluechanged", "valuechanged"}));
    EXPECT_EQ(slider->GetValue(), dragged);
    EXPECT_EQ((slider->GetValue() - 200) % 100, 0);  // snapped to the step
    EXPECT_GT(slider->GetValue(), 800);

    // Dragging past the end stops at the maximum.
    window->seen.clear();
    const Point now = Centre(slider->GetThumbRect());
    native->MouseDown(now.x, now.y);
    native->MouseMove(now.x + 1000, now.y);
    native->MouseUp(now.x + 1000, now.y);
    EXPECT_EQ(slider->GetValue(), 6500);

    // A press and release without movement is no change.
    window->seen.clear();
    const Point end = Centre(slider->GetThumbRect());
    native->Click(end.x, end.y);
    EXPECT_TRUE(window->From("DPI_slider_1").empty());
}

TEST_F(SliderPaletteTest, KeyboardWheelAndCodeChangeTheValue) {
    auto* slider = window->Get<CSliderUI>("DPI_slider_1");
    const Point c = Centre(slider->GetThumbRect());
    window->Native()->Click(c.x, c.y);  // focus
    window->seen.clear();
    window->Native()->PressKey(VK_RIGHT);
    EXPECT_EQ(slider->GetValue(), 900);
    window->Native()->Wheel(c.x, c.y, -240);
    EXPECT_EQ(slider->GetValue(), 700);
    window->Native()->PressKey(VK_HOME);
    EXPECT_EQ(slider->GetValue(), 200);
    window->Native()->PressKey(VK_LEFT);  // already at the minimum: nothing
    EXPECT_EQ(window->From("DPI_slider_1"),
              (Types{"valuechanged", "valuechanged", "valuechanged"}));

    window->seen.clear();
    slider->SetValue(5000, false);
    EXPECT_TRUE(window->From("DPI_slider_1").empty());
    slider->SetValue(99999);
    EXPECT_EQ(slider->GetValue(), 6500);
    EXPECT_EQ(window->From("DPI_slider_1"), (Types{"valuechanged"}));
}

TEST_F(SliderPaletteTest, PalettePicksHueSaturationAndBrightness) {
    auto* palette = window->Get<CColorPaletteUI>("Pallet");
    ASSERT_NE(palette, nullptr);
    const Rect pane = palette->GetPaneRect();
    // Top edge, one third across: pure green at full saturation.
    const int x = pane.left + (pane.Width() - 1) / 3;
    window->Native()->MouseDown(x, pane.top);
    EXPECT_TRUE(window->From("Pallet").empty());  // only on release
    window->Native()->MouseUp(x, pane.top);
    EXPECT_EQ(window->From("Pallet"), (Types{"colorchanged"}));
    EXPECT_EQ(palette->GetSelectColor(), 0xFF00FF00u);

    // The bottom of the brightness bar is black, whatever the hue.
    const Rect bar = palette->GetBarRect();
    window->Native()->MouseDown(Centre(bar).x, bar.top + 10);
    window->Native()->MouseMove(Centre(bar).x, bar.bottom + 40);
    window->Native()->MouseUp(Centre(bar).x, bar.bottom + 40);
    EXPECT_EQ(palette->GetSelectColor(), 0xFF000000u);
    EXPECT_EQ(window->From("Pallet"), (Types{"colorchanged", "colorchanged"}));

    // Code: exact colour back, the notification only when asked for.
    window->seen.clear();
    palette->SetSelectColor(0x00336699, false);
    EXPECT_EQ(palette->GetSelectColor(), 0xFF336699u);
    EXPECT_TRUE(window->From("Pallet").empty());
    palette->SetSelectColor(0xFFC81E0A);
    EXPECT_EQ(window->From("Pallet"), (Types{"colorchanged"}));
    // Grey keeps the hue that was shown, so the pane marker does not jump to red.
    const double hue = palette->GetHsv().h;
    palette->SetSelectColor(0xFF808080, false);
    EXPECT_DOUBLE_EQ(palette->GetHsv().h, hue);
}

}  // namespace
}  // namespace ui::controls_test
