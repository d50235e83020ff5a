#pragma once
// A gallery control that shows the render engine's tinted drawing: one white LED picture
// drawn in the colour and level of its "color" and "level" attributes.
#include "ui/core/ControlUI.h"

namespace gallery {

class CLedSwatchUI : public ui::CControlUI {
  public:
    std::string GetClass() const override { return "LedSwatch"; }
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintStatusImage(ui::RenderTarget& target) override;

  private:
    ui::Color color_ = 0xFFFFFFFF;
    int level_ = 255;
};

}  // namespace gallery
