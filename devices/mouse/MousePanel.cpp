// The mouse page: binding its controls and refreshing them from the mirrors. Window thread.
#include "controls/DeviceKeyButtonUI.h"
#include "controls/LedColour.h"
#include "controls/SelectPanelUI.h"
#include "devices/IndexedName.h"
#include "devices/LightPanel.h"
#include "devices/ProfilePanel.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/core/PaintManager.h"
#include "ui/core/StringUtil.h"

namespace devices {
namespace {

ui::CControlUI* Find(ui::CPaintManagerUI* manager, ui::CControlUI* parent,
                     const std::string& name) {
    return manager == nullptr ? nullptr : manager->FindSubControlByName(parent, name);
}

void LightWhite(ui::CControlUI* control) {
    if (auto* button = dynamic_cast<controls::CDeviceKeyButtonUI*>(control))
        button->SetLightColour(controls::PackLedColour(255, 255, 255), 255, true);
}

// The mouse's brightness steps (its speed has as many: mouse::kMaxSpeed).
constexpr int kMouseBrightnessMaximum = 4;

// Shows the light and audio light records in the page's lighting panel (none: nothing).
void ShowLightRecords(ui::CControlUI* panel, const profile::LightRecord& light,
                      const AudioLightWords& audio) {
    auto* lights = dynamic_cast<ILightPanel*>(panel);
    if (lights == nullptr)
        return;
    const std::array<uint32_t, 4> words = light.ToWords();
    lights->SetLightInfo(words[0], words[1], words[2], words[3]);
    lights->SetAudioLightInfo(audio.a, audio.b, audio.c);
}

}  // namespace

void COrvaneMouseDevice::BuildPanel() {
    // Bound anew: controls found before may be gone.
    pageControls_.clear();
    lightPanel_ = nullptr;
    if (skinFile_.empty()) {
        COrvaneUSBDevice::BindPanelControls();
        return;
    }
    auto* layout =
        dynamic_cast<ui::CContainerUI*>(Find(m_pManager, this, "mouse_device_seting_layout"));
    if (layout == nullptr)
        return;
    selectPanel_ = nullptr;
    keyLedPanel_ = nullptr;
    logoLed_ = nullptr;
    for (int p = 0; p < layout->GetCount(); ++p) {
        auto* panel = dynamic_cast<ui::CContainerUI*>(layout->GetItemAt(p));
        if (panel == nullptr || panel->GetClass() != controls::CSelectPanelUI::kClassName)
            continue;
        if (selectPanel_ == nullptr)
            selectPanel_ = panel;
        for (int i = 0; i < panel->GetCount(); ++i) {
            ui::CControlUI* child = panel->GetItemAt(i);
            if (child->GetClass() != controls::CDeviceKeyButtonUI::kClassName)
                continue;
            const std::string name = child->GetName();
            auto split = SplitIndexedName(name);
            if (auto key = IndexFor(name, "key_", keyButtons_.size())) {
                keyButtons_[*key] = child;
            } else if (auto led = IndexFor(name, "light_", ledButtons_.size())) {
                ledButtons_[*led] = child;
                LightWhite(child);
            } else if (split && ui::EqualsNoCase(split->prefix, "light_0_") && split->number >= 0) {
                const size_t n = static_cast<size_t>(split->number);
                if (n < keyLedButtons_.size())
                    keyLedButtons_[n] = child;
                else
                    keyLedButtons_.push_back(child);
                LightWhite(child);
                if (keyLedPanel_ == nullptr)
                    keyLedPanel_ = panel;
            } else if (auto userLed =
                           IndexFor(child->GetUserData(), "light_", ledButtons_.size())) {
                ledButtons_[*userLed] = child;
                LightWhite(child);
            }
            if (ui::EqualsNoCase(child->GetToolTip(), "logo"))
                logoLed_ = child;
        }
    }
    profilePanel_ = Find(m_pManager, this, kProfilePanelName);
    if (auto* profiles = dynamic_cast<IProfilePanel*>(profilePanel_)) {
        profiles->SetKind(kind_);
        profiles->SetFolders(GetUserDataFolder(), GetDefaultDocumentPath());
        profiles->LoadList();
        ShowFunctionPage(1);
        profileBaseName_ = profiles->GetCurrentProfileBaseName();
    } else {
        ShowFunctionPage(1);
    }
    // The lighting panel: its layout table, then the built-in modes (translated) followed by
    // the custom effects, so that position p >= 12 is custom effect p - 12.
    lightPanel_ = Find(m_pManager, this, kLightPanelName);
    auto* lights = dynamic_cast<ILightPanel*>(lightPanel_);
    if (lights != nullptr)
        lights->SetLayoutFamily(kind_);
    LoadNameLists();
    if (lights != nullptr) {
        lights->FillModeList(lightNames_, lightVisible_, kMouseBrightnessMaximum, mouse::kMaxSpeed);
        lights->AppendCustomModes(customLightNames_);
    }
    BindMacroPanel();
    BindKeyPanel();
    ShowPerformancePage(0);
}

void COrvaneMouseDevice::ShowFunctionPage(int page) {
    COrvaneUSBDevice::ShowFunctionPage(page);
    if (auto* info = Find(m_pManager, this, "device_tishi_info"))
        info->SetVisible(false);
}

void COrvaneMouseDevice::SetInfoBlock(const std::array<uint8_t, hid::kInfoBlockLength>& block) {
    infoBlock_ = block;
    ApplySliderRanges();
}

void COrvaneMouseDevice::ApplySliderRanges() {
    const SliderRange range = StageSliderRange();
    for (int i = 0; i < mouse::kStageCount; ++i) {
        const std::string n = std::to_string(i);
        if (auto* slider = PageControlAs<ui::CSliderUI>("DPI_slider_" + n); slider && range.set) {
            slider->SetMinValue(range.minimum);
            slider->SetMaxValue(range.maximum);
        }
        if (auto* edit = PageControlAs<ui::CEditUI>("DPI_edit_" + n))
            edit->SetNumberLimits(0, mouse::kStageEditMaximum);
    }
}

void COrvaneMouseDevice::RefreshStageControls() {
    const mouse::SensorParams sensor = Sensor();
    for (size_t i = 0; i < stageRecords_.size() && i < mouse::kStageCount; ++i) {
        const profile::DpiStageRecord& stage = stageRecords_[i];
        const int index = static_cast<int>(i);
        SetStageEnabled(index, stage.enabled != 0);
        ShowStageValue(index, mouse::PositionOfRecord(sensor, stage));
        SetStageColour(index, 0xFF000000u | uint32_t{stage.red} << 16 | uint32_t{stage.green} << 8 |
                                  stage.blue);
    }
}

void COrvaneMouseDevice::RefreshSystemControls() {
    using profile::HighHalf;
    using profile::LowHalf;
    const profile::SystemRecord& w = systemWords_;
    SetReportRateOption(HighHalf(w[2]));
    SelectBleSleep1(LowHalf(w[5]));
    SelectBleSleep2(HighHalf(w[5]));
    SelectDeviceSleep1(LowHalf(w[6]));
    SelectDeviceSleep2(HighHalf(w[6]));
    SelectDebounce(LowHalf(w[7]));
    SetSilentAltitudeOption(LowHalf(w[3]));
    SetLinearCalibrationOption(HighHalf(w[3]));
    SetRippleOption(LowHalf(w[4]));
    SelectLogoLedMode(HighHalf(w[7]));
}

void COrvaneMouseDevice::RefreshPanel() {
    LoadNameLists();
    RefreshKeyNames();
    ShowLightRecords(lightPanel_, lightSettings_, audioLight_);
    RefreshStageControls();
    RefreshSystemControls();
}

}  // namespace devices
