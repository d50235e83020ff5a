#pragma once
// Tells the user what became of the macros sent to a device, in the one presentation every
// sender uses (profile switch, key apply, macro page).
// Threads: window thread only.
#include <string>
#include <vector>

namespace panels {

class IPanelHost;

// result: WriteMacros' answer for the macros `indices` of the device's macro list, whose files
// are in userDataFolder. Nothing is shown for 0.
void ShowMacroUploadResult(IPanelHost& host, const std::string& userDataFolder, int result,
                           const std::vector<int>& indices);

}  // namespace panels
