#include "controls/CloudShareListItemUI.h"

#include "controls/ListHotFrame.h"
#include "ui/core/PaintManager.h"
#include "ui/core/StringUtil.h"

namespace controls {

void* CCloudShareListItemUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, "CloudShareListItem"))
        return static_cast<CCloudShareListItemUI*>(this);
    return CListContainerElementUI::GetInterface(name);
}

void CCloudShareListItemUI::DrawItemBk(ui::RenderTarget& target, const ui::RECT& rcItem) {
    CListContainerElementUI::DrawItemBk(target, rcItem);
    DrawListHotFrame(target, *this, *this, IsSelected());
}

}  // namespace controls
