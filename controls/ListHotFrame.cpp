#include "controls/ListHotFrame.h"

#include "ui/render/RenderEngine.h"

namespace controls {

void DrawListHotFrame(ui::RenderTarget& target, const ui::CControlUI& row,
                      const ui::IListItemUI& item, bool chosen) {
    if (chosen || !item.IsHot() || item.GetOwner() == nullptr)
        return;
    const ui::TListInfoUI* info = item.GetOwner()->GetListInfo();
    if (info == nullptr || info->sHotImage.empty())
        return;
    ui::CRenderEngine::DrawRect(target, row.GetPos(), 1, info->dwSelectedBkColor);
}

}  // namespace controls
