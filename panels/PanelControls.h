#pragma once
// The feature panels' control classes for the program's control registration
// (controls/ProgramControls.h): CDeviceProfileUI, CKeySetControlUI,
// CMacroControlUI, CShootControlUI. Window thread, start-up.
#include "controls/ProgramControls.h"

namespace panels {

void AddPanelControlCreators(controls::ControlCreators& creators);

}  // namespace panels
