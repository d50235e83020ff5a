#include "panels/light/LightHandlers.h"

#include <optional>
#include <vector>

#include "controls/DeviceKeyButtonUI.h"
#include "devices/LightPanel.h"
#include "devices/OrvaneUSBDevice.h"
#include "hid/DeviceIdentity.h"
#include "panels/light/LedSelection.h"
#include "panels/light/LightControlUI.h"
#include "panels/light/LightRules.h"
#include "profile/JsonFile.h"
#include "ui/core/PaintManager.h"
#include "ui/core/StringUtil.h"
#include "ui/layout/ContainerUI.h"

namespace panels {
namespace {

using devices::COrvaneUSBDevice;
using Panel = CLightControlUI;

constexpr const char* kKeyboardBrightColourName = "custom_bright_color_btn";
constexpr const char* kKeyboardOffColourName = "custom_off_color_btn";
constexpr const char* kAudioBackgroundBlackName = "Close_bkColor_btn";
constexpr const char* kKeyboardLedSelectName = "device_key_light";

bool Is(std::string_view name, const char* control) {
    return ui::EqualsNoCase(name, control);
}

bool IsKeyboard(int kind) {
    return kind == hid::kKindKeyboard || kind == hid::kKindKeyboardReceiver;
}

// 0, 1, 2 for the red, green and blue edit of a trio; empty for other names.
std::optional<int> EditChannel(std::string_view name, const char* red, const char* green,
                               const char* blue) {
    if (Is(name, red))
        return 0;
    if (Is(name, green))
        return 1;
    if (Is(name, blue))
        return 2;
    return std::nullopt;
}

// A new single colour as the colour handlers show it: the three edits, the palette and its
// button, and multicolour off.
void ShowLightColour(Panel& panel, light::Rgb colour) {
    panel.SetColourText(0, std::to_string(colour.red));
    panel.SetColourText(1, std::to_string(colour.green));
    panel.SetColourText(2, std::to_string(colour.blue));
    panel.SetPaletteColour(light::PackArgb(colour));
    panel.SetMultiColour(false);
}

light::Rgb RecordColour(const profile::LightRecord& record) {
    return light::Rgb{record.red, record.green, record.blue};
}

// The audio record as the panel holds it; with takeButtonColour the colour on the audio colour
// button goes into the edited colour's bytes first.
profile::AudioLightRecord PanelAudioRecord(COrvaneUSBDevice& device, bool takeButtonColour) {
    return light::FromAudioWords(device.GetAudioLightSettings(takeButtonColour));
}

}  // namespace

CLightHandlers::CLightHandlers(IPanelHost& host) : host_(host) {}

CLightControlUI* CLightHandlers::PanelOf(COrvaneUSBDevice* device) {
    if (device == nullptr || device->GetManager() == nullptr)
        return nullptr;
    return dynamic_cast<CLightControlUI*>(
        device->GetManager()->FindSubControlByName(device, devices::kLightPanelName));
}

bool CLightHandlers::OnItemSelect(COrvaneUSBDevice* device, int kind, std::string_view name) {
    const bool mode = Is(name, Panel::kModeComboName);
    const bool zzcc = Is(name, Panel::kZzccComboName);
    const bool audio = Is(name, Panel::kAudioModeComboName);
    if (!mode && !zzcc && !audio && !Is(name, Panel::kCustomModeComboName))
        return false;
    Panel* panel = PanelOf(device);
    if (panel == nullptr)
        return true;
    if (mode) {
        const int p = panel->GetSelectedMode();
        if (p < 0)
            return true;
        panel->SelectMode(p);  // the layout follows the mode
        light::CommitLightChange(
            *device, [p](profile::LightRecord& r) { r.mode = static_cast<uint8_t>(p); }, screen_);
    } else if (zzcc && IsKeyboard(kind)) {
        const int z = panel->GetZzccMode();
        if (z < 0)
            return true;
        panel->SelectZzccMode(z);
        light::CommitLightChange(
            *device, [z](profile::LightRecord& r) { r.zzccMode = static_cast<uint8_t>(z); },
            screen_);
    } else if (audio) {
        light::CommitAudioRecord(*device, PanelAudioRecord(*device, true));
    }
    // The keyboard's custom mode (and its secondary mode on other pages) is the keyboard's.
    return true;
}

bool CLightHandlers::OnValueChanged(COrvaneUSBDevice* device, int, std::string_view name) {
    const bool brightness = Is(name, Panel::kBrightnessSliderName);
    if (!brightness && !Is(name, Panel::kSpeedSliderName))
        return false;
    Panel* panel = PanelOf(device);
    if (panel == nullptr)
        return true;
    if (brightness) {
        const int v = panel->GetBrightness();
        panel->SetBrightness(v);
        light::CommitLightChange(
            *device, [v](profile::LightRecord& r) { r.brightness = static_cast<uint8_t>(v); },
            screen_);
    } else {
        const int v = panel->GetSpeed();
        panel->SetSpeed(v);
        light::CommitLightChange(
            *device, [v](profile::LightRecord& r) { r.speed = static_cast<uint8_t>(v); }, screen_);
    }
    return true;
}

bool CLightHandlers::OnSelectChanged(COrvaneUSBDevice* device, int, std::string_view name) {
    const bool multi = Is(name, Panel::kMultiColourName);
    const bool first = Is(name, Panel::kFirstDirectionName);
    const bool second = Is(name, Panel::kSecondDirectionName);
    const bool audioMulti = Is(name, Panel::kAudioMultiColourName);
    const bool audioType =
        Is(name, Panel::kAudioBackgroundName) || Is(name, Panel::kAudioForegroundName);
    if (!multi && !first && !second && !audioMulti && !audioType)
        return false;
    Panel* panel = PanelOf(device);
    if (panel == nullptr)
        return true;
    if (multi) {
        const bool on = panel->IsMultiColour();
        panel->SetMultiColour(on);
        light::CommitLightChange(
            *device, [on](profile::LightRecord& r) { r.multiColour = on ? 1 : 0; }, screen_);
    } else if (first || second) {
        // Either option's change settles both: an option the user clicked off is put back.
        const uint8_t direction = first ? 1 : 0;
        panel->SetDirection(direction);
        light::CommitLightChange(
            *device, [direction](profile::LightRecord& r) { r.direction = direction; }, screen_);
    } else {
        // The multicolour check takes the colour on the button along; a change of the edited
        // colour takes none, so that the panel then shows the stored colour of that type.
        light::CommitAudioRecord(*device, PanelAudioRecord(*device, audioMulti));
    }
    return true;
}

bool CLightHandlers::OnColorChanged(COrvaneUSBDevice* device, int, std::string_view name) {
    const bool palette = Is(name, Panel::kPaletteName);
    if (!palette && !Is(name, Panel::kAudioPaletteName))
        return false;
    Panel* panel = PanelOf(device);
    if (panel == nullptr)
        return true;
    if (palette) {
        const light::Rgb colour = light::UnpackArgb(panel->GetPaletteColour());
        ShowLightColour(*panel, colour);
        light::CommitLightChange(
            *device, [colour](profile::LightRecord& r) { light::SetColour(r, colour); }, screen_);
    } else {
        profile::AudioLightRecord record = PanelAudioRecord(*device, true);
        // The palette keeps the audio multicolour as it is; the presets clear it.
        light::SetAudioColour(record, light::UnpackArgb(panel->GetAudioPaletteColour()), false);
        light::CommitAudioRecord(*device, record);
    }
    return true;
}

bool CLightHandlers::OnKillFocus(COrvaneUSBDevice* device, int, std::string_view name) {
    const std::optional<int> edit =
        EditChannel(name, Panel::kRedEditName, Panel::kGreenEditName, Panel::kBlueEditName);
    const std::optional<int> audioEdit = EditChannel(
        name, Panel::kAudioRedEditName, Panel::kAudioGreenEditName, Panel::kAudioBlueEditName);
    if (!edit && !audioEdit)
        return false;
    Panel* panel = PanelOf(device);
    if (panel == nullptr)
        return true;
    if (edit) {
        const int channel = *edit;
        const light::ChannelValue value = light::ParseChannelText(panel->GetColourText(channel));
        // The edit shows what is stored: "300" becomes "255", "" and "-5" become "0".
        panel->SetColourText(channel, value.shown);
        profile::LightRecord shown = device->LightSettings();
        light::SetChannel(shown, channel, value.value);
        panel->SetPaletteColour(light::PackArgb(RecordColour(shown)));
        panel->SetMultiColour(false);
        light::CommitLightChange(
            *device,
            [channel, value](profile::LightRecord& r) {
                light::SetChannel(r, channel, value.value);
            },
            screen_);
    } else {
        const int channel = *audioEdit;
        const uint8_t value = light::ParseChannelText(panel->GetAudioColourText(channel)).value;
        profile::AudioLightRecord record = PanelAudioRecord(*device, false);
        light::SetAudioChannel(record, channel, value);
        light::CommitAudioRecord(*device, record);
    }
    return true;
}

bool CLightHandlers::OnClick(COrvaneUSBDevice* device, int, std::string_view name) {
    const std::optional<int> preset = light::PresetNumber(name, Panel::kPresetPrefix);
    const std::optional<int> audioPreset = light::PresetNumber(name, Panel::kAudioPresetPrefix);
    const bool black = Is(name, kAudioBackgroundBlackName);
    if (!preset && !audioPreset && !black) {
        // The keyboard's custom colours are its device object's.
        return Is(name, kKeyboardBrightColourName) || Is(name, kKeyboardOffColourName);
    }
    Panel* panel = PanelOf(device);
    if (panel == nullptr)
        return true;
    if (preset) {
        const light::Rgb colour = light::UnpackArgb(panel->GetPresetColour(*preset));
        ShowLightColour(*panel, colour);
        light::CommitLightChange(
            *device, [colour](profile::LightRecord& r) { light::SetColour(r, colour); }, screen_);
    } else if (audioPreset) {
        profile::AudioLightRecord record = PanelAudioRecord(*device, true);
        light::SetAudioColour(record, light::UnpackArgb(panel->GetLightAudioColor(*audioPreset)),
                              true);
        light::CommitAudioRecord(*device, record);
    } else {
        profile::AudioLightRecord record = PanelAudioRecord(*device, false);
        record.backgroundRed = record.backgroundGreen = record.backgroundBlue = 0;
        light::CommitAudioRecord(*device, record);
    }
    return true;
}

bool CLightHandlers::OnClickSelectEnd(COrvaneUSBDevice* device, int, ui::CControlUI* sender) {
    if (sender == nullptr)
        return false;
    const std::string name = sender->GetName();
    if (Is(name, kKeyboardLedSelectName))
        return true;  // a keyboard's selection changes nothing
    if (!Is(name, devices::kMouseLedSelectName))
        return false;
    auto* panel = dynamic_cast<ui::CContainerUI*>(sender);
    if (device == nullptr || panel == nullptr)
        return true;
    std::vector<light::SelectedButton> buttons;
    for (int i = 0; i < panel->GetCount(); ++i) {
        auto* button = dynamic_cast<controls::CDeviceKeyButtonUI*>(panel->GetItemAt(i));
        if (button == nullptr)
            continue;
        buttons.push_back({button->GetName(), button->GetUserData(), button->GetSelected() != 0,
                           !button->IsVisible()});
    }
    if (!light::SelectsEveryLed(buttons, device->GetLedCount()))
        return true;
    // The light file of a whole selection is the current profile: its saved lighting is
    // applied again. A selection carries no settings per LED: the block has one colour.
    if (profile::LoadJsonFile(device->GetProfilePath()).isNull())
        return true;
    device->LoadProfile();
    device->RefreshPanel();
    device->WriteSettings(0, 0, 1, screen_.width, screen_.height);
    device->LoadLightSettings();
    return true;
}

}  // namespace panels
