// t418-zenctl: the command-line companion of the T418-ZEN configuration utility.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/zenctl/Command.h"

namespace zenctl {
namespace {

std::vector<CommandInfo>& Registry() {
    static std::vector<CommandInfo> registry;
    return registry;
}

void PrintUsage(FILE* out) {
    std::fprintf(out, "usage: t418-zenctl [--trace] COMMAND [ARGS...]\n\ncommands:\n");
    std::vector<CommandInfo> sorted = Registry();
    std::sort(sorted.begin(), sorted.end(), [](const CommandInfo& a, const CommandInfo& b) {
        return std::strcmp(a.name, b.name) < 0;
    });
    for (const CommandInfo& info : sorted) {
        std::fprintf(out, "  %-28s %s\n", info.usage, info.summary);
    }
    std::fprintf(out,
                 "\nWith T418_ZEN_SIMBUS set to a folder, devices are looked for on that "
                 "simulated bus.\n");
}

}  // namespace

CommandRegistration::CommandRegistration(const CommandInfo& info) {
    Registry().push_back(info);
}

const std::vector<CommandInfo>& Commands() {
    return Registry();
}

}  // namespace zenctl

int main(int argc, char** argv) {
    zenctl::Options options;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--help" || arg == "-h") {
            zenctl::PrintUsage(stdout);
            return 0;
        } else {
            args.push_back(arg);
        }
    }
    if (args.empty()) {
        zenctl::PrintUsage(stderr);
        return 2;
    }
    for (const zenctl::CommandInfo& info : zenctl::Commands()) {
        if (args[0] == info.name) {
            args.erase(args.begin());
            return info.run(args, options);
        }
    }
    std::fprintf(stderr, "t418-zenctl: unknown command '%s'\n\n", args[0].c_str());
    zenctl::PrintUsage(stderr);
    return 2;
}
