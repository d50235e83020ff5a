#include "ui/controls/SliderUI.h"

#include <algorithm>

#include "ui/controls/ControlsCommon.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {
// How much of the value's colours a disabled slider keeps (0-255): it reads as grey.
constexpr int kDisabledSliderOpacity = 70;
const BuiltInControlRegistration kSliderTag("Slider",
                                            [] { return static_cast<CControlUI*>(new CSliderUI); });
}  // namespace

CSliderUI::CSliderUI() {
    m_model.SetRange(0, 100);
}

CSliderUI::~CSliderUI() = default;

void* CSliderUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "Slider"))
        return this;
    return CControlUI::GetInterface(name);
}

UINT CSliderUI::GetControlFlags() const {
    return (IsKeyboardEnabled() ? UINT{UIFLAG_TABSTOP} : 0u) |
           (IsEffectivelyEnabled() ? UINT{UIFLAG_SETCURSOR} : 0u);
}

void CSliderUI::SetMinValue(int value) {
    m_model.SetRange(value, std::max(value, m_model.Max()));
    Invalidate();
}

void CSliderUI::SetMaxValue(int value) {
    m_model.SetRange(std::min(value, m_model.Min()), value);
    Invalidate();
}

void CSliderUI::SetValue(int value, bool notify) {
    if (!m_model.SetValue(value))
        return;
    Invalidate();
    if (notify && m_pManager != nullptr)
        m_pManager->SendNotify(this, "valuechanged");
}

void CSliderUI::SetChangeStep(int step) {
    m_model.SetStep(step);
}

void CSliderUI::SetHorizontal(bool horizontal) {
    m_bHorizontal = horizontal;
    Invalidate();
}

void CSliderUI::SetThumbSize(SIZE size) {
    m_szThumb = Size{std::max(1, size.cx), std::max(1, size.cy)};
    Invalidate();
}

int CSliderUI::RailStart() const {
    // Vertical sliders have their minimum at the bottom.
    if (m_bHorizontal)
        return m_rcItem.left + Scale(m_szThumb.cx) / 2;
    return m_rcItem.bottom - Scale(m_szThumb.cy) / 2;
}

int CSliderUI::RailLength() const {
    const int len = m_bHorizontal ? m_rcItem.Width() - Scale(m_szThumb.cx)
                                  : m_rcItem.Height() - Scale(m_szThumb.cy);
    return std::max(0, len);
}

RECT CSliderUI::GetThumbRect() const {
    const int offset = m_model.OffsetForValue(m_model.Value(), RailLength());
    const int w = Scale(m_szThumb.cx), h = Scale(m_szThumb.cy);
    if (m_bHorizontal) {
        const int cx = RailStart() + offset;
        const int top = m_rcItem.top + (m_rcItem.Height() - h) / 2;
        return Rect{cx - w / 2, top, cx - w / 2 + w, top + h};
    }
    const int cy = RailStart() - offset;
    const int left = m_rcItem.left + (m_rcItem.Width() - w) / 2;
    return Rect{left, cy - h / 2, left + w, cy - h / 2 + h};
}

int CSliderUI::ValueAt(POINT pt) const {
    const int offset =
        m_bHorizontal ? pt.x - m_nGrabOffset - RailStart() : RailStart() - (pt.y - m_nGrabOffset);
    return m_model.ValueForOffset(offset, RailLength());
}

void CSliderUI::ChangeByUser(int value, const char* notification) {
    if (!m_model.SetValue(value))
        return;
    Invalidate();
    if (m_pManager != nullptr)
        m_pManager->SendNotify(this, notification);
}

void CSliderUI::DoEvent(TEventUI& event) {
    NoteModifierKeys(event);
    if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
        CControlUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK: {
            if (!IsEffectivelyEnabled())
                return;
            if (IsKeyboardEnabled() && m_pManager != nullptr)
                SetFocus();
            m_nValueAtPress = m_model.Value();
            m_bDragging = true;
            // Grabbing the thumb keeps it under the pointer where it was taken; a click on
            // the rail brings the thumb's centre to the pointer.
            const RECT thumb = GetThumbRect();
            if (thumb.Contains(event.ptMouse)) {
                m_nGrabOffset = m_bHorizontal ? event.ptMouse.x - (thumb.left + thumb.right) / 2
                                              : event.ptMouse.y - (thumb.top + thumb.bottom) / 2;
            } else {
                m_nGrabOffset = 0;
                ChangeByUser(ValueAt(event.ptMouse), "movevaluechanged");
            }
            Invalidate();
            return;
        }
        case UIEVENT_MOUSEMOVE:
            if (m_bDragging) {
                ChangeByUser(ValueAt(event.ptMouse), "movevaluechanged");
            } else {
                const bool hot = GetThumbRect().Contains(event.ptMouse);
                if (hot != m_bThumbHot) {
                    m_bThumbHot = hot;
                    Invalidate();
                }
            }
            return;
        case UIEVENT_BUTTONUP:
            if (m_bDragging) {
                m_bDragging = false;
                Invalidate();
                if (m_model.Value() != m_nValueAtPress && m_pManager != nullptr) {
                    m_pManager->SendNotify(this, "valuechanged");
                }
            }
            return;
        case UIEVENT_KILLFOCUS:
            // Focus lost mid-drag (a window popped up): the drag ends where it stands.
            if (m_bDragging) {
                m_bDragging = false;
                if (m_model.Value() != m_nValueAtPress && m_pManager != nullptr) {
                    m_pManager->SendNotify(this, "valuechanged");
                }
            }
            break;
        case UIEVENT_MOUSELEAVE:
            if (m_bThumbHot) {
                m_bThumbHot = false;
                Invalidate();
            }
            return;
        case UIEVENT_SCROLLWHEEL: {
            if (!IsEffectivelyEnabled() || m_bDragging)
                return;
            const int delta = GET_WHEEL_DELTA_WPARAM(event.wParam);
            if (delta == 0)
                return;
            const int notches = delta / 120 != 0 ? delta / 120 : (delta > 0 ? 1 : -1);
            const int before = m_model.Value();
            m_model.StepBy(notches);
            const int after = m_model.Value();
            m_model.SetValue(before);
            ChangeByUser(after, "valuechanged");
            return;
        }
        case UIEVENT_KEYDOWN: {
            if (!IsEffectivelyEnabled() || m_bDragging)
                break;
            int steps = 0;
            int target = m_model.Value();
            switch (event.chKey) {
                case VK_LEFT:
                case VK_DOWN:
                    steps = -1;
                    break;
                case VK_RIGHT:
                case VK_UP:
                    steps = 1;
                    break;
                case VK_PRIOR:
                    steps = 10;
                    break;
                case VK_NEXT:
                    steps = -10;
                    break;
                case VK_HOME:
                    target = m_model.Min();
                    break;
                case VK_END:
                    target = m_model.Max();
                    break;
                default:
                    CControlUI::DoEvent(event);
                    return;
            }
            if (steps != 0) {
                const int before = m_model.Value();
                m_model.StepBy(steps);
                target = m_model.Value();
                m_model.SetValue(before);
            }
            ChangeByUser(target, "valuechanged");
            return;
        }
        default:
            break;
    }
    CControlUI::DoEvent(event);
}

void CSliderUI::SetAttribute(std::string_view name, std::string_view value) {
    const std::string v(value);
    int n = 0;
    Color c = 0;
    Size s;
    if (EqualsNoCase(name, "min")) {
        if (ParseInt(v, n))
            SetMinValue(n);
    } else if (EqualsNoCase(name, "max")) {
        if (ParseInt(v, n))
            SetMaxValue(n);
    } else if (EqualsNoCase(name, "value")) {
        if (ParseInt(v, n))
            SetValue(n, false);
    } else if (EqualsNoCase(name, "step")) {
        if (ParseInt(v, n))
            SetChangeStep(n);
    } else if (EqualsNoCase(name, "hor")) {
        SetHorizontal(ParseBool(v));
    } else if (EqualsNoCase(name, "thumbsize")) {
        if (ParseSize(v, s))
            SetThumbSize(s);
    } else if (EqualsNoCase(name, "railsize")) {
        if (ParseInt(v, n) && n > 0)
            m_nRailWidth = n;
    } else if (EqualsNoCase(name, "railcolor")) {
        if (ParseColor(v, c))
            m_dwRailColor = c;
    } else if (EqualsNoCase(name, "forecolor")) {
        if (ParseColor(v, c))
            m_dwForeColor = c;
    } else if (EqualsNoCase(name, "thumbcolor")) {
        if (ParseColor(v, c))
            m_dwThumbColor = c;
    } else if (EqualsNoCase(name, "thumbbordercolor")) {
        if (ParseColor(v, c))
            m_dwThumbBorderColor = c;
    } else if (EqualsNoCase(name, "foreimage")) {
        m_sForeImage = v;
    } else if (EqualsNoCase(name, "thumbimage")) {
        m_sThumbImage = v;
    } else if (EqualsNoCase(name, "thumbhotimage")) {
        m_sThumbHotImage = v;
    } else if (EqualsNoCase(name, "thumbpushedimage")) {
        m_sThumbPushedImage = v;
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CSliderUI::PaintBkColor(RenderTarget& target) {
    CControlUI::PaintBkColor(target);
    if (!GetBkImage().empty() || ColorAlpha(m_dwRailColor) == 0)
        return;
    // Without a background image the rail is drawn as a rounded bar through the middle.
    const int w = Scale(m_nRailWidth);
    Rect rail;
    if (m_bHorizontal) {
        const int top = m_rcItem.top + (m_rcItem.Height() - w) / 2;
        rail = Rect{RailStart(), top, RailStart() + RailLength(), top + w};
    } else {
        const int left = m_rcItem.left + (m_rcItem.Width() - w) / 2;
        rail = Rect{left, RailStart() - RailLength(), left + w, RailStart()};
    }
    CRenderEngine::FillRoundRect(
        target, rail, w / 2,
        IsEffectivelyEnabled() ? m_dwRailColor : WithOpacity(m_dwRailColor, 120));
}

void CSliderUI::PaintForeImage(RenderTarget& target) {
    // The part from the minimum to the value.
    const int offset = m_model.OffsetForValue(m_model.Value(), RailLength());
    Rect part = m_rcItem;
    if (m_bHorizontal) {
        part.right = RailStart() + offset;
    } else {
        part.top = RailStart() - offset;
    }
    if (DrawPartImage(*this, target, m_sForeImage, part))
        return;
    if (!GetBkImage().empty() || ColorAlpha(m_dwForeColor) == 0)
        return;
    const int w = Scale(m_nRailWidth);
    Rect fill;
    if (m_bHorizontal) {
        const int top = m_rcItem.top + (m_rcItem.Height() - w) / 2;
        fill = Rect{RailStart(), top, RailStart() + offset, top + w};
    } else {
        const int left = m_rcItem.left + (m_rcItem.Width() - w) / 2;
        fill = Rect{left, RailStart() - offset, left + w, RailStart()};
    }
    if (!fill.IsEmpty()) {
        CRenderEngine::FillRoundRect(target, fill, w / 2,
                                     IsEffectivelyEnabled()
                                         ? m_dwForeColor
                                         : WithOpacity(m_dwForeColor, kDisabledSliderOpacity));
    }
}

void CSliderUI::PaintStatusImage(RenderTarget& target) {
    const RECT thumb = GetThumbRect();
    const std::string& image = m_bDragging && !m_sThumbPushedImage.empty() ? m_sThumbPushedImage
                               : m_bThumbHot && !m_sThumbHotImage.empty()  ? m_sThumbHotImage
                                                                           : m_sThumbImage;
    if (DrawPartImage(*this, target, image, thumb))
        return;
    CRenderEngine::FillEllipse(target, thumb,
                               IsEffectivelyEnabled()
                                   ? m_dwThumbColor
                                   : WithOpacity(m_dwThumbColor, kDisabledSliderOpacity));
    const Color border = IsEffectivelyEnabled()
                             ? m_dwThumbBorderColor
                             : WithOpacity(m_dwThumbBorderColor, kDisabledSliderOpacity);
    target.DrawEllipseOutline(thumb, m_bDragging || m_bThumbHot ? Scale(3) : Scale(2), border);
}

}  // namespace ui
