#include "panels/PanelControls.h"

#include "panels/keys/KeySetControlUI.h"
#include "panels/light/LightControlUI.h"
#include "panels/macros/MacroControlUI.h"
#include "panels/profiles/DeviceProfileUI.h"

namespace panels {

void AddPanelControlCreators(controls::ControlCreators& creators) {
    creators["CDeviceProfileUI"] = ui::MakeControl<CDeviceProfileUI>();
    creators["CKeySetControlUI"] = ui::MakeControl<CKeySetControlUI>();
    creators["CMacroControlUI"] = ui::MakeControl<CMacroControlUI>();
    creators["CLightControlUI"] = ui::MakeControl<CLightControlUI>();
}

}  // namespace panels
