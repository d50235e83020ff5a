#pragma once
// shoot upload: the four shoot-data sets of the mouse's user data folder sent to the mouse as
// the shoot page's save button sends them (missing sets first get the factory set).
//
// Threads: the command's thread only.
#include <string>
#include <vector>

#include "tools/zenctl/Command.h"

namespace zenctl {

// args: what follows "upload" ([--device cable|receiver]). The exit code of the device
// subcommands: 0 sent, 1 not sent (sets too large, or the mouse did not take them), 2 wrong
// usage, 3 no mouse, 6 the receiver reports the mouse is not linked.
int RunShootUpload(const std::vector<std::string>& args, const Options& options);

}  // namespace zenctl
