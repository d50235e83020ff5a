#pragma once
// CHandImgSelectButtonUI: a button showing a picture chosen at run time. A picture larger
// than the control shows its top-left part at its own scale, and the user pans it by
// dragging; one that fits is stretched over the control. Entering and leaving raise
// "msenter" / "msleave". Window thread only.
#include <string>

#include "ui/controls/ButtonUI.h"

namespace controls {

class CHandImgSelectButtonUI : public ui::CButtonUI {
  public:
    static constexpr const char* kClassName = "HandImgSelectButton";

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;
    void DoInit() override;
    void DoEvent(ui::TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintStatusImage(ui::RenderTarget& target) override;

    // Loads the picture (a file name or path); nothing more happens when it cannot be loaded.
    void SetHandImage(const std::string& file);
    const std::string& GetHandImage() const { return handImage_; }
    const std::string& GetShownImage() const { return shownImage_; }
    const ui::RECT& GetSourceRect() const { return sourceRect_; }
    bool IsDragging() const { return dragging_; }

  private:
    void LoadHandImage();
    void Pan(ui::POINT point);
    void UpdateShownImage();

    std::string handImage_;
    std::string shownImage_;
    ui::RECT sourceRect_;
    int imageHeight_ = 0;
    int imageWidth_ = 0;
    bool dragging_ = false;
    ui::POINT lastPoint_;
};

}  // namespace controls
