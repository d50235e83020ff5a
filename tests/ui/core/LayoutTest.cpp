// How layouts share space: fixed sizes, adjustable children, min/max bounds, paddings,
// floating children and visibility.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/DialogBuilder.h"

namespace ui {
namespace {

class LayoutTest : public testing::HeadlessTest {
  protected:
    CControlUI* Build(const std::string& xml, Rect area) {
        CDialogBuilder builder;
        CControlUI* root = builder.Create(xml, "", nullptr, &pm);
        if (root != nullptr) {
            pm.AttachDialog(root);
            root->SetPos(area, false);
        }
        return root;
    }
    Rect Pos(const std::string& name) { return pm.FindControl(name)->GetPos(); }
    CPaintManagerUI pm;
};

TEST_F(LayoutTest, VerticalLayoutGivesFixedHeightsAndSharesTheRest) {
    ASSERT_NE(Build(R"(<VerticalLayout inset="10,10,10,10" childpadding="5">
                         <Control name="a" height="40"/>
                         <Control name="b"/>
                         <Control name="c"/>
                         <Control name="d" height="20" width="50" padding="4,0,0,0"/>
                       </VerticalLayout>)",
                    Rect{0, 0, 200, 300}),
              nullptr);
    // 280 inside, 3 gaps of 5, 40 + 20 fixed: 205 shared by two.
    EXPECT_EQ(Pos("a"), (Rect{10, 10, 190, 50}));
    EXPECT_EQ(Pos("b"), (Rect{10, 55, 190, 157}));
    EXPECT_EQ(Pos("c"), (Rect{10, 162, 190, 265}));
    EXPECT_EQ(Pos("d"), (Rect{14, 270, 64, 290}));
}

TEST_F(LayoutTest, MinAndMaxBoundAdjustableChildrenAndTheOthersTakeTheDifference) {
    ASSERT_NE(Build(R"(<HorizontalLayout>
                         <Control name="a" maxwidth="50"/>
                         <Control name="b"/>
                         <Control name="c" minwidth="200"/>
                       </HorizontalLayout>)",
                    Rect{0, 0, 300, 40}),
              nullptr);
    EXPECT_EQ(Pos("a").Width(), 50);
    EXPECT_EQ(Pos("c").Width(), 200);
    EXPECT_EQ(Pos("b").Width(), 50);
    EXPECT_EQ(Pos("b").left, 50);
    EXPECT_EQ(Pos("a").Height(), 40);
}

TEST_F(LayoutTest, HiddenChildrenTakeNoSpaceAndFloatingOnesSitAtTheirPos) {
    CControlUI* root = Build(R"(<VerticalLayout>
                         <Control name="a"/>
                         <Control name="hidden" visible="false" height="100"/>
                         <Control name="b"/>
                         <Control name="f" float="true" pos="5,6,25,36"/>
                       </VerticalLayout>)",
                             Rect{100, 100, 300, 300});
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Pos("a"), (Rect{100, 100, 300, 200}));
    EXPECT_EQ(Pos("b"), (Rect{100, 200, 300, 300}));
    EXPECT_EQ(Pos("f"), (Rect{105, 106, 125, 136}));
    pm.FindControl("hidden")->SetVisible(true);
    root->SetPos(root->GetPos(), false);
    EXPECT_EQ(Pos("a").Height(), 50);
    EXPECT_EQ(Pos("hidden").Height(), 100);
}

TEST_F(LayoutTest, ChildAlignmentCentresNarrowChildren) {
    ASSERT_NE(
        Build(
            R"(<VerticalLayout childalign="center"><Control name="a" width="40" height="10"/></VerticalLayout>)",
            Rect{0, 0, 100, 100}),
        nullptr);
    EXPECT_EQ(Pos("a"), (Rect{30, 0, 70, 10}));
}

TEST_F(LayoutTest, PointHitTestFindsTheTopmostEnabledControl) {
    ASSERT_NE(Build(R"(<VerticalLayout><Button name="a" height="50"/><Label name="b"/>
                       <Button name="over" float="true" pos="0,0,10,10"/></VerticalLayout>)",
                    Rect{0, 0, 100, 100}),
              nullptr);
    EXPECT_EQ(pm.FindControl(Point{5, 5}), pm.FindControl("over"));
    EXPECT_EQ(pm.FindControl(Point{50, 20}), pm.FindControl("a"));
    EXPECT_EQ(pm.FindControl(Point{50, 70}), pm.FindControl("b"));
    EXPECT_EQ(pm.FindControl(Point{500, 70}), nullptr);
}

}  // namespace
}  // namespace ui
