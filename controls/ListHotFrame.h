#pragma once
// The frame that list rows of the program draw around themselves while hot: 1 pixel in the
// owning list's selected-row colour, only when that list has a hot-row image at all (a list
// without one shows no hover). Threads: window thread only.
#include "ui/controls/ListItem.h"

namespace controls {

// Draws the frame around row when it is hot, not chosen and its owner shows hover.
void DrawListHotFrame(ui::RenderTarget& target, const ui::CControlUI& row,
                      const ui::IListItemUI& item, bool chosen);

}  // namespace controls
