#pragma once
// The t418-zen-sim program: options, then a simulator with its control channels until quit.
#include <string>
#include <vector>

namespace sim {

struct SimProgramOptions {
    std::string bus;                   // --bus DIR (default: <runtime folder>/simbus)
    std::vector<std::string> devices;  // --devices a,b,c (default: all)
    bool logPackets = false;           // --log-packets
    bool readStdin = true;             // --no-stdin
};

// False (after printing why) on bad options; exitCode is then what main returns.
bool ParseSimProgramOptions(int argc, char** argv, SimProgramOptions& options, int& exitCode);
int RunSimProgram(const SimProgramOptions& options);

}  // namespace sim
