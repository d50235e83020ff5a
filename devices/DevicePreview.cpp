// The device's LED preview: the device-wide steps over the preview engine, the LED colours
// and their way to the page's LED buttons, and the reactive primitives.
#include <algorithm>

#include "controls/DeviceKeyButtonUI.h"
#include "controls/LedColour.h"
#include "devices/OrvaneUSBDevice.h"

namespace devices {

void COrvaneUSBDevice::FillLeds(LedColour colour) {
    ledColours_.Fill(colour);
}

void COrvaneUSBDevice::PreviewBreathe() {
    FillLeds(PreviewBreatheStep(preview_, lightSettings_));
}

void COrvaneUSBDevice::PreviewBreatheFourColours() {
    FillLeds(PreviewBreatheFourColoursStep(preview_, lightSettings_));
}

void COrvaneUSBDevice::PreviewStatic() {
    FillLeds(PreviewStaticStep(lightSettings_));
}

void COrvaneUSBDevice::PreviewColourCycle() {
    FillLeds(PreviewColourCycleStep(preview_, lightSettings_));
}

void COrvaneUSBDevice::PreviewFlash() {
    FillLeds(PreviewFlashStep(preview_, lightSettings_, clock_->NowMs()));
}

void COrvaneUSBDevice::PreviewFlashFourColours() {
    FillLeds(PreviewFlashFourColoursStep(preview_, lightSettings_, clock_->NowMs()));
}

void COrvaneUSBDevice::PreviewOff() {
    FillLeds(LedColour{});
}

void COrvaneUSBDevice::RefreshPreview() {
    if (!lightControl_.load())
        return;
    size_t count = std::min(ledColours_.Size(), ledButtons_.size());
    for (size_t i = 0; i < count; ++i) {
        auto* button = dynamic_cast<controls::CDeviceKeyButtonUI*>(ledButtons_[i]);
        if (button == nullptr || !button->IsVisible())
            continue;
        LedColour c = ledColours_.Get(i);
        button->SetLightColour(controls::PackLedColour(c.red, c.green, c.blue), c.level, true);
    }
}

void COrvaneUSBDevice::SetLedColour(int index, LedColour colour) {
    if (index < 0)
        return;
    ledColours_.Set(static_cast<size_t>(index), colour);
}

LedColour COrvaneUSBDevice::GetLedColour(int index) const {
    if (index < 0)
        return LedColour{};
    return ledColours_.Get(static_cast<size_t>(index));
}

void COrvaneUSBDevice::FadeReactiveKey(int index, int mode) {
    reactive_.FadeKey(index, mode);
}

void COrvaneUSBDevice::LightPressedKeys() {
    reactive_.LightPressedKeys();
}

void COrvaneUSBDevice::RotateRing(bool forward) {
    reactive_.RotateRing(forward);
}

void COrvaneUSBDevice::ClearReactiveState() {
    reactive_.Clear();
}

}  // namespace devices
