#include "ui/controls/ProgressUI.h"

#include <algorithm>
#include <cstdio>
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {
const BuiltInControlRegistration kProgressTag("Progress", MakeControl<CProgressUI>());
}  // namespace

CProgressUI::CProgressUI() {
    m_uTextStyle = kTextSingleLine | kTextCenter | kTextVCenter;
}

void* CProgressUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "Progress"))
        return static_cast<CProgressUI*>(this);
    return CLabelUI::GetInterface(name);
}

void CProgressUI::SetHorizontal(bool horizontal) {
    m_bHorizontal = horizontal;
    Invalidate();
}

void CProgressUI::SetMinValue(int value) {
    m_nMin = value;
    if (m_nMax < m_nMin)
        m_nMax = m_nMin;
    m_nValue = std::clamp(m_nValue, m_nMin, m_nMax);
    Invalidate();
}

void CProgressUI::SetMaxValue(int value) {
    m_nMax = std::max(value, m_nMin);
    m_nValue = std::clamp(m_nValue, m_nMin, m_nMax);
    Invalidate();
}

void CProgressUI::SetValue(int value) {
    value = std::clamp(value, m_nMin, m_nMax);
    if (value == m_nValue)
        return;
    m_nValue = value;
    Invalidate();
}

void CProgressUI::SetForeImage(const std::string& image) {
    m_sForeImage = image;
    Invalidate();
}

void CProgressUI::SetForeColor(Color color) {
    m_dwForeColor = color;
    Invalidate();
}

void CProgressUI::SetStretchForeImage(bool stretch) {
    m_bStretchForeImage = stretch;
    Invalidate();
}

RECT CProgressUI::FilledRect() const {
    RECT rc = m_rcItem;
    if (m_nMax <= m_nMin)
        return RECT{rc.left, rc.top, rc.left, rc.top};
    double part = static_cast<double>(m_nValue - m_nMin) / (m_nMax - m_nMin);
    if (m_bHorizontal) {
        rc.right = rc.left + static_cast<int>(rc.Width() * part);
    } else {
        rc.top = rc.bottom - static_cast<int>(rc.Height() * part);
    }
    return rc;
}

void CProgressUI::PaintForeColor(RenderTarget& target) {
    if (m_dwForeColor == 0)
        return;
    RECT rc = FilledRect();
    if (rc.IsEmpty())
        return;
    Size round = GetBorderRound();
    if (round.cx > 0) {
        target.FillRoundRect(rc, round.cx, GetAdjustColor(m_dwForeColor));
    } else {
        target.FillRect(rc, GetAdjustColor(m_dwForeColor));
    }
}

void CProgressUI::PaintForeImage(RenderTarget& target) {
    if (m_sForeImage.empty())
        return;
    RECT rc = FilledRect();
    if (rc.IsEmpty())
        return;
    RECT rel = rc.Offset(-m_rcItem.left, -m_rcItem.top);
    char modify[160];
    if (m_bStretchForeImage) {
        std::snprintf(modify, sizeof modify, "dest='%d,%d,%d,%d'", rel.left, rel.top, rel.right,
                      rel.bottom);
    } else {
        // The image keeps its scale: the filled part shows that part of the image.
        std::snprintf(modify, sizeof modify, "dest='%d,%d,%d,%d' source='%d,%d,%d,%d'", rel.left,
                      rel.top, rel.right, rel.bottom, rel.left, rel.top, rel.right, rel.bottom);
    }
    DrawImage(target, m_sForeImage, modify);
}

void CProgressUI::SetAttribute(std::string_view name, std::string_view value) {
    std::string v(value);
    int n = 0;
    Color c = 0;
    if (EqualsNoCase(name, "hor"))
        SetHorizontal(ParseBool(v));
    else if (EqualsNoCase(name, "min")) {
        if (ParseInt(v, n))
            SetMinValue(n);
    } else if (EqualsNoCase(name, "max")) {
        if (ParseInt(v, n))
            SetMaxValue(n);
    } else if (EqualsNoCase(name, "value")) {
        if (ParseInt(v, n))
            SetValue(n);
    } else if (EqualsNoCase(name, "foreimage"))
        SetForeImage(v);
    else if (EqualsNoCase(name, "forecolor")) {
        if (ParseColor(v, c))
            SetForeColor(c);
    } else if (EqualsNoCase(name, "isstretchfore"))
        SetStretchForeImage(ParseBool(v));
    else
        CLabelUI::SetAttribute(name, value);
}

}  // namespace ui
