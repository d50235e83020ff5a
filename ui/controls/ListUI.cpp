#include "ui/controls/ListUI.h"

#include <algorithm>

#include "ui/controls/ControlsCommon.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {

const BuiltInControlRegistration kListTag("List", MakeControl<CListUI>());
const BuiltInControlRegistration kHeaderTag("ListHeader", MakeControl<CListHeaderUI>());
const BuiltInControlRegistration kHeaderItemTag("ListHeaderItem", MakeControl<CListHeaderItemUI>());
const BuiltInControlRegistration kLabelElementTag("ListLabelElement",
                                                  MakeControl<CListLabelElementUI>());
const BuiltInControlRegistration kContainerElementTag("ListContainerElement",
                                                      MakeControl<CListContainerElementUI>());

IListItemUI* AsListItem(CControlUI* control) {
    return control ? static_cast<IListItemUI*>(control->GetInterface("ListItem")) : nullptr;
}

int DefaultRowHeight(const CControlUI& row, const TListInfoUI* info) {
    if (info != nullptr && info->nItemHeight > 0)
        return row.Scale(info->nItemHeight);
    const CPaintManagerUI* pm = row.GetManager();
    const int font = pm ? pm->GetFont(info ? info->nFont : -1).size : row.Scale(12);
    return font + row.Scale(12);
}

}  // namespace

bool ApplyListInfoAttribute(TListInfoUI& info, std::string_view name, std::string_view value) {
    const std::string v(value);
    Color c = 0;
    int n = 0;
    Rect r;
    struct ColorAttr {
        std::string_view name;
        Color TListInfoUI::*field;
    };
    static constexpr ColorAttr kColors[] = {
        {"itemtextcolor", &TListInfoUI::dwTextColor},
        {"itembkcolor", &TListInfoUI::dwBkColor},
        {"itemselectedtextcolor", &TListInfoUI::dwSelectedTextColor},
        {"itemselectedbkcolor", &TListInfoUI::dwSelectedBkColor},
        {"itemhottextcolor", &TListInfoUI::dwHotTextColor},
        {"itemhotbkcolor", &TListInfoUI::dwHotBkColor},
        {"itemdisabledtextcolor", &TListInfoUI::dwDisabledTextColor},
        {"itemdisabledbkcolor", &TListInfoUI::dwDisabledBkColor},
        {"itemlinecolor", &TListInfoUI::dwLineColor},
    };
    for (const auto& attr : kColors) {
        if (EqualsNoCase(name, attr.name)) {
            if (ParseColor(v, c))
                info.*attr.field = c;
            return true;
        }
    }
    struct ImageAttr {
        std::string_view name;
        std::string TListInfoUI::*field;
    };
    static constexpr ImageAttr kImages[] = {
        {"itembkimage", &TListInfoUI::sBkImage},
        {"itemselectedimage", &TListInfoUI::sSelectedImage},
        {"itemhotimage", &TListInfoUI::sHotImage},
        {"itemdisabledimage", &TListInfoUI::sDisabledImage},
    };
    for (const auto& attr : kImages) {
        if (EqualsNoCase(name, attr.name)) {
            info.*attr.field = v;
            return true;
        }
    }
    if (EqualsNoCase(name, "itemfont")) {
        if (ParseInt(v, n))
            info.nFont = n;
    } else if (EqualsNoCase(name, "itemalign")) {
        info.uTextStyle &= ~static_cast<UINT>(kTextLeft | kTextCenter | kTextRight);
        if (EqualsNoCase(v, "center"))
            info.uTextStyle |= kTextCenter;
        if (EqualsNoCase(v, "right"))
            info.uTextStyle |= kTextRight;
    } else if (EqualsNoCase(name, "itemendellipsis")) {
        info.uTextStyle = ParseBool(v) ? (info.uTextStyle | kTextEndEllipsis)
                                       : (info.uTextStyle & ~static_cast<UINT>(kTextEndEllipsis));
    } else if (EqualsNoCase(name, "itemtextpadding")) {
        if (ParseRect(v, r))
            info.rcTextPadding = r;
    } else if (EqualsNoCase(name, "itemshowhtml")) {
        info.bShowHtml = ParseBool(v);
    } else if (EqualsNoCase(name, "itemalternatebk")) {
        info.bAlternateBk = ParseBool(v);
    } else if (EqualsNoCase(name, "itemheight")) {
        if (ParseInt(v, n) && n >= 0)
            info.nItemHeight = n;
    } else {
        return false;
    }
    return true;
}

// --- ListItemCore ---------------------------------------------------------------------

bool ListItemCore::Select(CControlUI& self, bool select, bool notify) {
    if (!self.IsEnabled() && select)
        return false;
    if (owner == nullptr) {
        selected = select;
        self.Invalidate();
        return true;
    }
    if (select)
        return owner->SelectItem(index, false, notify);
    return owner->UnSelectItem(index);
}

bool ListItemCore::SelectMulti(CControlUI& self, bool select) {
    if (!self.IsEnabled() && select)
        return false;
    if (owner == nullptr)
        return Select(self, select, false);
    if (select)
        return owner->SelectMultiItem(index, false, true);
    return owner->UnSelectItem(index);
}

bool ListItemCore::HandleEvent(CControlUI& self, TEventUI& event) {
    CPaintManagerUI* pm = self.GetManager();
    switch (event.Type) {
        case UIEVENT_DBLCLICK:
            if (!self.IsEnabled())
                return true;
            self.Activate();
            self.Invalidate();
            return true;
        case UIEVENT_KEYDOWN:
            if (event.chKey == VK_RETURN && self.IsEnabled()) {
                self.Activate();
                self.Invalidate();
                return true;
            }
            return false;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_RBUTTONDOWN: {
            if (!self.IsEnabled())
                return true;
            const UINT keys = EventKeyState(self, event);
            const bool multi = owner != nullptr && owner->IsMultiSelect();
            if (event.Type == UIEVENT_RBUTTONDOWN && selected) {
                // A right click on a selected row keeps a multi-selection for its menu.
            } else if (multi && IsCtrlHeld(keys)) {
                SelectMulti(self, !selected);
            } else if (multi && IsShiftHeld(keys)) {
                if (auto* list = dynamic_cast<CListUI*>(owner))
                    list->SelectRange(index, true, true);
            } else {
                Select(self, true, true);
            }
            if (owner != nullptr) {
                if (CControlUI* oc = owner->GetOwnerControl(); oc && oc->IsKeyboardEnabled()) {
                    if (pm != nullptr && pm->GetFocus() != oc)
                        oc->SetFocus();
                }
            }
            pressed = event.Type == UIEVENT_BUTTONDOWN;
            self.Invalidate();
            return true;
        }
        case UIEVENT_BUTTONUP:
            if (pressed && self.IsEnabled() && pm != nullptr &&
                self.GetPos().Contains(event.ptMouse)) {
                pressed = false;
                pm->SendNotify(&self, "itemclick");
            }
            pressed = false;
            return true;
        case UIEVENT_MOUSEMOVE:
            return true;
        case UIEVENT_MOUSEENTER:
            if (self.IsEnabled()) {
                hot = true;
                self.Invalidate();
            }
            return true;
        case UIEVENT_MOUSELEAVE:
            if (hot) {
                hot = false;
                self.Invalidate();
            }
            return true;
        default:
            return false;
    }
}

void ListItemCore::DrawBk(CControlUI& self, RenderTarget& target) const {
    const TListInfoUI* info = owner ? owner->GetListInfo() : nullptr;
    if (info == nullptr)
        return;
    const RECT& rc = self.GetPos();
    Color bk = info->dwBkColor;
    const std::string* image = &info->sBkImage;
    if (!self.IsEnabled()) {
        if (info->dwDisabledBkColor)
            bk = info->dwDisabledBkColor;
        if (!info->sDisabledImage.empty())
            image = &info->sDisabledImage;
    } else if (selected) {
        if (info->dwSelectedBkColor)
            bk = info->dwSelectedBkColor;
        if (!info->sSelectedImage.empty())
            image = &info->sSelectedImage;
    } else if (hot) {
        if (info->dwHotBkColor)
            bk = info->dwHotBkColor;
        if (!info->sHotImage.empty())
            image = &info->sHotImage;
    } else if (info->bAlternateBk && index % 2 == 1) {
        bk = bk ? bk : 0xFFFFFFFF;
        CRenderEngine::DrawColor(target, rc, bk);
        bk = 0x0C000000;
    }
    if (bk != 0)
        CRenderEngine::DrawColor(target, rc, bk);
    if (!image->empty())
        self.DrawImage(target, *image);
    if (info->dwLineColor != 0) {
        target.FillRect(Rect{rc.left, rc.bottom - 1, rc.right, rc.bottom}, info->dwLineColor);
    }
}

Color ListItemCore::TextColor(const CControlUI& self) const {
    const TListInfoUI* info = owner ? owner->GetListInfo() : nullptr;
    if (info == nullptr)
        return 0xFF000000;
    if (!self.IsEnabled())
        return info->dwDisabledTextColor;
    if (selected)
        return info->dwSelectedTextColor;
    if (hot)
        return info->dwHotTextColor;
    return info->dwTextColor;
}

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

// --- header -------------------------------------------------------------------------------

CListHeaderItemUI::CListHeaderItemUI() {
    m_uTextStyle = kTextCenter | kTextVCenter | kTextSingleLine | kTextEndEllipsis;
}

void* CListHeaderItemUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "ListHeaderItem"))
        return this;
    return CLabelUI::GetInterface(name);
}

UINT CListHeaderItemUI::GetControlFlags() const {
    return IsEnabled() && m_nSepWidth != 0 ? UINT{UIFLAG_SETCURSOR} : 0u;
}

RECT CListHeaderItemUI::SeparatorRect() const {
    const int w = Scale(std::abs(m_nSepWidth));
    return Rect{m_rcItem.right - w, m_rcItem.top, m_rcItem.right, m_rcItem.bottom};
}

void CListHeaderItemUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (!IsEnabled())
                return;
            if (m_bDragable && SeparatorRect().Contains(event.ptMouse)) {
                m_bResizing = true;
                m_ptLast = event.ptMouse;
            } else {
                m_bPushed = true;
            }
            Invalidate();
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_bResizing) {
                // Fixed widths are 96-DPI pixels; the pointer moves in window pixels.
                const int dpi = m_pManager ? std::max(1, m_pManager->GetDPI()) : 96;
                const int dx = (event.ptMouse.x - m_ptLast.x) * 96 / dpi;
                if (dx != 0) {
                    const int current = m_cxyFixed.cx > 0 ? m_cxyFixed.cx : GetWidth() * 96 / dpi;
                    SetFixedWidth(std::max(16, current + dx));
                    m_ptLast.x += dx * dpi / 96;
                    NeedParentUpdate();
                }
            }
            return;
        case UIEVENT_BUTTONUP:
            if (m_bPushed && GetPos().Contains(event.ptMouse) && m_pManager != nullptr) {
                m_pManager->SendNotify(this, "headerclick");
            }
            m_bPushed = false;
            m_bResizing = false;
            Invalidate();
            return;
        case UIEVENT_SETCURSOR:
            if (m_pManager != nullptr && m_pManager->GetNativeWindow() != nullptr) {
                const bool onSep = m_bDragable && SeparatorRect().Contains(event.ptMouse);
                m_pManager->GetNativeWindow()->SetCursor(onSep ? CursorShape::SizeWE
                                                               : CursorShape::Arrow);
            }
            return;
        case UIEVENT_MOUSEENTER:
            m_bHot = IsEnabled();
            Invalidate();
            return;
        case UIEVENT_MOUSELEAVE:
            m_bHot = false;
            Invalidate();
            return;
        default:
            break;
    }
    CLabelUI::DoEvent(event);
}

void CListHeaderItemUI::SetAttribute(std::string_view name, std::string_view value) {
    const std::string v(value);
    int n = 0;
    if (EqualsNoCase(name, "dragable")) {
        m_bDragable = ParseBool(v);
    } else if (EqualsNoCase(name, "sepwidth")) {
        if (ParseInt(v, n))
            m_nSepWidth = n;
    } else if (EqualsNoCase(name, "normalimage")) {
        m_sNormalImage = v;
    } else if (EqualsNoCase(name, "hotimage")) {
        m_sHotImage = v;
    } else if (EqualsNoCase(name, "pushedimage")) {
        m_sPushedImage = v;
    } else if (EqualsNoCase(name, "sepimage")) {
        m_sSepImage = v;
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

void CListHeaderItemUI::PaintBkColor(RenderTarget& target) {
    if (GetBkColor() == 0 && GetBkImage().empty() && m_sNormalImage.empty()) {
        CRenderEngine::DrawColor(target, m_rcItem,
                                 m_bPushed ? 0xFFE1E5EB : (m_bHot ? 0xFFEDF0F4 : 0xFFF6F7F9));
        target.FillRect(Rect{m_rcItem.left, m_rcItem.bottom - 1, m_rcItem.right, m_rcItem.bottom},
                        0xFFD5D9DF);
        return;
    }
    CLabelUI::PaintBkColor(target);
}

void CListHeaderItemUI::PaintStatusImage(RenderTarget& target) {
    const std::string& image = m_bPushed && !m_sPushedImage.empty() ? m_sPushedImage
                               : m_bHot && !m_sHotImage.empty()     ? m_sHotImage
                                                                    : m_sNormalImage;
    if (!image.empty())
        DrawImage(target, image);
    const RECT sep = SeparatorRect();
    if (!DrawPartImage(*this, target, m_sSepImage, sep) && m_nSepWidth != 0) {
        target.FillRect(Rect{sep.right - 1, sep.top + Scale(4), sep.right, sep.bottom - Scale(4)},
                        0xFFD5D9DF);
    }
}

CListHeaderUI::CListHeaderUI() = default;

void* CListHeaderUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "ListHeader"))
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

SIZE CListHeaderUI::EstimateSize(SIZE szAvailable) {
    SIZE sz = CHorizontalLayoutUI::EstimateSize(szAvailable);
    bool anyVisible = false;
    for (CControlUI* item : m_items)
        anyVisible = anyVisible || item->IsVisible();
    if (!anyVisible)
        return SIZE{sz.cx, 0};
    if (sz.cy == 0) {
        const int font = m_pManager ? m_pManager->GetFont(-1).size : Scale(12);
        sz.cy = font + Scale(12);
    }
    return sz;
}

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
            if (!IsEnabled())
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
