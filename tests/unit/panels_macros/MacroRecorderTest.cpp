// The recorder over a fake event list: repeat suppression, the rows it makes of keys and
// buttons, placements, delays by time mode, the full list and the stop button.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "devices/mouse/EventArea.h"
#include "panels/macros/MacroFiles.h"
#include "panels/macros/MacroRecorder.h"

namespace panels::macros {
namespace {

using platform::HookKeyboardRecord;
using platform::HookMouseRecord;

struct Row {
    Json::Value event;  // null: the empty row
    std::string delayText;
};

class FakeEventList : public IMacroEventList {
  public:
    std::vector<Row> rows;
    int selected = -1;
    int scrolls = 0;
    std::optional<ui::Rect> stop;

    int RowCount() const override { return static_cast<int>(rows.size()); }
    int SelectedRow() const override { return selected; }
    void SelectRow(int index) override { selected = index; }
    void InsertEventRow(int index, const Json::Value& event, const std::string& text) override {
        rows.insert(rows.begin() + index, Row{event, text});
    }
    void AppendEmptyRow() override { rows.push_back(Row{Json::Value(), ""}); }
    Json::Value RowEvent(int index) const override {
        return index >= 0 && index < RowCount() ? rows[static_cast<size_t>(index)].event
                                                : Json::Value();
    }
    void SetRowEvent(int index, const Json::Value& event) override {
        rows[static_cast<size_t>(index)].event = event;
    }
    void SetRowDelay(int index, uint16_t delay) override {
        rows[static_cast<size_t>(index)].event["Delay"] = std::to_string(delay);
        rows[static_cast<size_t>(index)].delayText = std::to_string(delay);
    }
    void StartScrollTimer() override { ++scrolls; }
    std::optional<ui::Rect> StopButtonScreenRect() const override { return stop; }

    std::string Delay(int i) const {
        return rows[static_cast<size_t>(i)].event["Delay"].asString();
    }
    std::string Action(int i) const {
        return rows[static_cast<size_t>(i)].event["Action"].asString();
    }
    int Button(int i) const { return rows[static_cast<size_t>(i)].event["Button"].asInt(); }
    int Type(int i) const { return rows[static_cast<size_t>(i)].event["Type"].asInt(); }
    // What a save stores: each row's delay edit.
    Json::Value Saved() const {
        Json::Value events(Json::arrayValue);
        for (const Row& r : rows) {
            Json::Value e = r.event;
            e["Delay"] = r.delayText;
            events.append(e);
        }
        return events;
    }
};

constexpr uint32_t kDown = 0x100;
constexpr uint32_t kUp = 0x101;

HookKeyboardRecord Key(uint32_t scan, bool extended = false) {
    HookKeyboardRecord r;
    r.scanCode = scan;
    r.flags = extended ? platform::kHookFlagExtended : 0;
    return r;
}

HookMouseRecord Mouse(int x = 5, int y = 5, uint32_t xButton = 0) {
    HookMouseRecord r;
    r.x = x;
    r.y = y;
    r.mouseData = platform::MakeHookMouseData(xButton);
    return r;
}

class MacroRecorderTest : public ::testing::Test {
  protected:
    void StartAt(int mode, uint16_t fixed = 50) { recorder.Start(mode, fixed, now); }
    void KeyAt(uint64_t at, uint32_t msg, uint32_t scan, bool ext = false,
               RecordPlacement p = RecordPlacement::kAppend) {
        now = at;
        recorder.OnKey(p, msg, Key(scan, ext), now, list);
    }
    void MouseAt(uint64_t at, uint32_t msg, HookMouseRecord r = Mouse(),
                 RecordPlacement p = RecordPlacement::kAppend) {
        now = at;
        recorder.OnMouse(p, msg, r, now, list);
    }
    CMacroRecorder recorder;
    FakeEventList list;
    uint64_t now = 1000;
};

TEST_F(MacroRecorderTest, HeldKeyRecordsOneDownAndOneUpWithTheTableCodes) {
    StartAt(kTimeIgnore);
    KeyAt(1000, kDown, 0x1E);  // A
    KeyAt(1030, kDown, 0x1E);  // auto-repeat
    KeyAt(1060, kDown, 0x1E);
    KeyAt(1090, kUp, 0x1E);
    KeyAt(1100, kDown, 0x1D, true);  // Right Ctrl: a modifier
    KeyAt(1110, 0x105, 0x1D, true);
    KeyAt(1120, kDown, 0x7F);  // no row: ignored
    ASSERT_EQ(list.rows.size(), 4u);
    EXPECT_EQ(list.Action(0), "down");
    EXPECT_EQ(list.Action(1), "up");
    EXPECT_EQ(list.Type(0), 10);
    EXPECT_EQ(list.Button(0), 0x04);  // HID usage of A
    EXPECT_EQ(list.Type(2), 9);
    EXPECT_EQ(list.Button(2), 0x10);  // Right Ctrl's modifier bit
    EXPECT_EQ(list.Action(3), "up");
    // The key can be pressed again after its release.
    KeyAt(1200, kDown, 0x1E);
    EXPECT_EQ(list.rows.size(), 5u);
    EXPECT_EQ(list.selected, 4);
    EXPECT_EQ(list.scrolls, 5);
    EXPECT_TRUE(recorder.Recorded());
}

TEST_F(MacroRecorderTest, RealTimeGivesThePreviousRowTheGapAndEncodesIt) {
    StartAt(kTimeReal);
    KeyAt(1100, kDown, 0x1E);
    EXPECT_EQ(list.Delay(0), "0");
    EXPECT_EQ(list.rows[0].delayText, "10");
    KeyAt(1350, kUp, 0x1E);
    EXPECT_EQ(list.Delay(0), "250");
    EXPECT_EQ(list.rows[1].delayText, "10");
    const std::vector<devices::mouse::EncodedEvent> bytes =
        devices::mouse::EncodeEvents(list.Saved());
    ASSERT_EQ(bytes.size(), 2u);
    EXPECT_EQ(bytes[0][0], 0xFA);
    EXPECT_EQ(bytes[0][1], 0x00);
    EXPECT_EQ(bytes[1][0], 0x0A);
    EXPECT_EQ(bytes[1][1], 0x00);
    // A gap beyond the field is capped.
    KeyAt(100000, kDown, 0x30);
    EXPECT_EQ(list.Delay(1), "65535");
}

TEST_F(MacroRecorderTest, IgnoredAndFixedTimeModes) {
    StartAt(kTimeIgnore);
    for (int i = 0; i < 3; ++i) {
        KeyAt(1000 + 100 * i, kDown, 0x1E + i);
        KeyAt(1050 + 100 * i, kUp, 0x1E + i);
    }
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(list.Delay(i), "0") << i;
    EXPECT_EQ(list.rows[5].delayText, "10");

    list = FakeEventList{};
    StartAt(kTimeFixed, 40);
    KeyAt(2000, kDown, 0x1E);
    KeyAt(2300, kUp, 0x1E);
    KeyAt(2310, kDown, 0x30);
    EXPECT_EQ(list.Delay(0), "40");
    EXPECT_EQ(list.Delay(1), "40");
    EXPECT_EQ(list.Delay(2), "40");
    EXPECT_EQ(list.rows[2].delayText, "40");
    EXPECT_EQ(recorder.FixedDelay(), 40);
}

TEST_F(MacroRecorderTest, FixedDelayIsClampedWithItsMessage) {
    const auto low = CMacroRecorder::ClampFixedDelay(5);
    EXPECT_EQ(low.delay, 10);
    EXPECT_STREQ(low.messageKey, "message_text_36");
    const auto high = CMacroRecorder::ClampFixedDelay(70000);
    EXPECT_EQ(high.delay, 65535);
    EXPECT_STREQ(high.messageKey, "message_text_38");
    const auto huge = CMacroRecorder::ClampFixedDelay(~0ull);
    EXPECT_EQ(huge.delay, 65535);
    const auto fine = CMacroRecorder::ClampFixedDelay(65535);
    EXPECT_EQ(fine.delay, 65535);
    EXPECT_EQ(fine.messageKey, nullptr);
    EXPECT_EQ(CMacroRecorder::ClampFixedDelay(10).messageKey, nullptr);
}

TEST_F(MacroRecorderTest, MouseRowsStopButtonAndTheSameMessageRule) {
    StartAt(kTimeIgnore);
    list.stop = ui::Rect{100, 100, 160, 130};
    MouseAt(1000, 0x201, Mouse(120, 110));  // left on the stop button: not recorded
    MouseAt(1001, 0x202, Mouse(120, 110));
    MouseAt(1002, 0x204, Mouse(120, 110));  // a right click there is
    MouseAt(1003, 0x205, Mouse(120, 110));
    MouseAt(1004, 0x201, Mouse(160, 110));  // just outside
    MouseAt(1005, 0x202, Mouse(160, 110));
    MouseAt(1006, 0x207);
    MouseAt(1007, 0x208);
    ASSERT_EQ(list.rows.size(), 6u);
    EXPECT_EQ(list.Button(0), 0x02);
    EXPECT_EQ(list.Action(0), "down");
    EXPECT_EQ(list.Type(0), 1);
    EXPECT_EQ(list.Button(2), 0x01);
    EXPECT_EQ(list.Button(4), 0x04);
    EXPECT_EQ(list.Action(5), "up");

    // Two presses of different X buttons: one message twice, the first only.
    list = FakeEventList{};
    MouseAt(1100, 0x20B, Mouse(1, 1, 1));
    MouseAt(1101, 0x20B, Mouse(1, 1, 2));
    MouseAt(1102, 0x20C, Mouse(1, 1, 2));
    MouseAt(1103, 0x20B, Mouse(1, 1, 3));  // no such X button
    MouseAt(1104, 0x20A);                  // the wheel is not a button
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.Button(0), 0x08);  // X button 1: back
    EXPECT_EQ(list.Button(1), 0x10);  // X button 2: forward
    EXPECT_EQ(list.Action(1), "up");
}

TEST_F(MacroRecorderTest, AFullListGetsOneEmptyRow) {
    StartAt(kTimeIgnore);
    for (int i = 0; i < 30; ++i) {
        KeyAt(1000 + i, kDown, 0x1E);
        KeyAt(1000 + i, kUp, 0x1E);
    }
    ASSERT_EQ(list.rows.size(), 60u);
    KeyAt(2000, kDown, 0x30);
    ASSERT_EQ(list.rows.size(), 61u);
    EXPECT_TRUE(list.rows[60].event.isNull());
    EXPECT_EQ(list.Delay(59), "0");  // nothing measured for it
    KeyAt(2001, kUp, 0x30);
    MouseAt(2002, 0x204);
    EXPECT_EQ(list.rows.size(), 61u);
}

TEST_F(MacroRecorderTest, BeforeKeepsGoingInFrontOfTheSelectedRowInOrder) {
    StartAt(kTimeReal);
    for (uint32_t scan : {0x10u, 0x11u, 0x12u, 0x13u})  // Q W E R
        KeyAt(now + 10, kDown, scan);
    list.selected = 2;
    StartAt(kTimeReal);
    KeyAt(now + 70, kDown, 0x1E, false, RecordPlacement::kBefore);
    KeyAt(now + 30, kDown, 0x30, false, RecordPlacement::kBefore);
    ASSERT_EQ(list.rows.size(), 6u);
    EXPECT_EQ(list.Button(2), 0x04);  // A
    EXPECT_EQ(list.Button(3), 0x05);  // B
    EXPECT_EQ(list.Button(4), 0x08);  // E, selected when recording began
    EXPECT_EQ(list.selected, 4);
    EXPECT_EQ(list.Delay(1), "70");
    EXPECT_EQ(list.Delay(2), "30");
    // Before the first row: it shows "10", delay 0, and no other row changes.
    list.selected = 0;
    const std::string firstDelay = list.Delay(0);
    KeyAt(now + 500, kDown, 0x2C, false, RecordPlacement::kBefore);
    EXPECT_EQ(list.Button(0), 0x1D);  // Z
    EXPECT_EQ(list.Delay(0), "0");
    EXPECT_EQ(list.rows[0].delayText, "10");
    EXPECT_EQ(list.Delay(1), firstDelay);
    EXPECT_EQ(list.selected, 1);
    // No selection: ignored.
    list.selected = -1;
    KeyAt(now + 10, kDown, 0x2D, false, RecordPlacement::kBefore);
    KeyAt(now + 10, kDown, 0x2E, false, RecordPlacement::kAfter);
    EXPECT_EQ(list.rows.size(), 7u);
}

TEST_F(MacroRecorderTest, AfterSelectsTheNewRow) {
    StartAt(kTimeFixed, 25);
    KeyAt(1000, kDown, 0x10);
    KeyAt(1000, kDown, 0x11);
    list.selected = 0;
    MouseAt(1100, 0x201, Mouse(), RecordPlacement::kAfter);
    MouseAt(1200, 0x202, Mouse(), RecordPlacement::kAfter);
    ASSERT_EQ(list.rows.size(), 4u);
    EXPECT_EQ(list.Button(1), 0x01);
    EXPECT_EQ(list.Action(2), "up");
    EXPECT_EQ(list.Button(3), 0x1A);  // W stays last
    EXPECT_EQ(list.selected, 2);
    EXPECT_EQ(list.Delay(1), "25");
}

TEST_F(MacroRecorderTest, SingleReplacesButtonAndTypeButKeepsActionAndDelay) {
    list.rows.push_back(Row{MakeEvent(false, 0x04, 10, 321), "321"});
    list.rows.push_back(Row{MakeEvent(true, 0x05, 10, 7), "7"});
    list.selected = 0;
    StartAt(kTimeReal);
    KeyAt(5000, kDown, 0x2A, false, RecordPlacement::kSingle);  // Left Shift
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.Action(0), "up");
    EXPECT_EQ(list.Delay(0), "321");
    EXPECT_EQ(list.Type(0), 9);
    EXPECT_EQ(list.Button(0), 0x02);
    list.selected = 1;
    MouseAt(5100, 0x204, Mouse(), RecordPlacement::kSingle);
    EXPECT_EQ(list.Action(1), "down");
    EXPECT_EQ(list.Delay(1), "7");
    EXPECT_EQ(list.Type(1), 1);
    EXPECT_EQ(list.Button(1), 0x02);
    // The empty row of a full list has no event to change.
    list.AppendEmptyRow();
    list.selected = 2;
    KeyAt(5200, kDown, 0x1E, false, RecordPlacement::kSingle);
    EXPECT_TRUE(list.rows[2].event.isNull());
}

}  // namespace
}  // namespace panels::macros
