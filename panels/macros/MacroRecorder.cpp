#include "panels/macros/MacroRecorder.h"

#include <string>

#include "panels/keys/KeyTables.h"
#include "panels/macros/MacroFiles.h"

namespace panels::macros {
namespace {

constexpr uint16_t kMaximumFixedDelay = 65535;
// The delay edit of a row whose delay the next event has yet to tell.
constexpr const char* kPendingDelayText = "10";
constexpr int kRecorderKeyType = 10;      // a key by its HID usage
constexpr int kRecorderModifierType = 9;  // a modifier by its bit
constexpr int kRecorderMouseType = 1;

// The button rows of the mouse event table: message, X button (0: none), button bit, down.
struct RecorderMouseRow {
    uint32_t message;
    uint32_t xButton;
    int button;
    bool down;
};

constexpr RecorderMouseRow kRecorderMouseRows[] = {
    {platform::kHookLeftDown, 0, 0x01, true},
    {platform::kHookLeftUp, 0, 0x01, false},
    {platform::kHookRightDown, 0, 0x02, true},
    {platform::kHookRightUp, 0, 0x02, false},
    {platform::kHookMiddleDown, 0, 0x04, true},
    {platform::kHookMiddleUp, 0, 0x04, false},
    {platform::kHookXDown, platform::kHookXButton2, 0x10, true},  // forward
    {platform::kHookXUp, platform::kHookXButton2, 0x10, false},
    {platform::kHookXDown, platform::kHookXButton1, 0x08, true},  // back
    {platform::kHookXUp, platform::kHookXButton1, 0x08, false},
};

const RecorderMouseRow* FindRecorderMouseRow(uint32_t message, uint32_t xButton) {
    const bool isX = message == platform::kHookXDown || message == platform::kHookXUp;
    for (const RecorderMouseRow& row : kRecorderMouseRows) {
        if (row.message == message && (!isX || row.xButton == xButton))
            return &row;
    }
    return nullptr;
}

int PlacementSlot(RecordPlacement placement) {
    switch (placement) {
        case RecordPlacement::kAppend:
            return 0;
        case RecordPlacement::kBefore:
            return 1;
        case RecordPlacement::kAfter:
            return 2;
        case RecordPlacement::kSingle:
            return 3;
    }
    return 0;
}

bool IsEventRow(const IMacroEventList& list, int index) {
    return index >= 0 && index < list.RowCount() && list.RowEvent(index).isObject();
}

}  // namespace

CMacroRecorder::FixedDelayChoice CMacroRecorder::ClampFixedDelay(unsigned long long typed) {
    if (typed > kMaximumFixedDelay)
        return {kMaximumFixedDelay, "message_text_38"};
    if (typed < kMinimumFixedDelay)
        return {kMinimumFixedDelay, "message_text_36"};
    return {static_cast<uint16_t>(typed), nullptr};
}

void CMacroRecorder::Start(int timeMode, uint16_t fixedDelay, uint64_t nowMs) {
    timeMode_ = (timeMode == kTimeFixed || timeMode == kTimeIgnore) ? timeMode : kTimeReal;
    fixedDelay_ = ClampFixedDelay(fixedDelay).delay;
    lastEventMs_ = nowMs;
}

void CMacroRecorder::OnKey(RecordPlacement placement, uint32_t message,
                           const platform::HookKeyboardRecord& record, uint64_t nowMs,
                           IMacroEventList& list) {
    if (!platform::IsHookKeyMessage(message))
        return;
    const bool down = platform::IsHookKeyDown(message);
    const bool extended = (record.flags & platform::kHookFlagExtended) != 0;
    // Auto-repeat presses of a held key are dropped: one "down" until its "up".
    LastKey& last = lastKey_[PlacementSlot(placement)];
    const bool same = last.set && last.scan == record.scanCode && last.extended == extended;
    if (down) {
        if (same)
            return;
        last = LastKey{true, record.scanCode, extended};
    } else if (same) {
        last = LastKey{};
    }
    const int row = keys::FindKeyboardRowByScan(record.scanCode, extended);
    if (row < 0)
        return;
    const keys::KeyPattern& pattern = keys::KeyboardTable()[static_cast<size_t>(row)].pattern;
    int button = 0;
    int type = 0;
    if (pattern.p2 != 0) {
        button = pattern.p2;
        type = kRecorderKeyType;
    } else if (pattern.p1 != 0) {
        button = pattern.p1;
        type = kRecorderModifierType;
    } else {
        return;  // a row the device cannot play
    }
    Place(placement, down, button, type, nowMs, list);
}

void CMacroRecorder::OnMouse(RecordPlacement placement, uint32_t message,
                             const platform::HookMouseRecord& record, uint64_t nowMs,
                             IMacroEventList& list) {
    const RecorderMouseRow* row = FindRecorderMouseRow(message, platform::HookXButtonOf(record));
    if (row == nullptr)
        return;
    // A button's press and release alternate; the same message twice in a row (also two
    // different X buttons) is recorded once.
    if (row->message == lastMouseMessage_)
        return;
    lastMouseMessage_ = row->message;
    // The click that stops the recording is not part of it.
    if (message == platform::kHookLeftDown || message == platform::kHookLeftUp) {
        const std::optional<ui::Rect> stop = list.StopButtonScreenRect();
        if (stop && stop->Contains(ui::Point{record.x, record.y}))
            return;
    }
    Place(placement, row->down, row->button, kRecorderMouseType, nowMs, list);
}

void CMacroRecorder::Place(RecordPlacement placement, bool down, int button, int type,
                           uint64_t nowMs, IMacroEventList& list) {
    const int count = list.RowCount();
    const int selected = list.SelectedRow();
    if (placement == RecordPlacement::kSingle) {
        // The selected event takes the new key or button; its action and delay stay.
        if (!IsEventRow(list, selected))
            return;
        const Json::Value made = MakeEvent(down, button, type, 0);
        Json::Value event = list.RowEvent(selected);
        event["Button"] = made["Button"];
        event["Type"] = made["Type"];
        list.SetRowEvent(selected, event);
        recorded_ = true;
        list.StartScrollTimer();
        return;
    }
    int index = count;
    if (placement == RecordPlacement::kAppend) {
        if (count >= static_cast<int>(kMaxMacroEvents)) {
            // A full list gets one empty row, which the next save trims with its notice;
            // further events add no more of them.
            if (count == 0 || !list.RowEvent(count - 1).isNull())
                list.AppendEmptyRow();
            return;
        }
    } else {
        if (selected < 0 || selected >= count)
            return;
        index = placement == RecordPlacement::kBefore ? selected : selected + 1;
    }

    uint16_t measured = 0;
    if (timeMode_ == kTimeFixed) {
        measured = fixedDelay_;
    } else if (timeMode_ == kTimeReal) {
        // Unsigned: a clock that wrapped still gives the short time that passed.
        const uint64_t elapsed = nowMs - lastEventMs_;
        lastEventMs_ = nowMs;
        measured =
            elapsed > kMaximumFixedDelay ? kMaximumFixedDelay : static_cast<uint16_t>(elapsed);
    }

    if (index == 0) {
        list.InsertEventRow(0, MakeEvent(down, button, type, 0), kPendingDelayText);
    } else {
        if (timeMode_ == kTimeFixed) {
            list.InsertEventRow(index, MakeEvent(down, button, type, fixedDelay_),
                                std::to_string(fixedDelay_));
        } else {
            list.InsertEventRow(index, MakeEvent(down, button, type, 0), kPendingDelayText);
        }
        // Each event's delay is the time to the event after it.
        list.SetRowDelay(index - 1, measured);
    }

    if (placement == RecordPlacement::kBefore)
        list.SelectRow(index + 1);  // later events keep going in front of the same row
    else if (placement == RecordPlacement::kAfter)
        list.SelectRow(index);
    else
        list.SelectRow(list.RowCount() - 1);
    recorded_ = true;
    list.StartScrollTimer();
}

}  // namespace panels::macros
