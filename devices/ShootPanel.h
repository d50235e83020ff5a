#pragma once
// The shoot panel of a device page as the device object sees it when it builds its page: the
// device tells it where the user's and the factory's shoot-data sets live, has it make sure
// the four user sets exist and selects the first set and bullet.
// Threads: window thread only.
#include <string>

namespace devices {

class IShootPanel {
  public:
    virtual ~IShootPanel() = default;
    // Folders end with the path separator.
    virtual void SetDataFolder(const std::string& dataFolder) = 0;
    virtual void SetDefaultFolder(const std::string& defaultFolder) = 0;
    // Finds its controls and gives every missing or unusable user set the factory copy.
    virtual void Init() = 0;
    // Selections by code raise no notification.
    virtual void SelectSet(int set) = 0;
    virtual void SelectBullet(int bullet) = 0;
};

// The control name of the shoot panel in every device page.
inline constexpr const char* kShootPanelName = "ShootControlItem";

}  // namespace devices
