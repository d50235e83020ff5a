#pragma once
// CHandImgButtonUI: a button showing a picture chosen at run time, with a delete icon at its
// bottom right while hot. Releasing over the shown icon raises "click_handdelete" instead
// of "click"; entering and leaving raise "msenter" / "msleave". Window thread only.
#include <string>

#include "ui/controls/ButtonUI.h"

namespace controls {

class CHandImgButtonUI : public ui::CButtonUI {
  public:
    static constexpr const char* kClassName = "HandImgButton";

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;
    void DoEvent(ui::TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintStatusImage(ui::RenderTarget& target) override;

    const std::string& GetHandImage() const { return handImage_; }
    void SetHandImage(const std::string& image);
    // The delete icon starts hidden; the page that offers deleting shows it.
    void SetDeleteHidden(bool hidden);
    bool IsDeleteHidden() const { return deleteHidden_; }
    const std::string& GetDeleteImage() const { return deleteImage_; }
    // Bottom right of the control, 20 x 20 (DPI-scaled), 30 from the right, 29 from the bottom.
    ui::RECT DeleteRect() const;

  private:
    std::string handImage_;
    std::string deleteImage_;
    std::string deleteNormalImage_;
    std::string deleteHotImage_;
    bool deleteHidden_ = true;
};

}  // namespace controls
