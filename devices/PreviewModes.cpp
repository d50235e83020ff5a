#include "devices/PreviewModes.h"

#include <array>

#include "devices/OrvaneUSBDevice.h"

namespace devices {

std::optional<std::string_view> LightModeName(int mode) {
    static constexpr std::array<std::string_view, 10> kNames = {
        "static", "breathe", "colour cycle", "breathe in four colours", "off",
        "wave",   "flash",   "reactive",     "flash in four colours",   "neon"};
    if (mode < 0 || mode >= static_cast<int>(kNames.size()))
        return std::nullopt;
    return kNames[static_cast<size_t>(mode)];
}

bool RunBasePreviewStep(COrvaneUSBDevice& device, int mode) {
    switch (static_cast<LightMode>(mode)) {
        case LightMode::Static:
            device.PreviewStatic();
            return true;
        case LightMode::Breathe:
            device.PreviewBreathe();
            return true;
        case LightMode::ColourCycle:
            device.PreviewColourCycle();
            return true;
        case LightMode::BreatheFourColours:
            device.PreviewBreatheFourColours();
            return true;
        case LightMode::Off:
            device.PreviewOff();
            return true;
        case LightMode::Flash:
            device.PreviewFlash();
            return true;
        case LightMode::FlashFourColours:
            device.PreviewFlashFourColours();
            return true;
        default:
            return false;
    }
}

}  // namespace devices
