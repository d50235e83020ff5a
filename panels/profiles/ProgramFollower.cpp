#include "panels/profiles/ProgramFollower.h"

#include <algorithm>

#include "devices/OrvaneUSBDevice.h"
#include "panels/profiles/DeviceProfileUI.h"
#include "panels/profiles/FollowSetting.h"
#include "panels/profiles/ProfileHandlers.h"
#include "panels/profiles/UploadGate.h"
#include "platform/Trace.h"
#include "ui/core/ControlUI.h"

namespace panels {
namespace {

using Names = std::vector<std::pair<std::string, std::string>>;  // id, name

std::string NameOfProfile(const Names& names, const std::string& id) {
    for (const auto& [entryId, name] : names) {
        if (entryId == id)
            return name;
    }
    return id;
}

// "%s — for %s" with the profile's and the program's names.
std::string FormatStatus(const std::string& format, const std::string& profile,
                         const std::string& program) {
    // Filled left to right, so that a "%s" inside a name is left as it is.
    std::string text = format;
    size_t from = 0;
    for (const std::string* part : {&profile, &program}) {
        const size_t at = text.find("%s", from);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, *part);
        from = at + part->size();
    }
    return text;
}

}  // namespace

ProgramFollower::ProgramFollower(ProfileHandlers& handlers, IPanelHost& host,
                                 const platform::ProcessWatcher& watcher, Hooks hooks)
    : handlers_(handlers), host_(host), watcher_(watcher), hooks_(std::move(hooks)) {
    if (!hooks_.storedChoice)
        hooks_.storedChoice = [] { return StoredFollowChoice(); };
    if (!hooks_.uploading)
        hooks_.uploading = [] { return UploadGate::Busy(); };
}

bool ProgramFollower::BuildSituation(devices::COrvaneUSBDevice& device,
                                     ProgramSwitchPolicy::Situation& s, Names* names) const {
    CDeviceProfileUI* panel = ProfileHandlers::PanelOf(&device);
    ProfileListFile* list = panel ? panel->List() : nullptr;
    if (list == nullptr)
        return false;
    list->Load();
    for (const ProfileEntry& entry : list->Entries()) {
        s.profileIds.push_back(entry.id);
        if (names != nullptr)
            names->emplace_back(entry.id, entry.name);
    }
    s.userProfileId = list->SelectedId();
    ProgramRules rules(device.GetUserDataFolder());
    rules.Load();
    s.rules = rules.Rules();
    s.enabled = FollowEnabled(hooks_.storedChoice(), !rules.Empty());
    s.programs = watcher_.Running();
    s.uploading = hooks_.uploading();
    s.nowMs = hooks_.nowMs ? hooks_.nowMs() : 0;
    return true;
}

void ProgramFollower::Update(const std::vector<devices::COrvaneUSBDevice*>& devices) {
    uint64_t retryAt = 0;
    for (devices::COrvaneUSBDevice* device : devices) {
        auto found = states_.find(device);
        if (device != nullptr && found != states_.end())
            Look(*device, found->second, retryAt);
    }
    if (retryAt != 0 && hooks_.lookAgainIn) {
        const uint64_t now = hooks_.nowMs ? hooks_.nowMs() : 0;
        const uint64_t delay = retryAt > now ? retryAt - now : 0;
        hooks_.lookAgainIn(static_cast<uint32_t>(std::max<uint64_t>(delay, 1)));
    }
}

void ProgramFollower::Look(devices::COrvaneUSBDevice& device, DeviceState& state,
                           uint64_t& retryAt) {
    ProgramSwitchPolicy::Situation situation;
    Names names;
    if (!BuildSituation(device, situation, &names))
        return;
    ProgramSwitchPolicy::Decision decision = state.policy.Decide(situation);
    for (const ProgramLink& link : decision.missing)
        platform::TraceF(
            "ProgramFollower: %s (pid %d) is linked to profile %s, which is not in "
            "the list; nothing is switched",
            link.program.c_str(), link.pid, link.profileId.c_str());
    switch (decision.kind) {
        case ProgramSwitchPolicy::Kind::kStay:
            break;
        case ProgramSwitchPolicy::Kind::kWait: {
            const uint64_t at =
                situation.uploading ? situation.nowMs + kUploadRetryMs : decision.retryAtMs;
            retryAt = retryAt == 0 ? at : std::min(retryAt, at);
            platform::TraceF("ProgramFollower: the switch to %s waits (%s)",
                             decision.profileId.c_str(),
                             situation.uploading ? "the device is busy" : "too soon");
            break;
        }
        case ProgramSwitchPolicy::Kind::kSwitch:
            if (hooks_.beforeSwitch)
                hooks_.beforeSwitch();
            if (decision.link)
                platform::TraceF("ProgramFollower: %s runs; profile %s",
                                 decision.link->program.c_str(), decision.profileId.c_str());
            else
                platform::TraceF("ProgramFollower: back to the chosen profile %s",
                                 decision.profileId.c_str());
            if (!handlers_.SelectForRule(&device, decision.profileId)) {
                platform::TraceF("ProgramFollower: profile %s cannot be shown; nothing switched",
                                 decision.profileId.c_str());
                break;
            }
            state.policy.Switched(decision, situation.nowMs);
            ++switches_;
            if (hooks_.afterSwitch)
                hooks_.afterSwitch(&device);
            break;
    }
    ShowStatus(device, state, names);
}

void ProgramFollower::ShowStatus(devices::COrvaneUSBDevice& device, DeviceState& state,
                                 const Names& names) {
    const std::optional<ProgramLink>& link = state.policy.ActiveLink();
    std::string status;
    if (link)
        status = FormatStatus(host_.LanguageText("profile_rule_status"),
                              NameOfProfile(names, link->profileId), link->program);
    if (status == state.status)
        return;
    state.status = status;
    if (ui::CControlUI* item = device.GetListItem())
        item->SetToolTip(status);
}

void ProgramFollower::DeviceReady(devices::COrvaneUSBDevice* device) {
    if (device == nullptr || ProfileHandlers::PanelOf(device) == nullptr)
        return;
    auto [state, added] = states_.try_emplace(device);
    if (added || state->second.policy.Active() != device->GetProfileBaseName())
        state->second.policy.Reset(device->GetProfileBaseName());
    Update({device});
}

void ProgramFollower::UserSelected(devices::COrvaneUSBDevice* device) {
    auto found = states_.find(device);
    if (device == nullptr || found == states_.end())
        return;
    ProgramSwitchPolicy::Situation situation;
    Names names;
    if (!BuildSituation(*device, situation, &names))
        return;
    found->second.policy.UserChose(device->GetProfileBaseName(), situation);
    ShowStatus(*device, found->second, names);
}

std::string ProgramFollower::StatusOf(devices::COrvaneUSBDevice* device) const {
    auto found = states_.find(device);
    return found == states_.end() ? std::string() : found->second.status;
}

const ProgramSwitchPolicy* ProgramFollower::PolicyOf(devices::COrvaneUSBDevice* device) const {
    auto found = states_.find(device);
    return found == states_.end() ? nullptr : &found->second.policy;
}

}  // namespace panels
