#pragma once
// The subcommand registry of t418-zenctl. A subcommand file defines a run function and one
// static CommandRegistration; main() dispatches on the first argument.
#include <string>
#include <vector>

namespace zenctl {

struct Options {
    bool trace = false;  // --trace: print the packets both ways
};

using RunFunction = int (*)(const std::vector<std::string>& args, const Options& options);

struct CommandInfo {
    const char* name;
    const char* usage;    // e.g. "read-memory ADDR LEN"
    const char* summary;  // one line
    RunFunction run;
};

struct CommandRegistration {
    explicit CommandRegistration(const CommandInfo& info);
};

const std::vector<CommandInfo>& Commands();

}  // namespace zenctl
