#include "devices/headset/OrvaneDA6533Device.h"

#include "devices/DeviceTabs.h"
#include "devices/ProfilePanel.h"
#include "ui/core/PaintManager.h"

namespace devices {
namespace {

// The voice tab's function page.
constexpr int kVoicePage = 6;

}  // namespace

COrvaneDA6533Device::COrvaneDA6533Device(platform::HidTransport* transport)
    : COrvaneUSBDevice(transport) {
    kind_ = hid::kKindHeadset;
    dataFolderName_ = "HD";
    profile_.SetDefaultDocumentPath(GetDefaultDocumentPath());
}

void COrvaneDA6533Device::BindPanelControls() {
    COrvaneUSBDevice::BindPanelControls();
    if (skinFile_.empty() || m_pManager == nullptr)
        return;
    profilePanel_ = m_pManager->FindSubControlByName(this, kProfilePanelName);
    if (auto* profiles = dynamic_cast<IProfilePanel*>(profilePanel_)) {
        profiles->SetKind(kind_);
        profiles->SetFolders(GetUserDataFolder(), GetDefaultDocumentPath());
        profiles->LoadList();
        profileBaseName_ = profiles->GetCurrentProfileBaseName();
    }
    ShowFunctionPage(kVoicePage);
    SelectFunctionTab(m_pManager, this, "6533_voice_Op_tab", {"deng_Op_tab", "otherset_Op_tab"});
}

}  // namespace devices
