#pragma once
// The profile panel of a device page as the device object sees it when it binds its page:
// the device tells it where the profiles live and takes the current profile from it.
// Threads: window thread only.
#include <string>

namespace devices {

class IProfilePanel {
  public:
    virtual ~IProfilePanel() = default;
    virtual void SetKind(int kind) = 0;
    // userDataFolder ends with the path separator.
    virtual void SetFolders(const std::string& userDataFolder,
                            const std::string& defaultDocumentPath) = 0;
    // Reads (or creates) the profile list, fills the panel and selects the stored profile.
    virtual void LoadList() = 0;
    // The identifier (file base name) of the selected profile.
    virtual std::string GetCurrentProfileBaseName() const = 0;
};

// The control name of the profile panel in every device page.
inline constexpr const char* kProfilePanelName = "DeviceProfileItem";

}  // namespace devices
