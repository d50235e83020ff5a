#pragma once
// Puts the simulated firmware behind every collection the simulator publishes and adds its
// control commands (link, fault, press, log, dump, info, check). Call once before serving.
namespace sim::firmware {

void InstallFirmware();

}  // namespace sim::firmware
