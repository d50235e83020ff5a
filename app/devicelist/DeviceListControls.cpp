#include "app/devicelist/DeviceListControls.h"

#include "app/devicelist/DeviceOptionUI.h"
#include "app/devicelist/MpDevicePowerUI.h"

namespace app {

void AddDeviceListControlCreators(controls::ControlCreators& creators) {
    creators["CDeviceOptionUI"] = ui::MakeControl<CDeviceOptionUI>();
    creators["CMpDevicePowerUI"] = ui::MakeControl<CMpDevicePowerUI>();
}

}  // namespace app
