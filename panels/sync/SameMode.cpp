#include "panels/sync/SameMode.h"

#include <array>

#include "devices/OrvaneUSBDevice.h"
#include "hid/DeviceIdentity.h"
#include "panels/light/LightControlUI.h"
#include "panels/light/LightHandlers.h"
#include "panels/sync/LightSync.h"

namespace panels::sync {
namespace {

// The mode of each shared effect S0-S4, by device family.
constexpr std::array<uint8_t, kSharedEffects> kKeyboardModes = {5, 6, 23, 4, 28};
constexpr std::array<uint8_t, kSharedEffects> kMouseModes = {1, 0, 6, 2, 4};
constexpr std::array<uint8_t, kSharedEffects> kPadModes = {2, 3, 4, 1, 8};

const std::array<uint8_t, kSharedEffects>* SameModeTable(int kind) {
    switch (kind) {
        case hid::kKindKeyboard:
        case hid::kKindKeyboardReceiver:
            return &kKeyboardModes;
        case hid::kKindMouseCable:
        case hid::kKindMouseReceiver:
            return &kMouseModes;
        case hid::kKindMousePad:
        case hid::kKindHeadset:
            return &kPadModes;
        default:
            return nullptr;
    }
}

}  // namespace

std::optional<SharedEffect> SharedEffectOf(int kind, int mode) {
    const auto* table = SameModeTable(kind);
    if (table == nullptr)
        return std::nullopt;
    for (size_t s = 0; s < table->size(); ++s) {
        if ((*table)[s] == mode)
            return static_cast<SharedEffect>(s);
    }
    return std::nullopt;
}

std::optional<uint8_t> ModeOf(int kind, SharedEffect effect) {
    const auto* table = SameModeTable(kind);
    const auto index = static_cast<size_t>(effect);
    if (table == nullptr || index >= table->size())
        return std::nullopt;
    return (*table)[index];
}

int ApplySameMode(devices::COrvaneUSBDevice& source, const SameModeLists& lists,
                  LightSyncShared& shared, panels::light::ScreenSize screen) {
    const profile::LightRecord record = source.LightSettings();
    const std::optional<SharedEffect> effect = SharedEffectOf(source.GetKind(), record.mode);
    if (!effect)
        return 0;
    shared.SetParams(SyncParams{*effect, record.brightness, record.speed, record.direction,
                                record.multiColour, record.red, record.green, record.blue});
    int applied = 0;
    for (const auto* list : {&lists.keyboards, &lists.mice, &lists.mousePads, &lists.headsets}) {
        for (devices::COrvaneUSBDevice* device : *list) {
            if (device == nullptr || !device->Channel().IsOpen())
                continue;
            const std::optional<uint8_t> mode = ModeOf(device->GetKind(), *effect);
            if (!mode)
                continue;
            device->Channel().SetHold(1);
            profile::LightRecord own = record;
            own.mode = *mode;
            const std::array<uint32_t, 4> words = own.ToWords();
            if (CLightControlUI* panel = CLightHandlers::PanelOf(device))
                panel->SetLightInfo(words[0], words[1], words[2], words[3]);
            panels::light::StoreLightRecord(*device, own, screen);
            ++applied;
        }
    }
    return applied;
}

}  // namespace panels::sync
