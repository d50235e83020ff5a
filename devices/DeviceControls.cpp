#include "devices/DeviceControls.h"

#include "devices/OrvaneUSBDevice.h"

namespace devices {

void AddDeviceControlCreators(controls::ControlCreators& creators) {
    creators["COrvaneUSBDevice"] = [] {
        return static_cast<ui::CControlUI*>(new COrvaneUSBDevice);
    };
}

}  // namespace devices
