#pragma once
// The device classes that skins may name, for the program's control registration
// (controls/ProgramControls.h). Window thread, start-up.
#include "controls/ProgramControls.h"

namespace devices {

// COrvaneUSBDevice.
void AddDeviceControlCreators(controls::ControlCreators& creators);

}  // namespace devices
