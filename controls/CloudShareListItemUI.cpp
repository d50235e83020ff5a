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

bool CCloudShareListItemUI::Activate() {
    if (!CControlUI::Activate())
        return false;
    if (m_pManager != nullptr)
        m_pManager->SendNotify(this, "itemactivate");
    return true;
}

void CCloudShareListItemUI::DoEvent(ui::TEventUI& event) {
    switch (event.Type) {
        case ui::UIEVENT_MOUSEENTER:
            if (IsEffectivelyEnabled()) {
                SetHot(true);
                Invalidate();
            }
            return;
        case ui::UIEVENT_MOUSELEAVE:
            if (IsHot()) {
                SetHot(false);
                Invalidate();
            }
            return;
        case ui::UIEVENT_CONTEXTMENU:
            if (IsContextMenuUsed() && m_pManager != nullptr)
                m_pManager->SendNotify(this, "menu", event.wParam, event.lParam);
            return;
        default:
            CListContainerElementUI::DoEvent(event);
    }
}

void CCloudShareListItemUI::DrawItemBk(ui::RenderTarget& target, const ui::RECT& rcItem) {
    CListContainerElementUI::DrawItemBk(target, rcItem);
    DrawListHotFrame(target, *this, *this, IsSelected());
}

}  // namespace controls
