#pragma once
// CLightControlUI: the lighting panel of a device page ("LightControlItem"). It shows the
// device's light record (mode, brightness, speed, direction, colour or multicolour) and its
// audio light record, and reads them back; the main window's light handlers turn a change
// into the device's record, profile and settings block. Which control groups a mode enables
// comes from LightLayouts.
//
// Children are found by name with FindSubControlByName on first use and kept. A missing
// control makes a setter do nothing and a getter answer its stated default; the audio
// operations trace the missing control and do the same. Selections and values set by code
// raise no notification.
//
// Threads: window thread only.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "devices/LightPanel.h"
#include "profile/LightRecords.h"
#include "ui/layout/HorizontalLayoutUI.h"

namespace ui {
class CButtonUI;
class CComboUI;
class CEditUI;
class COptionUI;
class CSliderUI;
class CColorPaletteUI;
}  // namespace ui

namespace panels {

class CLightControlUI : public ui::CHorizontalLayoutUI, public devices::ILightPanel {
  public:
    static constexpr const char* kClassName = "CLightControlUI";

    // Controls by name.
    static constexpr const char* kModeComboName = "light_combo_modeSelect";
    static constexpr const char* kCustomModeComboName = "light_combo_custommodeSelect";
    static constexpr const char* kZzccComboName = "light_combo_ZZCCmodeSelect";
    static constexpr const char* kAudioModeComboName = "light_combo_audiomodeSelect";
    static constexpr const char* kBrightnessSliderName = "deng_light_slider";
    static constexpr const char* kSpeedSliderName = "deng_speed_slider";
    static constexpr const char* kRedEditName = "deng_edit_R";
    static constexpr const char* kGreenEditName = "deng_edit_G";
    static constexpr const char* kBlueEditName = "deng_edit_B";
    static constexpr const char* kPaletteName = "deng_Color_Pallet";
    static constexpr const char* kColourButtonName = "deng_colordp_btn";
    static constexpr const char* kPresetPrefix = "color_option_";
    static constexpr const char* kMultiColourName = "deng_7color_check";
    static constexpr const char* kFirstDirectionName = "deng_FXL_check";
    static constexpr const char* kSecondDirectionName = "deng_FXR_check";
    static constexpr const char* kSameModeName = "deng_same_mode";
    static constexpr const char* kAudioRedEditName = "deng_audioedit_R";
    static constexpr const char* kAudioGreenEditName = "deng_audioedit_G";
    static constexpr const char* kAudioBlueEditName = "deng_audioedit_B";
    static constexpr const char* kAudioPaletteName = "deng_audioColor_Pallet";
    static constexpr const char* kAudioColourButtonName = "deng_audiocolordp_btn";
    static constexpr const char* kAudioPresetPrefix = "audiocolor_option_";
    static constexpr const char* kAudioMultiColourName = "deng_7audiocolor_check";
    static constexpr const char* kAudioBackgroundName = "audio_BkColor_check";
    static constexpr const char* kAudioForegroundName = "audio_FgColor_check";
    static constexpr const char* kAudioColourLayoutName = "light_audiocolor_layout";
    static constexpr const char* kAudioPaletteLayoutName = "audiocolorpallet_layout";
    // Mode list items are this high (96-DPI pixels).
    static constexpr int kModeItemHeight = 30;

    CLightControlUI();
    ~CLightControlUI() override;

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;

    // --- devices::ILightPanel -------------------------------------------------------------
    void SetLayoutFamily(int kind) override;
    void FillModeList(const std::vector<std::string>& names, const std::vector<bool>& visible,
                      int brightnessMaximum, int speedMaximum) override;
    void AppendCustomModes(const std::vector<std::string>& names) override;
    void SetLightInfo(uint32_t a, uint32_t b, uint32_t c, uint32_t d) override;
    void SetAudioLightInfo(uint32_t a, uint32_t b, uint32_t c) override;
    devices::AudioLightWords GetAudioLightInfo(bool colourFlag) override;
    void SetSameModeAllowed(bool allowed) override;

    int GetLayoutFamily() const { return family_; }
    // Selecting also applies the layout for (family, index). -1 without the combo.
    void SelectMode(int index);
    int GetSelectedMode();
    // 0 without the slider.
    void SetBrightness(int value);
    int GetBrightness();
    void SetSpeed(int value);
    int GetSpeed();
    // channel 0 red, 1 green, 2 blue; "" without the edit or for another channel.
    void SetColourText(int channel, const std::string& text);
    std::string GetColourText(int channel);
    // The palette selection and the colour button; 0xFF000000 without the palette.
    void SetPaletteColour(uint32_t argb);
    uint32_t GetPaletteColour();
    void SetColourButton(uint32_t argb);
    // The background of "color_option_<n>"; 0 without it.
    uint32_t GetPresetColour(int n);
    void SetMultiColour(bool on);
    bool IsMultiColour();
    // Non-zero selects the first direction and clears the second; zero the opposite.
    void SetDirection(int flag);
    void SelectZzccMode(int index);
    int GetZzccMode();
    void SelectCustomMode(int index);
    int GetCustomMode();
    // Enables and disables the groups for the mode (LightLayouts); other families leave the
    // panel as it is.
    void ApplyLayout(int family, int mode);
    // deng_same_mode shows exactly when the allowed flag and `flag` are both set.
    void ShowSameModeButton(bool flag);
    bool IsSameModeAllowed() const { return sameModeAllowed_ != 0; }

    // --- audio -------------------------------------------------------------------------------
    const profile::AudioLightRecord& AudioRecord() const { return audio_; }
    // The background of "audiocolor_option_<n>"; 0 without it.
    uint32_t GetLightAudioColor(int n);
    // 0xFF000000 without the palette.
    uint32_t GetAudioPaletteColour();
    // Text of the audio edit for index 0, 1, 2; "" otherwise or without the edit.
    std::string GetAudioColourText(int index);
    // Writes a colour into the audio edits, palette and colour button (no notification).
    void ShowAudioColour(uint8_t red, uint8_t green, uint8_t blue);

  private:
    // The child by name, looked up below the panel on first use and kept.
    ui::CControlUI* Child(const char* name);
    template <typename T>
    T* ChildAs(const char* name) {
        return dynamic_cast<T*>(Child(name));
    }
    ui::CEditUI* ColourEdit(int channel);
    ui::CEditUI* AudioEdit(int index);

    int family_ = 0;
    uint8_t sameModeAllowed_ = 0;
    profile::AudioLightRecord audio_;
    std::map<std::string, ui::CControlUI*, std::less<>> children_;
};

}  // namespace panels
