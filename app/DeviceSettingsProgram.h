#pragma once
// The desktop's own keyboard and mouse settings: which installed program opens them. The
// candidates are tried in order; the first found on the search path wins.
// Pure except for the file lookup; any thread.
#include <optional>
#include <string>
#include <vector>

namespace app {

struct SettingsProgram {
    std::string program;     // found on the search path
    std::string parameters;  // split like a command line
};

// index 0: keyboard settings, 1: mouse settings; nothing for other indices or when no
// candidate is installed. searchPath: the folders of PATH, ':' or ';' separated.
std::optional<SettingsProgram> FindDeviceSettingsProgram(int index, const std::string& searchPath);

}  // namespace app
