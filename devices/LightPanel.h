#pragma once
// The lighting panel of a device page as the device object sees it: the device fills its mode
// list, shows the light and audio light records in it and reads the audio record back (the
// panel keeps which colour, foreground or background, the user edits).
// Threads: window thread only.
#include <cstdint>
#include <string>
#include <vector>

namespace devices {

// The audio light settings in the form the lighting handlers pass them: a = bytes 0-3,
// b = bytes 4-7, c = byte 8 of the audio light record.
struct AudioLightWords {
    uint32_t a = 0;
    uint32_t b = 0;
    uint8_t c = 0;
    friend bool operator==(const AudioLightWords&, const AudioLightWords&) = default;
};

class ILightPanel {
  public:
    virtual ~ILightPanel() = default;
    // The device kind (1 keyboard, 2 mouse, 3 pad, 7 headset): picks the layout table.
    virtual void SetLayoutFamily(int kind) = 0;
    // The built-in modes: names are language keys, hidden where `visible` says so; the
    // sliders take the maxima.
    virtual void FillModeList(const std::vector<std::string>& names,
                              const std::vector<bool>& visible, int brightnessMaximum,
                              int speedMaximum) = 0;
    // The custom effects after the built-in modes, their names shown as they are.
    virtual void AppendCustomModes(const std::vector<std::string>& names) = 0;
    // Shows a whole light record (the four words of SetLightSettings). Raises nothing.
    virtual void SetLightInfo(uint32_t a, uint32_t b, uint32_t c, uint32_t d) = 0;
    // Shows the audio light record. Raises nothing.
    virtual void SetAudioLightInfo(uint32_t a, uint32_t b, uint32_t c) = 0;
    // The audio record as the panel shows it; with colourFlag the colour on the colour
    // button goes into the edited colour's bytes.
    virtual AudioLightWords GetAudioLightInfo(bool colourFlag) = 0;
    // Whether the same-mode button may show (two or more devices present).
    virtual void SetSameModeAllowed(bool allowed) = 0;
};

// The control name of the lighting panel in every device page.
inline constexpr const char* kLightPanelName = "LightControlItem";
// The selection panel of the mouse's LEDs, whose "click_select_end" selects LEDs.
inline constexpr const char* kMouseLedSelectName = "mouse_device_key_light";

}  // namespace devices
