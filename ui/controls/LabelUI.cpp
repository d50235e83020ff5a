#include "ui/controls/LabelUI.h"

#include "ui/core/PaintManager.h"
#include "ui/render/RenderEngine.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {
const BuiltInControlRegistration kLabelTag("Label", MakeControl<CLabelUI>());
const BuiltInControlRegistration kTextTag("Text", MakeControl<CTextUI>());
}  // namespace

UINT ApplyAlignAttribute(UINT style, std::string_view name, std::string_view value) {
    if (EqualsNoCase(name, "align")) {
        style &= ~static_cast<UINT>(kTextCenter | kTextRight);
        if (EqualsNoCase(value, "center"))
            style |= kTextCenter;
        else if (EqualsNoCase(value, "right"))
            style |= kTextRight;
    } else if (EqualsNoCase(name, "valign")) {
        style &= ~static_cast<UINT>(kTextVCenter | kTextBottom);
        if (EqualsNoCase(value, "vcenter") || EqualsNoCase(value, "center"))
            style |= kTextVCenter;
        else if (EqualsNoCase(value, "bottom"))
            style |= kTextBottom;
    }
    return style;
}

CLabelUI::CLabelUI() : m_uTextStyle(kTextVCenter | kTextSingleLine) {}

void* CLabelUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "Label"))
        return static_cast<CLabelUI*>(this);
    return CControlUI::GetInterface(name);
}

void CLabelUI::SetTextStyle(UINT style) {
    m_uTextStyle = style;
    Invalidate();
}

void CLabelUI::SetTextColor(Color color) {
    m_dwTextColor = color;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(Color color) {
    m_dwDisabledTextColor = color;
    Invalidate();
}

void CLabelUI::SetFont(int id) {
    m_iFont = id;
    Invalidate();
}

RECT CLabelUI::GetTextPadding() const {
    return RECT{Scale(m_rcTextPadding.left), Scale(m_rcTextPadding.top),
                Scale(m_rcTextPadding.right), Scale(m_rcTextPadding.bottom)};
}

void CLabelUI::SetTextPadding(RECT padding) {
    m_rcTextPadding = padding;
    Invalidate();
}

void CLabelUI::SetShowHtml(bool show) {
    m_bShowHtml = show;
    Invalidate();
}

void CLabelUI::SetAutoCalcWidth(bool autoCalc) {
    m_bAutoCalcWidth = autoCalc;
    NeedParentUpdate();
}

void CLabelUI::SetAutoCalcHeight(bool autoCalc) {
    m_bAutoCalcHeight = autoCalc;
    NeedParentUpdate();
}

void CLabelUI::SetText(const std::string& text) {
    bool changed = text != m_sText;
    CControlUI::SetText(text);
    if (changed && (m_bAutoCalcWidth || m_bAutoCalcHeight))
        NeedParentUpdate();
}

Size CLabelUI::MeasureText(int maxWidth) const {
    if (m_pManager == nullptr || !HasBackend())
        return Size{};
    UINT format = m_uTextStyle & ~static_cast<UINT>(kTextEndEllipsis);
    return GetBackend().MeasureText(GetText(), m_pManager->GetFont(m_iFont), format, maxWidth);
}

SIZE CLabelUI::EstimateSize(SIZE szAvailable) {
    SIZE sz = CControlUI::EstimateSize(szAvailable);
    if (!m_bAutoCalcWidth && !m_bAutoCalcHeight)
        return sz;
    RECT pad = GetTextPadding();
    int limit = sz.cx > 0 ? sz.cx - pad.left - pad.right : 0;
    Size text = MeasureText(std::max(0, limit));
    if (m_bAutoCalcWidth)
        sz.cx = text.cx + pad.left + pad.right;
    if (m_bAutoCalcHeight)
        sz.cy = text.cy + pad.top + pad.bottom;
    return sz;
}

void CLabelUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SETFOCUS || event.Type == UIEVENT_KILLFOCUS) {
        m_bFocused = event.Type == UIEVENT_SETFOCUS;
        return;
    }
    CControlUI::DoEvent(event);
}

Color CLabelUI::CurrentTextColor() const {
    Color normal = m_dwTextColor != 0 ? m_dwTextColor
                   : m_pManager       ? m_pManager->GetDefaultFontColor()
                                      : 0xFF000000;
    if (IsEffectivelyEnabled())
        return normal;
    if (m_dwDisabledTextColor != 0)
        return m_dwDisabledTextColor;
    return m_pManager ? m_pManager->GetDefaultDisabledColor() : normal;
}

void CLabelUI::PaintText(RenderTarget& target) {
    std::string text = GetText();
    if (text.empty() || m_pManager == nullptr)
        return;
    RECT rc = m_rcItem.Deflate(GetTextPadding());
    Color color = GetAdjustColor(CurrentTextColor());
    if (m_bShowHtml) {
        CRenderEngine::DrawHtmlText(target, m_pManager, rc, text, color, m_iFont, m_uTextStyle);
    } else {
        CRenderEngine::DrawText(target, m_pManager, rc, text, color, m_iFont, m_uTextStyle);
    }
}

void CLabelUI::SetAttribute(std::string_view name, std::string_view value) {
    std::string v(value);
    Color c = 0;
    Rect r;
    int n = 0;
    if (EqualsNoCase(name, "align") || EqualsNoCase(name, "valign")) {
        SetTextStyle(ApplyAlignAttribute(m_uTextStyle, name, value));
    } else if (EqualsNoCase(name, "endellipsis")) {
        SetTextStyle(ParseBool(v) ? (m_uTextStyle | kTextEndEllipsis)
                                  : (m_uTextStyle & ~static_cast<UINT>(kTextEndEllipsis)));
    } else if (EqualsNoCase(name, "wordbreak") || EqualsNoCase(name, "multiline")) {
        if (ParseBool(v)) {
            SetTextStyle((m_uTextStyle & ~static_cast<UINT>(kTextSingleLine)) | kTextWordBreak);
        } else {
            SetTextStyle((m_uTextStyle & ~static_cast<UINT>(kTextWordBreak)) | kTextSingleLine);
        }
    } else if (EqualsNoCase(name, "font")) {
        if (ParseInt(v, n))
            SetFont(n);
    } else if (EqualsNoCase(name, "textcolor")) {
        if (ParseColor(v, c))
            SetTextColor(c);
    } else if (EqualsNoCase(name, "disabledtextcolor")) {
        if (ParseColor(v, c))
            SetDisabledTextColor(c);
    } else if (EqualsNoCase(name, "textpadding")) {
        if (ParseRect(v, r))
            SetTextPadding(r);
    } else if (EqualsNoCase(name, "showhtml")) {
        SetShowHtml(ParseBool(v));
    } else if (EqualsNoCase(name, "autocalcwidth")) {
        SetAutoCalcWidth(ParseBool(v));
    } else if (EqualsNoCase(name, "autocalcheight")) {
        SetAutoCalcHeight(ParseBool(v));
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

CTextUI::CTextUI() {
    m_uTextStyle = kTextWordBreak;
}

void* CTextUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "Text"))
        return static_cast<CTextUI*>(this);
    return CLabelUI::GetInterface(name);
}

}  // namespace ui
