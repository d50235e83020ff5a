#pragma once
// Where the program's files live. Paths are UTF-8 with '/' separators.
#include <string>

namespace platform {

// Folder of the running executable, with a trailing '/'.
std::string ExecutableFolder();

// Folder holding skin/, DefaultData/ and Font/: next to the binary in the build tree,
// <prefix>/share/t418-zen once installed. T418_ZEN_PROGRAM_DIR overrides both. Trailing '/'.
std::string ProgramFolder();

// The local application-data folder ($XDG_DATA_HOME, default ~/.local/share). Not created.
std::string LocalAppDataFolder();

// The program-wide user folder "T418-ZEN" under the local application-data folder, created
// when missing. Trailing '/'.
std::string UserFolder();

// The user data folder of one device type ("mouse", "keyboard", "MousePad", "HD") below the
// user folder, created when missing. Trailing '/'.
std::string DeviceDataFolder(const std::string& deviceType);

// The default-data folder: the program folder followed by "DefaultData/".
std::string DefaultDataFolder();

// The per-user configuration folder "T418-ZEN" ($XDG_CONFIG_HOME, default ~/.config).
// Not created. Trailing '/'.
std::string ConfigFolder();

// The per-session runtime folder ($XDG_RUNTIME_DIR, else a private folder under /tmp).
// Not created. Trailing '/'.
std::string RuntimeFolder();

// Creates the folder and its parents; true when it exists afterwards.
bool EnsureFolder(const std::string& path);

}  // namespace platform
