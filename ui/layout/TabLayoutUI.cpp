#include "ui/layout/TabLayoutUI.h"

#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {
const BuiltInControlRegistration kTabLayoutTag("TabLayout", MakeControl<CTabLayoutUI>());
}  // namespace

void* CTabLayoutUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "TabLayout"))
        return static_cast<CTabLayoutUI*>(this);
    return CContainerUI::GetInterface(name);
}

bool CTabLayoutUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CTabLayoutUI::AddAt(CControlUI* control, int index) {
    if (!CContainerUI::AddAt(control, index))
        return false;
    if (m_iCurSel == -1 && control->IsOwnVisible()) {
        m_iCurSel = index;
    } else {
        if (index <= m_iCurSel)
            ++m_iCurSel;
        control->SetVisible(false);
    }
    if (index == m_iInitSel) {
        m_iInitSel = -1;
        SelectItem(index, false);
    }
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* control, bool doNotDestroy) {
    int index = GetItemIndex(control);
    if (index < 0)
        return false;
    return RemoveAt(index, doNotDestroy);
}

bool CTabLayoutUI::RemoveAt(int index, bool doNotDestroy) {
    if (!CContainerUI::RemoveAt(index, doNotDestroy))
        return false;
    if (m_iCurSel == index) {
        m_iCurSel = -1;
        if (GetCount() > 0)
            SelectItem(std::min(index, GetCount() - 1), false);
    } else if (m_iCurSel > index) {
        --m_iCurSel;
    }
    return true;
}

void CTabLayoutUI::RemoveAll() {
    m_iCurSel = -1;
    CContainerUI::RemoveAll();
}

bool CTabLayoutUI::SelectItem(int index, bool bTriggerEvent) {
    if (index < 0 || index >= GetCount())
        return false;
    if (index == m_iCurSel)
        return true;
    int old = m_iCurSel;
    m_iCurSel = index;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* page = GetItemAt(i);
        page->SetVisible(i == index);
    }
    NeedUpdate();
    if (m_pManager != nullptr) {
        if (bTriggerEvent)
            m_pManager->SendNotify(this, "tabselect", index, old);
    }
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* control, bool bTriggerEvent) {
    int index = GetItemIndex(control);
    return index >= 0 && SelectItem(index, bTriggerEvent);
}

void CTabLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    RECT inner = ContentRect();
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* page = GetItemAt(i);
        if (!page->IsVisible())
            continue;
        if (page->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        page->SetPos(inner.Deflate(page->GetPadding()), false);
    }
}

void CTabLayoutUI::SetAttribute(std::string_view name, std::string_view value) {
    int n = 0;
    if (EqualsNoCase(name, "selectedid")) {
        // Usually given before the pages exist: remembered until that page is added.
        if (ParseInt(value, n) && !SelectItem(n, false))
            m_iInitSel = n;
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

}  // namespace ui
