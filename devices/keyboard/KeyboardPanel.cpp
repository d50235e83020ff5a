// The keyboard page: binding its picture and panels, refreshing them from the mirrors, the
// key selection, and the keyboard controls of the performance page. Window thread.
#include "controls/DeviceKeyButtonUI.h"
#include "controls/LedColour.h"
#include "controls/SelectPanelUI.h"
#include "devices/IndexedName.h"
#include "devices/KeyPanel.h"
#include "devices/LightPanel.h"
#include "devices/MacroPanel.h"
#include "devices/ProfilePanel.h"
#include "devices/keyboard/OrvaneKeyboardDevice.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/core/PaintManager.h"

namespace devices {
namespace {

constexpr const char* kKeyboardPicture = "keyboard_device_key_light";
constexpr const char* kRepeatBox = "repeat_input_richedit";
constexpr const char* kRepeatDelayLabel = "repeat_delay_time_label1";
constexpr const char* kProbeLabel = "text_test";
constexpr int kKeyboardOptions = 4;
constexpr int kKeyboardBrightnessMaximum = 4;
constexpr int kKeyboardSpeedMaximum = 4;
constexpr int kKeyboardDeviceType = 1;

int KeyboardClampOption(int n) {
    return n < 0 || n >= kKeyboardOptions ? 0 : n;
}

std::string KeyboardOptionName(const char* prefix, int n) {
    return std::string(prefix) + std::to_string(n);
}

}  // namespace

void COrvaneKeyboardDevice::BindPanelControls() {
    if (m_pManager != nullptr)
        m_pManager->AddNotifier(this);
    BuildPanel();
}

ui::CControlUI* COrvaneKeyboardDevice::PageControl(const std::string& name) {
    if (auto found = pageControls_.find(name); found != pageControls_.end())
        return found->second;
    if (m_pManager == nullptr)
        return nullptr;
    ui::CControlUI* control = m_pManager->FindSubControlByName(this, name);
    if (control != nullptr)
        pageControls_.emplace(name, control);
    return control;
}

void COrvaneKeyboardDevice::BuildPanel() {
    pageControls_.clear();
    lightPanel_ = nullptr;
    if (skinFile_.empty() || m_pManager == nullptr) {
        COrvaneUSBDevice::BindPanelControls();
        return;
    }
    auto* picture =
        dynamic_cast<ui::CContainerUI*>(m_pManager->FindSubControlByName(this, kKeyboardPicture));
    selectPanel_ = picture;
    if (picture != nullptr) {
        for (int i = 0; i < picture->GetCount(); ++i) {
            ui::CControlUI* child = picture->GetItemAt(i);
            if (child->GetClass() != controls::CDeviceKeyButtonUI::kClassName)
                continue;
            if (auto key = IndexFor(child->GetName(), "key_", keyButtons_.size())) {
                keyButtons_[*key] = child;
            } else if (auto led = IndexFor(child->GetUserData(), "light_", ledButtons_.size())) {
                ledButtons_[*led] = child;
                if (auto* button = dynamic_cast<controls::CDeviceKeyButtonUI*>(child))
                    button->SetLightColour(controls::PackLedColour(255, 255, 255), 255, true);
            }
        }
    }
    profilePanel_ = m_pManager->FindSubControlByName(this, kProfilePanelName);
    if (auto* profiles = dynamic_cast<IProfilePanel*>(profilePanel_)) {
        profiles->SetKind(kind_);
        profiles->SetFolders(GetUserDataFolder(), GetDefaultDocumentPath());
        profiles->LoadList();
        profileBaseName_ = profiles->GetCurrentProfileBaseName();
    }
    ShowFunctionPage(1);
    lightPanel_ = m_pManager->FindSubControlByName(this, kLightPanelName);
    auto* lights = dynamic_cast<ILightPanel*>(lightPanel_);
    if (lights != nullptr)
        lights->SetLayoutFamily(kind_);
    LoadNameLists();
    if (lights != nullptr)
        lights->FillModeList(lightNames_, lightVisible_, kKeyboardBrightnessMaximum,
                             kKeyboardSpeedMaximum);
    if (auto* macros =
            dynamic_cast<IMacroPanel*>(m_pManager->FindSubControlByName(this, kMacroPanelName))) {
        macros->SetDataFolder(GetUserDataFolder());
        macros->LoadMacroList();
    }
    ui::CControlUI* keys = m_pManager->FindSubControlByName(this, kKeyPanelName);
    if (auto* panel = dynamic_cast<IKeyPanel*>(keys)) {
        panel->SetDeviceType(kKeyboardDeviceType);
        panel->SetMacroNames(macroNames_);
        keys->SetVisible(false);
    }
}

void COrvaneKeyboardDevice::ShowFunctionPage(int page) {
    COrvaneUSBDevice::ShowFunctionPage(page);
    if (page != 1 && page != 2)
        return;
    // The key page's own button: usable on the first page only.
    if (ui::CControlUI* button = GetKeyButton(kFunctionKeyButton))
        button->SetEnabled(page == 1);
}

void COrvaneKeyboardDevice::SelectKey(int index) {
    selectedKey_ = index;
    ui::CControlUI* keys =
        m_pManager == nullptr ? nullptr : m_pManager->FindSubControlByName(this, kKeyPanelName);
    if (keys == nullptr)
        return;
    keys->SetVisible(false);
    if (index < 0 || static_cast<size_t>(index) >= keyRecords_.size() || !keyboard::HasKey(index))
        return;
    keys->SetVisible(true);
    if (auto* panel = dynamic_cast<IKeyPanel*>(keys))
        panel->ShowKeyRecord(keyRecords_[static_cast<size_t>(index)]);
}

std::string COrvaneKeyboardDevice::Translate(const std::string& key) {
    // The hidden probe label translates a key; its text is read back as the translation.
    ui::CControlUI* probe = PageControl(kProbeLabel);
    if (probe == nullptr)
        return key;
    probe->SetResourceText(true);
    probe->SetText(key);
    return probe->GetText();
}

void COrvaneKeyboardDevice::ClearRepeatTestBox() {
    if (auto* box = dynamic_cast<ui::CEditUI*>(PageControl(kRepeatBox)))
        box->SetText("", false);
}

void COrvaneKeyboardDevice::SetReportRateOption(int n) {
    n = KeyboardClampOption(n);
    for (int k = 0; k < kKeyboardOptions; ++k)
        if (auto* option = dynamic_cast<ui::COptionUI*>(
                PageControl(KeyboardOptionName("polling_rate_option_", k))))
            option->Selected(k == n, false);
}

void COrvaneKeyboardDevice::SetRepeatDelayOption(int n) {
    n = KeyboardClampOption(n);
    for (int k = 0; k < kKeyboardOptions; ++k)
        if (auto* option = dynamic_cast<ui::COptionUI*>(
                PageControl(KeyboardOptionName("repeat_delay_check_", k))))
            option->Selected(k == n, false);
    if (ui::CControlUI* label = PageControl(kRepeatDelayLabel)) {
        label->SetResourceText(false);
        label->SetText(Translate("Repeat_Delay_Time") + std::to_string(n * 250 + 250) + "ms");
    }
}

void COrvaneKeyboardDevice::SetRepeatRate(int position) {
    if (auto* slider = dynamic_cast<ui::CSliderUI*>(PageControl("repeat_rate_slider")))
        slider->SetValue(position, false);
}

int COrvaneKeyboardDevice::GetRepeatRate() {
    auto* slider = dynamic_cast<ui::CSliderUI*>(PageControl("repeat_rate_slider"));
    return slider != nullptr ? slider->GetValue() : 0;
}

void COrvaneKeyboardDevice::SetFlagCheck(const char* name, bool on) {
    if (auto* check = dynamic_cast<ui::COptionUI*>(PageControl(name)))
        check->Selected(on, false);
}

int COrvaneKeyboardDevice::GetFlagCheck(const char* name) {
    auto* check = dynamic_cast<ui::COptionUI*>(PageControl(name));
    return check != nullptr && check->IsSelected() ? 1 : 0;
}

void COrvaneKeyboardDevice::RefreshKeyboardControls() {
    using profile::HighHalf;
    using profile::LowHalf;
    const profile::KeyboardSystemRecord& w = keyboardSystem_;
    SetRepeatRate(LowHalf(w[0]));
    SetRepeatDelayOption(HighHalf(w[0]));
    SetFlagCheck("6flag_option", LowHalf(w[1]) != 0);
    SetReportRateOption(HighHalf(w[1]));
    SetFlagCheck("wflag_option", LowHalf(w[2]) != 0);
    SetFlagCheck("winlockflag_option", HighHalf(w[2]) != 0);
}

void COrvaneKeyboardDevice::RefreshPanel() {
    LoadNameLists();
    // The key summary: each key's function on its button's tooltip.
    ui::CControlUI* keys =
        m_pManager == nullptr ? nullptr : m_pManager->FindSubControlByName(this, kKeyPanelName);
    if (auto* panel = dynamic_cast<IKeyPanel*>(keys)) {
        panel->SetMacroNames(macroNames_);
        for (size_t i = 0; i < keyRecords_.size(); ++i) {
            ui::CControlUI* button = GetKeyButton(static_cast<int>(i));
            if (button == nullptr)
                continue;
            if (std::optional<std::string> text =
                    panel->FunctionText(keyRecords_[i].current, macroNames_))
                button->SetToolTip(*text);
        }
    }
    if (auto* lights = dynamic_cast<ILightPanel*>(lightPanel_)) {
        const std::array<uint32_t, 4> words = lightSettings_.ToWords();
        lights->SetLightInfo(words[0], words[1], words[2], words[3]);
        lights->SetAudioLightInfo(audioLight_.a, audioLight_.b, audioLight_.c);
    }
    RefreshKeyboardControls();
    if (auto* box = dynamic_cast<ui::CEditUI*>(PageControl(kRepeatBox))) {
        box->SetText("", false);
        box->SetTipValue(Translate("Repeat_input_text"));
    }
}

}  // namespace devices
