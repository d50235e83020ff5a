// The shoot panel from the real skin, driven headless through the main window's handlers:
// selecting sets and bullets, the edits and direction options reaching the set files (also
// when the focus leaves an edit for a click elsewhere), the start-up rule, hostile files and
// the pattern plot.
#include <gtest/gtest.h>

#include <algorithm>

#include "ShootPanelSupport.h"
#include "controls/ShootPatternUI.h"
#include "ui/layout/TabLayoutUI.h"

namespace shoottest {
namespace {

using controls::CShootPatternUI;

class ShootPanel : public ::testing::Test {
  protected:
    ShootFixture f;
};

TEST_F(ShootPanel, PreviousAndNextStopAtTheFirstAndLastBullet) {
    f.Start();
    EXPECT_EQ(f.Text(CShootControlUI::kIndexLabelName), "1");
    f.ClickOn(CShootControlUI::kPreviousButtonName);
    EXPECT_EQ(f.panel->CurrentBullet(), 0);
    EXPECT_EQ(f.Text(CShootControlUI::kIndexLabelName), "1");
    for (int i = 0; i < 35; ++i)
        f.handlers.OnClick(f.mouse, 2, CShootControlUI::kNextButtonName);
    EXPECT_EQ(f.panel->CurrentBullet(), 29);
    EXPECT_EQ(f.Text(CShootControlUI::kIndexLabelName), "30");
    EXPECT_TRUE(f.Option("bullet_op_29")->IsSelected());
    EXPECT_EQ(f.Shown(), (std::vector<std::string>{"129", "59", "179"}));
    f.ClickOn(CShootControlUI::kPreviousButtonName);
    EXPECT_EQ(f.Text(CShootControlUI::kIndexLabelName), "29");
}

TEST_F(ShootPanel, ChoosingASetKeepsTheBulletAndRaisesNothing) {
    f.Start();
    f.ClickOn("bullet_op_12");
    ASSERT_EQ(f.panel->CurrentBullet(), 12);
    f.window->notices.clear();
    f.ClickOn("shoot_gun_op_3");
    // Set 3 (seed 400), bullet 12: x 412 to the right, y 25, delay 462.
    EXPECT_EQ(f.panel->CurrentSet(), 3);
    EXPECT_EQ(f.panel->CurrentBullet(), 12);
    EXPECT_EQ(f.Shown(), (std::vector<std::string>{"412", "25", "462"}));
    EXPECT_EQ(f.Text(CShootControlUI::kIndexLabelName), "13");
    EXPECT_TRUE(f.Option("bullet_op_12")->IsSelected());
    EXPECT_FALSE(f.Option("shoot_gun_op_0")->IsSelected());
    EXPECT_EQ(f.window->Get<ui::CTabLayoutUI>(CShootControlUI::kPagesName)->GetCurSel(), 3);
    // Only the user's click reported; what the panel selected to show it stayed quiet.
    const long selects =
        std::count_if(f.window->notices.begin(), f.window->notices.end(),
                      [](const std::string& n) { return n.rfind("select", 0) == 0; });
    EXPECT_EQ(selects, 1);
    // By code: no notification at all.
    f.window->notices.clear();
    f.panel->SelectSet(1);
    f.panel->SelectBullet(29);
    f.panel->SelectBullet(-4);
    EXPECT_TRUE(f.window->notices.empty());
    EXPECT_EQ(f.panel->CurrentBullet(), 0);
    f.panel->SelectSet(9);
    EXPECT_EQ(f.panel->CurrentSet(), 3);
}

TEST_F(ShootPanel, TypedValuesAreSavedIntoTheEditedBulletBeforeAClickActs) {
    f.Start();
    f.ClickOn("bullet_op_12");
    const Json::Value before = f.Events(0);
    // Type into x, then click bullet 7: the old bullet takes the value.
    f.ClickOn(CShootControlUI::kHorizontalEditName);
    f.Native().PressKey(ui::VK_END);
    for (int i = 0; i < 3; ++i)
        f.Native().PressKey(ui::VK_BACK);
    f.Native().Type("77");
    f.ClickOn("bullet_op_7");
    Json::Value events = f.Events(0);
    EXPECT_EQ(events[12 * 6 + 2]["Button"].asInt(), 77);
    EXPECT_EQ(events[7 * 6 + 2], before[7 * 6 + 2]);
    EXPECT_EQ(f.panel->CurrentBullet(), 7);
    EXPECT_EQ(f.Shown()[0], "107");
    // The delay, then a set option: saved into set 0, bullet 7.
    f.ClickOn(CShootControlUI::kDelayEditName);
    f.Native().PressKey(ui::VK_END);
    f.Native().Type("0");
    f.ClickOn("shoot_gun_op_2");
    EXPECT_EQ(f.Events(0)[7 * 6 + 3]["Delay"].asInt(), 1570);
    EXPECT_EQ(f.Events(2), profile::LoadJsonFile(f.FactoryPath(2))["Events"]);
    // And before the upload: saved, then the refused upload is told.
    f.ClickOn(CShootControlUI::kVerticalEditName);
    f.Native().PressKey(ui::VK_END);
    f.Native().Type("9");
    f.ClickOn(CShootControlUI::kUploadButtonName);
    EXPECT_EQ(f.Events(2)[7 * 6 + 3]["Button"].asInt(), 159);
    EXPECT_EQ(f.host.shown, (std::vector<std::string>{"message_text_7"}));
}

TEST_F(ShootPanel, ADirectionToggleReachesTheFileAndItsText) {
    f.Start();
    f.ClickOn("bullet_op_4");
    ui::COptionUI* x = f.Option(CShootControlUI::kHorizontalCheckName);
    ui::COptionUI* y = f.Option(CShootControlUI::kVerticalCheckName);
    EXPECT_FALSE(x->IsSelected());
    EXPECT_EQ(x->GetTextKey(), "mouse_move_to_right_text");
    f.ClickOn(CShootControlUI::kHorizontalCheckName);
    f.ClickOn(CShootControlUI::kVerticalCheckName);
    EXPECT_EQ(x->GetTextKey(), "mouse_move_to_left_text");
    EXPECT_EQ(y->GetTextKey(), "mouse_move_to_up_text");
    Json::Value events = f.Events(0);
    for (int e : {2, 4})
        EXPECT_EQ(events[4 * 6 + e]["Action"].asString(), "down") << e;
    for (int e : {3, 5})
        EXPECT_EQ(events[4 * 6 + e]["Action"].asString(), "down") << e;
    // Still so after moving away and back.
    f.ClickOn("bullet_op_5");
    EXPECT_EQ(x->GetTextKey(), "mouse_move_to_left_text");  // bullet 5 is odd: left
    EXPECT_EQ(y->GetTextKey(), "mouse_move_to_down_text");
    f.ClickOn("bullet_op_4");
    EXPECT_TRUE(x->IsSelected());
    EXPECT_TRUE(y->IsSelected());
    f.ClickOn(CShootControlUI::kHorizontalCheckName);
    EXPECT_EQ(f.Events(0)[4 * 6 + 2]["Action"].asString(), "up");
    EXPECT_TRUE(f.host.shown.empty());
}

TEST_F(ShootPanel, TheEditsTextsReachTheFileAsTheirLeadingNumbers) {
    f.Start();
    f.Edit(CShootControlUI::kHorizontalEditName)->SetText("300", false);
    f.Edit(CShootControlUI::kVerticalEditName)->SetText("12abc", false);
    f.Edit(CShootControlUI::kDelayEditName)->SetText("", false);
    ASSERT_TRUE(f.panel->SaveBullet(1, 5));
    const Json::Value events = f.Events(1);
    EXPECT_EQ(events[32]["Button"].asInt(), 300);
    EXPECT_EQ(events[33]["Button"].asInt(), 12);
    EXPECT_EQ(events[33]["Delay"], Json::Value(0));
    // Nothing is stored for a bullet or set out of range.
    EXPECT_FALSE(f.panel->SaveBullet(1, 30));
    EXPECT_FALSE(f.panel->SaveBullet(4, 0));
    EXPECT_EQ(f.Events(1), events);
}

TEST_F(ShootPanel, ThePageBuildCopiesMissingSetsFromTheFactory) {
    // Set 2 is the user's own; the others are missing.
    Json::Value own = MakeSet(7);
    ASSERT_EQ(profile::WriteJsonFile(f.UserPath(2), own), 0);
    const std::string ownBytes = ReadBytes(f.UserPath(2));
    f.mouse->SetSkinFile("mousedevice.xml");
    f.mouse->SetDataFolderName("mouse");
    f.mouse->BindPanelControls();
    for (int set : {0, 1, 3})
        EXPECT_EQ(ReadBytes(f.UserPath(set)), ReadBytes(f.FactoryPath(set))) << set;
    EXPECT_EQ(ReadBytes(f.UserPath(2)), ownBytes);
    EXPECT_EQ(f.panel->GetDataFolder(), f.user());
    EXPECT_EQ(f.panel->GetDefaultFolder(), f.factory());
    EXPECT_EQ(f.panel->CurrentSet(), 0);
    EXPECT_EQ(f.panel->CurrentBullet(), 0);
    EXPECT_TRUE(f.Option("shoot_gun_op_0")->IsSelected());
    EXPECT_EQ(f.Text(CShootControlUI::kIndexLabelName), "1");
    EXPECT_EQ(f.Shown(), (std::vector<std::string>{"100", "1", "150"}));
    // The set options read as the gun keys that run them; the edits take digits only.
    for (int set = 0; set < 4; ++set) {
        ui::COptionUI* option = f.Option("shoot_gun_op_" + std::to_string(set));
        EXPECT_TRUE(option->IsResourceText());
        EXPECT_EQ(option->GetTextKey(), "gun_" + std::to_string(set + 1) + "_txt");
    }
    for (const auto& [name, limit] : {std::pair{CShootControlUI::kHorizontalEditName, 3u},
                                      std::pair{CShootControlUI::kVerticalEditName, 3u},
                                      std::pair{CShootControlUI::kDelayEditName, 5u}}) {
        EXPECT_TRUE(f.Edit(name)->IsNumberOnly()) << name;
        EXPECT_EQ(f.Edit(name)->GetMaxChar(), limit) << name;
    }
}

TEST_F(ShootPanel, HostileFilesShowAsNumbersAndTakeASave) {
    f.Start();
    for (const char* bytes : {"not json {", "[1, 2, 3]", R"({"Events": "many"})",
                              R"({"Events": [1, "x", null, [], {"Button": "12"}]})",
                              R"({"Events": [{}, {}, {"Action": 5, "Button": "lots"}]})", ""}) {
        SCOPED_TRACE(bytes);
        WriteBytes(f.UserPath(1), bytes);
        f.panel->SelectSet(1);
        f.panel->SelectBullet(0);
        f.panel->ImportSet(f.UserPath(1));
        for (const std::string& shown : f.Shown()) {
            const size_t from = !shown.empty() && shown[0] == '-' ? 1 : 0;
            EXPECT_TRUE(shown.size() > from &&
                        shown.find_first_not_of("0123456789", from) == std::string::npos)
                << shown;
        }
        f.Edit(CShootControlUI::kHorizontalEditName)->SetText("3", false);
        EXPECT_TRUE(f.panel->SaveBullet(1, 0));
        EXPECT_EQ(f.Events(1)[2]["Button"].asInt(), 3);
    }
}

TEST_F(ShootPanel, ThePlotFollowsEachShowAndSave) {
    f.Start();
    f.ClickOn("bullet_op_3");
    CShootPatternUI* plot = f.panel->Pattern(0);
    ASSERT_NE(plot, nullptr);
    ASSERT_EQ(plot->Steps().size(), 30u);
    EXPECT_EQ(plot->Selected(), 3);
    // Bullet 3: 103 to the left (odd), 7 down.
    EXPECT_EQ(plot->Steps()[3], (CShootPatternUI::Step{-103, 7}));
    // Saved: what the mouse gets, the low byte (300 -> 44), in the chosen direction.
    f.ClickOn(CShootControlUI::kHorizontalEditName);
    f.Native().PressKey(ui::VK_END);
    for (int i = 0; i < 3; ++i)
        f.Native().PressKey(ui::VK_BACK);
    f.Native().Type("300");
    f.ClickOn(CShootControlUI::kVerticalCheckName);
    EXPECT_EQ(plot->Steps()[3], (CShootPatternUI::Step{-44, -7}));
    // Each set's page has its own plot; a short set plots the bullets it has.
    Json::Value shortSet;
    AppendBullet(shortSet["Events"], {5, 6, 7, false, false});
    AppendBullet(shortSet["Events"], {1, 2, 3, true, true});
    ASSERT_EQ(profile::WriteJsonFile(f.UserPath(2), shortSet), 0);
    f.ClickOn("shoot_gun_op_2");
    EXPECT_EQ(f.panel->Pattern(2)->Steps(), (std::vector<CShootPatternUI::Step>{{5, 6}, {-1, -2}}));
    EXPECT_EQ(f.panel->Pattern(2)->Selected(), 3);
    // The selected bullet is ringed where its movement ends.
    f.panel->SelectBullet(1);
    f.window->GetPaintManager()->UpdateLayout();
    const ui::headless::RecordingRenderTarget& painted = f.Native().Paint();
    const ui::Rect area = f.panel->Pattern(2)->GetPos();
    const std::vector<ui::Point> points =
        CShootPatternUI::PlacePoints(f.panel->Pattern(2)->Steps(), area, CShootPatternUI::kMargin,
                                     CShootPatternUI::kMaxUnitsScale);
    bool ringed = false;
    for (const auto& op : painted.OfKind(ui::headless::OpKind::EllipseOutline)) {
        const ui::Point centre{(op.rect.left + op.rect.right - 1) / 2,
                               (op.rect.top + op.rect.bottom - 1) / 2};
        ringed = ringed || (centre.x == points[2].x && centre.y == points[2].y);
    }
    EXPECT_TRUE(ringed);
}

TEST(ShootPattern, PlacesThePathWithOneScaleInsideItsArea) {
    using Step = CShootPatternUI::Step;
    const ui::Rect area{0, 0, 200, 300};
    // A small pattern is not magnified past the limit and sits in the middle.
    std::vector<ui::Point> p = CShootPatternUI::PlacePoints({{2, 0}, {0, 4}}, area, 10, 4.0);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[1].x - p[0].x, 8);
    EXPECT_EQ(p[2].y - p[1].y, 16);
    EXPECT_EQ((p[0].x + p[1].x) / 2, 100);
    // A large one fits inside the margins, the same scale on both axes.
    std::vector<Step> steps(30, Step{-40, 90});
    p = CShootPatternUI::PlacePoints(steps, area, 10, 4.0);
    for (const ui::Point& q : p) {
        EXPECT_GE(q.x, 10);
        EXPECT_LE(q.x, 190);
        EXPECT_GE(q.y, 10);
        EXPECT_LE(q.y, 290);
    }
    EXPECT_NEAR(static_cast<double>(p[0].x - p[30].x) / (p[30].y - p[0].y), 40.0 / 90.0, 0.01);
    // No bullets: the start alone, in the middle.
    p = CShootPatternUI::PlacePoints({}, area, 10, 4.0);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].x, 100);
    EXPECT_EQ(p[0].y, 150);
}

}  // namespace
}  // namespace shoottest
