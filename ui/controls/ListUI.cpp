#include "ui/controls/ListUI.h"

#include <algorithm>
#include "ui/controls/ControlsCommon.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {
const BuiltInControlRegistration kListTag("List", MakeControl<CListUI>());
}  // namespace

void* CListBodyUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "ListBody"))
        return this;
    return CVerticalLayoutUI::GetInterface(name);
}

// --- CListUI ------------------------------------------------------------------------------

CListUI::CListUI() {
    m_pHeader = new CListHeaderUI;
    m_pList = new CListBodyUI;
    // The base's item calls are the row calls here: its own two children go in by hand.
    m_items = {m_pHeader, m_pList};
    m_pList->EnableScrollBar(true, false);
    m_selection.SetSelectablePredicate([this](int index) {
        CControlUI* row = GetItemAt(index);
        return row != nullptr && row->IsVisible() && row->IsEnabled();
    });
}

CListUI::~CListUI() = default;

void* CListUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "List"))
        return this;
    if (EqualsNoCase(name, "IListOwner"))
        return static_cast<IListOwnerUI*>(this);
    return CVerticalLayoutUI::GetInterface(name);
}

UINT CListUI::GetControlFlags() const {
    return IsKeyboardEnabled() ? UINT{UIFLAG_TABSTOP} : 0u;
}

CControlUI* CListUI::GetItemAt(int index) const {
    return m_pList->GetItemAt(index);
}

int CListUI::GetItemIndex(CControlUI* control) const {
    return m_pList->GetItemIndex(control);
}

int CListUI::GetCount() const {
    return m_pList->GetCount();
}

bool CListUI::SetItemIndex(CControlUI* control, int index) {
    const int old = m_pList->GetItemIndex(control);
    if (old < 0 || !m_pList->SetItemIndex(control, index))
        return false;
    // The selection follows the row.
    const bool wasSelected = m_selection.IsSelected(old);
    const bool wasCurrent = m_selection.Current() == old;
    m_selection.Removed(old);
    m_selection.Inserted(index);
    if (wasSelected)
        m_selection.SetSelected(index, true);
    (void)wasCurrent;
    Reindex(0);
    SyncSelectionBits();
    return true;
}

bool CListUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CListUI::AddAt(CControlUI* control, int index) {
    if (control == nullptr)
        return false;
    if (control->GetInterface("ListHeader") != nullptr) {
        // The layout's own header replaces the empty one made with the list.
        auto* header = static_cast<CListHeaderUI*>(control->GetInterface("ListHeader"));
        if (header == m_pHeader)
            return false;
        if (m_pManager != nullptr)
            m_pManager->ReapObjects(m_pHeader);
        delete m_pHeader;
        m_pHeader = header;
        m_items[0] = header;
        if (m_pManager != nullptr) {
            m_pManager->InitControls(header, this);
        } else {
            header->SetManager(nullptr, this, false);
        }
        NeedUpdate();
        return true;
    }
    if (control->GetInterface("ListHeaderItem") != nullptr)
        return m_pHeader->Add(control);
    index = std::clamp(index, 0, GetCount());
    if (!m_pList->AddAt(control, index))
        return false;
    if (IListItemUI* item = AsListItem(control))
        item->SetOwner(this);
    m_selection.Inserted(index);
    Reindex(index);
    return true;
}

bool CListUI::Remove(CControlUI* control, bool doNotDestroy) {
    if (control == m_pHeader || control == m_pList)
        return false;
    const int index = GetItemIndex(control);
    if (index < 0)
        return m_pHeader->Remove(control, doNotDestroy);
    return RemoveAt(index, doNotDestroy);
}

bool CListUI::RemoveAt(int index, bool doNotDestroy) {
    CControlUI* row = GetItemAt(index);
    if (row == nullptr)
        return false;
    if (doNotDestroy) {
        if (IListItemUI* item = AsListItem(row))
            item->SetOwner(nullptr);
    }
    if (!m_pList->RemoveAt(index, doNotDestroy))
        return false;
    m_selection.Removed(index);
    Reindex(index);
    return true;
}

void CListUI::RemoveAll() {
    m_pList->RemoveAll();
    m_selection.SetCount(0);
    m_pList->SetScrollPos(SIZE{0, 0});
}

void CListUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    const RECT inner = rc.Deflate(GetInset());
    int headerHeight = 0;
    if (m_pHeader->IsVisible()) {
        headerHeight = std::min(inner.Height(),
                                m_pHeader->EstimateSize(SIZE{inner.Width(), inner.Height()}).cy);
    }
    m_pHeader->SetPos(RECT{inner.left, inner.top, inner.right, inner.top + headerHeight}, false);
    m_pList->SetPos(RECT{inner.left, inner.top + headerHeight, inner.right, inner.bottom}, false);
}

void CListUI::Reindex(int from) {
    for (int i = std::max(0, from); i < GetCount(); ++i) {
        if (IListItemUI* item = AsListItem(GetItemAt(i)))
            item->SetIndex(i);
    }
}

void CListUI::SyncSelectionBits() {
    for (int i = 0; i < GetCount(); ++i) {
        if (IListItemUI* item = AsListItem(GetItemAt(i)))
            item->SetSelectedState(m_selection.IsSelected(i));
    }
}

bool CListUI::ApplySelection(bool changed, int before, bool takeFocus, bool notify) {
    if (takeFocus && IsKeyboardEnabled() && m_pManager != nullptr)
        SetFocus();
    if (!changed)
        return true;
    SyncSelectionBits();
    const int current = m_selection.Current();
    if (current >= 0)
        EnsureVisible(current);
    if (notify && m_pManager != nullptr) {
        m_pManager->SendNotify(this, "itemselect", static_cast<WPARAM>(current), before);
    }
    return true;
}

bool CListUI::SelectItem(int index, bool takeFocus, bool notify) {
    if (index < -1 || index >= GetCount())
        return false;
    const int before = m_selection.Current();
    if (index >= 0 && !m_selection.IsSelected(index) && before != index) {
        CControlUI* row = GetItemAt(index);
        if (row == nullptr || !row->IsEnabled() || !row->IsVisible())
            return false;
    }
    return ApplySelection(m_selection.Select(index), before, takeFocus, notify);
}

bool CListUI::SelectMultiItem(int index, bool takeFocus, bool notify) {
    if (!IsMultiSelect())
        return SelectItem(index, takeFocus, notify);
    if (index < 0 || index >= GetCount())
        return false;
    const int before = m_selection.Current();
    if (m_selection.IsSelected(index))
        return true;
    return ApplySelection(m_selection.Toggle(index), before, takeFocus, notify);
}

bool CListUI::UnSelectItem(int index, bool others) {
    const int before = m_selection.Current();
    bool changed = false;
    if (others) {
        const bool keep = m_selection.IsSelected(index);
        changed = m_selection.Clear();
        if (keep)
            changed = m_selection.SetSelected(index, true) || changed;
    } else {
        changed = m_selection.SetSelected(index, false);
    }
    return ApplySelection(changed, before, false, true);
}

bool CListUI::SelectRange(int index, bool takeFocus, bool notify) {
    const int before = m_selection.Current();
    return ApplySelection(m_selection.ExtendTo(index), before, takeFocus, notify);
}

void CListUI::SetMultiSelect(bool multi) {
    m_selection.SetMultiSelect(multi);
    SyncSelectionBits();
}

void CListUI::EnsureVisible(int index) {
    CControlUI* row = GetItemAt(index);
    if (row == nullptr || m_pList->GetPos().IsEmpty())
        return;
    const RECT view = m_pList->GetPos().Deflate(m_pList->GetInset());
    const SIZE scroll = m_pList->GetScrollPos();
    const int top = row->GetPos().top - view.top + scroll.cy;
    const int bottom = row->GetPos().bottom - view.top + scroll.cy;
    const int target = ScrollToShow(top, bottom, view.Height(), scroll.cy);
    if (target != scroll.cy)
        m_pList->SetScrollPos(SIZE{scroll.cx, target});
}

int CListUI::RowsPerPage() const {
    const int view = m_pList->GetPos().Height();
    const CControlUI* first = GetItemAt(std::max(0, m_selection.Current()));
    const int row = first && first->GetHeight() > 0 ? first->GetHeight() : Scale(24);
    return std::max(1, view / std::max(1, row) - 1);
}

SIZE CListUI::GetScrollPos() const {
    return m_pList->GetScrollPos();
}
SIZE CListUI::GetScrollRange() const {
    return m_pList->GetScrollRange();
}
void CListUI::SetScrollPos(SIZE pos, bool bMsg) {
    m_pList->SetScrollPos(pos, bMsg);
}
void CListUI::LineUp() {
    m_pList->LineUp();
}
void CListUI::LineDown() {
    m_pList->LineDown();
}
void CListUI::PageUp() {
    m_pList->PageUp();
}
void CListUI::PageDown() {
    m_pList->PageDown();
}
void CListUI::HomeUp() {
    m_pList->HomeUp();
}
void CListUI::EndDown() {
    m_pList->EndDown();
}

void CListUI::DoEvent(TEventUI& event) {
    NoteModifierKeys(event);
    if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
        CVerticalLayoutUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
        case UIEVENT_SETFOCUS:
        case UIEVENT_KILLFOCUS:
            m_bFocused = event.Type == UIEVENT_SETFOCUS;
            Invalidate();
            return;
        case UIEVENT_KEYDOWN: {
            if (!IsEffectivelyEnabled())
                break;
            ListKey key;
            switch (event.chKey) {
                case VK_UP:
                    key = ListKey::Up;
                    break;
                case VK_DOWN:
                    key = ListKey::Down;
                    break;
                case VK_PRIOR:
                    key = ListKey::PageUp;
                    break;
                case VK_NEXT:
                    key = ListKey::PageDown;
                    break;
                case VK_HOME:
                    key = ListKey::Home;
                    break;
                case VK_END:
                    key = ListKey::End;
                    break;
                case VK_RETURN:
                    if (CControlUI* row = GetItemAt(m_selection.Current()))
                        row->Activate();
                    return;
                default:
                    CVerticalLayoutUI::DoEvent(event);
                    return;
            }
            const int target = m_selection.KeyTarget(key, RowsPerPage());
            if (target < 0)
                return;
            if (IsMultiSelect() && IsShiftHeld(EventKeyState(*this, event))) {
                SelectRange(target, true, true);
            } else {
                SelectItem(target, true, true);
            }
            EnsureVisible(target);
            return;
        }
        case UIEVENT_SCROLLWHEEL: {
            const int delta = GET_WHEEL_DELTA_WPARAM(event.wParam);
            if (m_bScrollSelect) {
                const int target =
                    m_selection.KeyTarget(delta > 0 ? ListKey::Up : ListKey::Down, 1);
                if (target >= 0)
                    SelectItem(target, false, true);
                return;
            }
            CControlUI* bar = m_pList->GetVerticalScrollBar();
            if (bar != nullptr && bar->IsVisible()) {
                delta > 0 ? m_pList->LineUp() : m_pList->LineDown();
                return;
            }
            break;
        }
        default:
            break;
    }
    // Not CContainerUI's handling: the list itself has no scroll bars.
    CControlUI::DoEvent(event);
}

void CListUI::SetAttribute(std::string_view name, std::string_view value) {
    if (ApplyListInfoAttribute(m_info, name, value)) {
        Invalidate();
        return;
    }
    const std::string v(value);
    if (EqualsNoCase(name, "header")) {
        m_pHeader->SetVisible(!EqualsNoCase(v, "hidden") && !EqualsNoCase(v, "false"));
    } else if (EqualsNoCase(name, "headerbkimage")) {
        m_pHeader->SetBkImage(v);
    } else if (EqualsNoCase(name, "multiselect") || EqualsNoCase(name, "multipleitem")) {
        SetMultiSelect(ParseBool(v));
    } else if (EqualsNoCase(name, "scrollselect")) {
        SetScrollSelect(ParseBool(v));
    } else if (EqualsNoCase(name, "vscrollbar")) {
        m_pList->EnableScrollBar(ParseBool(v), m_pList->GetHorizontalScrollBar() != nullptr);
    } else if (EqualsNoCase(name, "hscrollbar")) {
        m_pList->EnableScrollBar(m_pList->GetVerticalScrollBar() != nullptr, ParseBool(v));
    } else if (EqualsNoCase(name, "vscrollbarstyle") || EqualsNoCase(name, "hscrollbarstyle") ||
               EqualsNoCase(name, "scrollstepsize") || EqualsNoCase(name, "childpadding") ||
               EqualsNoCase(name, "inset")) {
        // Scrolling and row spacing belong to the body.
        m_pList->SetAttribute(name, value);
    } else {
        CVerticalLayoutUI::SetAttribute(name, value);
    }
}

}  // namespace ui
