#pragma once
// CRedioMacroButtonUI: a button whose image pulses (its fade level runs down to 80 and back
// up to 255 in steps of 20, every 50 ms) while pulsing is on. Window thread only.
#include <string>

#include "ui/controls/ButtonUI.h"

namespace controls {

class CRedioMacroButtonUI : public ui::CButtonUI {
  public:
    static constexpr const char* kClassName = "RedioMacroButton";
    static constexpr ui::UINT kPulseTimer = 100;
    static constexpr ui::UINT kPulseMs = 50;

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;
    void DoEvent(ui::TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

    // Starts (timer 100 every 50 ms) or stops the pulse; the level keeps its place.
    void SetPulse(bool pulse);
    bool IsPulsing() const { return pulse_; }
    int GetFadeLevel() const { return fadeLevel_; }
    const std::string& GetPulseImage() const { return pulseImage_; }

  private:
    void PulseStep();

    int fadeLevel_ = 255;
    bool fadeRising_ = false;
    std::string pulseImage_;
    bool pulse_ = false;
};

}  // namespace controls
