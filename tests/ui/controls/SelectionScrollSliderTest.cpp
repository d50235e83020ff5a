#include <gtest/gtest.h>

#include "ui/controls/ListSelectionModel.h"
#include "ui/controls/ScrollModel.h"
#include "ui/controls/SliderModel.h"

namespace {

using ui::ListKey;

TEST(ListSelectionModel, CtrlAndShiftSelectOnlyInMultiSelectMode) {
    ui::ListSelectionModel m;
    m.SetCount(6);
    EXPECT_TRUE(m.Select(1));
    EXPECT_TRUE(m.Toggle(3));  // single mode: Ctrl acts as a plain click
    EXPECT_EQ(m.Selected(), (std::vector<int>{3}));

    m.SetMultiSelect(true);
    EXPECT_TRUE(m.Toggle(5));
    EXPECT_EQ(m.Selected(), (std::vector<int>{3, 5}));
    EXPECT_EQ(m.Current(), 5);
    EXPECT_TRUE(m.Toggle(5));  // Ctrl on a selected row drops it
    EXPECT_EQ(m.Selected(), (std::vector<int>{3}));
    EXPECT_EQ(m.Current(), 3);
    // Shift extends from the last Ctrl-clicked row, replacing the rest.
    EXPECT_TRUE(m.ExtendTo(2));
    EXPECT_EQ(m.Selected(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_TRUE(m.Select(0));
    EXPECT_EQ(m.Selected(), (std::vector<int>{0}));

    m.Toggle(2);
    m.SetMultiSelect(false);  // leaving multi-select keeps only the current row
    EXPECT_EQ(m.Selected(), (std::vector<int>{2}));
}

TEST(ListSelectionModel, RowsComingAndGoingKeepTheSelectionOnItsRow) {
    ui::ListSelectionModel m;
    m.SetCount(4);
    m.Select(2);
    m.Inserted(0);
    EXPECT_EQ(m.Current(), 3);
    EXPECT_TRUE(m.IsSelected(3));
    m.Removed(1);
    EXPECT_EQ(m.Current(), 2);
    m.Removed(2);
    EXPECT_EQ(m.Current(), -1);
    EXPECT_TRUE(m.Selected().empty());
    m.Select(2);
    m.SetCount(2);
    EXPECT_EQ(m.Current(), -1);
    EXPECT_FALSE(m.Select(7));
}

TEST(ListSelectionModel, KeysSkipUnselectableRowsAndStopAtTheEnds) {
    ui::ListSelectionModel m;
    m.SetCount(10);
    m.SetSelectablePredicate([](int i) { return i != 1 && i != 9; });
    EXPECT_EQ(m.KeyTarget(ListKey::Down, 3), 0);  // nothing current: first row
    m.Select(0);
    EXPECT_EQ(m.KeyTarget(ListKey::Down, 3), 2);
    EXPECT_EQ(m.KeyTarget(ListKey::Up, 3), 0);
    EXPECT_EQ(m.KeyTarget(ListKey::End, 3), 8);
    EXPECT_EQ(m.KeyTarget(ListKey::PageDown, 3), 3);
    m.Select(8);
    EXPECT_EQ(m.KeyTarget(ListKey::PageDown, 3), 8);
    EXPECT_EQ(m.KeyTarget(ListKey::PageUp, 3), 5);
    EXPECT_EQ(m.KeyTarget(ListKey::Home, 3), 0);
    EXPECT_FALSE(m.Select(1));
}

TEST(ListSelectionModel, ScrollToShowMovesAsLittleAsPossible) {
    EXPECT_EQ(ui::ScrollToShow(50, 70, 100, 0), 0);     // visible already
    EXPECT_EQ(ui::ScrollToShow(120, 140, 100, 0), 40);  // below: bottom aligned
    EXPECT_EQ(ui::ScrollToShow(10, 30, 100, 60), 10);   // above: top aligned
    EXPECT_EQ(ui::ScrollToShow(0, 300, 100, 150), 0);   // taller than the view: its top
}

TEST(ScrollModel, ThumbSizePositionAndDragRoundTrip) {
    ui::ScrollModel m;
    m.SetRange(300);  // content 400 in a view of 100
    m.SetPage(100);
    auto thumb = m.Thumb(200, 10);
    EXPECT_EQ(thumb.length, 50);
    EXPECT_EQ(thumb.start, 0);
    m.SetPos(300);
    EXPECT_EQ(m.Thumb(200, 10).start, 150);
    EXPECT_EQ(m.PosForThumbDrag(300, -75, 200, 10), 150);
    EXPECT_EQ(m.PosForThumbDrag(300, -1000, 200, 10), 0);
    EXPECT_EQ(m.PosForThumbDrag(0, 150, 200, 10), 300);
    EXPECT_EQ(m.HitTrack(10, 200, 10), ui::ScrollPart::PageUp);
    EXPECT_EQ(m.HitTrack(160, 200, 10), ui::ScrollPart::Thumb);
    // A huge content keeps the thumb grabbable.
    m.SetRange(1000000);
    EXPECT_EQ(m.Thumb(200, 12).length, 12);
    m.SetRange(0);
    EXPECT_EQ(m.Pos(), 0);
    EXPECT_EQ(m.Thumb(200, 10).length, 0);
    EXPECT_EQ(m.HitTrack(5, 200, 10), ui::ScrollPart::None);
    EXPECT_FALSE(m.PageDown());
}

TEST(SliderModel, ValueAndOffsetMapBothWaysWithSteps) {
    ui::SliderModel m;
    m.SetRange(200, 6500);
    m.SetStep(100);
    EXPECT_TRUE(m.SetValue(250));  // code may set values between steps
    EXPECT_EQ(m.Value(), 250);
    EXPECT_EQ(m.ValueForOffset(0, 630), 200);
    EXPECT_EQ(m.ValueForOffset(630, 630), 6500);
    EXPECT_EQ(m.ValueForOffset(316, 630), 3400);
    EXPECT_EQ(m.OffsetForValue(3350, 630), 315);
    EXPECT_EQ(m.ValueForOffset(-40, 630), 200);
    EXPECT_TRUE(m.StepBy(-5));
    EXPECT_EQ(m.Value(), 200);
    EXPECT_FALSE(m.StepBy(-1));

    m.SetRange(0, 10);
    m.SetStep(4);
    EXPECT_EQ(m.Snap(9), 8);    // the last full step is nearer than (or as near as) the maximum
    EXPECT_EQ(m.Snap(10), 10);  // the maximum stays reachable
    m.SetRange(5, 1);           // reversed range collapses
    EXPECT_EQ(m.Max(), 5);
    EXPECT_EQ(m.Value(), 5);
    EXPECT_EQ(m.OffsetForValue(5, 100), 0);
}

}  // namespace
