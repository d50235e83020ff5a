#pragma once
// Profiles that follow programs: when the program watcher reports a change, each device whose
// page is ready looks at its program rules and the programs running and, as
// ProgramSwitchPolicy decides, selects a linked program's profile through the profile-select
// steps or goes back to the profile the user chose. Switches the policy defers (too soon
// after the last one, or while an upload is in progress) are looked at again when the owner's
// timer fires. It also keeps what the device list shows of the active rule.
// Threads: window thread only.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "panels/PanelHost.h"
#include "panels/profiles/ProgramSwitch.h"
#include "platform/ProcessWatcher.h"

namespace devices {
class COrvaneUSBDevice;
}

namespace panels {

class ProfileHandlers;

class ProgramFollower {
  public:
    struct Hooks {
        // A monotonic clock in milliseconds.
        std::function<uint64_t()> nowMs;
        // Arms the owner's one-shot timer; when it fires the owner calls Update.
        std::function<void(uint32_t delayMs)> lookAgainIn;
        // Runs just before a rule's switch (a pending restore of the last profile's game light
        // must not land on the new profile).
        std::function<void()> beforeSwitch;
        // Runs after a switch (the page shows what belongs to the new profile).
        std::function<void(devices::COrvaneUSBDevice*)> afterSwitch;
        // The user's on/off choice; StoredFollowChoice when not given.
        std::function<std::optional<bool>()> storedChoice;
        // The device is busy (an upload in progress, or work a switch would throw away);
        // UploadGate::Busy when not given.
        std::function<bool()> uploading;
    };
    // A deferred look comes at most this often while an upload is in progress.
    static constexpr uint32_t kUploadRetryMs = 200;

    ProgramFollower(ProfileHandlers& handlers, IPanelHost& host,
                    const platform::ProcessWatcher& watcher, Hooks hooks);

    // The programs changed, or the owner's timer fired: every ready device looks again.
    void Update(const std::vector<devices::COrvaneUSBDevice*>& devices);
    // The device's page is filled with the profile it loaded itself (connect).
    void DeviceReady(devices::COrvaneUSBDevice* device);
    // The user selected a profile on the device (Select ran).
    void UserSelected(devices::COrvaneUSBDevice* device);

    // "Shooter — for cs2" while a rule holds the device's profile, else "".
    std::string StatusOf(devices::COrvaneUSBDevice* device) const;
    // The device's policy; null before DeviceReady.
    const ProgramSwitchPolicy* PolicyOf(devices::COrvaneUSBDevice* device) const;
    int Switches() const { return switches_; }

  private:
    struct DeviceState {
        ProgramSwitchPolicy policy;
        std::string status;
    };
    // False when the device has no profile panel or list.
    bool BuildSituation(devices::COrvaneUSBDevice& device, ProgramSwitchPolicy::Situation& s,
                        std::vector<std::pair<std::string, std::string>>* names) const;
    void Look(devices::COrvaneUSBDevice& device, DeviceState& state, uint64_t& retryAt);
    void ShowStatus(devices::COrvaneUSBDevice& device, DeviceState& state,
                    const std::vector<std::pair<std::string, std::string>>& names);

    ProfileHandlers& handlers_;
    IPanelHost& host_;
    const platform::ProcessWatcher& watcher_;
    Hooks hooks_;
    std::map<devices::COrvaneUSBDevice*, DeviceState> states_;
    int switches_ = 0;
};

}  // namespace panels
