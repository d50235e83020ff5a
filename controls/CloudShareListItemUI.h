#pragma once
// CCloudShareListItemUI: a list row of any child controls that frames itself while the
// pointer is over it (see ListHotFrame.h) unless it is selected. Activating it raises
// "itemactivate"; a context-menu event raises "menu" (with the event's wParam and lParam)
// when the row's "menu" attribute is on and is dropped otherwise.
//
// Skin tag "CloudShareListItem"; the attributes are those of "ListContainerElement".
// Threads: window thread only.
#include "controls/HoverListRowUI.h"

namespace controls {

class CCloudShareListItemUI : public CHoverListRowUI {
  public:
    static constexpr const char* kClassName = "CloudShareListItemUI";

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;
    void DrawItemBk(ui::RenderTarget& target, const ui::RECT& rcItem) override;
};

}  // namespace controls
