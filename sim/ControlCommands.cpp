#include "sim/ControlCommands.h"

#include <sstream>

namespace sim {
namespace {

std::vector<ControlCommandInfo>& Registry() {
    static std::vector<ControlCommandInfo> registry;
    return registry;
}

}  // namespace

ControlCommandRegistration::ControlCommandRegistration(const ControlCommandInfo& info) {
    Registry().push_back(info);
}

const std::vector<ControlCommandInfo>& ControlCommands() {
    return Registry();
}

std::string ExecuteControlLine(const std::string& line, ControlContext& context) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    if (words.empty() || words[0][0] == '#')
        return std::string();
    for (const ControlCommandInfo& info : Registry()) {
        if (words[0] != info.name)
            continue;
        words.erase(words.begin());
        std::string reply;
        bool ok = info.run(words, context, reply);
        if (!reply.empty() && reply.back() != '\n')
            reply += '\n';
        if (ok)
            return reply + "ok\n";
        return "error: " + (reply.empty() ? std::string("failed\n") : reply);
    }
    return "error: unknown command '" + words[0] + "' (try 'help')\n";
}

}  // namespace sim
