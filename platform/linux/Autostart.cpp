// The XDG autostart entry: $XDG_CONFIG_HOME/autostart/t418-zen.desktop.
#include "platform/Autostart.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/Trace.h"
#include "platform/linux/AutostartEntry.h"

namespace platform {

std::string AutostartEntryPath() {
    return detail::UserConfigFolder() + "autostart/t418-zen.desktop";
}

bool SetAutostart(bool on, const std::string& executable) {
    const std::string path = AutostartEntryPath();
    if (!on) {
        if (std::remove(path.c_str()) != 0 && errno != ENOENT) {
            TraceF("autostart: cannot remove %s: %s", path.c_str(), std::strerror(errno));
            return false;
        }
        Trace("autostart: off");
        return true;
    }
    std::optional<std::string> text = AutostartEntryText(executable);
    if (!text) {
        TraceF("autostart: the program's path cannot be named in an entry: %s", executable.c_str());
        return false;
    }
    if (!EnsureFolder(detail::UserConfigFolder() + "autostart") || !WriteFileAtomic(path, *text)) {
        TraceF("autostart: cannot write %s", path.c_str());
        return false;
    }
    TraceF("autostart: on (%s)", path.c_str());
    return true;
}

bool IsAutostartOn() {
    return FileExists(AutostartEntryPath());
}

}  // namespace platform
