#pragma once
// The mouse device object of the program, run without a window: its command channel open on
// the interface the tool found, the current profile of the profile list in the user folder
// the program uses.
#include <memory>
#include <string>

#include "devices/mouse/OrvaneMouseDevice.h"
#include "tools/zenctl/Command.h"

namespace zenctl {

struct MouseSession {
    std::unique_ptr<devices::COrvaneMouseDevice> device;
    std::string kind;  // "cable" or "receiver"
    std::string path;
};

// Finds the mouse's command interface (device: "", "cable" or "receiver") and opens the
// device object's channel on it. Null device (after a message) when there is none.
MouseSession OpenMouseSession(const std::string& device, const Options& options);

// The identifier of the selected profile of "ProfileList.ini" in the mouse's user data
// folder, by the rules of the program's profile list: without a usable list the first
// profile is created from the default document, as the program does.
std::string CurrentProfileName(const std::string& userDataFolder,
                               const std::string& defaultDocumentPath);

}  // namespace zenctl
