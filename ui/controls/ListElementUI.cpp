#include "ui/controls/ListElementUI.h"

#include <algorithm>
#include "ui/controls/ControlsCommon.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {
const BuiltInControlRegistration kLabelElementTag("ListLabelElement",
                                                  MakeControl<CListLabelElementUI>());
const BuiltInControlRegistration kContainerElementTag("ListContainerElement",
                                                      MakeControl<CListContainerElementUI>());
}  // namespace

// --- CListLabelElementUI ------------------------------------------------------------------

CListLabelElementUI::CListLabelElementUI() = default;

void* CListLabelElementUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "ListItem"))
        return static_cast<IListItemUI*>(this);
    if (EqualsNoCase(name, "ListLabelElement"))
        return this;
    if (EqualsNoCase(name, "ListElement"))
        return this;
    return CControlUI::GetInterface(name);
}

UINT CListLabelElementUI::GetControlFlags() const {
    return 0;
}

bool CListLabelElementUI::Select(bool select, bool notify) {
    if (select == m_core.selected)
        return true;
    return m_core.Select(*this, select, notify);
}

bool CListLabelElementUI::SelectMulti(bool select) {
    if (select == m_core.selected)
        return true;
    return m_core.SelectMulti(*this, select);
}

void CListLabelElementUI::SetSelectedState(bool selected) {
    if (m_core.selected == selected)
        return;
    m_core.selected = selected;
    Invalidate();
}

bool CListLabelElementUI::Activate() {
    if (!CControlUI::Activate())
        return false;
    if (m_pManager != nullptr)
        m_pManager->SendNotify(this, "itemactivate");
    return true;
}

SIZE CListLabelElementUI::EstimateSize(SIZE szAvailable) {
    SIZE sz = CControlUI::EstimateSize(szAvailable);
    if (sz.cy == 0)
        sz.cy = DefaultRowHeight(*this, m_core.owner ? m_core.owner->GetListInfo() : nullptr);
    return sz;
}

void CListLabelElementUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
        if (m_core.owner != nullptr) {
            m_core.owner->DoEvent(event);
        } else {
            CControlUI::DoEvent(event);
        }
        return;
    }
    if (m_core.HandleEvent(*this, event))
        return;
    if (event.Type == UIEVENT_TIMER || event.Type == UIEVENT_CONTEXTMENU) {
        if (event.Type == UIEVENT_TIMER || IsContextMenuUsed()) {
            CControlUI::DoEvent(event);
            return;
        }
    }
    if (event.Type == UIEVENT_SETFOCUS || event.Type == UIEVENT_KILLFOCUS) {
        CControlUI::DoEvent(event);
        return;
    }
    if (m_core.owner != nullptr) {
        m_core.owner->DoEvent(event);
    } else {
        CControlUI::DoEvent(event);
    }
}

void CListLabelElementUI::PaintBkColor(RenderTarget& target) {
    m_core.DrawBk(*this, target);
    CControlUI::PaintBkColor(target);
}

void CListLabelElementUI::DrawItemText(RenderTarget& target, const RECT& rcItem) {
    const std::string text = GetText();
    if (text.empty() || m_pManager == nullptr)
        return;
    const TListInfoUI* info = m_core.owner ? m_core.owner->GetListInfo() : nullptr;
    const TListInfoUI defaults;
    const TListInfoUI& li = info ? *info : defaults;
    Rect padding = li.rcTextPadding;
    padding =
        Rect{Scale(padding.left), Scale(padding.top), Scale(padding.right), Scale(padding.bottom)};
    RECT rc = rcItem.Deflate(padding);
    const Color color = m_core.TextColor(*this);
    if (li.bShowHtml) {
        CRenderEngine::DrawHtmlText(target, m_pManager, rc, text, color, li.nFont, li.uTextStyle);
    } else {
        CRenderEngine::DrawText(target, m_pManager, rc, text, color, li.nFont, li.uTextStyle);
    }
}

void CListLabelElementUI::PaintText(RenderTarget& target) {
    DrawItemText(target, m_rcItem);
}

// --- CListContainerElementUI --------------------------------------------------------------

CListContainerElementUI::CListContainerElementUI() = default;

void* CListContainerElementUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "ListItem"))
        return static_cast<IListItemUI*>(this);
    if (EqualsNoCase(name, "ListContainerElement"))
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

UINT CListContainerElementUI::GetControlFlags() const {
    return 0;
}

bool CListContainerElementUI::Select(bool select, bool notify) {
    if (select == m_core.selected)
        return true;
    return m_core.Select(*this, select, notify);
}

bool CListContainerElementUI::SelectMulti(bool select) {
    if (select == m_core.selected)
        return true;
    return m_core.SelectMulti(*this, select);
}

void CListContainerElementUI::SetSelectedState(bool selected) {
    if (m_core.selected == selected)
        return;
    m_core.selected = selected;
    Invalidate();
}

bool CListContainerElementUI::Activate() {
    if (!CControlUI::Activate())
        return false;
    if (m_pManager != nullptr)
        m_pManager->SendNotify(this, "itemactivate");
    return true;
}

SIZE CListContainerElementUI::EstimateSize(SIZE szAvailable) {
    SIZE sz = CHorizontalLayoutUI::EstimateSize(szAvailable);
    if (sz.cy == 0)
        sz.cy = DefaultRowHeight(*this, m_core.owner ? m_core.owner->GetListInfo() : nullptr);
    return sz;
}

void CListContainerElementUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
        if (m_core.owner != nullptr) {
            m_core.owner->DoEvent(event);
        } else {
            CContainerUI::DoEvent(event);
        }
        return;
    }
    if (m_core.HandleEvent(*this, event))
        return;
    switch (event.Type) {
        case UIEVENT_TIMER:
        case UIEVENT_SETFOCUS:
        case UIEVENT_KILLFOCUS:
            CControlUI::DoEvent(event);
            return;
        case UIEVENT_CONTEXTMENU:
            if (IsContextMenuUsed()) {
                CControlUI::DoEvent(event);
                return;
            }
            break;
        default:
            break;
    }
    if (m_core.owner != nullptr) {
        m_core.owner->DoEvent(event);
    } else {
        CContainerUI::DoEvent(event);
    }
}

void CListContainerElementUI::DrawItemBk(RenderTarget& target, const RECT& /*rcItem*/) {
    m_core.DrawBk(*this, target);
}

void CListContainerElementUI::PaintBkColor(RenderTarget& target) {
    DrawItemBk(target, m_rcItem);
    CHorizontalLayoutUI::PaintBkColor(target);
}

void CListContainerElementUI::DrawItemText(RenderTarget& /*target*/, const RECT& /*rcItem*/) {}

}  // namespace ui
