#include "panels/profiles/ProfileHandlers.h"

#include "devices/OrvaneUSBDevice.h"
#include "devices/ProfilePanel.h"
#include "panels/MacroUploadNotice.h"
#include "panels/profiles/DeviceProfileUI.h"
#include "panels/profiles/ProfileNames.h"
#include "panels/profiles/ProgramRules.h"
#include "panels/profiles/UploadGate.h"
#include "platform/Trace.h"
#include "ui/core/PaintManager.h"

namespace panels {
namespace {

using Result = ProfileListFile::Result;

// Device kinds whose page needs more after a profile switch.
constexpr int kKindKeyboard = 1;
constexpr int kKindMouseCable = 2;
constexpr int kKindMouseReceiver = 6;

}  // namespace

CDeviceProfileUI* ProfileHandlers::PanelOf(devices::COrvaneUSBDevice* device) {
    if (device == nullptr || device->GetManager() == nullptr)
        return nullptr;
    return dynamic_cast<CDeviceProfileUI*>(
        device->GetManager()->FindSubControlByName(device, devices::kProfilePanelName));
}

void ProfileHandlers::Add(devices::COrvaneUSBDevice* device) {
    CDeviceProfileUI* panel = PanelOf(device);
    if (panel == nullptr || !host_.Confirm("message_text_28"))
        return;
    const ProfileListFile::Outcome outcome = panel->AddProfile();
    if (outcome.result == Result::kFull)
        host_.ShowKey("message_text_32");
    else if (outcome.result == Result::kDone)
        Select(device);  // the new profile is the selected one: load it as a choice would
}

void ProfileHandlers::Delete(devices::COrvaneUSBDevice* device) {
    CDeviceProfileUI* panel = PanelOf(device);
    if (panel == nullptr || !host_.Confirm("message_text_30"))
        return;
    panel->GetProfileCount();  // the list as it is on disk now
    const int index = panel->GetCurrentIndex();
    ProfileListFile* list = panel->List();
    const std::string id = list != nullptr && index >= 0 && index < list->Count()
                               ? list->Entries()[static_cast<size_t>(index)].id
                               : std::string();
    // Without loading the new selection the device would keep the deleted profile and
    // write its file again at the next change.
    if (panel->DeleteProfile().result != Result::kDone)
        return;
    // A rule must not outlive its profile: a new profile could never take its place.
    if (!id.empty() && ProgramRules(device->GetUserDataFolder()).RemoveProfile(id) ==
                           ProgramRules::Change::kWriteFailed)
        platform::Trace("ProfileHandlers: the deleted profile's program rules stay behind\n");
    Select(device);
}

void ProfileHandlers::Copy(devices::COrvaneUSBDevice* device) {
    CDeviceProfileUI* panel = PanelOf(device);
    if (panel == nullptr || !host_.Confirm("message_text_27"))
        return;
    if (panel->CopyProfile().result == Result::kFull)
        host_.ShowKey("message_text_32");
}

void ProfileHandlers::Import(devices::COrvaneUSBDevice* device) {
    CDeviceProfileUI* panel = PanelOf(device);
    if (panel == nullptr || panel->GetCurrentIndex() < 0)
        return;
    const std::string path =
        host_.OpenFileDialog(host_.LanguageText("profile_import_title"), {kFileFilter});
    if (path.empty())
        return;
    switch (panel->ImportProfile(path).result) {
        case Result::kTitleTooLong:
            host_.ShowKey("message_text_34");
            break;
        case Result::kFull:
            host_.ShowKey("message_text_32");
            break;
        default:
            break;
    }
}

void ProfileHandlers::Export(devices::COrvaneUSBDevice* device) {
    CDeviceProfileUI* panel = PanelOf(device);
    if (panel == nullptr || panel->GetCurrentIndex() < 0)
        return;
    const std::string path =
        host_.SaveFileDialog(host_.LanguageText("profile_export_title"), {kFileFilter},
                             panel->GetCurrentProfileName() + ".json");
    if (!path.empty() && !panel->ExportProfile(path))
        platform::TraceF("ProfileHandlers: the profile could not be exported to \"%s\"\n",
                         path.c_str());
}

void ProfileHandlers::Rename(devices::COrvaneUSBDevice* device) {
    CDeviceProfileUI* panel = PanelOf(device);
    if (panel == nullptr)
        return;
    const std::string name = panel->GetNameEditText();
    switch (CheckTypedName(name)) {
        case NameProblem::kEmpty:
            host_.ShowKey("message_text_5_1");
            return;
        case NameProblem::kTooLong:
            host_.ShowKey("message_text_34");
            return;
        case NameProblem::kForbidden:
            host_.ShowKey("message_text_35");
            return;
        case NameProblem::kNone:
            break;
    }
    const int result = panel->RenameProfile(name);
    if (result == static_cast<int>(ProfileListFile::RenameResult::kNameUsed))
        host_.ShowKey("message_text_5");
    else if (result == static_cast<int>(ProfileListFile::RenameResult::kBlank))
        host_.ShowKey("message_text_25");
}

void ProfileHandlers::ResetDevice(devices::COrvaneUSBDevice* device) {
    if (device == nullptr || !host_.Confirm("message_text_22"))
        return;
    const UploadGate::Scope uploading;
    device->ResetToDefaultData();
    device->WriteCurrentKeyAssignments(0);
    device->WriteSettings(0, 0, 1, 0, 0);
}

void ProfileHandlers::ResetProfile(devices::COrvaneUSBDevice* device) {
    CDeviceProfileUI* panel = PanelOf(device);
    if (panel == nullptr || !host_.Confirm("message_text_22"))
        return;
    panel->ResetCurrentProfile();
    device->LoadProfile();
    device->RefreshPanel();
    device->WriteSettings(0, 0, 1, 0, 0);
    SendMacrosAndKeys(*device);
}

void ProfileHandlers::ToggleMenu(devices::COrvaneUSBDevice* device) {
    if (CDeviceProfileUI* panel = PanelOf(device))
        panel->ShowMenu(!panel->IsMenuVisible());
}

void ProfileHandlers::Select(devices::COrvaneUSBDevice* device) {
    CDeviceProfileUI* panel = PanelOf(device);
    if (panel == nullptr)
        return;
    const int index = panel->GetCurrentIndex();
    if (index < 0)
        return;  // nothing chosen: the device keeps its profile
    panel->SelectProfile(index, false);
    device->SetProfileBaseName(panel->GetCurrentProfileBaseName());
    LoadIntoDevice(*device);
    if (userSelectObserver_)
        userSelectObserver_(device);
}

bool ProfileHandlers::SelectForRule(devices::COrvaneUSBDevice* device, const std::string& id) {
    CDeviceProfileUI* panel = PanelOf(device);
    if (panel == nullptr || !panel->ShowProfileOf(id))
        return false;
    device->SetProfileBaseName(id);
    LoadIntoDevice(*device);
    return true;
}

void ProfileHandlers::LoadIntoDevice(devices::COrvaneUSBDevice& device) {
    const UploadGate::Scope uploading;
    device.LoadProfile();
    device.ValidateMacroReferences();
    device.RefreshPanel();
    device.WriteSettings(0, 0, 1, 0, 0);
    SendMacrosAndKeys(device);
}

void ProfileHandlers::SendMacrosAndKeys(devices::COrvaneUSBDevice& device) {
    const UploadGate::Scope uploading;
    const std::vector<int> indices = device.GetUsedMacroIndices();
    ShowMacroUploadResult(host_, device.GetUserDataFolder(), device.WriteMacros(indices), indices);
    // The key panel showed a record of the profile left behind: no key stays selected (both
    // mouse kinds; a stale panel would store the old record into the new profile).
    if (device.GetKind() == kKindMouseCable || device.GetKind() == kKindMouseReceiver)
        device.SelectKey(-1);
    else if (device.GetKind() == kKindKeyboard)
        platform::Trace("ProfileHandlers: keyboard custom colours are not built yet\n");
    device.WriteCurrentKeyAssignments(0);
}

}  // namespace panels
