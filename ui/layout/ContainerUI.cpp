#include "ui/layout/ContainerUI.h"

#include <algorithm>

#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {
const BuiltInControlRegistration kContainerTag("Container", MakeControl<CContainerUI>());
}  // namespace

namespace {

IScrollBarUI* AsScrollBar(CControlUI* control) {
    return control ? static_cast<IScrollBarUI*>(control->GetInterface("IScrollBar")) : nullptr;
}

constexpr int kDefaultScrollBarWidth = 12;
constexpr int kDefaultScrollStep = 30;

}  // namespace

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
    RemoveAll();
    delete m_pVerticalScrollBar;
    delete m_pHorizontalScrollBar;
}

void* CContainerUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "IContainer"))
        return static_cast<IContainerUI*>(this);
    if (EqualsNoCase(name, "Container"))
        return static_cast<CContainerUI*>(this);
    return CControlUI::GetInterface(name);
}

CControlUI* CContainerUI::GetItemAt(int index) const {
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_items[static_cast<size_t>(index)];
}

int CContainerUI::GetItemIndex(CControlUI* control) const {
    auto it = std::find(m_items.begin(), m_items.end(), control);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* control, int index) {
    int old = GetItemIndex(control);
    if (old < 0 || index < 0 || index >= GetCount())
        return false;
    m_items.erase(m_items.begin() + old);
    m_items.insert(m_items.begin() + index, control);
    NeedUpdate();
    return true;
}

bool CContainerUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CContainerUI::AddAt(CControlUI* control, int index) {
    if (control == nullptr || index < 0 || index > GetCount())
        return false;
    m_items.insert(m_items.begin() + index, control);
    if (m_pManager != nullptr) {
        m_pManager->InitControls(control, this);
    } else {
        control->SetManager(nullptr, this, false);
    }
    if (IsVisible())
        NeedUpdate();
    return true;
}

bool CContainerUI::Remove(CControlUI* control, bool doNotDestroy) {
    int index = GetItemIndex(control);
    if (index < 0)
        return false;
    return RemoveAt(index, doNotDestroy);
}

bool CContainerUI::RemoveAt(int index, bool doNotDestroy) {
    CControlUI* control = GetItemAt(index);
    if (control == nullptr)
        return false;
    m_items.erase(m_items.begin() + index);
    if (!doNotDestroy && m_bAutoDestroy) {
        delete control;
    } else if (m_pManager != nullptr) {
        m_pManager->ReapObjects(control);
    }
    NeedUpdate();
    return true;
}

void CContainerUI::RemoveAll() {
    std::vector<CControlUI*> items;
    items.swap(m_items);
    for (CControlUI* control : items) {
        if (m_bAutoDestroy) {
            delete control;
        } else if (m_pManager != nullptr) {
            m_pManager->ReapObjects(control);
        }
    }
    m_szScrollPos = SIZE{};
    NeedUpdate();
}

RECT CContainerUI::GetInset() const {
    return RECT{Scale(m_rcInset.left), Scale(m_rcInset.top), Scale(m_rcInset.right),
                Scale(m_rcInset.bottom)};
}

void CContainerUI::SetInset(RECT inset) {
    m_rcInset = inset;
    NeedUpdate();
}

int CContainerUI::GetChildPadding() const {
    return Scale(m_iChildPadding);
}

void CContainerUI::SetChildPadding(int padding) {
    m_iChildPadding = std::max(0, padding);
    NeedUpdate();
}

void CContainerUI::SetChildAlign(UINT align) {
    m_uChildAlign = align;
    NeedUpdate();
}

void CContainerUI::SetChildVAlign(UINT align) {
    m_uChildVAlign = align;
    NeedUpdate();
}

CControlUI* CContainerUI::CreateScrollBar(bool horizontal) {
    CControlUI* bar = CControlFactory::GetInstance()->CreateControl("ScrollBar");
    IScrollBarUI* scroll = AsScrollBar(bar);
    if (scroll == nullptr) {
        delete bar;
        return nullptr;
    }
    scroll->SetHorizontal(horizontal);
    scroll->SetOwner(this);
    const std::string& style = horizontal ? m_sHorizontalScrollBarStyle : m_sVerticalScrollBarStyle;
    if (m_pManager != nullptr) {
        std::string defaults = m_pManager->GetDefaultAttributeList("ScrollBar");
        if (!defaults.empty())
            bar->ApplyAttributeList(defaults);
    }
    if (!style.empty())
        bar->ApplyAttributeList(style);
    bar->SetManager(m_pManager, this, false);
    if (m_pManager != nullptr)
        m_pManager->InitControls(bar, this);
    bar->SetVisible(false);
    return bar;
}

void CContainerUI::EnableScrollBar(bool enableVertical, bool enableHorizontal) {
    if (enableVertical && m_pVerticalScrollBar == nullptr) {
        m_pVerticalScrollBar = CreateScrollBar(false);
    } else if (!enableVertical && m_pVerticalScrollBar != nullptr) {
        delete m_pVerticalScrollBar;
        m_pVerticalScrollBar = nullptr;
    }
    if (enableHorizontal && m_pHorizontalScrollBar == nullptr) {
        m_pHorizontalScrollBar = CreateScrollBar(true);
    } else if (!enableHorizontal && m_pHorizontalScrollBar != nullptr) {
        delete m_pHorizontalScrollBar;
        m_pHorizontalScrollBar = nullptr;
    }
    NeedUpdate();
}

void CContainerUI::SetScrollPos(SIZE pos, bool /*bMsg*/) {
    pos.cx = std::clamp(pos.cx, 0, std::max(0, m_szScrollRange.cx));
    pos.cy = std::clamp(pos.cy, 0, std::max(0, m_szScrollRange.cy));
    if (pos == m_szScrollPos)
        return;
    SIZE delta{m_szScrollPos.cx - pos.cx, m_szScrollPos.cy - pos.cy};
    m_szScrollPos = pos;
    if (IScrollBarUI* v = AsScrollBar(m_pVerticalScrollBar))
        v->SetScrollPos(pos.cy);
    if (IScrollBarUI* h = AsScrollBar(m_pHorizontalScrollBar))
        h->SetScrollPos(pos.cx);
    for (CControlUI* child : m_items) {
        if (child->IsVisible() && !child->IsFloat())
            child->Move(delta, false);
    }
    Invalidate();
}

int CContainerUI::GetScrollStepSize() const {
    return Scale(m_nScrollStepSize > 0 ? m_nScrollStepSize : kDefaultScrollStep);
}

void CContainerUI::LineUp() {
    SetScrollPos(SIZE{m_szScrollPos.cx, m_szScrollPos.cy - GetScrollStepSize()});
}
void CContainerUI::LineDown() {
    SetScrollPos(SIZE{m_szScrollPos.cx, m_szScrollPos.cy + GetScrollStepSize()});
}
void CContainerUI::PageUp() {
    SetScrollPos(SIZE{m_szScrollPos.cx, m_szScrollPos.cy - ContentRect().Height()});
}
void CContainerUI::PageDown() {
    SetScrollPos(SIZE{m_szScrollPos.cx, m_szScrollPos.cy + ContentRect().Height()});
}
void CContainerUI::HomeUp() {
    SetScrollPos(SIZE{m_szScrollPos.cx, 0});
}
void CContainerUI::EndDown() {
    SetScrollPos(SIZE{m_szScrollPos.cx, m_szScrollRange.cy});
}
void CContainerUI::LineLeft() {
    SetScrollPos(SIZE{m_szScrollPos.cx - GetScrollStepSize(), m_szScrollPos.cy});
}
void CContainerUI::LineRight() {
    SetScrollPos(SIZE{m_szScrollPos.cx + GetScrollStepSize(), m_szScrollPos.cy});
}

void CContainerUI::EnsureVisible(CControlUI* control) {
    if (control == nullptr || GetItemIndex(control) < 0)
        return;
    RECT view = ContentRect();
    const RECT& rc = control->GetPos();
    SIZE pos = m_szScrollPos;
    if (rc.top < view.top)
        pos.cy -= view.top - rc.top;
    else if (rc.bottom > view.bottom)
        pos.cy += rc.bottom - view.bottom;
    if (rc.left < view.left)
        pos.cx -= view.left - rc.left;
    else if (rc.right > view.right)
        pos.cx += rc.right - view.right;
    SetScrollPos(pos);
}

UINT CContainerUI::VisibleScrollBars() const {
    UINT bars = 0;
    if (m_pVerticalScrollBar != nullptr && m_pVerticalScrollBar->IsVisible())
        bars |= 1;
    if (m_pHorizontalScrollBar != nullptr && m_pHorizontalScrollBar->IsVisible())
        bars |= 2;
    return bars;
}

RECT CContainerUI::ContentRect() const {
    RECT rc = m_rcItem.Deflate(GetInset());
    if (m_pVerticalScrollBar != nullptr && m_pVerticalScrollBar->IsVisible()) {
        rc.right -= m_pVerticalScrollBar->GetFixedWidth();
    }
    if (m_pHorizontalScrollBar != nullptr && m_pHorizontalScrollBar->IsVisible()) {
        rc.bottom -= m_pHorizontalScrollBar->GetFixedHeight();
    }
    return rc;
}

void CContainerUI::ProcessScrollBar(RECT rc, int cxRequired, int cyRequired) {
    auto place = [&](CControlUI* bar, bool horizontal, int required, int available, int& range,
                     int& pos) {
        IScrollBarUI* scroll = AsScrollBar(bar);
        if (scroll == nullptr) {
            range = 0;
            pos = 0;
            return;
        }
        range = std::max(0, required - available);
        pos = std::min(pos, range);
        scroll->SetScrollRange(range);
        scroll->SetScrollPos(pos);
        scroll->SetLineSize(GetScrollStepSize());
        bool show = range > 0;
        if (bar->IsOwnVisible() != show)
            bar->SetVisible(show);
        if (!show)
            return;
        RECT inner = m_rcItem.Deflate(GetInset());
        if (horizontal) {
            int h =
                bar->GetFixedHeight() > 0 ? bar->GetFixedHeight() : Scale(kDefaultScrollBarWidth);
            bar->SetPos(RECT{inner.left, inner.bottom - h, rc.right, inner.bottom}, false);
        } else {
            int w = bar->GetFixedWidth() > 0 ? bar->GetFixedWidth() : Scale(kDefaultScrollBarWidth);
            bar->SetPos(RECT{inner.right - w, inner.top, inner.right, rc.bottom}, false);
        }
    };
    place(m_pVerticalScrollBar, false, cyRequired, rc.Height(), m_szScrollRange.cy,
          m_szScrollPos.cy);
    place(m_pHorizontalScrollBar, true, cxRequired, rc.Width(), m_szScrollRange.cx,
          m_szScrollPos.cx);
}

void CContainerUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    if (m_items.empty())
        return;
    RECT inner = ContentRect();
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = m_items[static_cast<size_t>(i)];
        if (!child->IsVisible())
            continue;
        if (child->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        RECT padding = child->GetPadding();
        RECT area = inner.Deflate(padding);
        SIZE sz = child->EstimateSize(SIZE{area.Width(), area.Height()});
        int w = sz.cx > 0 ? std::clamp(sz.cx, child->GetMinWidth(), child->GetMaxWidth())
                          : area.Width();
        int h = sz.cy > 0 ? std::clamp(sz.cy, child->GetMinHeight(), child->GetMaxHeight())
                          : area.Height();
        w = std::min(w, area.Width());
        h = std::min(h, area.Height());
        int x = area.left, y = area.top;
        if (m_uChildAlign == kTextCenter)
            x += (area.Width() - w) / 2;
        else if (m_uChildAlign == kTextRight)
            x = area.right - w;
        if (m_uChildVAlign == kTextVCenter)
            y += (area.Height() - h) / 2;
        else if (m_uChildVAlign == kTextBottom)
            y = area.bottom - h;
        child->SetPos(RECT{x, y, x + w, y + h}, false);
    }
}

void CContainerUI::Move(SIZE offset, bool bNeedInvalidate) {
    CControlUI::Move(offset, bNeedInvalidate);
    for (CControlUI* child : m_items) {
        if (child->IsVisible())
            child->Move(offset, false);
    }
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible())
        m_pVerticalScrollBar->Move(offset, false);
    if (m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible())
        m_pHorizontalScrollBar->Move(offset, false);
}

void CContainerUI::SetFloatPos(int index) {
    CControlUI* child = GetItemAt(index);
    if (child == nullptr || !child->IsFloat())
        return;
    const RECT& pos = child->GetFloatPos();
    RECT rc{m_rcItem.left + Scale(pos.left), m_rcItem.top + Scale(pos.top),
            m_rcItem.left + Scale(pos.right), m_rcItem.top + Scale(pos.bottom)};
    if (pos.right <= pos.left)
        rc.right = rc.left + child->GetFixedWidth();
    if (pos.bottom <= pos.top)
        rc.bottom = rc.top + child->GetFixedHeight();
    child->SetPos(rc, false);
}

void CContainerUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SCROLLWHEEL) {
        bool canScrollV = m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible() &&
                          m_pVerticalScrollBar->IsEnabled();
        bool canScrollH = m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible() &&
                          m_pHorizontalScrollBar->IsEnabled();
        if (canScrollV || canScrollH) {
            int delta = GET_WHEEL_DELTA_WPARAM(event.wParam);
            if (canScrollV) {
                delta > 0 ? LineUp() : LineDown();
            } else {
                delta > 0 ? LineLeft() : LineRight();
            }
            return;
        }
    }
    CControlUI::DoEvent(event);
}

void CContainerUI::SetVisible(bool visible) {
    if (m_bVisible == visible)
        return;
    CControlUI::SetVisible(visible);
    for (CControlUI* child : m_items)
        child->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    for (CControlUI* child : m_items)
        child->SetInternVisible(IsVisible());
}

void CContainerUI::SetEnabled(bool enabled) {
    CControlUI::SetEnabled(enabled);
    if (enabled || m_pHost == nullptr)
        return;
    // The children keep their own flags but take no input now: none keeps the focus.
    for (CControlUI* focus = m_pHost->GetFocus(); focus != nullptr; focus = focus->GetParent()) {
        if (focus == this) {
            m_pHost->SetFocus(nullptr);
            break;
        }
    }
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    for (CControlUI* child : m_items)
        child->SetManager(manager, this, init);
    if (m_pVerticalScrollBar)
        m_pVerticalScrollBar->SetManager(manager, this, init);
    if (m_pHorizontalScrollBar)
        m_pHorizontalScrollBar->SetManager(manager, this, init);
    CControlUI::SetManager(manager, parent, init);
}

CControlUI* CContainerUI::FindControl(FINDCONTROLPROC proc, void* data, UINT flags) {
    if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible())
        return nullptr;
    if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled())
        return nullptr;
    if ((flags & UIFIND_HITTEST) != 0) {
        if (!m_rcItem.Contains(*static_cast<POINT*>(data)))
            return nullptr;
        if (!m_bMouseChildEnabled) {
            CControlUI* result = nullptr;
            if (m_pVerticalScrollBar)
                result = m_pVerticalScrollBar->FindControl(proc, data, flags);
            if (!result && m_pHorizontalScrollBar)
                result = m_pHorizontalScrollBar->FindControl(proc, data, flags);
            if (result)
                return result;
            return CControlUI::FindControl(proc, data, flags);
        }
    }
    if ((flags & UIFIND_ME_FIRST) != 0) {
        if (CControlUI* self = CControlUI::FindControl(proc, data, flags))
            return self;
    }
    if (m_pVerticalScrollBar) {
        if (CControlUI* r = m_pVerticalScrollBar->FindControl(proc, data, flags))
            return r;
    }
    if (m_pHorizontalScrollBar) {
        if (CControlUI* r = m_pHorizontalScrollBar->FindControl(proc, data, flags))
            return r;
    }
    if ((flags & UIFIND_HITTEST) != 0) {
        // Children outside the visible content area cannot be hit.
        RECT inner = m_rcItem.Deflate(GetInset());
        bool inside = inner.Contains(*static_cast<POINT*>(data));
        for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
            if (!inside && !(*it)->IsFloat())
                continue;
            if (CControlUI* r = (*it)->FindControl(proc, data, flags))
                return r;
        }
    } else if ((flags & UIFIND_TOP_FIRST) != 0) {
        for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
            if (CControlUI* r = (*it)->FindControl(proc, data, flags))
                return r;
        }
    } else {
        for (CControlUI* child : m_items) {
            if (CControlUI* r = child->FindControl(proc, data, flags))
                return r;
        }
    }
    if ((flags & UIFIND_ME_FIRST) == 0)
        return CControlUI::FindControl(proc, data, flags);
    return nullptr;
}

bool CContainerUI::DoPaint(RenderTarget& target, const RECT& rcPaint, CControlUI* pStopControl) {
    RECT paint = rcPaint.Intersect(m_rcItem);
    if (paint.IsEmpty())
        return true;
    if (!CControlUI::DoPaint(target, rcPaint, pStopControl))
        return false;
    if (!m_items.empty()) {
        RECT inner = m_rcItem.Deflate(GetInset());
        target.PushClip(paint);
        for (CControlUI* child : m_items) {
            if (!child->IsVisible())
                continue;
            const RECT& pos = child->GetPos();
            if (pos.Intersect(paint).IsEmpty())
                continue;
            bool clipped = !child->IsFloat();
            if (clipped) {
                if (pos.Intersect(inner).IsEmpty())
                    continue;
                target.PushClip(inner);
            }
            bool go = child->DoPaint(target, paint, pStopControl);
            if (clipped)
                target.PopClip();
            if (!go) {
                target.PopClip();
                return false;
            }
        }
        target.PopClip();
    }
    for (CControlUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
        if (bar != nullptr && bar->IsVisible() && !bar->GetPos().Intersect(paint).IsEmpty()) {
            if (!bar->DoPaint(target, paint, pStopControl))
                return false;
        }
    }
    return true;
}

void CContainerUI::SetAttribute(std::string_view name, std::string_view value) {
    std::string v(value);
    Rect r;
    int n = 0;
    if (EqualsNoCase(name, "inset")) {
        if (ParseRect(v, r))
            SetInset(r);
    } else if (EqualsNoCase(name, "childpadding")) {
        if (ParseInt(v, n))
            SetChildPadding(n);
    } else if (EqualsNoCase(name, "childalign")) {
        SetChildAlign(EqualsNoCase(v, "center")  ? kTextCenter
                      : EqualsNoCase(v, "right") ? kTextRight
                                                 : kTextLeft);
    } else if (EqualsNoCase(name, "childvalign")) {
        SetChildVAlign(EqualsNoCase(v, "vcenter") || EqualsNoCase(v, "center") ? kTextVCenter
                       : EqualsNoCase(v, "bottom")                             ? kTextBottom
                                                                               : kTextLeft);
    } else if (EqualsNoCase(name, "mousechild")) {
        SetMouseChildEnabled(ParseBool(v));
    } else if (EqualsNoCase(name, "autodestroy")) {
        SetAutoDestroy(ParseBool(v));
    } else if (EqualsNoCase(name, "vscrollbar")) {
        EnableScrollBar(ParseBool(v), m_pHorizontalScrollBar != nullptr);
    } else if (EqualsNoCase(name, "hscrollbar")) {
        EnableScrollBar(m_pVerticalScrollBar != nullptr, ParseBool(v));
    } else if (EqualsNoCase(name, "vscrollbarstyle")) {
        m_sVerticalScrollBarStyle = v;
        if (m_pVerticalScrollBar)
            m_pVerticalScrollBar->ApplyAttributeList(v);
    } else if (EqualsNoCase(name, "hscrollbarstyle")) {
        m_sHorizontalScrollBarStyle = v;
        if (m_pHorizontalScrollBar)
            m_pHorizontalScrollBar->ApplyAttributeList(v);
    } else if (EqualsNoCase(name, "scrollstepsize")) {
        if (ParseInt(v, n))
            SetScrollStepSize(n);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

}  // namespace ui
