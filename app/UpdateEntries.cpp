#include "app/UpdateEntries.h"

#include <string>

#include "app/devicelist/DeviceList.h"
#include "app/devicelist/DeviceTables.h"
#include "devices/OrvaneUSBDevice.h"

namespace app {

std::vector<windows::UpdateEntry> ModelUpdateEntries() {
    std::vector<windows::UpdateEntry> entries;
    for (const DeviceModel& model : DeviceModels()) {
        windows::UpdateEntry entry;
        entry.versionFormat = model.versionFormat;
        entry.second = model.second;
        entry.version = static_cast<uint32_t>(model.version);
        entry.vendor = std::string(model.vendor);
        entry.code = std::string(model.code);
        entry.name = std::string(model.name);
        entry.shortName = std::string(model.shortName);
        entry.versionText = std::string(model.versionText);
        if (entry.code == "ALL")
            entry.version = kProgramVersion;
        entries.push_back(std::move(entry));
    }
    return entries;
}

void ApplyDeviceVersion(windows::UpdateEntry& entry, devices::COrvaneUSBDevice& device) {
    hid::CHidChannel& channel = device.Channel();
    if (!channel.IsOpen()) {
        entry.version = 0;
        return;
    }
    if (channel.Wireless()) {
        entry.version = channel.ReceiverDevice().Attributes().version;
        entry.second = -1;
    } else {
        entry.version = channel.CableDevice().Attributes().version;
    }
}

std::vector<windows::UpdateEntry> BuildUpdateEntries(const IDeviceList& list) {
    std::vector<windows::UpdateEntry> entries = ModelUpdateEntries();
    // The model rows follow the device-type rows: mouse, keyboard, mouse pad.
    const std::vector<devices::COrvaneUSBDevice*>* byType[] = {&list.Mice(), &list.Keyboards(),
                                                               &list.MousePads()};
    for (size_t type = 0; type < std::size(byType) && type < entries.size(); ++type) {
        for (devices::COrvaneUSBDevice* device : *byType[type]) {
            if (device != nullptr && device->Channel().IsOpen())
                ApplyDeviceVersion(entries[type], *device);
        }
    }
    return entries;
}

}  // namespace app
