#pragma once
// Starting the program with the user's session. The program reads no command line, so the
// session start asks for a start hidden in the tray through its environment
// (kStartHiddenVariable=1). Any thread; the entry is written atomically, so two callers leave
// one state or the other, never a torn file.
#include <string>

namespace platform {

inline constexpr const char kStartHiddenVariable[] = "T418_ZEN_START_HIDDEN";

// Where the session-start entry lives ($XDG_CONFIG_HOME/autostart/t418-zen.desktop on Linux).
std::string AutostartEntryPath();

// Writes the entry that starts the program at executable (an absolute path) hidden, or
// removes it. True when the entry is in the wanted state afterwards; false when it cannot be
// written or removed, or the path cannot be named in it. Traced.
bool SetAutostart(bool on, const std::string& executable);

// True when the entry exists.
bool IsAutostartOn();

}  // namespace platform
