#include "LedSwatch.h"

#include <charconv>

#include "ui/core/PaintManager.h"
#include "ui/render/ImageDescription.h"
#include "ui/render/RenderEngine.h"

namespace gallery {

void CLedSwatchUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "color") {
        ui::ParseColorValue(std::string(value), color_);
    } else if (name == "level") {
        int level = 0;
        auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), level);
        if (ec == std::errc() && end == value.data() + value.size())
            level_ = level;
    } else {
        CControlUI::SetAttribute(name, value);
    }
    Invalidate();
}

void CLedSwatchUI::PaintStatusImage(ui::RenderTarget& target) {
    // The engine takes LED colours as Win32 colour words (red in the low byte).
    uint32_t word =
        ui::ColorRed(color_) | (ui::ColorGreen(color_) << 8) | (ui::ColorBlue(color_) << 16);
    const ui::RECT& rc = GetPos();
    ui::CRenderEngine::DrawImageString(target, GetManager(), rc, rc, "led.svg", "", word, level_,
                                       true);
}

}  // namespace gallery
