#include <cstdio>

#include "tools/zenctl/Command.h"

namespace zenctl {
namespace {

int RunVersion(const std::vector<std::string>&, const Options&) {
    std::printf("t418-zenctl 0.1.0\n");
    return 0;
}

const CommandRegistration registration({"version", "version", "print the version", RunVersion});

}  // namespace
}  // namespace zenctl
