// The keyboard controls of the performance page: each change goes into the keyboard system
// record and the profile; the report rate and the three flags are sent to the keyboard too.
#include <cstdlib>

#include "devices/keyboard/OrvaneKeyboardDevice.h"
#include "hid/DeviceIdentity.h"
#include "panels/performance/PerformanceHandlers.h"
#include "panels/performance/SystemHalves.h"

namespace panels {

void CPerformanceHandlers::KeyboardControl(devices::COrvaneUSBDevice* device, std::string_view name,
                                           int index) {
    auto* keyboard = dynamic_cast<devices::COrvaneKeyboardDevice*>(device);
    const std::optional<performance::KeyboardSetting> setting =
        performance::KeyboardSettingOf(name);
    if (keyboard == nullptr || !setting)
        return;
    const std::string control(name);
    // The option groups' index: as routed, else the number after the last underscore.
    int n = index;
    if (n < 0) {
        const size_t underscore = control.rfind('_');
        n = underscore == std::string::npos ? 0 : std::atoi(control.c_str() + underscore + 1);
    }
    int value = 0;
    using K = performance::KeyboardControl;
    switch (setting->control) {
        case K::RepeatRate:
            value = keyboard->GetRepeatRate();
            break;
        case K::RepeatDelay:
            value = performance::ClampKeyboardOption(n);
            keyboard->SetRepeatDelayOption(value);
            break;
        case K::ReportRate:
            value = performance::ClampKeyboardOption(n);
            keyboard->SetReportRateOption(value);
            break;
        case K::Key6Flag:
        case K::WFlag:
        case K::WinLockFlag:
            value = keyboard->GetFlagCheck(control.c_str());
            break;
    }
    keyboard->SetSystemWords(performance::WithHalf(keyboard->GetSystemWords(), setting->half,
                                                   performance::AsHalf(value)));
    keyboard->SaveProfile();
    // The result is not examined: with the keyboard absent the profile is still saved.
    if (setting->writesDevice)
        keyboard->WriteSettings(0, 0, 1, 0, 0);
}

void CPerformanceHandlers::OnRepeatReset(devices::COrvaneUSBDevice* device, int kind) {
    if (kind != hid::kKindKeyboard)
        return;
    if (auto* keyboard = dynamic_cast<devices::COrvaneKeyboardDevice*>(device))
        keyboard->ClearRepeatTestBox();
}

}  // namespace panels
