#include "ui/controls/ComboUI.h"

#include <algorithm>

#include "ui/controls/ControlsCommon.h"
#include "ui/core/MessageModel.h"
#include "ui/layout/VerticalLayoutUI.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {

const BuiltInControlRegistration kComboTag("Combo",
                                           [] { return static_cast<CControlUI*>(new CComboUI); });

void ClearHot(CControlUI* item) {
    TEventUI leave;
    leave.Type = UIEVENT_MOUSELEAVE;
    leave.pSender = item;
    item->Event(leave);
}

}  // namespace

// --- CComboWnd ----------------------------------------------------------------------------

CComboWnd::CComboWnd(CComboUI* owner) : m_pOwner(owner) {}

CComboWnd::~CComboWnd() = default;

RECT CComboWnd::DropRect() const {
    CPaintManagerUI* pm = m_pOwner->GetManager();
    Point origin;
    if (pm != nullptr && pm->GetNativeWindow() != nullptr) {
        const Rect win = pm->GetNativeWindow()->GetRect();
        origin = Point{win.left, win.top};
    }
    const RECT combo = m_pOwner->GetPos();
    const SIZE box = m_pOwner->GetDropBoxSize();
    const int width = box.cx > 0 ? m_pOwner->Scale(box.cx) : combo.Width();
    // As tall as the items need, up to the drop box height.
    int needed = m_pOwner->Scale(2);
    for (int i = 0; i < m_pOwner->GetCount(); ++i) {
        CControlUI* item = m_pOwner->GetItemAt(i);
        if (item == nullptr || !item->IsVisible())
            continue;
        needed += item->EstimateSize(SIZE{width, 0}).cy;
    }
    const int maxHeight = box.cy > 0 ? m_pOwner->Scale(box.cy) : needed;
    const int height = std::max(m_pOwner->Scale(8), std::min(needed, maxHeight));
    RECT rc{origin.x + combo.left, origin.y + combo.bottom, origin.x + combo.left + width,
            origin.y + combo.bottom + height};
    if (HasBackend()) {
        const Rect work = GetBackend().WorkArea();
        // Above the combo when there is no room below it.
        if (rc.bottom > work.bottom && origin.y + combo.top - height >= work.top) {
            rc = RECT{rc.left, origin.y + combo.top - height, rc.right, origin.y + combo.top};
        }
    }
    return rc;
}

bool CComboWnd::Open() {
    InUse hold(*this);  // a failed Create may already have finished the window
    const RECT rc = DropRect();
    HWND parent = m_pOwner->GetManager() ? m_pOwner->GetManager()->GetPaintWindow() : nullptr;
    if (Create(parent, "ComboWnd", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, rc) != nullptr)
        return true;
    m_pOwner = nullptr;
    DeleteSelf();
    return false;
}

void CComboWnd::ReturnItems() {
    if (m_bItemsReturned || m_pOwner == nullptr)
        return;
    m_bItemsReturned = true;
    if (m_pLayout != nullptr)
        m_pLayout->RemoveAll();  // the layout does not own them
    CPaintManagerUI* pm = m_pOwner->GetManager();
    for (int i = 0; i < m_pOwner->GetCount(); ++i) {
        CControlUI* item = m_pOwner->GetItemAt(i);
        ClearHot(item);
        item->SetManager(pm, m_pOwner, false);
    }
    m_pOwner->Invalidate();
}

void CComboWnd::DetachOwner() {
    ReturnItems();
    m_pOwner = nullptr;
    // Even from inside this window's own message handling: the object outlives the handler.
    if (m_hWnd != nullptr)
        DestroyWindow(m_hWnd);
}

void CComboWnd::OnFinalMessage(HWND /*hWnd*/) {
    if (m_pOwner != nullptr)
        m_pOwner->DropDownClosed();
    m_pOwner = nullptr;
    DeleteSelf();
}

LRESULT CComboWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
        case WM_CREATE: {
            m_pm.Init(m_hWnd, "ComboWnd");
            if (CPaintManagerUI* owner = m_pOwner ? m_pOwner->GetManager() : nullptr) {
                // The list speaks with the owner window's DPI and fonts.
                m_pm.SetDPI(owner->GetDPI());
                const TFontInfo& def = owner->GetDefaultFontInfo();
                m_pm.SetDefaultFont(def.face, def.size, def.bold, def.underline, def.italic);
                m_pm.SetDefaultFontColor(owner->GetDefaultFontColor());
                const int fontId = m_pOwner->GetListInfo()->nFont;
                if (const TFontInfo* f = fontId >= 0 ? owner->GetFontInfo(fontId) : nullptr) {
                    m_pm.AddFont(fontId, f->face, f->size, f->bold, f->underline, f->italic);
                }
            }
            m_pLayout = new CVerticalLayoutUI;
            m_pLayout->SetAutoDestroy(false);
            m_pLayout->SetBkColor(0xFFFFFFFF);
            m_pLayout->SetBorderColor(0xFFB8BCC4);
            m_pLayout->SetBorderSize(1);
            m_pLayout->SetInset(RECT{1, 1, 1, 1});
            m_pLayout->EnableScrollBar(true, false);
            if (m_pOwner != nullptr) {
                const std::string& attributes = m_pOwner->GetDropBoxAttributeList();
                if (!attributes.empty())
                    m_pLayout->ApplyAttributeList(attributes);
                for (int i = 0; i < m_pOwner->GetCount(); ++i)
                    m_pLayout->Add(m_pOwner->GetItemAt(i));
            }
            m_pm.AttachDialog(m_pLayout);
            m_pm.UpdateLayout();
            if (m_pOwner != nullptr) {
                if (CControlUI* current = m_pOwner->GetCurItem())
                    m_pLayout->EnsureVisible(current);
            }
            return 0;
        }
        case WM_KILLFOCUS:
            // A pop-up: a click anywhere else closes it.
            Close(IDCANCEL);
            break;
        case WM_KEYDOWN:
            if (m_pOwner == nullptr)
                break;
            switch (wParam) {
                case VK_ESCAPE:
                case VK_RETURN:
                case VK_TAB:
                    Close(IDOK);
                    return 0;
                case VK_UP:
                case VK_DOWN:
                case VK_HOME:
                case VK_END:
                case VK_PRIOR:
                case VK_NEXT: {
                    TEventUI key;
                    key.Type = UIEVENT_KEYDOWN;
                    key.chKey = static_cast<uint32_t>(wParam);
                    key.pSender = m_pOwner;
                    m_pOwner->DoEvent(key);
                    if (CControlUI* current = m_pOwner->GetCurItem())
                        m_pLayout->EnsureVisible(current);
                    return 0;
                }
                default:
                    break;
            }
            break;
        case WM_LBUTTONUP: {
            LRESULT lRes = 0;
            m_pm.MessageHandler(uMsg, wParam, lParam, lRes);
            // Releasing over an item ends the choice.
            const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            CControlUI* hit = m_pm.FindControl(pt);
            while (hit != nullptr && AsListItem(hit) == nullptr)
                hit = hit->GetParent();
            if (hit != nullptr)
                Close(IDOK);
            return 0;
        }
        case WM_CLOSE:
        case WM_DESTROY:
            ReturnItems();
            break;
        default:
            break;
    }
    LRESULT lRes = 0;
    if (uMsg != WM_CLOSE && uMsg != WM_DESTROY && m_pm.MessageHandler(uMsg, wParam, lParam, lRes)) {
        return lRes;
    }
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

// --- CComboUI -----------------------------------------------------------------------------

CComboUI::CComboUI() = default;

CComboUI::~CComboUI() {
    if (m_pWindow != nullptr) {
        CComboWnd* window = m_pWindow;
        m_pWindow = nullptr;
        window->DetachOwner();
    }
}

void* CComboUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "Combo"))
        return this;
    if (EqualsNoCase(name, "IListOwner"))
        return static_cast<IListOwnerUI*>(this);
    return CContainerUI::GetInterface(name);
}

UINT CComboUI::GetControlFlags() const {
    return IsEffectivelyEnabled() ? UINT{UIFLAG_TABSTOP | UIFLAG_SETCURSOR} : 0u;
}

void CComboUI::Reindex() {
    for (int i = 0; i < GetCount(); ++i) {
        if (IListItemUI* item = AsListItem(GetItemAt(i))) {
            item->SetIndex(i);
            item->SetSelectedState(i == m_iCurSel);
        }
    }
}

bool CComboUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CComboUI::AddAt(CControlUI* control, int index) {
    if (control == nullptr)
        return false;
    CloseDropDown();
    index = std::clamp(index, 0, GetCount());
    if (!CContainerUI::AddAt(control, index))
        return false;
    if (IListItemUI* item = AsListItem(control))
        item->SetOwner(this);
    if (m_iCurSel >= index)
        ++m_iCurSel;
    Reindex();
    Invalidate();
    return true;
}

bool CComboUI::Remove(CControlUI* control, bool doNotDestroy) {
    const int index = GetItemIndex(control);
    if (index < 0)
        return false;
    return RemoveAt(index, doNotDestroy);
}

bool CComboUI::RemoveAt(int index, bool doNotDestroy) {
    CControlUI* control = GetItemAt(index);
    if (control == nullptr)
        return false;
    CloseDropDown();
    if (doNotDestroy) {
        if (IListItemUI* item = AsListItem(control))
            item->SetOwner(nullptr);
    }
    if (!CContainerUI::RemoveAt(index, doNotDestroy))
        return false;
    // Removing the selected item leaves nothing selected; the owner decides what comes next.
    if (m_iCurSel == index) {
        m_iCurSel = -1;
    } else if (m_iCurSel > index) {
        --m_iCurSel;
    }
    Reindex();
    Invalidate();
    return true;
}

void CComboUI::RemoveAll() {
    CloseDropDown();
    CContainerUI::RemoveAll();
    m_iCurSel = -1;
    Invalidate();
}

bool CComboUI::SetItemIndex(CControlUI* control, int index) {
    CControlUI* current = GetCurItem();
    if (!CContainerUI::SetItemIndex(control, index))
        return false;
    m_iCurSel = current ? GetItemIndex(current) : -1;
    Reindex();
    return true;
}

std::string CComboUI::GetItemUserData(int index) const {
    const CControlUI* item = GetItemAt(index);
    return item ? item->GetUserData() : std::string();
}

void CComboUI::SetItemUserData(int index, const std::string& userData) {
    if (CControlUI* item = GetItemAt(index))
        item->SetUserData(userData);
}

bool CComboUI::SelectItem(int index, bool takeFocus, bool notify) {
    if (takeFocus && m_pManager != nullptr && IsKeyboardEnabled())
        SetFocus();
    if (index < -1 || index >= GetCount())
        return false;
    if (index == m_iCurSel)
        return true;
    const int before = m_iCurSel;
    m_iCurSel = index;
    for (int i = 0; i < GetCount(); ++i) {
        if (IListItemUI* item = AsListItem(GetItemAt(i)))
            item->SetSelectedState(i == index);
    }
    Invalidate();
    if (m_pWindow != nullptr) {
        if (CControlUI* current = GetCurItem())
            m_pWindow->GetLayout()->EnsureVisible(current);
    }
    if (notify && m_pManager != nullptr) {
        m_pManager->SendNotify(this, "itemselect", static_cast<WPARAM>(index), before);
    }
    return true;
}

bool CComboUI::UnSelectItem(int index, bool others) {
    if (others)
        return SelectItem(index == m_iCurSel ? index : -1, false, true);
    if (index != m_iCurSel)
        return false;
    return SelectItem(-1, false, true);
}

bool CComboUI::UserDataSetSelectItem(const std::string& userData, bool takeFocus, bool notify) {
    for (int i = 0; i < GetCount(); ++i) {
        if (GetItemAt(i)->GetUserData() == userData)
            return SelectItem(i, takeFocus, notify);
    }
    return false;
}

std::string CComboUI::GetText() const {
    const CControlUI* item = GetCurItem();
    return item ? item->GetText() : std::string();
}

bool CComboUI::Activate() {
    if (!CControlUI::Activate())
        return false;
    if (m_pWindow != nullptr || m_pManager == nullptr)
        return true;
    m_pWindow = new CComboWnd(this);
    if (!m_pWindow->Open()) {  // it has deleted itself
        m_pWindow = nullptr;
        return false;
    }
    m_pManager->SendNotify(this, "dropdown");
    Invalidate();
    return true;
}

void CComboUI::CloseDropDown() {
    if (m_pWindow == nullptr)
        return;
    CComboWnd* window = m_pWindow;
    m_pWindow = nullptr;
    window->DetachOwner();
    Invalidate();
}

void CComboUI::DropDownClosed() {
    m_pWindow = nullptr;
    Invalidate();
}

int CComboUI::NextSelectable(int from, int step) const {
    for (int i = from; i >= 0 && i < GetCount(); i += step) {
        const CControlUI* item = GetItemAt(i);
        if (item->IsVisible() && item->IsEnabled())
            return i;
    }
    return -1;
}

void CComboUI::SetTextColor(Color color) {
    m_dwTextColor = color;
    Invalidate();
}

void CComboUI::SetFont(int id) {
    m_iFont = id;
    Invalidate();
}

RECT CComboUI::GetTextPadding() const {
    return RECT{Scale(m_rcTextPadding.left), Scale(m_rcTextPadding.top),
                Scale(m_rcTextPadding.right), Scale(m_rcTextPadding.bottom)};
}

void CComboUI::SetPos(RECT rc, bool bNeedInvalidate) {
    // The items are laid out by the drop-down window, never inside the field.
    CControlUI::SetPos(rc, bNeedInvalidate);
}

SIZE CComboUI::EstimateSize(SIZE szAvailable) {
    SIZE sz = CControlUI::EstimateSize(szAvailable);
    if (sz.cy == 0 && m_pManager != nullptr)
        sz.cy = m_pManager->GetFont(m_iFont).size + Scale(14);
    return sz;
}

CControlUI* CComboUI::FindControl(FINDCONTROLPROC proc, void* data, UINT flags) {
    // Items keep positions from the drop-down window: only names find them here.
    if ((flags & (UIFIND_HITTEST | UIFIND_UPDATETEST)) != 0)
        return CControlUI::FindControl(proc, data, flags);
    return CContainerUI::FindControl(proc, data, flags);
}

bool CComboUI::DoPaint(RenderTarget& target, const RECT& rcPaint, CControlUI* pStopControl) {
    return CControlUI::DoPaint(target, rcPaint, pStopControl);
}

void CComboUI::DoEvent(TEventUI& event) {
    NoteModifierKeys(event);
    if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
        CContainerUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
        case UIEVENT_SETFOCUS:
        case UIEVENT_KILLFOCUS:
            m_bFocused = event.Type == UIEVENT_SETFOCUS;
            Invalidate();
            return;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (!IsEffectivelyEnabled())
                return;
            if (IsKeyboardEnabled())
                SetFocus();
            if (m_pWindow != nullptr) {
                CloseDropDown();
            } else {
                Activate();
            }
            return;
        case UIEVENT_BUTTONUP:
        case UIEVENT_MOUSEMOVE:
            return;
        case UIEVENT_MOUSEENTER:
            if (IsEffectivelyEnabled()) {
                m_bHot = true;
                Invalidate();
            }
            return;
        case UIEVENT_MOUSELEAVE:
            if (m_bHot) {
                m_bHot = false;
                Invalidate();
            }
            return;
        case UIEVENT_KEYDOWN: {
            if (!IsEffectivelyEnabled())
                break;
            int target = -2;
            switch (event.chKey) {
                case VK_UP:
                    target = NextSelectable(m_iCurSel < 0 ? 0 : m_iCurSel - 1, -1);
                    break;
                case VK_DOWN:
                    if (IsShiftHeld(EventKeyState(*this, event)) ||
                        (EventKeyState(*this, event) & MK_ALT)) {
                        Activate();
                        return;
                    }
                    target = NextSelectable(m_iCurSel + 1, 1);
                    break;
                case VK_HOME:
                case VK_PRIOR:
                    target = NextSelectable(0, 1);
                    break;
                case VK_END:
                case VK_NEXT:
                    target = NextSelectable(GetCount() - 1, -1);
                    break;
                case VK_SPACE:
                case 0x73:  // F4
                    Activate();
                    return;
                default:
                    break;
            }
            if (target == -2)
                break;
            if (target >= 0)
                SelectItem(target, false, true);
            return;
        }
        case UIEVENT_SCROLLWHEEL:
            // The wheel scrolls the page, not the choice.
            CControlUI::DoEvent(event);
            return;
        default:
            break;
    }
    CControlUI::DoEvent(event);
}

void CComboUI::SetAttribute(std::string_view name, std::string_view value) {
    if (ApplyListInfoAttribute(m_info, name, value))
        return;
    const std::string v(value);
    Rect r;
    Size s;
    int n = 0;
    Color c = 0;
    if (EqualsNoCase(name, "textpadding")) {
        if (ParseRect(v, r))
            m_rcTextPadding = r;
    } else if (EqualsNoCase(name, "normalimage")) {
        m_sNormalImage = v;
    } else if (EqualsNoCase(name, "hotimage")) {
        m_sHotImage = v;
    } else if (EqualsNoCase(name, "pushedimage")) {
        m_sPushedImage = v;
    } else if (EqualsNoCase(name, "focusedimage")) {
        m_sFocusedImage = v;
    } else if (EqualsNoCase(name, "disabledimage")) {
        m_sDisabledImage = v;
    } else if (EqualsNoCase(name, "dropboxsize")) {
        if (ParseSize(v, s))
            m_szDropBox = s;
    } else if (EqualsNoCase(name, "dropbox")) {
        m_sDropBoxAttributes = v;
    } else if (EqualsNoCase(name, "font")) {
        if (ParseInt(v, n))
            SetFont(n);
    } else if (EqualsNoCase(name, "textcolor")) {
        if (ParseColor(v, c))
            SetTextColor(c);
    } else if (EqualsNoCase(name, "disabledtextcolor")) {
        if (ParseColor(v, c))
            m_dwDisabledTextColor = c;
    } else if (EqualsNoCase(name, "arrowcolor")) {
        if (ParseColor(v, c))
            m_dwArrowColor = c;
    } else if (EqualsNoCase(name, "showhtml")) {
        m_bShowHtml = ParseBool(v);
    } else if (EqualsNoCase(name, "align") || EqualsNoCase(name, "valign")) {
        m_uTextStyle = ApplyAlignAttribute(m_uTextStyle, name, value);
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

void CComboUI::PaintBkColor(RenderTarget& target) {
    if (GetBkColor() == 0 && GetBkImage().empty() && m_sNormalImage.empty()) {
        // A combo without a skin of its own: a light rounded field.
        const int r = Scale(4);
        CRenderEngine::FillRoundRect(
            target, m_rcItem, r,
            IsEffectivelyEnabled() ? (m_bHot ? 0xFFF7F9FC : 0xFFFFFFFF) : 0xFFF2F2F2);
        return;
    }
    CContainerUI::PaintBkColor(target);
}

void CComboUI::PaintStatusImage(RenderTarget& target) {
    const std::string* image = &m_sNormalImage;
    if (!IsEffectivelyEnabled() && !m_sDisabledImage.empty()) {
        image = &m_sDisabledImage;
    } else if (m_pWindow != nullptr && !m_sPushedImage.empty()) {
        image = &m_sPushedImage;
    } else if (m_bHot && !m_sHotImage.empty()) {
        image = &m_sHotImage;
    } else if (IsFocused() && !m_sFocusedImage.empty()) {
        image = &m_sFocusedImage;
    }
    if (!image->empty()) {
        DrawImage(target, *image);
        return;
    }
    // The default chevron at the right.
    const int size = Scale(4);
    const int cx = m_rcItem.right - Scale(12);
    const int cy = (m_rcItem.top + m_rcItem.bottom) / 2;
    const Color color = IsEffectivelyEnabled() ? m_dwArrowColor : WithOpacity(m_dwArrowColor, 100);
    const int dir = m_pWindow != nullptr ? -1 : 1;
    target.DrawLine(Point{cx - size, cy - dir * size / 2}, Point{cx, cy + dir * size / 2},
                    Scale(2) > 1 ? 2 : 1, color);
    target.DrawLine(Point{cx, cy + dir * size / 2}, Point{cx + size, cy - dir * size / 2},
                    Scale(2) > 1 ? 2 : 1, color);
}

void CComboUI::PaintText(RenderTarget& target) {
    const std::string text = GetText();
    if (text.empty() || m_pManager == nullptr)
        return;
    RECT rc = m_rcItem.Deflate(GetTextPadding());
    Color color = m_dwTextColor != 0 ? m_dwTextColor : m_pManager->GetDefaultFontColor();
    if (!IsEffectivelyEnabled())
        color = m_dwDisabledTextColor != 0 ? m_dwDisabledTextColor
                                           : m_pManager->GetDefaultDisabledColor();
    if (m_bShowHtml) {
        CRenderEngine::DrawHtmlText(target, m_pManager, rc, text, color, m_iFont, m_uTextStyle);
    } else {
        CRenderEngine::DrawText(target, m_pManager, rc, text, color, m_iFont, m_uTextStyle);
    }
}

void CComboUI::PaintBorder(RenderTarget& target) {
    if (GetBorderSize() > 0 || !m_sNormalImage.empty() || !GetBkImage().empty() ||
        GetBkColor() != 0) {
        CContainerUI::PaintBorder(target);
        return;
    }
    const Color color = IsFocused() || m_pWindow ? 0xFF2F80ED : (m_bHot ? 0xFF8A8F98 : 0xFFB8BCC4);
    CRenderEngine::DrawRoundRect(target, m_rcItem, 1, Scale(4), color);
}

}  // namespace ui
