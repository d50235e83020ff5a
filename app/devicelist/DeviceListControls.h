#pragma once
// The device list's control classes for the program's control registration
// (controls/ProgramControls.h): CDeviceOptionUI and CMpDevicePowerUI. Window thread, start-up.
#include "controls/ProgramControls.h"

namespace app {

void AddDeviceListControlCreators(controls::ControlCreators& creators);

}  // namespace app
