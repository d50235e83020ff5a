#include "controls/AudioRecordUI.h"

#include <algorithm>

#include "ui/core/StringUtil.h"
#include "ui/render/RenderEngine.h"

namespace controls {

CAudioRecordUI::CAudioRecordUI() {
    // A rising ramp over the first samples: a fresh graph shows it draws.
    for (int i = 0; i < 256; ++i)
        samples_[i] = i;
}

void* CAudioRecordUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return static_cast<CAudioRecordUI*>(this);
    return CLabelUI::GetInterface(name);
}

void CAudioRecordUI::SetSamples(std::span<const int32_t> samples) {
    const size_t n = std::min(samples.size(), samples_.size());
    std::copy_n(samples.begin(), n, samples_.begin());
    std::fill(samples_.begin() + static_cast<std::ptrdiff_t>(n), samples_.end(), 0);
    Invalidate();
}

int CAudioRecordUI::BarTop(int32_t sample, int top, int height) {
    // Clamped so that no bar leaves the control; the product in 64 bits so that a tall control
    // and a large sample cannot overflow.
    const int64_t level = std::clamp<int64_t>(sample, 0, kFullScale);
    return top + static_cast<int>(height - level * height / kFullScale);
}

void CAudioRecordUI::PaintBkColor(ui::RenderTarget& target) {
    ui::CRenderEngine::DrawColor(target, m_rcItem, GetAdjustColor(kPaperColour));
    const int width = m_rcItem.Width();
    const int height = m_rcItem.Height();
    const ui::Color bar = GetAdjustColor(kBarColour);
    for (int i = 0; i < kSampleCount && 2 * i < width; ++i) {
        const int x = m_rcItem.left + 2 * i;
        const ui::Rect rc{x, BarTop(samples_[i], m_rcItem.top, height), x + 1, m_rcItem.bottom - 1};
        if (!rc.IsEmpty())
            ui::CRenderEngine::DrawColor(target, rc, bar);
    }
}

void CAudioRecordUI::PaintForeImage(ui::RenderTarget& /*target*/) {}

}  // namespace controls
