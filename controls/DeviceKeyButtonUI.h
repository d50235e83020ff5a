#pragma once
// CDeviceKeyButtonUI: a key or LED of the device picture. Over the button's own state image
// it draws the LED picture tinted in the LED's colour and level (while lit), then the
// key-assignment mark (unless hidden). A double click raises "dbclick"; the selection
// panel marks it selected. Window thread only.
#include <cstdint>
#include <string>

#include "ui/controls/ButtonUI.h"

namespace controls {

class CDeviceKeyButtonUI : public ui::CButtonUI {
  public:
    static constexpr const char* kClassName = "DeviceKeyButton";

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;
    void DoEvent(ui::TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintStatusImage(ui::RenderTarget& target) override;

    // colour is the packed LED word (controls/LedColour.h); the caller repaints.
    void SetLightColour(uint32_t colour, int level, bool shown);
    uint32_t GetLightColour() const { return lightColour_; }
    int GetLightLevel() const { return lightLevel_; }
    bool IsLightShown() const { return lightShown_; }
    void SetKeySetImageHidden(bool hidden);
    bool IsKeySetImageHidden() const { return keySetImageHidden_; }
    // Setting the same value again does nothing; no repaint.
    void SetSelected(int flag);
    int GetSelected() const { return selected_; }
    const std::string& GetLightImage() const { return lightImage_; }
    const std::string& GetKeySetImage() const { return keySetImage_; }

  private:
    std::string lightImage_;
    std::string keySetImage_;
    bool keySetImageHidden_ = true;
    bool lightShown_ = false;
    uint32_t lightColour_ = 255;
    int lightLevel_ = 200;
    int selected_ = 0;
};

}  // namespace controls
