#include "panels/light/LightControlUI.h"

#include <array>
#include <utility>

#include "panels/light/LightLayouts.h"
#include "panels/light/LightRules.h"
#include "platform/Trace.h"
#include "ui/controls/ButtonUI.h"
#include "ui/controls/ColorPaletteUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/ListElementUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/core/PaintManager.h"
#include "ui/core/StringUtil.h"

namespace panels {
namespace {

constexpr uint32_t kLightPanelOpaqueBlack = 0xFF000000u;

// The texts the audio operations trace when the skin lacks what they need.
constexpr const char* kLightPanelAudioSetMissing = " SetAudioLightInfo control is NULL\n";
constexpr const char* kLightPanelAudioGetMissing = "GetAudioLightInfo control is NULL\n";
constexpr const char* kLightPanelAudioTextMissing = "GetLightAudioColor control is NULL\n";

uint8_t LightWordByte(uint32_t word, int index) {
    return static_cast<uint8_t>(word >> (8 * index));
}

void EnableLightGroup(ui::CControlUI* control, light::Change change) {
    if (control != nullptr && change != light::Change::Keep)
        control->SetEnabled(change == light::Change::On);
}

void ShowLightGroup(ui::CControlUI* control, light::Change change) {
    if (control != nullptr && change != light::Change::Keep)
        control->SetVisible(change == light::Change::On);
}

void SelectLightOption(ui::COptionUI* option, bool selected) {
    if (option != nullptr)
        option->Selected(selected, false);
}

// An index the combo lacks selects nothing.
void SelectLightComboItem(ui::CComboUI* combo, int index) {
    if (combo == nullptr)
        return;
    if (index < -1 || index >= combo->GetCount())
        index = -1;
    combo->SelectItem(index, false, false);
}

int LightComboSelection(const ui::CComboUI* combo) {
    return combo != nullptr ? combo->GetCurSel() : -1;
}

void AddLightModeItem(ui::CComboUI& combo, const std::string& name, bool translated, bool visible) {
    auto* item = new ui::CListLabelElementUI;
    item->SetFixedHeight(CLightControlUI::kModeItemHeight);
    item->SetResourceText(translated);
    item->SetText(name);
    item->SetUserData(name);
    item->SetVisible(visible);
    combo.Add(item);
}

}  // namespace

CLightControlUI::CLightControlUI() = default;
CLightControlUI::~CLightControlUI() = default;

void* CLightControlUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName) || ui::EqualsNoCase(name, "LightControl"))
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

ui::CControlUI* CLightControlUI::Child(const char* name) {
    if (auto it = children_.find(std::string_view(name)); it != children_.end())
        return it->second;
    if (m_pManager == nullptr)
        return nullptr;
    ui::CControlUI* found = m_pManager->FindSubControlByName(this, name);
    // Only what was found is kept: a layout built later is still seen.
    if (found != nullptr)
        children_.emplace(name, found);
    return found;
}

ui::CEditUI* CLightControlUI::ColourEdit(int channel) {
    static constexpr std::array<const char*, 3> kNames = {kRedEditName, kGreenEditName,
                                                          kBlueEditName};
    if (channel < 0 || channel > 2)
        return nullptr;
    return ChildAs<ui::CEditUI>(kNames[static_cast<size_t>(channel)]);
}

ui::CEditUI* CLightControlUI::AudioEdit(int index) {
    static constexpr std::array<const char*, 3> kNames = {kAudioRedEditName, kAudioGreenEditName,
                                                          kAudioBlueEditName};
    if (index < 0 || index > 2)
        return nullptr;
    return ChildAs<ui::CEditUI>(kNames[static_cast<size_t>(index)]);
}

// --- what the device calls -------------------------------------------------------------------

void CLightControlUI::SetLayoutFamily(int kind) {
    family_ = kind;
}

void CLightControlUI::FillModeList(const std::vector<std::string>& names,
                                   const std::vector<bool>& visible, int brightnessMaximum,
                                   int speedMaximum) {
    if (auto* combo = ChildAs<ui::CComboUI>(kModeComboName)) {
        combo->RemoveAll();
        for (size_t i = 0; i < names.size(); ++i) {
            // A name without a visibility entry is shown.
            const bool shown = i < visible.size() ? static_cast<bool>(visible[i]) : true;
            AddLightModeItem(*combo, names[i], true, shown);
        }
    }
    if (auto* slider = ChildAs<ui::CSliderUI>(kBrightnessSliderName))
        slider->SetMaxValue(brightnessMaximum);
    if (auto* slider = ChildAs<ui::CSliderUI>(kSpeedSliderName))
        slider->SetMaxValue(speedMaximum);
}

void CLightControlUI::AppendCustomModes(const std::vector<std::string>& names) {
    auto* combo = ChildAs<ui::CComboUI>(kModeComboName);
    if (combo == nullptr)
        return;
    for (const std::string& name : names)
        AddLightModeItem(*combo, name, false, true);
}

void CLightControlUI::SetLightInfo(uint32_t a, uint32_t b, uint32_t c, uint32_t /*d*/) {
    const int mode = LightWordByte(a, 0);
    SelectMode(mode);
    SetBrightness(LightWordByte(a, 1));
    SetSpeed(LightWordByte(a, 2));
    const light::Rgb colour{LightWordByte(b, 1), LightWordByte(b, 2), LightWordByte(b, 3)};
    SetColourText(0, std::to_string(colour.red));
    SetColourText(1, std::to_string(colour.green));
    SetColourText(2, std::to_string(colour.blue));
    SetPaletteColour(light::PackArgb(colour));
    SetMultiColour(LightWordByte(b, 0) != 0);
    SelectZzccMode(LightWordByte(c, 3));
    SetDirection(LightWordByte(a, 3));
    // Once more: the steps above may have changed what the groups hold.
    ApplyLayout(family_, mode);
}

void CLightControlUI::SetSameModeAllowed(bool allowed) {
    sameModeAllowed_ = allowed ? 1 : 0;
    ApplyLayout(family_, GetSelectedMode());
}

// --- the light record's controls ---------------------------------------------------------

void CLightControlUI::SelectMode(int index) {
    SelectLightComboItem(ChildAs<ui::CComboUI>(kModeComboName), index);
    ApplyLayout(family_, index);
}

int CLightControlUI::GetSelectedMode() {
    return LightComboSelection(ChildAs<ui::CComboUI>(kModeComboName));
}

void CLightControlUI::SetBrightness(int value) {
    if (auto* slider = ChildAs<ui::CSliderUI>(kBrightnessSliderName))
        slider->SetValue(value, false);
}

int CLightControlUI::GetBrightness() {
    auto* slider = ChildAs<ui::CSliderUI>(kBrightnessSliderName);
    return slider != nullptr ? slider->GetValue() : 0;
}

void CLightControlUI::SetSpeed(int value) {
    if (auto* slider = ChildAs<ui::CSliderUI>(kSpeedSliderName))
        slider->SetValue(value, false);
}

int CLightControlUI::GetSpeed() {
    auto* slider = ChildAs<ui::CSliderUI>(kSpeedSliderName);
    return slider != nullptr ? slider->GetValue() : 0;
}

void CLightControlUI::SetColourText(int channel, const std::string& text) {
    if (ui::CEditUI* edit = ColourEdit(channel))
        edit->SetText(text, false);
}

std::string CLightControlUI::GetColourText(int channel) {
    ui::CEditUI* edit = ColourEdit(channel);
    return edit != nullptr ? edit->GetText() : std::string();
}

void CLightControlUI::SetPaletteColour(uint32_t argb) {
    if (auto* palette = ChildAs<ui::CColorPaletteUI>(kPaletteName))
        palette->SetSelectColor(argb, false);
    SetColourButton(argb);
}

uint32_t CLightControlUI::GetPaletteColour() {
    auto* palette = ChildAs<ui::CColorPaletteUI>(kPaletteName);
    return palette != nullptr ? palette->GetSelectColor() : kLightPanelOpaqueBlack;
}

void CLightControlUI::SetColourButton(uint32_t argb) {
    if (ui::CControlUI* button = Child(kColourButtonName))
        button->SetBkColor(argb);
}

uint32_t CLightControlUI::GetPresetColour(int n) {
    const std::string name = kPresetPrefix + std::to_string(n);
    ui::CControlUI* button = Child(name.c_str());
    return button != nullptr ? button->GetBkColor() : 0;
}

void CLightControlUI::SetMultiColour(bool on) {
    SelectLightOption(ChildAs<ui::COptionUI>(kMultiColourName), on);
}

bool CLightControlUI::IsMultiColour() {
    auto* check = ChildAs<ui::COptionUI>(kMultiColourName);
    return check != nullptr && check->IsSelected();
}

void CLightControlUI::SetDirection(int flag) {
    SelectLightOption(ChildAs<ui::COptionUI>(kFirstDirectionName), flag != 0);
    SelectLightOption(ChildAs<ui::COptionUI>(kSecondDirectionName), flag == 0);
}

void CLightControlUI::SelectZzccMode(int index) {
    SelectLightComboItem(ChildAs<ui::CComboUI>(kZzccComboName), index);
}

int CLightControlUI::GetZzccMode() {
    return LightComboSelection(ChildAs<ui::CComboUI>(kZzccComboName));
}

void CLightControlUI::SelectCustomMode(int index) {
    SelectLightComboItem(ChildAs<ui::CComboUI>(kCustomModeComboName), index);
}

int CLightControlUI::GetCustomMode() {
    return LightComboSelection(ChildAs<ui::CComboUI>(kCustomModeComboName));
}

void CLightControlUI::ApplyLayout(int family, int mode) {
    const std::optional<light::ModeLayout> layout = light::LayoutFor(family, mode);
    if (!layout)
        return;
    ShowSameModeButton(false);
    if (ui::CControlUI* direction = Child(light::kParameterGroupNames[light::kDirectionGroup]))
        direction->SetEnabled(true);
    for (size_t g = 0; g < light::kParameterGroupCount; ++g)
        EnableLightGroup(Child(light::kParameterGroupNames[g]), layout->groups[g]);
    for (size_t g = 0; g < light::kKeyboardGroupCount; ++g)
        ShowLightGroup(Child(light::kKeyboardGroupNames[g]), layout->keyboardGroups[g]);
    if (layout->labels) {
        const std::array<std::pair<const char*, const char*>, 2> relabel = {
            std::pair{kFirstDirectionName, layout->labels->first},
            std::pair{kSecondDirectionName, layout->labels->second}};
        for (const auto& [name, key] : relabel) {
            if (ui::CControlUI* option = Child(name)) {
                option->SetResourceText(true);
                option->SetText(key);
            }
        }
    }
    if (ui::CControlUI* effects = Child(light::kEffectLayoutName))
        effects->SetEnabled(true);
    ShowSameModeButton(layout->sameMode);
}

void CLightControlUI::ShowSameModeButton(bool flag) {
    if (ui::CControlUI* button = Child(kSameModeName))
        button->SetVisible(sameModeAllowed_ != 0 && flag);
}

// --- the audio light -------------------------------------------------------------------------

void CLightControlUI::SetAudioLightInfo(uint32_t a, uint32_t b, uint32_t c) {
    auto* mode = ChildAs<ui::CComboUI>(kAudioModeComboName);
    if (mode == nullptr) {
        platform::Trace(kLightPanelAudioSetMissing);
        return;
    }
    if (Child(kAudioColourButtonName) == nullptr) {
        platform::Trace(kLightPanelAudioGetMissing);
        return;
    }
    audio_ = light::FromAudioWords(devices::AudioLightWords{a, b, static_cast<uint8_t>(c)});
    SelectLightComboItem(mode, audio_.mode);
    auto* multiColour = ChildAs<ui::COptionUI>(kAudioMultiColourName);
    const bool foreground = audio_.colourType == 1;
    SelectLightOption(ChildAs<ui::COptionUI>(kAudioForegroundName), foreground);
    SelectLightOption(ChildAs<ui::COptionUI>(kAudioBackgroundName), !foreground);
    if (multiColour != nullptr)
        multiColour->SetEnabled(foreground);
    if (foreground) {
        SelectLightOption(multiColour, audio_.multiColour != 0);
        const light::Rgb shown = light::AudioForeground(audio_);
        ShowAudioColour(shown.red, shown.green, shown.blue);
    } else {
        const light::Rgb shown = light::AudioBackground(audio_);
        ShowAudioColour(shown.red, shown.green, shown.blue);
    }
    // Audio mode 3 takes no colour.
    const bool colours = audio_.mode != 3;
    for (const char* name : {kAudioColourLayoutName, kAudioPaletteLayoutName}) {
        if (ui::CControlUI* layout = Child(name))
            layout->SetEnabled(colours);
    }
}

devices::AudioLightWords CLightControlUI::GetAudioLightInfo(bool colourFlag) {
    auto* mode = ChildAs<ui::CComboUI>(kAudioModeComboName);
    auto* multiColour = ChildAs<ui::COptionUI>(kAudioMultiColourName);
    auto* background = ChildAs<ui::COptionUI>(kAudioBackgroundName);
    auto* foreground = ChildAs<ui::COptionUI>(kAudioForegroundName);
    ui::CControlUI* button = Child(kAudioColourButtonName);
    if (mode == nullptr || multiColour == nullptr || background == nullptr ||
        foreground == nullptr || button == nullptr) {
        platform::Trace(kLightPanelAudioGetMissing);
        return {};
    }
    profile::AudioLightRecord record = audio_;
    // Nothing selected keeps the stored mode.
    if (mode->GetCurSel() >= 0)
        record.mode = static_cast<uint8_t>(mode->GetCurSel());
    record.multiColour = multiColour->IsSelected() ? 1 : 0;
    const bool toBackground =
        background->IsSelected() && (audio_.colourType == 1 || !foreground->IsSelected());
    record.colourType = toBackground ? 0 : 1;
    if (colourFlag) {
        const light::Rgb colour = light::UnpackArgb(button->GetBkColor());
        if (record.colourType == 1) {
            record.foregroundRed = colour.red;
            record.foregroundGreen = colour.green;
            record.foregroundBlue = colour.blue;
        } else {
            record.backgroundRed = colour.red;
            record.backgroundGreen = colour.green;
            record.backgroundBlue = colour.blue;
        }
    }
    audio_ = record;
    return light::ToAudioWords(record);
}

uint32_t CLightControlUI::GetLightAudioColor(int n) {
    const std::string name = kAudioPresetPrefix + std::to_string(n);
    ui::CControlUI* button = Child(name.c_str());
    return button != nullptr ? button->GetBkColor() : 0;
}

uint32_t CLightControlUI::GetAudioPaletteColour() {
    auto* palette = ChildAs<ui::CColorPaletteUI>(kAudioPaletteName);
    return palette != nullptr ? palette->GetSelectColor() : kLightPanelOpaqueBlack;
}

std::string CLightControlUI::GetAudioColourText(int index) {
    for (int i = 0; i < 3; ++i) {
        if (AudioEdit(i) == nullptr) {
            platform::Trace(kLightPanelAudioTextMissing);
            return {};
        }
    }
    ui::CEditUI* edit = AudioEdit(index);
    return edit != nullptr ? edit->GetText() : std::string();
}

void CLightControlUI::ShowAudioColour(uint8_t red, uint8_t green, uint8_t blue) {
    const std::array<uint8_t, 3> values = {red, green, blue};
    for (int i = 0; i < 3; ++i) {
        if (ui::CEditUI* edit = AudioEdit(i))
            edit->SetText(std::to_string(values[static_cast<size_t>(i)]), false);
    }
    const uint32_t argb = light::PackArgb(light::Rgb{red, green, blue});
    if (auto* palette = ChildAs<ui::CColorPaletteUI>(kAudioPaletteName))
        palette->SetSelectColor(argb, false);
    if (ui::CControlUI* button = Child(kAudioColourButtonName))
        button->SetBkColor(argb);
}

}  // namespace panels
