#include "app/devicelist/DeviceOptionUI.h"

#include "app/devicelist/FindChild.h"
#include "devices/OrvaneUSBDevice.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/PaintManager.h"
#include "ui/core/StringUtil.h"

namespace app {
namespace {

// The icon stem of a kind; nullptr: a mouse pad of an unknown sub-kind.
const char* StemFor(int kind, int subKind) {
    switch (kind) {
        case 1:
            return "kb";
        case 2:
            return "ms";
        case 3:
            if (subKind == 0)
                return "hard_mp";
            if (subKind == 1)
                return "soft_mp";
            return nullptr;
        case 4:
        case 7:
            return "hd";
        case 5:
            return "hub";
        default:
            return "unknow";
    }
}

}  // namespace

void* CDeviceOptionUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

bool CDeviceOptionUI::Activate() {
    if (!CHorizontalLayoutUI::Activate())
        return false;
    Select(true);
    return true;
}

ui::COptionUI* CDeviceOptionUI::SelectOption() {
    if (select_ == nullptr)
        select_ = FindChildAs<ui::COptionUI>(this, "device_select");
    return select_;
}

ui::COptionUI* CDeviceOptionUI::SynchroOption() {
    if (synchro_ == nullptr)
        synchro_ = FindChildAs<ui::COptionUI>(this, "synchro_device_select");
    return synchro_;
}

void CDeviceOptionUI::SetIcons(int kind, int subKind) {
    kind_ = kind;
    subKind_ = subKind;
    const char* stem = StemFor(kind, subKind);
    if (stem == nullptr)
        return;
    const std::string base = std::string("common/device_ico/") + stem;
    normalImage_ = base + "_device_normal.png";
    selectedImage_ = base + "_device_selected.png";
    synchroNormalImage_ = base + "_device_synchro_normal.png";
    synchroSelectedImage_ = base + "_device_synchro_selected.png";
    if (ui::COptionUI* option = SelectOption()) {
        option->SetResourceText(true);
        option->SetText(std::string(stem) + "_device_name_text");
    }
    ApplyImages();
}

void CDeviceOptionUI::ApplyImages() {
    ui::COptionUI* option = SelectOption();
    if (option == nullptr || normalImage_.empty())
        return;
    // A device marked for synchronised lighting shows the synchronised pair.
    const bool synchro = SynchroOption() != nullptr && synchro_->IsSelected();
    const std::string& normal = synchro ? synchroNormalImage_ : normalImage_;
    option->SetNormalImage(normal);
    option->SetHotImage(normal);
    option->SetSelectedImage(synchro ? synchroSelectedImage_ : selectedImage_);
}

bool CDeviceOptionUI::IsSelected() {
    ui::COptionUI* option = SelectOption();
    return option != nullptr && option->IsSelected();
}

void CDeviceOptionUI::Select(bool selected) {
    if (ui::COptionUI* option = SelectOption()) {
        if (option->IsSelected() != selected)
            option->Selected(selected, true);
    }
}

bool CDeviceOptionUI::IsSynchro() {
    ui::COptionUI* option = SynchroOption();
    return option != nullptr && option->IsSelected();
}

void CDeviceOptionUI::SetSynchro(bool synchro) {
    if (ui::COptionUI* option = SynchroOption())
        option->Selected(synchro, false);
    ApplyImages();
}

void CDeviceOptionUI::ShowSynchro(bool show) {
    if (ui::COptionUI* option = SynchroOption())
        option->SetVisible(show);
}

void CDeviceOptionUI::SetGroup(const std::string& group) {
    if (ui::COptionUI* option = SelectOption())
        option->SetGroup(group);
}

void CDeviceOptionUI::BindTab(const std::string& layoutName, int index) {
    tabName_ = layoutName;
    tabIndex_ = index;
}

void CDeviceOptionUI::SetPowerTab(const std::string& name, int index) {
    powerName_ = name;
    powerIndex_ = index;
}

void CDeviceOptionUI::SetName(const std::string& text) {
    if (nameLabel_ == nullptr)
        nameLabel_ = FindChild(this, "device_select_name");
    if (nameLabel_ != nullptr)
        nameLabel_->SetText(text);
}

void CDeviceOptionUI::Link(devices::COrvaneUSBDevice* device, ui::CControlUI* picture) {
    device_ = device;
    picture_ = picture;
}

void CDeviceOptionUI::SetVisible(bool visible) {
    shown_ = visible ? 1 : 0;
    CHorizontalLayoutUI::SetVisible(visible);
}

bool CDeviceOptionUI::StartTimer(uint32_t id, uint32_t ms) {
    if (m_pManager == nullptr)
        return false;
    m_pManager->KillTimer(this, id);
    return m_pManager->SetTimer(this, id, ms);
}

void CDeviceOptionUI::StopTimer(uint32_t id) {
    if (m_pManager != nullptr)
        m_pManager->KillTimer(this, id);
}

void CDeviceOptionUI::StopAllTimers() {
    if (m_pManager != nullptr)
        m_pManager->KillTimer(this);
}

bool CDeviceOptionUI::HasTimer(uint32_t id) const {
    return m_pManager != nullptr && m_pManager->HasTimer(const_cast<CDeviceOptionUI*>(this), id);
}

void CDeviceOptionUI::DoEvent(ui::TEventUI& event) {
    if (event.Type == ui::UIEVENT_TIMER) {
        OnTimer(static_cast<uint32_t>(event.wParam));
        return;
    }
    CHorizontalLayoutUI::DoEvent(event);
}

}  // namespace app
