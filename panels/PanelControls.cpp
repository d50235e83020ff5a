#include "panels/PanelControls.h"

#include "panels/profiles/DeviceProfileUI.h"

namespace panels {

void AddPanelControlCreators(controls::ControlCreators& creators) {
    creators["CDeviceProfileUI"] = ui::MakeControl<CDeviceProfileUI>();
}

}  // namespace panels
