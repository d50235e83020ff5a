#include "ui/controls/ButtonUI.h"

#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {
const BuiltInControlRegistration kButtonTag("Button", MakeControl<CButtonUI>());
}  // namespace

CButtonUI::CButtonUI() {
    m_uTextStyle = kTextSingleLine | kTextVCenter | kTextCenter;
}

void* CButtonUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "Button"))
        return static_cast<CButtonUI*>(this);
    return CLabelUI::GetInterface(name);
}

UINT CButtonUI::GetControlFlags() const {
    UINT flags = 0;
    if (IsKeyboardEnabled())
        flags |= UIFLAG_TABSTOP;
    if (IsEffectivelyEnabled())
        flags |= UIFLAG_SETCURSOR;
    return flags;
}

bool CButtonUI::Activate() {
    if (!CControlUI::Activate())
        return false;
    if (m_pManager != nullptr)
        m_pManager->SendNotify(this, "click");
    return true;
}

void CButtonUI::SetEnabled(bool enabled) {
    CControlUI::SetEnabled(enabled);
    if (!IsEnabled())
        m_uButtonState = 0;
}

void CButtonUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
        if (m_pParent != nullptr)
            m_pParent->DoEvent(event);
        return;
    }
    switch (event.Type) {
        case UIEVENT_SETFOCUS:
        case UIEVENT_KILLFOCUS:
            m_bFocused = event.Type == UIEVENT_SETFOCUS;
            Invalidate();
            return;
        case UIEVENT_KEYDOWN:
            if (IsKeyboardEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) {
                Activate();
                return;
            }
            break;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (m_rcItem.Contains(event.ptMouse) && IsEffectivelyEnabled()) {
                m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
                Invalidate();
            }
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_uButtonState & UISTATE_CAPTURED) {
                if (m_rcItem.Contains(event.ptMouse)) {
                    m_uButtonState |= UISTATE_PUSHED;
                } else {
                    m_uButtonState &= ~static_cast<UINT>(UISTATE_PUSHED);
                }
                Invalidate();
            }
            return;
        case UIEVENT_BUTTONUP:
            if (m_uButtonState & UISTATE_CAPTURED) {
                m_uButtonState &= ~static_cast<UINT>(UISTATE_PUSHED | UISTATE_CAPTURED);
                Invalidate();
                if (m_rcItem.Contains(event.ptMouse))
                    Activate();
            }
            return;
        case UIEVENT_CONTEXTMENU:
            if (IsContextMenuUsed() && m_pManager != nullptr) {
                m_pManager->SendNotify(this, "menu", event.wParam, event.lParam);
            }
            return;
        case UIEVENT_MOUSEENTER:
            if (IsEffectivelyEnabled()) {
                m_uButtonState |= UISTATE_HOT;
                Invalidate();
            }
            return;
        case UIEVENT_MOUSELEAVE:
            if (m_uButtonState & UISTATE_HOT) {
                m_uButtonState &= ~static_cast<UINT>(UISTATE_HOT);
                Invalidate();
            }
            return;
        default:
            break;
    }
    CLabelUI::DoEvent(event);
}

void CButtonUI::SetNormalImage(const std::string& image) {
    m_sNormalImage = image;
    Invalidate();
}
void CButtonUI::SetHotImage(const std::string& image) {
    m_sHotImage = image;
    Invalidate();
}
void CButtonUI::SetPushedImage(const std::string& image) {
    m_sPushedImage = image;
    Invalidate();
}
void CButtonUI::SetFocusedImage(const std::string& image) {
    m_sFocusedImage = image;
    Invalidate();
}
void CButtonUI::SetDisabledImage(const std::string& image) {
    m_sDisabledImage = image;
    Invalidate();
}
void CButtonUI::SetForeImage(const std::string& image) {
    m_sForeImage = image;
    Invalidate();
}
void CButtonUI::SetHotForeImage(const std::string& image) {
    m_sHotForeImage = image;
    Invalidate();
}

Color CButtonUI::CurrentTextColor() const {
    if (!IsEffectivelyEnabled())
        return CLabelUI::CurrentTextColor();
    if ((m_uButtonState & UISTATE_PUSHED) && m_dwPushedTextColor != 0)
        return m_dwPushedTextColor;
    if ((m_uButtonState & UISTATE_HOT) && m_dwHotTextColor != 0)
        return m_dwHotTextColor;
    if (IsFocused() && m_dwFocusedTextColor != 0)
        return m_dwFocusedTextColor;
    return CLabelUI::CurrentTextColor();
}

void CButtonUI::PaintBkColor(RenderTarget& target) {
    Color color = 0;
    if (!IsEffectivelyEnabled())
        color = m_dwDisabledBkColor;
    else if (m_uButtonState & UISTATE_PUSHED)
        color = m_dwPushedBkColor;
    else if (m_uButtonState & UISTATE_HOT)
        color = m_dwHotBkColor;
    if (color == 0) {
        CLabelUI::PaintBkColor(target);
        return;
    }
    Size round = GetBorderRound();
    if (round.cx > 0) {
        target.FillRoundRect(m_rcItem, round.cx, GetAdjustColor(color));
    } else {
        target.FillRect(m_rcItem, GetAdjustColor(color));
    }
}

void CButtonUI::PaintStatusImage(RenderTarget& target) {
    // The most specific image of the state that exists wins; the normal one is the fallback.
    const std::string* image = &m_sNormalImage;
    if (!IsEffectivelyEnabled()) {
        if (!m_sDisabledImage.empty())
            image = &m_sDisabledImage;
    } else if (m_uButtonState & UISTATE_PUSHED) {
        if (!m_sPushedImage.empty())
            image = &m_sPushedImage;
        else if (!m_sHotImage.empty())
            image = &m_sHotImage;
    } else if (m_uButtonState & UISTATE_HOT) {
        if (!m_sHotImage.empty())
            image = &m_sHotImage;
    } else if (IsFocused()) {
        if (!m_sFocusedImage.empty())
            image = &m_sFocusedImage;
    }
    if (!image->empty())
        DrawImage(target, *image);
    const std::string& fore = ((m_uButtonState & UISTATE_HOT) && !m_sHotForeImage.empty())
                                  ? m_sHotForeImage
                                  : m_sForeImage;
    if (!fore.empty())
        DrawImage(target, fore);
}

void CButtonUI::SetAttribute(std::string_view name, std::string_view value) {
    std::string v(value);
    Color c = 0;
    if (EqualsNoCase(name, "normalimage"))
        SetNormalImage(v);
    else if (EqualsNoCase(name, "hotimage"))
        SetHotImage(v);
    else if (EqualsNoCase(name, "pushedimage"))
        SetPushedImage(v);
    else if (EqualsNoCase(name, "focusedimage"))
        SetFocusedImage(v);
    else if (EqualsNoCase(name, "disabledimage"))
        SetDisabledImage(v);
    else if (EqualsNoCase(name, "foreimage"))
        SetForeImage(v);
    else if (EqualsNoCase(name, "hotforeimage"))
        SetHotForeImage(v);
    else if (EqualsNoCase(name, "hottextcolor")) {
        if (ParseColor(v, c))
            SetHotTextColor(c);
    } else if (EqualsNoCase(name, "pushedtextcolor")) {
        if (ParseColor(v, c))
            SetPushedTextColor(c);
    } else if (EqualsNoCase(name, "focusedtextcolor")) {
        if (ParseColor(v, c))
            SetFocusedTextColor(c);
    } else if (EqualsNoCase(name, "hotbkcolor")) {
        if (ParseColor(v, c))
            SetHotBkColor(c);
    } else if (EqualsNoCase(name, "pushedbkcolor")) {
        if (ParseColor(v, c))
            SetPushedBkColor(c);
    } else if (EqualsNoCase(name, "disabledbkcolor")) {
        if (ParseColor(v, c))
            SetDisabledBkColor(c);
    } else
        CLabelUI::SetAttribute(name, value);
}

}  // namespace ui
