#pragma once
// The macro panel of a device page as the device object sees it when it binds its page: the
// device tells it where its macros live and has it read their list.
// Threads: window thread only.
#include <string>

namespace devices {

class IMacroPanel {
  public:
    virtual ~IMacroPanel() = default;
    // dataFolder ends with the path separator.
    virtual void SetDataFolder(const std::string& dataFolder) = 0;
    // Reads "macro.config" into the panel's list; false when it is missing or unusable.
    virtual bool LoadMacroList() = 0;
};

// The control name of the macro panel in every device page.
inline constexpr const char* kMacroPanelName = "MacroControlItem";

}  // namespace devices
