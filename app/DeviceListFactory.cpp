#include "app/DeviceListFactory.h"

#include "app/devicelist/DeviceRegistry.h"

namespace app {

std::unique_ptr<IDeviceList> MakeDeviceList(IDeviceListHost& host) {
    return std::make_unique<DeviceRegistry>(host);
}

}  // namespace app
