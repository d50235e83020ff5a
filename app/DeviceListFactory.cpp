#include "app/DeviceListFactory.h"

namespace app {

std::unique_ptr<IDeviceList> MakeDeviceList(IDeviceListHost& /*host*/) {
    // The device registry joins here: return std::make_unique<DeviceRegistry>(host).
    return std::make_unique<EmptyDeviceList>();
}

}  // namespace app
