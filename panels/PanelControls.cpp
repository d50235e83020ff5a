#include "panels/PanelControls.h"

#include "panels/headset/HeadsetPanels.h"
#include "panels/keys/KeySetControlUI.h"
#include "panels/light/LightControlUI.h"
#include "panels/macros/MacroControlUI.h"
#include "panels/profiles/DeviceProfileUI.h"
#include "panels/shoot/ShootControlUI.h"

namespace panels {

void AddPanelControlCreators(controls::ControlCreators& creators) {
    creators["CDeviceProfileUI"] = ui::MakeControl<CDeviceProfileUI>();
    creators["CKeySetControlUI"] = ui::MakeControl<CKeySetControlUI>();
    creators["CMacroControlUI"] = ui::MakeControl<CMacroControlUI>();
    creators["CLightControlUI"] = ui::MakeControl<CLightControlUI>();
    creators["CShootControlUI"] = ui::MakeControl<CShootControlUI>();
    creators["CVoice6533ControlUI"] = ui::MakeControl<CVoice6533ControlUI>();
    creators["CMagicControlUI"] = ui::MakeControl<CMagicControlUI>();
}

}  // namespace panels
