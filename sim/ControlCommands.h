#pragma once
// The simulator's control commands ("plug mouse-cable", "unplug all", "quit", ...). Each
// command lives in its own file under sim/control/ with a static ControlCommandRegistration,
// so commands are added without touching each other.
#include <string>
#include <vector>

namespace sim {

class Simulator;

struct ControlContext {
    Simulator& simulator;
    bool quitRequested = false;
};

// Runs the command; writes what to tell the operator into reply. False on a usage error or a
// failure (reply then says why).
using ControlFunction = bool (*)(const std::vector<std::string>& args, ControlContext& context,
                                 std::string& reply);

struct ControlCommandInfo {
    const char* name;
    const char* usage;    // "plug DEVICE|all"
    const char* summary;  // one line
    ControlFunction run;
};

struct ControlCommandRegistration {
    explicit ControlCommandRegistration(const ControlCommandInfo& info);
};

const std::vector<ControlCommandInfo>& ControlCommands();

// Splits the line into words and runs the named command. Empty lines and lines starting with
// '#' do nothing. The reply ends with "ok" or "error: ..." as its last line.
std::string ExecuteControlLine(const std::string& line, ControlContext& context);

}  // namespace sim
