#pragma once
// The user's choice to start the program with the session: kept with the other user
// settings (value "AutoStart" under the program's key) and mirrored by the session-start
// entry, which starts the program hidden in the tray. Any thread (the store and the entry
// are each written atomically); the window thread in the program.
#include <string>

namespace app {

inline constexpr const char kAutostartValueName[] = "AutoStart";
inline constexpr const char kAutostartMenuItem[] = "autostart";

// The stored choice; off when never made.
bool AutostartChosen();

// Writes or removes the entry for the program at executable, then stores the choice. False
// (choice unchanged) when the entry could not be changed.
bool ChooseAutostart(bool on, const std::string& executable);

}  // namespace app
