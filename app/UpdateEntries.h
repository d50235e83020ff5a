#pragma once
// The update entries the settings window lists: one per row of the device-model table, with
// the version of that model's connected device. A device's row is found by its device type
// (mouse, keyboard, mouse pad; the headset has no row); the program's own row always has its
// version.
// Threads: window thread (it reads the device objects' channels).
#include <cstdint>
#include <vector>

#include "windows/SetWndRules.h"

namespace devices {
class COrvaneUSBDevice;
}

namespace app {

class IDeviceList;

// The program's own version, shown as the version text "V0100" of its row.
inline constexpr uint32_t kProgramVersion = 0x0100;

// One entry per model row, versions all 0 but the program's.
std::vector<windows::UpdateEntry> ModelUpdateEntries();

// What a connected device contributes to its model's entry: its channel's version (the
// cable's HID version, or the receiver's with second -1); nothing when its channel is closed.
void ApplyDeviceVersion(windows::UpdateEntry& entry, devices::COrvaneUSBDevice& device);

// The entries with the versions of the devices in the list.
std::vector<windows::UpdateEntry> BuildUpdateEntries(const IDeviceList& list);

}  // namespace app
