// Where a device's files live: its default data and its user data folder.
#include "devices/OrvaneUSBDevice.h"
#include "platform/Folders.h"

namespace devices {

std::string COrvaneUSBDevice::GetDefaultDataFolder() const {
    return platform::DefaultDataFolder();
}

std::string COrvaneUSBDevice::GetDefaultDocumentPath() const {
    return platform::DefaultDataFolder() + dataFolderName_ + ".Json";
}

std::string COrvaneUSBDevice::GetUserDataFolder() const {
    // Made again whenever it went missing (the user may delete it while the program runs).
    return platform::DeviceDataFolder(dataFolderName_);
}

}  // namespace devices
