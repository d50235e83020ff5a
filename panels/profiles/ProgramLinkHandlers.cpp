#include "panels/profiles/ProgramLinkHandlers.h"

#include <algorithm>

#include "devices/OrvaneUSBDevice.h"
#include "panels/profiles/DeviceProfileUI.h"
#include "panels/profiles/FollowSetting.h"
#include "panels/profiles/ProfileHandlers.h"
#include "panels/profiles/ProgramRules.h"
#include "platform/Trace.h"
#include "ui/core/StringUtil.h"

namespace panels {
namespace {

std::string TrimmedPattern(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

ProgramLinkHandlers::ProgramLinkHandlers(IPanelHost& host, const platform::ProcessWatcher* watcher,
                                         std::function<void()> rulesChanged)
    : host_(host), watcher_(watcher), rulesChanged_(std::move(rulesChanged)) {}

bool ProgramLinkHandlers::OnClick(devices::COrvaneUSBDevice* device, const std::string& name) {
    if (ui::EqualsNoCase(name, kToggleButton))
        Toggle(device);
    else if (ui::EqualsNoCase(name, kAddButton))
        Add(device);
    else if (ui::EqualsNoCase(name, kRemoveButton))
        Remove(device);
    else
        return false;
    return true;
}

bool ProgramLinkHandlers::OnCombo(devices::COrvaneUSBDevice* device, const std::string& name) {
    if (!ui::EqualsNoCase(name, CDeviceProfileUI::kLinkPickName))
        return ui::EqualsNoCase(name, CDeviceProfileUI::kLinkComboName);
    if (CDeviceProfileUI* panel = ProfileHandlers::PanelOf(device)) {
        const std::string picked = panel->PickedProgram();
        if (!picked.empty())
            panel->SetLinkEditText(picked);
    }
    return true;
}

bool ProgramLinkHandlers::OnOption(devices::COrvaneUSBDevice* device, const std::string& name) {
    if (!ui::EqualsNoCase(name, CDeviceProfileUI::kFollowCheckName))
        return false;
    FollowChanged(device);
    return true;
}

void ProgramLinkHandlers::Refresh(devices::COrvaneUSBDevice* device) {
    CDeviceProfileUI* panel = ProfileHandlers::PanelOf(device);
    if (panel == nullptr)
        return;
    ProgramRules rules(device->GetUserDataFolder());
    rules.Load();
    panel->ShowLinks(rules.PatternsOf(panel->GetCurrentProfileBaseName()));
    panel->SetFollowCheck(FollowEnabled(StoredFollowChoice(), !rules.Empty()));
    std::vector<std::string> programs;
    if (watcher_ != nullptr) {
        for (const platform::RunningProgram& program : watcher_->Running())
            programs.push_back(program.Name());
    }
    std::sort(programs.begin(), programs.end());
    programs.erase(std::unique(programs.begin(), programs.end()), programs.end());
    panel->ShowPicker(programs);
}

void ProgramLinkHandlers::Toggle(devices::COrvaneUSBDevice* device) {
    CDeviceProfileUI* panel = ProfileHandlers::PanelOf(device);
    if (panel == nullptr)
        return;
    const bool show = !panel->IsLinkStripVisible();
    if (show) {
        panel->ShowMenu(false);
        Refresh(device);
    }
    panel->ShowLinkStrip(show);
}

void ProgramLinkHandlers::Add(devices::COrvaneUSBDevice* device) {
    CDeviceProfileUI* panel = ProfileHandlers::PanelOf(device);
    if (panel == nullptr || panel->GetCurrentProfileBaseName().empty())
        return;
    const std::string pattern = TrimmedPattern(panel->GetLinkEditText());
    if (CheckProgramPattern(pattern) != PatternProblem::kNone) {
        host_.ShowKey("profile_link_bad");
        return;
    }
    ProgramRules rules(device->GetUserDataFolder());
    switch (rules.Link(panel->GetCurrentProfileBaseName(), pattern)) {
        case ProgramRules::Change::kDone:
            panel->SetLinkEditText("");
            break;
        case ProgramRules::Change::kUnchanged:
            break;
        case ProgramRules::Change::kFull:
            host_.ShowKey("profile_link_full");
            return;
        case ProgramRules::Change::kBadPattern:
            host_.ShowKey("profile_link_bad");
            return;
        case ProgramRules::Change::kWriteFailed:
            host_.ShowKey("profile_link_failed");
            return;
    }
    Refresh(device);
    if (rulesChanged_)
        rulesChanged_();
}

void ProgramLinkHandlers::Remove(devices::COrvaneUSBDevice* device) {
    CDeviceProfileUI* panel = ProfileHandlers::PanelOf(device);
    if (panel == nullptr)
        return;
    const std::string pattern = panel->SelectedLink();
    if (pattern.empty())
        return;
    ProgramRules rules(device->GetUserDataFolder());
    if (rules.Unlink(panel->GetCurrentProfileBaseName(), pattern) ==
        ProgramRules::Change::kWriteFailed) {
        host_.ShowKey("profile_link_failed");
        return;
    }
    Refresh(device);
    if (rulesChanged_)
        rulesChanged_();
}

void ProgramLinkHandlers::FollowChanged(devices::COrvaneUSBDevice* device) {
    CDeviceProfileUI* panel = ProfileHandlers::PanelOf(device);
    if (panel == nullptr)
        return;
    if (!StoreFollowChoice(panel->IsFollowChecked())) {
        platform::Trace("ProgramLinks: the choice could not be stored\n");
        host_.ShowKey("profile_link_failed");
    }
    Refresh(device);
    if (rulesChanged_)
        rulesChanged_();
}

}  // namespace panels
