#pragma once
// The main window's handlers of the lighting panel: mode, brightness, speed, direction,
// multicolour, colour (palette, edits, presets), the audio light's mode and colours, and the
// LED selection on the mouse picture.
//
// A light handler reads the new value from the panel, shows it again through the panel's
// setter and runs the shared path (CommitLightChange): the record, the profile, the reloaded
// settings and the settings block. Audio handlers store and save the audio record
// (CommitAudioRecord) and never write to the device. Keyboard rows are recognised and left to
// the keyboard's device object; "deng_same_mode" and "control_light_status" belong to the
// light synchronisation and are not handled here.
//
// Each entry point takes the selected device (null: nothing is done), its kind and the
// control name, and answers whether the name is one of the lighting panel's controls.
// Threads: window thread only.
#include <string_view>

#include "panels/light/LightCommit.h"

namespace devices {
class COrvaneUSBDevice;
}

namespace ui {
class CControlUI;
}

namespace panels {

class IPanelHost;
class CLightControlUI;

class CLightHandlers {
  public:
    explicit CLightHandlers(IPanelHost& host);

    // The screen size sent with the settings block (taken at start-up).
    void SetScreenSize(light::ScreenSize screen) { screen_ = screen; }

    // "itemselect": light_combo_modeSelect, light_combo_ZZCCmodeSelect,
    // light_combo_custommodeSelect, light_combo_audiomodeSelect.
    bool OnItemSelect(devices::COrvaneUSBDevice* device, int kind, std::string_view name);
    // "valuechanged": deng_light_slider, deng_speed_slider.
    bool OnValueChanged(devices::COrvaneUSBDevice* device, int kind, std::string_view name);
    // "selectchanged": deng_7color_check, deng_FXL_check, deng_FXR_check,
    // deng_7audiocolor_check, audio_BkColor_check, audio_FgColor_check.
    bool OnSelectChanged(devices::COrvaneUSBDevice* device, int kind, std::string_view name);
    // "colorchanged": deng_Color_Pallet, deng_audioColor_Pallet.
    bool OnColorChanged(devices::COrvaneUSBDevice* device, int kind, std::string_view name);
    // "killfocus": deng_edit_R/G/B, deng_audioedit_R/G/B.
    bool OnKillFocus(devices::COrvaneUSBDevice* device, int kind, std::string_view name);
    // "click": color_option_<n>, audiocolor_option_<n>, Close_bkColor_btn; the keyboard's
    // custom colour buttons are recognised.
    bool OnClick(devices::COrvaneUSBDevice* device, int kind, std::string_view name);
    // "click_select_end" of a selection panel: the mouse's LED selection
    // ("mouse_device_key_light"); the keyboard's ("device_key_light") changes nothing.
    bool OnClickSelectEnd(devices::COrvaneUSBDevice* device, int kind, ui::CControlUI* sender);

    // The device page's lighting panel (null without one).
    static CLightControlUI* PanelOf(devices::COrvaneUSBDevice* device);

  private:
    IPanelHost& host_;
    light::ScreenSize screen_;
};

}  // namespace panels
