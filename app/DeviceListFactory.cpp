#include "app/DeviceListFactory.h"

// The device registry, once its folder is part of the build.
#if __has_include("app/devicelist/DeviceRegistry.h")
#define T418_APP_HAS_DEVICE_REGISTRY 1
#include "app/devicelist/DeviceRegistry.h"
#endif

namespace app {

std::unique_ptr<IDeviceList> MakeDeviceList(IDeviceListHost& host) {
#ifdef T418_APP_HAS_DEVICE_REGISTRY
    return std::make_unique<DeviceRegistry>(host);
#else
    (void)host;
    return std::make_unique<EmptyDeviceList>();
#endif
}

}  // namespace app
