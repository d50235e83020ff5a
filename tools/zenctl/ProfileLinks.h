#pragma once
// t418-zenctl's program links of the mouse's profiles: `profiles link|unlink|links|follow`
// and `programs`, over the same rules file, policy and watcher as the program.
// Threads: the tool's one thread.
#include <string>
#include <vector>

namespace panels {
class ProfileListFile;
}

namespace zenctl {

// The link verbs of `profiles`; -1 when args[0] is none of them.
int RunProfileLinks(const std::vector<std::string>& args, panels::ProfileListFile& list);
// Tells the mouse's program rules that profile id was deleted.
void ForgetProfileLinks(const std::string& id);

}  // namespace zenctl
