#pragma once
// The behaviour the program's list rows share: hot while the pointer is over an enabled row,
// "itemactivate" when activated and "menu" (with the event's parameters) on a context menu.
// Threads: window thread only.
#include "ui/controls/ListElementUI.h"

namespace controls {

class CHoverListRowUI : public ui::CListContainerElementUI {
  public:
    bool Activate() override;
    void DoEvent(ui::TEventUI& event) override;
};

}  // namespace controls
