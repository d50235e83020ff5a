#include "ui/controls/ColorPaletteUI.h"

#include <algorithm>

#include "ui/controls/ControlsCommon.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {
const BuiltInControlRegistration kColorPaletteTag("ColorPalette", [] {
    return static_cast<CControlUI*>(new CColorPaletteUI);
});
}  // namespace

CColorPaletteUI::CColorPaletteUI() = default;

CColorPaletteUI::~CColorPaletteUI() = default;

void* CColorPaletteUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "ColorPalette"))
        return this;
    return CControlUI::GetInterface(name);
}

RECT CColorPaletteUI::GetPaneRect() const {
    Rect rc = m_rcItem;
    rc.right = std::max(rc.left, rc.right - Scale(m_nBarWidth) - Scale(m_nBarGap));
    return rc;
}

RECT CColorPaletteUI::GetBarRect() const {
    Rect rc = m_rcItem;
    rc.left = std::max(rc.left, rc.right - Scale(m_nBarWidth));
    return rc;
}

void CColorPaletteUI::UpdateSelected() {
    m_selected = HsvToRgb(m_hsv);
    Invalidate();
}

void CColorPaletteUI::SetSelectColor(Color color, bool notify) {
    const Color opaque = color | 0xFF000000u;
    const Hsv hsv = RgbToHsv(opaque);
    if (hsv.v > 0) {
        if (hsv.s > 0)
            m_hsv.h = hsv.h;
        m_hsv.s = hsv.s;
    }
    m_hsv.v = hsv.v;
    const Color before = m_selected;
    // The stored colour is the one given, not a round trip through HSV.
    m_selected = opaque;
    Invalidate();
    if (notify && before != m_selected && m_pManager != nullptr) {
        m_pManager->SendNotify(this, "colorchanged");
    }
}

void CColorPaletteUI::PickAt(POINT pt) {
    if (m_drag == Drag::Pane) {
        const RECT pane = GetPaneRect();
        PanePointToHueSat(Point{pt.x - pane.left, pt.y - pane.top},
                          Size{pane.Width(), pane.Height()}, m_hsv.h, m_hsv.s);
    } else if (m_drag == Drag::Bar) {
        const RECT bar = GetBarRect();
        m_hsv.v = BarOffsetToValue(pt.y - bar.top, bar.Height());
    }
    UpdateSelected();
}

void CColorPaletteUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
        CControlUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (!IsEffectivelyEnabled())
                return;
            m_colorAtPress = m_selected;
            if (GetPaneRect().Contains(event.ptMouse)) {
                m_drag = Drag::Pane;
            } else if (GetBarRect().Contains(event.ptMouse)) {
                m_drag = Drag::Bar;
            } else {
                return;
            }
            PickAt(event.ptMouse);
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_drag != Drag::None)
                PickAt(event.ptMouse);
            return;
        case UIEVENT_BUTTONUP:
        case UIEVENT_KILLFOCUS:
            if (m_drag != Drag::None) {
                m_drag = Drag::None;
                if (m_selected != m_colorAtPress && m_pManager != nullptr) {
                    m_pManager->SendNotify(this, "colorchanged");
                }
            }
            if (event.Type == UIEVENT_BUTTONUP)
                return;
            break;
        default:
            break;
    }
    CControlUI::DoEvent(event);
}

void CColorPaletteUI::SetAttribute(std::string_view name, std::string_view value) {
    const std::string v(value);
    int n = 0;
    Color c = 0;
    if (EqualsNoCase(name, "barwidth")) {
        if (ParseInt(v, n) && n >= 0)
            m_nBarWidth = n;
    } else if (EqualsNoCase(name, "bargap")) {
        if (ParseInt(v, n) && n >= 0)
            m_nBarGap = n;
    } else if (EqualsNoCase(name, "color") || EqualsNoCase(name, "selectcolor")) {
        if (ParseColor(v, c))
            SetSelectColor(c, false);
    } else if (EqualsNoCase(name, "disabledmaskcolor")) {
        if (ParseColor(v, c))
            m_dwDisabledMask = c;
    } else if (EqualsNoCase(name, "thumbimage")) {
        m_sPaneThumbImage = v;
    } else if (EqualsNoCase(name, "barthumbimage")) {
        m_sBarThumbImage = v;
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CColorPaletteUI::PaintBkImage(RenderTarget& target) {
    CControlUI::PaintBkImage(target);
    const RECT pane = GetPaneRect();
    if (!pane.IsEmpty()) {
        // Six hue segments left to right, then white fading in towards the bottom.
        static constexpr Color kHues[] = {0xFFFF0000, 0xFFFFFF00, 0xFF00FF00, 0xFF00FFFF,
                                          0xFF0000FF, 0xFFFF00FF, 0xFFFF0000};
        for (int i = 0; i < 6; ++i) {
            const int x0 = pane.left + pane.Width() * i / 6;
            const int x1 = pane.left + pane.Width() * (i + 1) / 6;
            CRenderEngine::DrawGradient(target, Rect{x0, pane.top, x1, pane.bottom}, kHues[i],
                                        kHues[i + 1], false, 32);
        }
        CRenderEngine::DrawGradient(target, pane, 0x00FFFFFF, 0xFFFFFFFF, true, 64);
    }
    const RECT bar = GetBarRect();
    if (!bar.IsEmpty()) {
        CRenderEngine::DrawGradient(target, bar, HsvToRgb(Hsv{m_hsv.h, m_hsv.s, 1.0}), 0xFF000000,
                                    true, 64);
    }
}

void CColorPaletteUI::PaintStatusImage(RenderTarget& target) {
    const RECT pane = GetPaneRect();
    if (!pane.IsEmpty()) {
        const Point p = HueSatToPanePoint(m_hsv.h, m_hsv.s, Size{pane.Width(), pane.Height()});
        const int r = Scale(6);
        const Rect mark{pane.left + p.x - r, pane.top + p.y - r, pane.left + p.x + r,
                        pane.top + p.y + r};
        if (!DrawPartImage(*this, target, m_sPaneThumbImage, mark)) {
            target.DrawEllipseOutline(mark, Scale(2), 0xFFFFFFFF);
            target.DrawEllipseOutline(mark.Deflate(Rect{-1, -1, -1, -1}), 1, 0xFF000000);
        }
    }
    const RECT bar = GetBarRect();
    if (!bar.IsEmpty()) {
        const int y = bar.top + ValueToBarOffset(m_hsv.v, bar.Height());
        const int h = Scale(3);
        const Rect mark{bar.left - Scale(2), y - h, bar.right + Scale(2), y + h};
        if (!DrawPartImage(*this, target, m_sBarThumbImage, mark)) {
            target.FillRect(mark, 0xFFFFFFFF);
            target.DrawRectOutline(mark, 1, 0xFF000000);
        }
    }
    if (!IsEffectivelyEnabled() && m_dwDisabledMask != 0) {
        for (const RECT& surface : {pane, bar}) {
            if (!surface.IsEmpty())
                target.FillRect(surface, m_dwDisabledMask);
        }
    }
}

}  // namespace ui
