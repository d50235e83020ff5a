#pragma once
// Names of the main layout's containers the device list fills, and the kind tests the
// registry's files share.
// Threads: any (constants and pure functions).
#include <cstdint>

#include "hid/DeviceIdentity.h"

namespace app {

inline constexpr const char* kDeviceSwitch = "device_switch";
inline constexpr const char* kPowerSwitch = "device_power_switch";
inline constexpr const char* kDeviceSelectLayout = "device_select_layout";
inline constexpr const char* kNoDeviceLayout = "No_device_Link";
inline constexpr const char* kErrorLayout = "Error_device_Link";

inline bool IsReceiverKind(uint16_t kind) {
    return kind == hid::kKindMouseReceiver || kind == hid::kKindKeyboardReceiver;
}

inline bool IsMouseKind(uint16_t kind) {
    return kind == hid::kKindMouseCable || kind == hid::kKindMouseReceiver;
}

}  // namespace app
