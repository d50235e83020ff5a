#include "ui/core/ControlUI.h"

#include "ui/core/ControlHost.h"
#include "ui/core/StringUtil.h"
#include "ui/render/RenderEngine.h"
#include "ui/skin/ResourceManager.h"

namespace ui {

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
    if (m_pHost != nullptr)
        m_pHost->ReapObjects(this);
}

void CControlUI::SetName(const std::string& name) {
    if (name == m_sName)
        return;
    std::string old = m_sName;
    m_sName = name;
    if (m_pHost != nullptr)
        m_pHost->RenameControl(this, old);
}

void* CControlUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "Control"))
        return this;
    return nullptr;
}

bool CControlUI::Activate() {
    return IsVisible() && IsEffectivelyEnabled();
}

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    m_pManager = manager;
    m_pHost = manager != nullptr ? ControlHostOf(manager) : nullptr;
    m_pParent = parent;
    if (init && m_pHost != nullptr)
        Init();
}

std::string CControlUI::GetText() const {
    if (!m_bResourceText)
        return m_sText;
    return CResourceManager::GetInstance()->GetText(m_sText, GetClass());
}

void CControlUI::SetText(const std::string& text) {
    if (m_sText == text)
        return;
    m_sText = text;
    Invalidate();
}

void CControlUI::SetResourceText(bool resource) {
    if (m_bResourceText == resource)
        return;
    m_bResourceText = resource;
    Invalidate();
}

std::string CControlUI::GetToolTip() const {
    if (!m_bResourceText)
        return m_sToolTip;
    return CResourceManager::GetInstance()->GetText(m_sToolTip, GetClass());
}

void CControlUI::SetToolTip(const std::string& text) {
    m_sToolTip = text;
}

std::string CControlUI::GetVirtualWnd() const {
    if (!m_sVirtualWnd.empty())
        return m_sVirtualWnd;
    return m_pParent != nullptr ? m_pParent->GetVirtualWnd() : std::string();
}

void CControlUI::SetBkColor(Color color) {
    if (m_dwBackColor == color)
        return;
    m_dwBackColor = color;
    Invalidate();
}

void CControlUI::SetBkColor2(Color color) {
    if (m_dwBackColor2 == color)
        return;
    m_dwBackColor2 = color;
    Invalidate();
}

void CControlUI::SetBkImage(const std::string& image) {
    if (m_sBkImage == image)
        return;
    m_sBkImage = image;
    Invalidate();
}

void CControlUI::SetBorderColor(Color color) {
    m_dwBorderColor = color;
    Invalidate();
}

void CControlUI::SetFocusBorderColor(Color color) {
    m_dwFocusBorderColor = color;
    Invalidate();
}

int CControlUI::GetBorderSize() const {
    return Scale(m_nBorderSize);
}

void CControlUI::SetBorderSize(int size) {
    m_nBorderSize = size;
    Invalidate();
}

Size CControlUI::GetBorderRound() const {
    return Size{Scale(m_cxyBorderRound.cx), Scale(m_cxyBorderRound.cy)};
}

void CControlUI::SetBorderRound(Size round) {
    m_cxyBorderRound = round;
    Invalidate();
}

bool CControlUI::DrawImage(RenderTarget& target, const std::string& image,
                           const std::string& modify) {
    if (image.empty() || m_pHost == nullptr)
        return false;
    return CRenderEngine::DrawImageString(target, m_pHost, m_rcItem, m_rcPaint, image, modify);
}

int CControlUI::Scale(int value) const {
    return m_pHost != nullptr ? m_pHost->RenderScale(value) : value;
}

void CControlUI::SetPos(RECT rc, bool bNeedInvalidate) {
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    RECT old = m_rcItem;
    m_rcItem = rc;
    m_bUpdateNeeded = false;
    if (bNeedInvalidate && m_pHost != nullptr && !(old == rc)) {
        m_pHost->Invalidate(old);
        m_pHost->Invalidate(rc);
    }
}

void CControlUI::Move(SIZE offset, bool bNeedInvalidate) {
    SetPos(m_rcItem.Offset(offset.cx, offset.cy), bNeedInvalidate);
}

RECT CControlUI::GetRelativePos() const {
    if (m_pParent == nullptr)
        return m_rcItem;
    const RECT& p = m_pParent->GetPos();
    return m_rcItem.Offset(-p.left, -p.top);
}

RECT CControlUI::GetPadding() const {
    return RECT{Scale(m_rcPadding.left), Scale(m_rcPadding.top), Scale(m_rcPadding.right),
                Scale(m_rcPadding.bottom)};
}

void CControlUI::SetPadding(RECT padding) {
    m_rcPadding = padding;
    NeedParentUpdate();
}

SIZE CControlUI::GetFixedXY() const {
    return SIZE{Scale(m_cXY.cx), Scale(m_cXY.cy)};
}

void CControlUI::SetFixedXY(SIZE xy) {
    m_cXY = xy;
    NeedParentUpdate();
}

int CControlUI::GetFixedWidth() const {
    return Scale(m_cxyFixed.cx);
}
void CControlUI::SetFixedWidth(int cx) {
    if (cx < 0)
        return;
    m_cxyFixed.cx = cx;
    NeedParentUpdate();
}
int CControlUI::GetFixedHeight() const {
    return Scale(m_cxyFixed.cy);
}
void CControlUI::SetFixedHeight(int cy) {
    if (cy < 0)
        return;
    m_cxyFixed.cy = cy;
    NeedParentUpdate();
}
int CControlUI::GetMinWidth() const {
    return Scale(m_cxyMin.cx);
}
void CControlUI::SetMinWidth(int cx) {
    if (cx < 0)
        return;
    m_cxyMin.cx = cx;
    NeedParentUpdate();
}
int CControlUI::GetMaxWidth() const {
    return Scale(m_cxyMax.cx);
}
void CControlUI::SetMaxWidth(int cx) {
    if (cx < 0)
        return;
    m_cxyMax.cx = cx;
    NeedParentUpdate();
}
int CControlUI::GetMinHeight() const {
    return Scale(m_cxyMin.cy);
}
void CControlUI::SetMinHeight(int cy) {
    if (cy < 0)
        return;
    m_cxyMin.cy = cy;
    NeedParentUpdate();
}
int CControlUI::GetMaxHeight() const {
    return Scale(m_cxyMax.cy);
}
void CControlUI::SetMaxHeight(int cy) {
    if (cy < 0)
        return;
    m_cxyMax.cy = cy;
    NeedParentUpdate();
}

void CControlUI::SetFloat(bool floating) {
    if (m_bFloat == floating)
        return;
    m_bFloat = floating;
    NeedParentUpdate();
}

SIZE CControlUI::EstimateSize(SIZE /*szAvailable*/) {
    return SIZE{GetFixedWidth(), GetFixedHeight()};
}

void CControlUI::SetVisible(bool visible) {
    if (m_bVisible == visible)
        return;
    bool wasVisible = IsVisible();
    m_bVisible = visible;
    if (m_bFocused && !visible)
        m_bFocused = false;
    if (!visible && m_pHost != nullptr && m_pHost->GetFocus() == this) {
        m_pHost->SetFocus(nullptr);
    }
    if (IsVisible() != wasVisible)
        NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool visible) {
    m_bInternVisible = visible;
    if (!visible && m_pHost != nullptr && m_pHost->GetFocus() == this) {
        m_pHost->SetFocus(nullptr);
    }
}

void CControlUI::SetEnabled(bool enabled) {
    if (m_bEnabled == enabled)
        return;
    m_bEnabled = enabled;
    if (!enabled && m_pHost != nullptr && m_pHost->GetFocus() == this) {
        m_pHost->SetFocus(nullptr);
    }
    Invalidate();
}

bool CControlUI::IsEffectivelyEnabled() const {
    for (const CControlUI* control = this; control != nullptr; control = control->GetParent()) {
        if (!control->IsEnabled())
            return false;
    }
    return true;
}

void CControlUI::SetFocus() {
    if (m_pHost != nullptr)
        m_pHost->SetFocus(this);
}

CControlUI* CControlUI::FindControl(FINDCONTROLPROC proc, void* data, UINT flags) {
    if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible())
        return nullptr;
    if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled())
        return nullptr;
    if ((flags & UIFIND_HITTEST) != 0 &&
        (!m_rcItem.Contains(*static_cast<POINT*>(data)) || !m_bMouseEnabled))
        return nullptr;
    if ((flags & UIFIND_UPDATETEST) != 0 && !m_bUpdateNeeded)
        return nullptr;
    return proc(this, data);
}

void CControlUI::Invalidate() {
    if (!IsVisible() || m_pHost == nullptr)
        return;
    m_pHost->Invalidate(m_rcItem);
}

void CControlUI::NeedUpdate() {
    if (!IsVisible())
        return;
    m_bUpdateNeeded = true;
    Invalidate();
    if (m_pHost != nullptr)
        m_pHost->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
    if (m_pParent != nullptr) {
        m_pParent->NeedUpdate();
        m_pParent->Invalidate();
    } else {
        NeedUpdate();
    }
    if (m_pHost != nullptr)
        m_pHost->NeedUpdate();
}

void CControlUI::Init() {
    if (m_bInited)
        return;
    m_bInited = true;
    DoInit();
}

void CControlUI::Event(TEventUI& event) {
    DoEvent(event);
}

void CControlUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_SETFOCUS:
            m_bFocused = true;
            Invalidate();
            return;
        case UIEVENT_KILLFOCUS:
            m_bFocused = false;
            Invalidate();
            return;
        case UIEVENT_TIMER:
            if (m_pHost != nullptr) {
                m_pHost->NotifyFrom(this, "timer", event.wParam, event.lParam);
            }
            return;
        case UIEVENT_CONTEXTMENU:
            if (IsContextMenuUsed() && m_pHost != nullptr) {
                m_pHost->NotifyFrom(this, "menu", event.wParam, event.lParam);
                return;
            }
            break;
        case UIEVENT_MOUSEENTER:
        case UIEVENT_MOUSELEAVE:
        case UIEVENT_SETCURSOR:
            return;
        default:
            break;
    }
    if (m_pParent != nullptr)
        m_pParent->DoEvent(event);
}

bool CControlUI::ApplyStyle(std::string_view name) {
    if (m_pHost == nullptr || name.empty())
        return false;
    const std::string list = m_pHost->StyleAttributes(std::string(name));
    if (list.empty())
        return false;
    ApplyAttributeList(list);
    return true;
}

std::optional<RECT> CControlUI::GetScreenPos() const {
    if (m_pHost == nullptr)
        return std::nullopt;
    return m_pHost->ClientToScreen(m_rcItem);
}

void CControlUI::SetAttribute(std::string_view name, std::string_view value) {
    std::string v(value);
    Rect r;
    Size s;
    int n = 0;
    Color c = 0;
    if (EqualsNoCase(name, "style")) {
        // A style named before the control joins a window is applied by the layout builder.
        ApplyStyle(value);
    } else if (EqualsNoCase(name, "pos")) {
        if (ParseRect(v, r)) {
            m_rcFloatPos = r;
            m_cXY = Size{r.left, r.top};
            m_cxyFixed = Size{r.Width(), r.Height()};
            NeedParentUpdate();
        }
    } else if (EqualsNoCase(name, "padding")) {
        if (ParseRect(v, r))
            SetPadding(r);
    } else if (EqualsNoCase(name, "bkcolor") || EqualsNoCase(name, "bkcolor1")) {
        if (ParseColor(v, c))
            SetBkColor(c);
    } else if (EqualsNoCase(name, "bkcolor2")) {
        if (ParseColor(v, c))
            SetBkColor2(c);
    } else if (EqualsNoCase(name, "bordercolor")) {
        if (ParseColor(v, c))
            SetBorderColor(c);
    } else if (EqualsNoCase(name, "focusbordercolor")) {
        if (ParseColor(v, c))
            SetFocusBorderColor(c);
    } else if (EqualsNoCase(name, "bordersize")) {
        if (ParseInt(v, n))
            SetBorderSize(n);
    } else if (EqualsNoCase(name, "borderround")) {
        if (ParseSize(v, s))
            SetBorderRound(s);
    } else if (EqualsNoCase(name, "bkimage")) {
        SetBkImage(v);
    } else if (EqualsNoCase(name, "width")) {
        if (ParseInt(v, n))
            SetFixedWidth(n);
    } else if (EqualsNoCase(name, "height")) {
        if (ParseInt(v, n))
            SetFixedHeight(n);
    } else if (EqualsNoCase(name, "minwidth")) {
        if (ParseInt(v, n))
            SetMinWidth(n);
    } else if (EqualsNoCase(name, "minheight")) {
        if (ParseInt(v, n))
            SetMinHeight(n);
    } else if (EqualsNoCase(name, "maxwidth")) {
        if (ParseInt(v, n))
            SetMaxWidth(n);
    } else if (EqualsNoCase(name, "maxheight")) {
        if (ParseInt(v, n))
            SetMaxHeight(n);
    } else if (EqualsNoCase(name, "name")) {
        SetName(v);
    } else if (EqualsNoCase(name, "text")) {
        SetText(v);
    } else if (EqualsNoCase(name, "resourcetext")) {
        SetResourceText(ParseBool(v));
    } else if (EqualsNoCase(name, "tooltip")) {
        SetToolTip(v);
    } else if (EqualsNoCase(name, "userdata")) {
        SetUserData(v);
    } else if (EqualsNoCase(name, "tag")) {
        if (ParseInt(v, n))
            SetTag(static_cast<uintptr_t>(n));
    } else if (EqualsNoCase(name, "enabled")) {
        SetEnabled(ParseBool(v));
    } else if (EqualsNoCase(name, "mouse")) {
        SetMouseEnabled(ParseBool(v));
    } else if (EqualsNoCase(name, "keyboard")) {
        SetKeyboardEnabled(ParseBool(v));
    } else if (EqualsNoCase(name, "visible")) {
        SetVisible(ParseBool(v));
    } else if (EqualsNoCase(name, "float")) {
        SetFloat(ParseBool(v));
    } else if (EqualsNoCase(name, "menu")) {
        SetContextMenuUsed(ParseBool(v));
    } else if (EqualsNoCase(name, "virtualwnd")) {
        SetVirtualWnd(v);
    } else if (EqualsNoCase(name, "cursor")) {
        SetCursor(v);
    }
}

void CControlUI::ApplyAttributeList(std::string_view list) {
    size_t i = 0;
    while (i < list.size()) {
        while (i < list.size() && static_cast<unsigned char>(list[i]) <= ' ')
            ++i;
        size_t nameStart = i;
        while (i < list.size() && list[i] != '=' && static_cast<unsigned char>(list[i]) > ' ')
            ++i;
        std::string_view name = list.substr(nameStart, i - nameStart);
        while (i < list.size() && static_cast<unsigned char>(list[i]) <= ' ')
            ++i;
        if (i >= list.size() || list[i] != '=')
            return;
        ++i;
        while (i < list.size() && static_cast<unsigned char>(list[i]) <= ' ')
            ++i;
        if (i >= list.size() || (list[i] != '"' && list[i] != '\''))
            return;
        char quote = list[i++];
        size_t valueStart = i;
        while (i < list.size() && list[i] != quote)
            ++i;
        if (i >= list.size())
            return;
        std::string_view value = list.substr(valueStart, i - valueStart);
        ++i;
        if (!name.empty())
            SetAttribute(name, value);
    }
}

bool CControlUI::DoPaint(RenderTarget& target, const RECT& rcPaint, CControlUI* pStopControl) {
    if (pStopControl == this)
        return false;
    m_rcPaint = rcPaint.Intersect(m_rcItem);
    if (m_rcPaint.IsEmpty())
        return true;
    Size round = GetBorderRound();
    bool clip = round.cx > 0 || round.cy > 0;
    if (clip)
        target.PushClip(m_rcItem);
    PaintBkColor(target);
    PaintBkImage(target);
    PaintStatusImage(target);
    PaintForeColor(target);
    PaintForeImage(target);
    PaintText(target);
    PaintBorder(target);
    if (clip)
        target.PopClip();
    return true;
}

void CControlUI::PaintBkColor(RenderTarget& target) {
    if (m_dwBackColor == 0)
        return;
    Size round = GetBorderRound();
    if (m_dwBackColor2 != 0) {
        CRenderEngine::DrawGradient(target, m_rcItem, GetAdjustColor(m_dwBackColor),
                                    GetAdjustColor(m_dwBackColor2), true);
    } else if (round.cx > 0) {
        target.FillRoundRect(m_rcItem, round.cx, GetAdjustColor(m_dwBackColor));
    } else {
        target.FillRect(m_rcItem, GetAdjustColor(m_dwBackColor));
    }
}

void CControlUI::PaintBkImage(RenderTarget& target) {
    if (m_sBkImage.empty())
        return;
    if (!DrawImage(target, m_sBkImage)) {
        // An image that cannot be drawn stays in the attribute but costs nothing more.
    }
}

void CControlUI::PaintStatusImage(RenderTarget& /*target*/) {}
void CControlUI::PaintForeColor(RenderTarget& /*target*/) {}
void CControlUI::PaintForeImage(RenderTarget& /*target*/) {}
void CControlUI::PaintText(RenderTarget& /*target*/) {}

void CControlUI::PaintBorder(RenderTarget& target) {
    int size = GetBorderSize();
    if (size <= 0)
        return;
    Color color =
        (m_bFocused && m_dwFocusBorderColor != 0) ? m_dwFocusBorderColor : m_dwBorderColor;
    if (color == 0)
        return;
    Size round = GetBorderRound();
    if (round.cx > 0) {
        target.DrawRoundRectOutline(m_rcItem, round.cx, size, GetAdjustColor(color));
    } else {
        target.DrawRectOutline(m_rcItem, size, GetAdjustColor(color));
    }
}

}  // namespace ui
