#include "controls/SelectPanelUI.h"

#include <algorithm>

#include "controls/DeviceKeyButtonUI.h"
#include "ui/core/PaintManager.h"

namespace controls {
namespace {

ui::RECT Normalised(ui::POINT a, ui::POINT b) {
    return ui::RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// A drag of no width or no height meets no button.
bool Meets(const ui::RECT& selection, const ui::RECT& item) {
    if (selection.IsEmpty())
        return false;
    return !item.Intersect(selection).IsEmpty();
}

}  // namespace

void* CSelectPanelUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return static_cast<CSelectPanelUI*>(this);
    return CVerticalLayoutUI::GetInterface(name);
}

void CSelectPanelUI::DoEvent(ui::TEventUI& event) {
    CVerticalLayoutUI::DoEvent(event);
    switch (event.Type) {
        case ui::UIEVENT_BUTTONDOWN:
            if (IsEnabled()) {
                armed_ = true;
                anchor_ = event.ptMouse;
                current_ = event.ptMouse;
            }
            break;
        case ui::UIEVENT_MOUSEMOVE:
            if (armed_)
                dragging_ = true;
            if (dragging_) {
                current_ = event.ptMouse;
                selectionRect_ = Normalised(anchor_, current_);
                NeedUpdate();
            }
            break;
        case ui::UIEVENT_BUTTONUP:
            armed_ = false;
            if (dragging_) {
                dragging_ = false;
                anchor_ = current_;
                ApplySelection();
                NeedUpdate();
                if (m_pManager != nullptr)
                    m_pManager->SendNotify(this, "click_select_end");
            }
            break;
        default:
            break;
    }
}

void CSelectPanelUI::ApplySelection() {
    for (ui::CControlUI* child : m_items) {
        // Exactly this class: look-alikes with another class name are left alone.
        if (child->GetClass() != CDeviceKeyButtonUI::kClassName)
            continue;
        auto* button = dynamic_cast<CDeviceKeyButtonUI*>(child);
        if (button == nullptr)
            continue;
        button->SetSelected(Meets(selectionRect_, button->GetPos()) ? 1 : 0);
    }
}

}  // namespace controls
