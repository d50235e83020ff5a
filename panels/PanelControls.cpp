#include "panels/PanelControls.h"

#include "panels/keys/KeySetControlUI.h"
#include "panels/profiles/DeviceProfileUI.h"

namespace panels {

void AddPanelControlCreators(controls::ControlCreators& creators) {
    creators["CDeviceProfileUI"] = ui::MakeControl<CDeviceProfileUI>();
    creators["CKeySetControlUI"] = ui::MakeControl<CKeySetControlUI>();
}

}  // namespace panels
