// The pad's page: its LED picture, profile panel and lighting panel. Window thread.
#include "controls/SelectPanelUI.h"
#include "devices/DeviceTabs.h"
#include "devices/LightPanel.h"
#include "devices/ProfilePanel.h"
#include "devices/pad/OrvaneMousePadDevice.h"
#include "ui/core/PaintManager.h"

namespace devices {
namespace {

constexpr const char* kPadLedPanelName = "mousepad_device_key_light";
constexpr int kLightingPage = 3;

ui::CControlUI* FindOnPadPage(ui::CPaintManagerUI* manager, ui::CControlUI* parent,
                              const std::string& name) {
    return manager == nullptr ? nullptr : manager->FindSubControlByName(parent, name);
}

}  // namespace

void COrvaneMousePadDevice::BuildPanel() {
    lightPanel_ = nullptr;
    if (skinFile_.empty()) {
        COrvaneUSBDevice::BindPanelControls();
        return;
    }
    selectPanel_ = FindOnPadPage(m_pManager, this, kPadLedPanelName);
    if (auto* panel = dynamic_cast<ui::CContainerUI*>(selectPanel_))
        BindSelectPanel(*panel);
    profilePanel_ = FindOnPadPage(m_pManager, this, kProfilePanelName);
    if (auto* profiles = dynamic_cast<IProfilePanel*>(profilePanel_)) {
        profiles->SetKind(kind_);
        profiles->SetFolders(GetUserDataFolder(), GetDefaultDocumentPath());
        profiles->LoadList();
        profileBaseName_ = profiles->GetCurrentProfileBaseName();
    }
    // The pad's one function page: its lighting.
    ShowFunctionPage(kLightingPage);
    SelectFunctionTab(m_pManager, this, "deng_Op_tab", {"otherset_Op_tab"});
    lightPanel_ = FindOnPadPage(m_pManager, this, kLightPanelName);
    auto* lights = dynamic_cast<ILightPanel*>(lightPanel_);
    if (lights != nullptr)
        lights->SetLayoutFamily(kind_);
    LoadNameLists();
    if (lights != nullptr)
        lights->FillModeList(lightNames_, lightVisible_, pad::kMaxBrightness, pad::kMaxSpeed);
}

void COrvaneMousePadDevice::RefreshPanel() {
    LoadNameLists();
    if (auto* lights = dynamic_cast<ILightPanel*>(lightPanel_)) {
        const std::array<uint32_t, 4> words = lightSettings_.ToWords();
        lights->SetLightInfo(words[0], words[1], words[2], words[3]);
        lights->SetAudioLightInfo(audioLight_.a, audioLight_.b, audioLight_.c);
    }
}

}  // namespace devices
