// t418-zen-sim: the device simulator on the simulated bus.
#include "sim/SimProgram.h"

int main(int argc, char** argv) {
    sim::SimProgramOptions options;
    int exitCode = 0;
    if (!sim::ParseSimProgramOptions(argc, argv, options, exitCode))
        return exitCode;
    // Firmware models attach here with sim::SetFirmwareFactory (sim/Firmware.h).
    return sim::RunSimProgram(options);
}
