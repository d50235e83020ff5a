#pragma once
// Where the program's files live. Paths are UTF-8 with '/' separators. Any thread.
#include <string>

namespace platform {

// The name of the program's own folder below the user's data and configuration folders.
inline constexpr const char kProductFolderName[] = "T418-ZEN";

// Folder of the running executable, with a trailing '/'.
std::string ExecutableFolder();

// Folder holding skin/, DefaultData/ and Font/: the executable's folder when DefaultData/ lies
// there (the build tree), else the system's install location when it holds one.
// T418_ZEN_PROGRAM_DIR overrides both. Trailing '/'.
std::string ProgramFolder();

// The user's local application-data folder (the system's rule: $XDG_DATA_HOME, default
// ~/.local/share, on Linux). Not created. Trailing '/'.
std::string LocalAppDataFolder();

// The program-wide user folder "T418-ZEN" under the local application-data folder, created
// when missing. Trailing '/'.
std::string UserFolder();

// The user data folder of one device type ("mouse", "keyboard", "MousePad", "HD") below the
// user folder, created when missing. Trailing '/'.
std::string DeviceDataFolder(const std::string& deviceType);

// The default-data folder: the program folder followed by "DefaultData/".
std::string DefaultDataFolder();

// The per-user configuration folder "T418-ZEN" below the system's configuration folder
// ($XDG_CONFIG_HOME, default ~/.config, on Linux). Not created. Trailing '/'.
std::string ConfigFolder();

// The per-session runtime folder ($XDG_RUNTIME_DIR, else a private folder under /tmp, on
// Linux). Not created. Trailing '/'.
std::string RuntimeFolder();

// The user's folder for temporary files ($TMPDIR, else /tmp, on Linux). Not created.
// Trailing '/'.
std::string TempFolder();

// Creates the folder and its parents; true when it exists afterwards.
bool EnsureFolder(const std::string& path);

// The path with a '/' appended unless it already ends in one (an empty path becomes "/").
std::string WithTrailingSlash(std::string path);

namespace detail {
// Realised per system beside ExecutableFolder.
// Where an installed program keeps its data, or "" when the system has no such place apart
// from the executable's folder. Trailing '/'.
std::string InstalledDataFolder();
// The user's configuration folder of the system, not the program's. Trailing '/'.
std::string UserConfigFolder();
}  // namespace detail

}  // namespace platform
