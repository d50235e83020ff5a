#include "controls/HoverListRowUI.h"

#include "ui/core/PaintManager.h"

namespace controls {

bool CHoverListRowUI::Activate() {
    if (!CControlUI::Activate())
        return false;
    if (m_pManager != nullptr)
        m_pManager->SendNotify(this, "itemactivate");
    return true;
}

void CHoverListRowUI::DoEvent(ui::TEventUI& event) {
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

}  // namespace controls
