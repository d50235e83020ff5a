#include "controls/CircleProgressUI.h"

#include <algorithm>

#include "ui/core/StringUtil.h"
#include "ui/render/RenderEngine.h"

namespace controls {

void* CCircleProgressUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return static_cast<CCircleProgressUI*>(this);
    return CProgressUI::GetInterface(name);
}

int CCircleProgressUI::SweepDegrees() const {
    // An empty range would divide by zero: nothing is filled then. The value is measured from
    // the minimum, so a range that does not start at 0 still fills from empty to full.
    const long long range = static_cast<long long>(m_nMax) - m_nMin;
    if (range <= 0)
        return 0;
    const long long part = static_cast<long long>(m_nValue) - m_nMin;
    const int sweep =
        static_cast<int>(static_cast<double>(part) / static_cast<double>(range) * 360);
    return std::clamp(sweep, 0, 360);
}

void CCircleProgressUI::PaintBkColor(ui::RenderTarget& target) {
    ui::CRenderEngine::FillEllipse(target, m_rcItem, GetAdjustColor(m_dwBackColor));
}

void CCircleProgressUI::PaintForeColor(ui::RenderTarget& target) {
    // Clockwise from straight down on screen; the render target counts its angles the other
    // way round, so both start and sweep change sign.
    const int sweep = SweepDegrees();
    ui::CRenderEngine::FillPie(target, m_rcItem, -90.0, -static_cast<double>(sweep),
                               GetAdjustColor(m_dwForeColor));
    const ui::Rect centre{m_rcItem.left + kRingWidth, m_rcItem.top + kRingWidth,
                          m_rcItem.right - kRingWidth, m_rcItem.bottom - kRingWidth};
    ui::CRenderEngine::FillEllipse(target, centre, kCentreColour);
}

void CCircleProgressUI::PaintForeImage(ui::RenderTarget& /*target*/) {}

}  // namespace controls
