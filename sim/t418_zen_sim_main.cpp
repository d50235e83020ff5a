// t418-zen-sim: the device simulator on the simulated bus.
#include "sim/SimProgram.h"
#include "sim/firmware/FirmwareControl.h"

int main(int argc, char** argv) {
    sim::SimProgramOptions options;
    int exitCode = 0;
    if (!sim::ParseSimProgramOptions(argc, argv, options, exitCode))
        return exitCode;
    // The simulated firmware answers every collection of the devices it models.
    sim::firmware::InstallFirmware();
    return sim::RunSimProgram(options);
}
