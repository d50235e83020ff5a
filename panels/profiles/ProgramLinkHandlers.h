#pragma once
// The main window's handlers of the profile panel's linked-programs strip: open and close it,
// link the typed (or picked) program to the shown profile, unlink the chosen one, and the
// switch that turns following programs on or off. Each takes the selected device object;
// with none, or without a profile panel on its page, it does nothing.
// Threads: window thread only.
#include <functional>
#include <string>

#include "panels/PanelHost.h"
#include "platform/ProcessWatcher.h"

namespace devices {
class COrvaneUSBDevice;
}

namespace panels {

class ProgramLinkHandlers {
  public:
    static constexpr const char* kToggleButton = "device_link_btn";
    static constexpr const char* kAddButton = "device_link_add_btn";
    static constexpr const char* kRemoveButton = "device_link_sub_btn";

    // watcher may be null (no picker entries); rulesChanged runs after every change of the
    // rules or of the switch.
    ProgramLinkHandlers(IPanelHost& host, const platform::ProcessWatcher* watcher,
                        std::function<void()> rulesChanged);

    // Clicks, combo choices and option changes of the strip; false for other names.
    bool OnClick(devices::COrvaneUSBDevice* device, const std::string& name);
    bool OnCombo(devices::COrvaneUSBDevice* device, const std::string& name);
    bool OnOption(devices::COrvaneUSBDevice* device, const std::string& name);
    // The strip shows the links of the profile now shown (after any profile switch).
    void Refresh(devices::COrvaneUSBDevice* device);

  private:
    void Toggle(devices::COrvaneUSBDevice* device);
    void Add(devices::COrvaneUSBDevice* device);
    void Remove(devices::COrvaneUSBDevice* device);
    void FollowChanged(devices::COrvaneUSBDevice* device);

    IPanelHost& host_;
    const platform::ProcessWatcher* watcher_;
    std::function<void()> rulesChanged_;
};

}  // namespace panels
