#pragma once
// What the recorder needs of the macro panel's event list ("macro_action_list"), so that the
// recording rules can be written and tested apart from the panel.
//
// Threads: window thread only.
#include <optional>
#include <string>

#include <json/value.h>

#include "ui/core/Geometry.h"

namespace panels::macros {

class IMacroEventList {
  public:
    virtual ~IMacroEventList() = default;
    virtual int RowCount() const = 0;
    // -1: none selected.
    virtual int SelectedRow() const = 0;
    virtual void SelectRow(int index) = 0;
    // A new event row at index (0..RowCount()), its delay edit showing delayText.
    virtual void InsertEventRow(int index, const Json::Value& event,
                                const std::string& delayText) = 0;
    // An empty row named "macro_action" at the end: no labels, no event (a full list).
    virtual void AppendEmptyRow() = 0;
    // The event a row stores (null for an empty row or outside the list).
    virtual Json::Value RowEvent(int index) const = 0;
    // Replaces a row's event and its labels; the delay edit stays.
    virtual void SetRowEvent(int index, const Json::Value& event) = 0;
    // Sets the event's "Delay" and the delay edit's text.
    virtual void SetRowDelay(int index, uint16_t delay) = 0;
    // The 50 ms one-shot timer that scrolls the list to its last row.
    virtual void StartScrollTimer() = 0;
    // The stop button's rectangle on the screen (a left click there is not recorded).
    virtual std::optional<ui::Rect> StopButtonScreenRect() const = 0;
};

}  // namespace panels::macros
