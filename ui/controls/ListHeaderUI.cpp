#include "ui/controls/ListHeaderUI.h"

#include <algorithm>
#include "ui/controls/ControlsCommon.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {
const BuiltInControlRegistration kHeaderTag("ListHeader", MakeControl<CListHeaderUI>());
const BuiltInControlRegistration kHeaderItemTag("ListHeaderItem", MakeControl<CListHeaderItemUI>());
}  // namespace

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
    return IsEffectivelyEnabled() && m_nSepWidth != 0 ? UINT{UIFLAG_SETCURSOR} : 0u;
}

RECT CListHeaderItemUI::SeparatorRect() const {
    const int w = Scale(std::abs(m_nSepWidth));
    return Rect{m_rcItem.right - w, m_rcItem.top, m_rcItem.right, m_rcItem.bottom};
}

void CListHeaderItemUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (!IsEffectivelyEnabled())
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
            m_bHot = IsEffectivelyEnabled();
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

}  // namespace ui
