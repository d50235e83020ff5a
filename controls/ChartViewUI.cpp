#include "controls/ChartViewUI.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "ui/core/PaintManager.h"
#include "ui/core/StringUtil.h"
#include "ui/render/RenderEngine.h"

namespace controls {
namespace {

// Red in the low byte, then green, then blue.
constexpr std::array<uint32_t, 18> kChartPaletteWords = {
    0xF5963F, 0x015AFF, 0xC0F46A, 0x6AEAF5, 0x977BFC, 0x3FF5A2, 0xFC909D, 0xFC90D2, 0xCBB07F,
    0x71C4F4, 0x85C2A2, 0x1717BD, 0xB317BD, 0xBD1761, 0xBD2B17, 0x4C8812, 0x127988, 0x122688,
};

constexpr uint32_t kLegendFormat = ui::kTextSingleLine | ui::kTextVCenter;
constexpr uint32_t kBarLabelFormat = ui::kTextSingleLine | ui::kTextVCenter | ui::kTextCenter;

// Whether a picture is to be drawn into rc at all: a rectangle that is empty or outside the
// part being repainted is skipped, so that a failure to draw means the picture itself failed.
bool ChartPictureDue(const ui::Rect& rc, const ui::Rect& paint) {
    return !rc.IsEmpty() && !rc.Intersect(paint).IsEmpty();
}

}  // namespace

ui::Color ChartPalette(size_t index) {
    return ui::ColorFromRgbWord(kChartPaletteWords[index % kChartPaletteWords.size()]);
}

void* CChartViewUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return static_cast<CChartViewUI*>(this);
    return CControlUI::GetInterface(name);
}

void CChartViewUI::SetAttribute(std::string_view name, std::string_view value) {
    // The base sees every attribute first (it ignores the ones it does not know).
    CControlUI::SetAttribute(name, value);
    const std::string v(value);
    int n = 0;
    if (ui::EqualsNoCase(name, "view")) {
        if (ui::EqualsNoCase(v, "pie"))
            view_ = kViewPie;
        else if (ui::EqualsNoCase(v, "histpgram"))
            view_ = kViewHistogram;
    } else if (ui::EqualsNoCase(name, "shadowimage")) {
        shadowImage_ = v;
    } else if (ui::EqualsNoCase(name, "shadowimageheight")) {
        if (ui::ParseInt(v, n))
            shadowImageHeight_ = n;
    } else if (ui::EqualsNoCase(name, "pillarimage")) {
        pillarImage_ = v;
    } else if (ui::EqualsNoCase(name, "pillarimagewidth")) {
        if (ui::ParseInt(v, n))
            pillarImageWidth_ = n;
    } else if (ui::EqualsNoCase(name, "showhtml")) {
        showHtml_ = v == "true";
    } else if (ui::EqualsNoCase(name, "showtext")) {
        showText_ = v == "true";
    } else if (ui::EqualsNoCase(name, "font")) {
        if (ui::ParseInt(v, n))
            font_ = n;
    } else if (ui::EqualsNoCase(name, "textcolor")) {
        ui::Color c = 0;
        if (ui::ParseColor(v, c))
            textColour_ = c;
    } else {
        return;
    }
    Invalidate();
}

bool CChartViewUI::AddItem(const std::string& name, double value) {
    if (!std::isfinite(value))
        return false;
    items_.push_back(Item{name, value});
    Invalidate();
    return true;
}

void CChartViewUI::RemoveAllItems() {
    items_.clear();
    Invalidate();
}

bool CChartViewUI::DoPaint(ui::RenderTarget& target, const ui::RECT& rcPaint,
                           ui::CControlUI* pStopControl) {
    if (pStopControl == this)
        return false;
    if (rcPaint.Intersect(m_rcItem).IsEmpty())
        return true;
    CControlUI::DoPaint(target, rcPaint, pStopControl);
    if (view_ == kViewPie)
        DoPaintPie(target);
    else if (view_ == kViewHistogram)
        DoPaintHistogram(target);
    return true;
}

void CChartViewUI::DrawLabel(ui::RenderTarget& target, ui::Rect rc, const std::string& text,
                             uint32_t format) {
    if (showHtml_)
        ui::CRenderEngine::DrawHtmlText(target, m_pManager, rc, text, textColour_, font_, format);
    else
        ui::CRenderEngine::DrawText(target, m_pManager, rc, text, textColour_, font_, format);
}

void CChartViewUI::DoPaintPie(ui::RenderTarget& target) {
    const int n = static_cast<int>(items_.size());
    if (n == 0)
        return;
    double sum = 0;
    for (const Item& item : items_)
        sum += item.value;

    const int legendWidth = showText_ ? kLegendWidth : 0;
    const ui::RECT& rc = m_rcItem;
    const int aw = rc.Width() - (legendWidth + 10);
    const int ah = rc.Height() - 10;
    const int d = std::min(aw, ah);
    const int x0 = rc.left + (aw - d) / 2 + 5;
    const int y0 = rc.top + (ah - d) / 2 + 5;
    int legendTop = std::max(rc.top + (ah - n * kLegendSquare - n * kLegendGap) / 2, rc.top + 5);

    ui::CRenderEngine::FillEllipse(target, ui::Rect{x0 - 4, y0 - 4, x0 + d + 4, y0 + d + 4},
                                   kOuterShadow);
    ui::CRenderEngine::FillEllipse(target, ui::Rect{x0 - 1, y0 - 1, x0 + d + 1, y0 + d + 1},
                                   kInnerShadow);
    // Shares of a total of 0 or less mean nothing (and would divide by zero).
    if (!(sum > 0))
        return;

    const ui::Rect pie{x0, y0, x0 + d, y0 + d};
    double start = 0;
    for (int j = 0; j < n; ++j) {
        const Item& item = items_[static_cast<size_t>(j)];
        const ui::Color colour = ChartPalette(static_cast<size_t>(j));
        const double sweep = item.value / sum * 360.0;
        // Clockwise on screen: the render target counts the other way round.
        ui::CRenderEngine::FillPie(target, pie, -start, -sweep, colour);
        start += sweep;
        if (showText_) {
            const int left = x0 + d + 10;
            ui::Rect legend{left, legendTop, left + legendWidth + kLegendSquare,
                            legendTop + kLegendSquare};
            if (!legend.Intersect(rc).IsEmpty()) {
                ui::CRenderEngine::DrawColor(
                    target,
                    ui::Rect{left, legendTop, left + kLegendSquare, legendTop + kLegendSquare},
                    colour);
                legend.left += kLegendSquare + 5;
                DrawLabel(target, legend, item.name, kLegendFormat);
            }
        }
        legendTop += kLegendSquare + kLegendGap;
    }
}

void CChartViewUI::DoPaintHistogram(ui::RenderTarget& target) {
    const int labelHeight = showText_ ? kLabelHeight : 0;
    const ui::RECT& rc = m_rcItem;
    if (!shadowImage_.empty() && m_pManager != nullptr) {
        const ui::Rect shadow{rc.left, rc.bottom - shadowImageHeight_ - labelHeight, rc.right,
                              rc.bottom - labelHeight};
        if (ChartPictureDue(shadow, m_rcPaint) &&
            !ui::CRenderEngine::DrawImageString(target, m_pManager, shadow, m_rcPaint,
                                                shadowImage_))
            shadowImage_.clear();
    }
    if (items_.empty())
        return;
    double max = 0;
    for (const Item& item : items_)
        max = std::max(max, item.value);
    // Without a bar width or a positive largest value there is no scale to draw to.
    if (pillarImageWidth_ <= 0 || !(max > 0))
        return;
    const int plotHeight = rc.Height() - labelHeight;
    const int gap = (rc.Width() / pillarImageWidth_) * 2;
    int x = gap;
    for (const Item& item : items_) {
        if (!pillarImage_.empty() && m_pManager != nullptr) {
            // A negative value stands for no bar rather than one hanging below the base line.
            const int barHeight = std::max(0, static_cast<int>(plotHeight * item.value / max));
            const ui::Rect bar{rc.left + x, rc.bottom - labelHeight - barHeight,
                               rc.left + x + pillarImageWidth_, rc.bottom - labelHeight};
            if (ChartPictureDue(bar, m_rcPaint) &&
                !ui::CRenderEngine::DrawImageString(target, m_pManager, bar, m_rcPaint,
                                                    pillarImage_))
                pillarImage_.clear();
        }
        if (showText_) {
            DrawLabel(target,
                      ui::Rect{rc.left + x - gap, rc.bottom - labelHeight,
                               rc.left + x + pillarImageWidth_ + gap, rc.bottom},
                      item.name, kBarLabelFormat);
        }
        x += gap + pillarImageWidth_;
    }
}

}  // namespace controls
