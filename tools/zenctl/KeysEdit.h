#pragma once
// keys show|set: the current profile's key assignments, and one key given a function, stored
// and applied as the key page does.
#include <string>
#include <vector>

#include "tools/zenctl/Command.h"

namespace zenctl {

// args: what follows "show" / "set".
int RunKeysShow(const std::vector<std::string>& args, const Options& options);
int RunKeysSet(const std::vector<std::string>& args, const Options& options);

}  // namespace zenctl
