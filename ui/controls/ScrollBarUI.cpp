#include "ui/controls/ScrollBarUI.h"

#include <algorithm>

#include "ui/controls/ControlsCommon.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {

const BuiltInControlRegistration kScrollBarTag("ScrollBar", [] {
    return static_cast<CControlUI*>(new CScrollBarUI);
});

constexpr UINT kRepeatTimerId = 0x5C01;
constexpr UINT kRepeatDelayMs = 400;
constexpr UINT kRepeatIntervalMs = 50;

int ImageIndex(bool hot, bool pushed) {
    return pushed ? 2 : (hot ? 1 : 0);
}

}  // namespace

CScrollBarUI::CScrollBarUI() = default;

CScrollBarUI::~CScrollBarUI() {
    if (m_pManager != nullptr)
        m_pManager->KillTimer(this, kRepeatTimerId);
}

void* CScrollBarUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "ScrollBar"))
        return this;
    if (EqualsNoCase(name, "IScrollBar"))
        return static_cast<IScrollBarUI*>(this);
    return CControlUI::GetInterface(name);
}

void CScrollBarUI::SetHorizontal(bool horizontal) {
    if (m_bHorizontal == horizontal)
        return;
    m_bHorizontal = horizontal;
    NeedParentUpdate();
}

void CScrollBarUI::SetScrollRange(int range) {
    m_model.SetRange(range);
    LayoutParts();
    Invalidate();
}

void CScrollBarUI::SetScrollPos(int pos) {
    if (!m_model.SetPos(pos))
        return;
    LayoutParts();
    Invalidate();
}

void CScrollBarUI::SetLineSize(int size) {
    m_model.SetLine(size);
}

void CScrollBarUI::SetPageSize(int size) {
    m_bPageSizeSet = true;
    m_model.SetPage(size);
    LayoutParts();
}

void CScrollBarUI::SetShowButton1(bool show) {
    m_bShowButton1 = show;
    LayoutParts();
    Invalidate();
}

void CScrollBarUI::SetShowButton2(bool show) {
    m_bShowButton2 = show;
    LayoutParts();
    Invalidate();
}

int CScrollBarUI::GetFixedWidth() const {
    const int fixed = CControlUI::GetFixedWidth();
    return (!m_bHorizontal && fixed == 0) ? Scale(m_nThickness) : fixed;
}

int CScrollBarUI::GetFixedHeight() const {
    const int fixed = CControlUI::GetFixedHeight();
    return (m_bHorizontal && fixed == 0) ? Scale(m_nThickness) : fixed;
}

SIZE CScrollBarUI::EstimateSize(SIZE szAvailable) {
    SIZE sz = CControlUI::EstimateSize(szAvailable);
    if (m_bHorizontal) {
        sz.cy = GetFixedHeight();
    } else {
        sz.cx = GetFixedWidth();
    }
    return sz;
}

void CScrollBarUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    LayoutParts();
}

int CScrollBarUI::TrackLength() const {
    return m_bHorizontal ? m_rcTrack.Width() : m_rcTrack.Height();
}

int CScrollBarUI::MinThumb() const {
    return Scale(16);
}

void CScrollBarUI::LayoutParts() {
    const Rect& rc = m_rcItem;
    const int thickness = m_bHorizontal ? rc.Height() : rc.Width();
    const int length = m_bHorizontal ? rc.Width() : rc.Height();
    // Buttons are square but give way when the bar is too short for them and a track.
    const int button = std::min(thickness, length / 3);
    m_rcButton1 = m_rcButton2 = Rect{};
    m_rcTrack = rc;
    if (m_bHorizontal) {
        if (m_bShowButton1) {
            m_rcButton1 = Rect{rc.left, rc.top, rc.left + button, rc.bottom};
            m_rcTrack.left = m_rcButton1.right;
        }
        if (m_bShowButton2) {
            m_rcButton2 = Rect{rc.right - button, rc.top, rc.right, rc.bottom};
            m_rcTrack.right = m_rcButton2.left;
        }
    } else {
        if (m_bShowButton1) {
            m_rcButton1 = Rect{rc.left, rc.top, rc.right, rc.top + button};
            m_rcTrack.top = m_rcButton1.bottom;
        }
        if (m_bShowButton2) {
            m_rcButton2 = Rect{rc.left, rc.bottom - button, rc.right, rc.bottom};
            m_rcTrack.bottom = m_rcButton2.top;
        }
    }
    if (!m_bPageSizeSet)
        m_model.SetPage(length);
    const ThumbGeometry thumb = m_model.Thumb(TrackLength(), MinThumb());
    if (thumb.length == 0) {
        m_rcThumb = Rect{};
    } else if (m_bHorizontal) {
        m_rcThumb = Rect{m_rcTrack.left + thumb.start, m_rcTrack.top,
                         m_rcTrack.left + thumb.start + thumb.length, m_rcTrack.bottom};
    } else {
        m_rcThumb = Rect{m_rcTrack.left, m_rcTrack.top + thumb.start, m_rcTrack.right,
                         m_rcTrack.top + thumb.start + thumb.length};
    }
}

ScrollPart CScrollBarUI::HitTest(POINT pt) const {
    if (m_rcButton1.Contains(pt))
        return ScrollPart::LineUp;
    if (m_rcButton2.Contains(pt))
        return ScrollPart::LineDown;
    if (!m_rcTrack.Contains(pt))
        return ScrollPart::None;
    const int offset = m_bHorizontal ? pt.x - m_rcTrack.left : pt.y - m_rcTrack.top;
    return m_model.HitTrack(offset, TrackLength(), MinThumb());
}

void CScrollBarUI::UserScrollTo(int pos) {
    pos = std::clamp(pos, 0, m_model.Range());
    if (pos == m_model.Pos())
        return;
    if (m_pOwner != nullptr) {
        SIZE scroll = m_pOwner->GetScrollPos();
        (m_bHorizontal ? scroll.cx : scroll.cy) = pos;
        m_pOwner->SetScrollPos(scroll);
        // The owner sets the bar back; an owner that refused leaves the bar where it was.
        return;
    }
    SetScrollPos(pos);
    if (m_pManager != nullptr)
        m_pManager->SendNotify(this, "scroll", static_cast<WPARAM>(pos));
}

void CScrollBarUI::RunPart(ScrollPart part) {
    switch (part) {
        case ScrollPart::LineUp:
            UserScrollTo(m_model.Pos() - m_model.Line());
            break;
        case ScrollPart::LineDown:
            UserScrollTo(m_model.Pos() + m_model.Line());
            break;
        case ScrollPart::PageUp:
            UserScrollTo(m_model.Pos() - std::max(1, m_model.Page()));
            break;
        case ScrollPart::PageDown:
            UserScrollTo(m_model.Pos() + std::max(1, m_model.Page()));
            break;
        default:
            break;
    }
}

void CScrollBarUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
        if (m_pOwner != nullptr) {
            m_pOwner->DoEvent(event);
        } else {
            CControlUI::DoEvent(event);
        }
        return;
    }
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK: {
            if (!IsEffectivelyEnabled())
                return;
            m_pressed = HitTest(event.ptMouse);
            if (m_pressed == ScrollPart::Thumb) {
                m_ptDragStart = event.ptMouse;
                m_nDragStartPos = m_model.Pos();
            } else if (m_pressed != ScrollPart::None) {
                RunPart(m_pressed);
                if (m_pManager != nullptr)
                    m_pManager->SetTimer(this, kRepeatTimerId, kRepeatDelayMs);
            }
            Invalidate();
            return;
        }
        case UIEVENT_MOUSEMOVE: {
            if (m_pressed == ScrollPart::Thumb) {
                const int delta = m_bHorizontal ? event.ptMouse.x - m_ptDragStart.x
                                                : event.ptMouse.y - m_ptDragStart.y;
                UserScrollTo(
                    m_model.PosForThumbDrag(m_nDragStartPos, delta, TrackLength(), MinThumb()));
            } else {
                const ScrollPart hot = HitTest(event.ptMouse);
                if (hot != m_hot) {
                    m_hot = hot;
                    Invalidate();
                }
            }
            return;
        }
        case UIEVENT_BUTTONUP:
            if (m_pManager != nullptr)
                m_pManager->KillTimer(this, kRepeatTimerId);
            m_pressed = ScrollPart::None;
            Invalidate();
            return;
        case UIEVENT_TIMER:
            if (event.wParam != kRepeatTimerId)
                break;
            if (m_pressed == ScrollPart::None || m_pressed == ScrollPart::Thumb) {
                m_pManager->KillTimer(this, kRepeatTimerId);
                return;
            }
            // A page repeat stops once the thumb has reached the pointer.
            if (m_pManager != nullptr && HitTest(m_pManager->GetMousePos()) == m_pressed) {
                RunPart(m_pressed);
            }
            m_pManager->SetTimer(this, kRepeatTimerId, kRepeatIntervalMs);
            return;
        case UIEVENT_MOUSELEAVE:
            if (m_hot != ScrollPart::None) {
                m_hot = ScrollPart::None;
                Invalidate();
            }
            return;
        case UIEVENT_SCROLLWHEEL: {
            const int delta = GET_WHEEL_DELTA_WPARAM(event.wParam);
            const int notches = delta / 120 != 0 ? delta / 120 : (delta > 0 ? 1 : -1);
            if (delta != 0)
                UserScrollTo(m_model.Pos() - notches * m_model.Line() * 3);
            return;
        }
        case UIEVENT_KILLFOCUS:
        case UIEVENT_SETFOCUS:
            return;
        default:
            break;
    }
    CControlUI::DoEvent(event);
}

void CScrollBarUI::SetAttribute(std::string_view name, std::string_view value) {
    const std::string v(value);
    int n = 0;
    Color c = 0;
    static constexpr std::string_view kStates[] = {"normalimage", "hotimage", "pushedimage"};
    for (int i = 0; i < 3; ++i) {
        const std::string suffix(kStates[i]);
        if (EqualsNoCase(name, "thumb" + suffix)) {
            m_sThumbImage[i] = v;
            Invalidate();
            return;
        }
        if (EqualsNoCase(name, "button1" + suffix)) {
            m_sButton1Image[i] = v;
            Invalidate();
            return;
        }
        if (EqualsNoCase(name, "button2" + suffix)) {
            m_sButton2Image[i] = v;
            Invalidate();
            return;
        }
    }
    if (EqualsNoCase(name, "hor")) {
        SetHorizontal(ParseBool(v));
    } else if (EqualsNoCase(name, "range")) {
        if (ParseInt(v, n))
            SetScrollRange(n);
    } else if (EqualsNoCase(name, "value")) {
        if (ParseInt(v, n))
            SetScrollPos(n);
    } else if (EqualsNoCase(name, "linesize")) {
        if (ParseInt(v, n))
            SetLineSize(n);
    } else if (EqualsNoCase(name, "thickness")) {
        if (ParseInt(v, n) && n > 0) {
            m_nThickness = n;
            NeedParentUpdate();
        }
    } else if (EqualsNoCase(name, "showbutton1")) {
        SetShowButton1(ParseBool(v));
    } else if (EqualsNoCase(name, "showbutton2")) {
        SetShowButton2(ParseBool(v));
    } else if (EqualsNoCase(name, "railimage") || EqualsNoCase(name, "bknormalimage")) {
        m_sTrackImage = v;
    } else if (EqualsNoCase(name, "trackcolor")) {
        if (ParseColor(v, c))
            m_dwTrackColor = c;
    } else if (EqualsNoCase(name, "thumbcolor")) {
        if (ParseColor(v, c))
            m_dwThumbColor = c;
    } else if (EqualsNoCase(name, "thumbhotcolor")) {
        if (ParseColor(v, c))
            m_dwThumbHotColor = c;
    } else if (EqualsNoCase(name, "thumbpushedcolor")) {
        if (ParseColor(v, c))
            m_dwThumbPushedColor = c;
    } else if (EqualsNoCase(name, "buttoncolor")) {
        if (ParseColor(v, c))
            m_dwButtonColor = c;
    } else if (EqualsNoCase(name, "arrowcolor")) {
        if (ParseColor(v, c))
            m_dwArrowColor = c;
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CScrollBarUI::PaintBkColor(RenderTarget& target) {
    CControlUI::PaintBkColor(target);
    if (!DrawPartImage(*this, target, m_sTrackImage, m_rcTrack) && ColorAlpha(m_dwTrackColor)) {
        const int r = std::min(m_rcTrack.Width(), m_rcTrack.Height()) / 2;
        CRenderEngine::FillRoundRect(target, m_rcTrack, r, m_dwTrackColor);
    }
}

void CScrollBarUI::PaintButton(RenderTarget& target, const Rect& rc, bool second, bool hot,
                               bool pushed) {
    if (rc.IsEmpty())
        return;
    const std::string& image =
        (second ? m_sButton2Image : m_sButton1Image)[ImageIndex(hot, pushed)];
    const std::string& normal = (second ? m_sButton2Image : m_sButton1Image)[0];
    if (DrawPartImage(*this, target, image, rc) || DrawPartImage(*this, target, normal, rc))
        return;
    CRenderEngine::DrawColor(target, rc, m_dwButtonColor);
    if (hot || pushed)
        CRenderEngine::DrawColor(target, rc, pushed ? 0x33000000u : 0x18000000u);
    // A small triangle pointing away from the track.
    const int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
    const int s = std::max(2, std::min(rc.Width(), rc.Height()) / 4);
    for (int i = 0; i < s; ++i) {
        const int half = second ? s - 1 - i : i;
        Rect line;
        if (m_bHorizontal) {
            const int x = cx - s / 2 + i;
            line = Rect{x, cy - half, x + 1, cy + half + 1};
        } else {
            const int y = cy - s / 2 + i;
            line = Rect{cx - half, y, cx + half + 1, y + 1};
        }
        target.FillRect(line,
                        IsEffectivelyEnabled() ? m_dwArrowColor : WithOpacity(m_dwArrowColor, 100));
    }
}

void CScrollBarUI::PaintStatusImage(RenderTarget& target) {
    PaintButton(target, m_rcButton1, false, m_hot == ScrollPart::LineUp,
                m_pressed == ScrollPart::LineUp);
    PaintButton(target, m_rcButton2, true, m_hot == ScrollPart::LineDown,
                m_pressed == ScrollPart::LineDown);
    if (m_rcThumb.IsEmpty() || !IsEffectivelyEnabled())
        return;
    const bool pushed = m_pressed == ScrollPart::Thumb;
    const bool hot = m_hot == ScrollPart::Thumb;
    if (DrawPartImage(*this, target, m_sThumbImage[ImageIndex(hot, pushed)], m_rcThumb) ||
        DrawPartImage(*this, target, m_sThumbImage[0], m_rcThumb)) {
        return;
    }
    const Color color = pushed ? m_dwThumbPushedColor : (hot ? m_dwThumbHotColor : m_dwThumbColor);
    const int inset = std::max(1, Scale(2));
    Rect thumb = m_rcThumb;
    if (m_bHorizontal) {
        thumb.top += inset;
        thumb.bottom -= inset;
    } else {
        thumb.left += inset;
        thumb.right -= inset;
    }
    CRenderEngine::FillRoundRect(target, thumb, std::min(thumb.Width(), thumb.Height()) / 2, color);
}

}  // namespace ui
