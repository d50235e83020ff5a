#include "controls/ComboEditContainerElementUI.h"

#include "ui/controls/ControlsCommon.h"
#include "ui/core/PaintManager.h"
#include "ui/core/StringUtil.h"
#include "ui/skin/DialogBuilder.h"

namespace controls {

void* CComboEditContainerElementUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return static_cast<CComboEditContainerElementUI*>(this);
    return CListContainerElementUI::GetInterface(name);
}

void CComboEditContainerElementUI::SetAttribute(std::string_view name, std::string_view value) {
    if (ui::EqualsNoCase(name, "normalimage") || ui::EqualsNoCase(name, "hotimage") ||
        ui::EqualsNoCase(name, "selectedimage"))
        return;
    CListContainerElementUI::SetAttribute(name, value);
}

void CComboEditContainerElementUI::DoInit() {
    if (m_pManager == nullptr)
        return;
    ui::CDialogBuilder builder;
    ui::CControlUI* root = builder.Create(kItemLayout, "", nullptr, m_pManager);
    RemoveAll();
    if (root != nullptr)
        Add(root);
    // Below this row only: a lookup across the window would find the first row's children.
    text1_ = m_pManager->FindSubControlByName(this, "text1");
    text2_ = m_pManager->FindSubControlByName(this, "text2");
    delayEdit_ = m_pManager->FindSubControlByName(this, "delay_edit");
}

void CComboEditContainerElementUI::PassOn(ui::TEventUI& event) {
    if (m_core.owner != nullptr)
        m_core.owner->DoEvent(event);
    else
        CControlUI::DoEvent(event);
}

void CComboEditContainerElementUI::DoEvent(ui::TEventUI& event) {
    const bool enabled = IsEffectivelyEnabled();
    if (!IsMouseEnabled() && event.Type > ui::UIEVENT__MOUSEBEGIN &&
        event.Type < ui::UIEVENT__MOUSEEND) {
        if (m_core.owner != nullptr)
            m_core.owner->DoEvent(event);
        else
            CContainerUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
        case ui::UIEVENT_DBLCLICK:
            if (!enabled)
                break;
            Activate();
            Invalidate();
            return;
        case ui::UIEVENT_KEYDOWN:
            if (!enabled || event.chKey != ui::VK_RETURN)
                break;
            Activate();
            Invalidate();
            if (m_pManager != nullptr)
                m_pManager->SendNotify(this, "return");
            return;
        case ui::UIEVENT_BUTTONDOWN:
            if (!enabled)
                break;
            if (ui::IsCtrlHeld(ui::EventKeyState(*this, event)))
                SelectMulti(!IsSelected());
            else
                Select(true);
            return;
        case ui::UIEVENT_BUTTONUP:
            if (!enabled)
                break;
            if (m_pManager != nullptr)
                m_pManager->SendNotify(this, "itemclick");
            return;
        case ui::UIEVENT_MOUSEMOVE:
            return;
        case ui::UIEVENT_MOUSEENTER:
            if (!enabled)
                break;
            SetHot(true);
            Invalidate();
            return;
        case ui::UIEVENT_MOUSELEAVE:
            SetHot(false);
            Invalidate();
            return;
        case ui::UIEVENT_TIMER:
            if (m_pManager != nullptr)
                m_pManager->SendNotify(this, "timer", event.wParam, event.lParam);
            return;
        case ui::UIEVENT_CONTEXTMENU:
            if (!IsContextMenuUsed())
                break;
            if (m_pManager != nullptr)
                m_pManager->SendNotify(this, "menu", event.wParam, event.lParam);
            return;
        default:
            break;
    }
    PassOn(event);
}

void CComboEditContainerElementUI::PaintStatusImage(ui::RenderTarget& /*target*/) {}

void CComboEditContainerElementUI::Notify(ui::TNotifyUI& msg) {
    if (msg.sType == "selectchanged" ||
        (msg.sType == "return" && msg.pSender != nullptr && msg.pSender == delayEdit_))
        changed_ = true;
}

}  // namespace controls
