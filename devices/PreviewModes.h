#pragma once
// The light modes of the mouse's mode list and the device-wide preview step each one runs.
// Same thread as the device's preview steps.
#include <optional>
#include <string_view>

namespace devices {

class COrvaneUSBDevice;

enum class LightMode : int {
    Static = 0,
    Breathe = 1,
    ColourCycle = 2,
    BreatheFourColours = 3,
    Off = 4,
    Wave = 5,
    Flash = 6,
    Reactive = 7,
    FlashFourColours = 8,
    Neon = 9,
};

// "static", "breathe", ... for modes 0-9; empty for any other number.
std::optional<std::string_view> LightModeName(int mode);

// Runs the step of a mode that the device base provides; false (nothing done) for wave,
// reactive and neon, which are the device class's own, and for any other number.
bool RunBasePreviewStep(COrvaneUSBDevice& device, int mode);

}  // namespace devices
