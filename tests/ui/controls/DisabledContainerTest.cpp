// A disabled container disables what it holds for input and looks while their own flags
// stay as they were; enabling it again gives everything back.
#include "ControlsTestSupport.h"
#include "ui/controls/ButtonUI.h"
#include "ui/controls/ColorPaletteUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/core/PaintManager.h"

namespace ui::controls_test {
namespace {

using headless::DrawOp;
using headless::OpKind;

constexpr Color kText = 0xFF102030;
constexpr Color kGreyText = 0xFF808080;
constexpr Color kSelected = 0xFF4C8DFF;

const char* kGroupLayout = R"(
<Window size="400,300">
  <Font id="0" name="Sans" size="12" default="true"/>
  <VerticalLayout>
    <VerticalLayout name="outer">
      <VerticalLayout name="group" childpadding="4">
        <Button name="btn" text="Press" height="24" textcolor="#FF102030" disabledtextcolor="#FF808080"/>
        <Edit name="edit" height="24" textcolor="#FF102030" disabledtextcolor="#FF808080"/>
        <Slider name="slider" height="20" min="0" max="10" value="0"/>
        <Option name="opt" text="Pick" height="24" selected="true" selectedbkcolor="#FF4C8DFF"/>
        <ColorPalette name="pal" height="60" disabledmaskcolor="#C0101010"/>
      </VerticalLayout>
    </VerticalLayout>
    <Button name="outside" text="Other" height="24"/>
  </VerticalLayout>
</Window>)";

class DisabledContainerTest : public ControlsTest {
  protected:
    void SetUp() override { Open(kGroupLayout); }
    void ClickOn(const std::string& name) {
        const Point c = Centre(window->PosOf(name));
        window->Native()->Click(c.x, c.y);
    }
    void SetGroup(const char* name, bool enabled) {
        window->Get<CControlUI>(name)->SetEnabled(enabled);
    }
    const headless::RecordingRenderTarget& Paint() { return window->Native()->Paint(); }
    Color TextColourOf(const std::string& text) {
        const auto texts = Paint().Texts(text);
        return texts.empty() ? 0 : texts.front().color;
    }
    bool FilledWith(Color color, const Rect& inside) {
        for (const DrawOp& op : window->Native()->LastPaint().Ops()) {
            if ((op.kind == OpKind::FillRect || op.kind == OpKind::FillRoundRect) &&
                op.color == color && op.rect.left >= inside.left && op.rect.right <= inside.right &&
                op.rect.top >= inside.top && op.rect.bottom <= inside.bottom)
                return true;
        }
        return false;
    }
};

TEST_F(DisabledContainerTest, ChildrenRefuseInputButKeepTheirOwnFlags) {
    SetGroup("group", false);
    for (const char* name : {"btn", "edit", "slider", "opt", "pal"}) {
        CControlUI* child = window->Get<CControlUI>(name);
        EXPECT_TRUE(child->IsEnabled()) << name;
        EXPECT_FALSE(child->IsEffectivelyEnabled()) << name;
    }
    ClickOn("btn");
    ClickOn("opt");
    ClickOn("edit");
    window->Native()->Type("abc");
    ClickOn("slider");
    ClickOn("pal");
    EXPECT_TRUE(window->From("btn").empty());
    EXPECT_TRUE(window->From("opt").empty());
    EXPECT_TRUE(window->Get<COptionUI>("opt")->IsSelected()) << "a click does not toggle it";
    EXPECT_EQ(window->Get<CEditUI>("edit")->GetText(), "");
    EXPECT_EQ(window->Get<CSliderUI>("slider")->GetValue(), 0);
    EXPECT_TRUE(window->From("pal").empty());
    EXPECT_EQ(window->GetPaintManager()->GetFocus(), nullptr);
    // What lies outside still answers.
    ClickOn("outside");
    EXPECT_EQ(window->From("outside"), (std::vector<std::string>{"click"}));
}

TEST_F(DisabledContainerTest, AnyDisabledAncestorCountsAndEnablingGivesInputBack) {
    SetGroup("outer", false);
    ClickOn("btn");
    EXPECT_TRUE(window->From("btn").empty());
    SetGroup("outer", true);
    ClickOn("btn");
    ClickOn("edit");
    window->Native()->Type("42");
    EXPECT_EQ(window->From("btn"), (std::vector<std::string>{"click"}));
    EXPECT_EQ(window->Get<CEditUI>("edit")->GetText(), "42");
    // A child disabled on its own stays disabled when its container comes back.
    window->Get<CControlUI>("btn")->SetEnabled(false);
    SetGroup("group", false);
    SetGroup("group", true);
    EXPECT_FALSE(window->Get<CControlUI>("btn")->IsEffectivelyEnabled());
}

TEST_F(DisabledContainerTest, DisablingTakesTheFocusFromAChild) {
    ClickOn("edit");
    ASSERT_EQ(window->GetPaintManager()->GetFocus(), window->Get<CControlUI>("edit"));
    SetGroup("outer", false);
    EXPECT_EQ(window->GetPaintManager()->GetFocus(), nullptr);
    window->Native()->Type("x");
    EXPECT_EQ(window->Get<CEditUI>("edit")->GetText(), "");
}

TEST_F(DisabledContainerTest, ChildrenLookDisabledUntilTheContainerIsEnabled) {
    EXPECT_EQ(TextColourOf("Press"), kText);
    EXPECT_TRUE(FilledWith(kSelected, window->PosOf("opt")));
    const Rect pane = window->Get<CColorPaletteUI>("pal")->GetPaneRect();
    EXPECT_FALSE(FilledWith(0xC0101010u, pane));
    const Color thumb = window->Native()->LastPaint().OfKind(OpKind::FillEllipse).back().color;

    SetGroup("group", false);
    EXPECT_EQ(TextColourOf("Press"), kGreyText);
    EXPECT_FALSE(FilledWith(kSelected, window->PosOf("opt"))) << "the selection fades";
    EXPECT_TRUE(FilledWith(0xC0101010u, pane)) << "the palette is veiled";
    const auto thumbs = window->Native()->LastPaint().OfKind(OpKind::FillEllipse);
    ASSERT_FALSE(thumbs.empty());
    EXPECT_NE(thumbs.back().color, thumb) << "the slider dims";

    SetGroup("group", true);
    EXPECT_EQ(TextColourOf("Press"), kText);
    EXPECT_TRUE(FilledWith(kSelected, window->PosOf("opt")));
    EXPECT_FALSE(FilledWith(0xC0101010u, pane));
}

}  // namespace
}  // namespace ui::controls_test
