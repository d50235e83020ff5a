// help / quit.
#include <algorithm>
#include <cstring>

#include "sim/ControlCommands.h"

namespace sim {
namespace {

bool RunHelp(const std::vector<std::string>&, ControlContext&, std::string& reply) {
    std::vector<ControlCommandInfo> sorted = ControlCommands();
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& a, const auto& b) { return std::strcmp(a.name, b.name) < 0; });
    for (const ControlCommandInfo& info : sorted) {
        reply += std::string("  ") + info.usage + " - " + info.summary + "\n";
    }
    return true;
}

bool RunQuit(const std::vector<std::string>&, ControlContext& context, std::string&) {
    context.quitRequested = true;
    return true;
}

const ControlCommandRegistration help({"help", "help", "list the commands", RunHelp});
const ControlCommandRegistration quit({"quit", "quit", "unplug everything and end", RunQuit});

}  // namespace
}  // namespace sim
