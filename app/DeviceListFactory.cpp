#include "app/DeviceListFactory.h"

#include "app/devicelist/DeviceRegistry.h"
#include "panels/light/LightControlUI.h"
#include "panels/light/LightHandlers.h"

namespace app {

std::unique_ptr<IDeviceList> MakeDeviceList(IDeviceListHost& host) {
    auto registry = std::make_unique<DeviceRegistry>(host);
    // Each device's lighting panel shows the same-mode button only while the list allows it.
    registry->SetSameModeSink([](devices::COrvaneUSBDevice& device, bool allowed) {
        if (panels::CLightControlUI* panel = panels::CLightHandlers::PanelOf(&device))
            panel->SetSameModeAllowed(allowed);
    });
    return registry;
}

}  // namespace app
