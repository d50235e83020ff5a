#include "app/MainWndRoutes.h"

#include <array>

namespace app {

namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// The index after the prefix: one to nine digits and nothing else.
std::optional<int> IndexAfter(std::string_view rest) {
    if (rest.empty() || rest.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char c : rest) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

constexpr Match N = Match::NoCase;
constexpr Match E = Match::Exact;
constexpr Match P = Match::Prefix;

constexpr std::array kNotifyTypes = std::to_array<RouteRow>({
    {"windowinit", E, Route::WindowInit},
    {"windowsize", E, Route::WindowSize},
    {"colorchanged", E, Route::ColorChanged},
    {"click", E, Route::Click},
    {"selectchanged", E, Route::SelectChanged},
    {"valuechanged", E, Route::ValueChanged},
    {"movevaluechanged", E, Route::MoveValueChanged},
    {"itemselect", E, Route::ItemSelect},
    {"msleave", E, Route::Quiet},
    {"msenter", E, Route::Quiet},
    {"itemclick", E, Route::Quiet},
    {"textchanged", E, Route::Quiet},
    {"killfocus", E, Route::KillFocus},
    {"itemactivate", E, Route::ItemActivate},
    {"click_select_end", E, Route::ClickSelectEnd},
    {"click_wpremove", E, Route::Swallowed},
    {"click_wpedit", E, Route::Swallowed},
});

constexpr std::array kClicks = std::to_array<RouteRow>({
    {"closebtn", N, Route::CloseButton},
    {"nodevice_ok_btn", N, Route::HideWindow},
    {"errordevice_ok_btn", N, Route::HideWindow},
    {"errordevice_connect_btn", N, Route::ReconnectSelected},
    {"control_light_status", N, Route::LightControlToggle},
    {"key_", P, Route::KeyPanel},
    {"color_option_", P, Route::Lighting},
    {"audiocolor_option_", P, Route::Lighting},
    {"windowdeviceset_", P, Route::WindowDeviceSet},
    {"DPI_color_option_", P, Route::Performance},
    {"default_btn", N, Route::ProfileReset},
    {"reset_repeat_btn", N, Route::KeyboardRepeatReset},
    {"device_add_btn", N, Route::ProfileFiles},
    {"device_sub_btn", N, Route::ProfileFiles},
    {"device_export_btn", N, Route::ProfileFiles},
    {"device_import_btn", N, Route::ProfileFiles},
    {"device_copy_btn", N, Route::ProfileFiles},
    {"device_reset_btn", N, Route::ProfileFiles},
    {"device_profile_edit_save_btn", N, Route::ProfileFiles},
    {"key_butt_keysave", N, Route::KeyPanel},
    {"key_butt_keydefalut", N, Route::KeyPanel},
    {"key_butt_keycancel", N, Route::KeyPanel},
    {"key_butt_prosave", N, Route::KeyPanel},
    {"macro_btn_starredio", N, Route::MacroPanel},
    {"macro_btn_stopredio", N, Route::MacroPanel},
    {"macro_btn_name_add", N, Route::MacroPanel},
    {"macro_btn_name_sub", N, Route::MacroPanel},
    {"macro_btn_name_edit", N, Route::MacroPanel},
    {"macro_btn_save", N, Route::MacroPanel},
    {"macro_btn_cancel", N, Route::MacroPanel},
    {"macro_btn_export", N, Route::MacroPanel},
    {"macro_btn_import", N, Route::MacroPanel},
    {"macro_btn_up", N, Route::MacroPanel},
    {"macro_btn_down", N, Route::MacroPanel},
    {"macro_btn_uptop", N, Route::MacroPanel},
    {"macro_btn_downbottom", N, Route::MacroPanel},
    {"macro_btn_delete", N, Route::MacroPanel},
    {"macro_btn_deleteall", N, Route::MacroPanel},
    {"macro_inset_moveleftkey_btn", E, Route::MacroPanel},
    {"macro_inset_moverightkey_btn", E, Route::MacroPanel},
    {"macro_inset_moveupkey_btn", E, Route::MacroPanel},
    {"macro_inset_movedownkey_btn", E, Route::MacroPanel},
    {"shootdate_save_btn", N, Route::ShootPanel},
    {"shootdate_reset_btn", N, Route::ShootPanel},
    {"shootdate_import_btn", N, Route::ShootPanel},
    {"shootdate_export_btn", N, Route::ShootPanel},
    {"bullet_selected_prev", N, Route::ShootPanel},
    {"bullet_selected_next", N, Route::ShootPanel},
    {"custom_bright_color_btn", N, Route::Lighting},
    {"custom_off_color_btn", N, Route::Lighting},
    {"deng_same_mode", N, Route::Lighting},
    {"hs_EQ_btn_save", N, Route::Headset},
    {"hs_EQ_btn_delete", N, Route::Headset},
    {"profile_fun_spread_btn", E, Route::ProfileMenuToggle},
    {"device_select_prev", N, Route::DeviceSelectPrev},
    {"device_select_next", N, Route::DeviceSelectNext},
    {"Close_bkColor_btn", N, Route::Lighting},
    {"music_setting_btn", N, Route::MusicWindow},
    {"device_link_btn", N, Route::ProgramLinks},
    {"device_link_add_btn", N, Route::ProgramLinks},
    {"device_link_sub_btn", N, Route::ProgramLinks},
});

constexpr std::array kOptions = std::to_array<RouteRow>({
    {"DPI_enable_check_", P, Route::Performance},
    {"DPI_select_check_", P, Route::Performance},
    {"polling_rate_option_", P, Route::Performance},
    {"repeat_delay_check_", P, Route::Performance},
    {"Silent_Altitude_option_", P, Route::Performance},
    {"Linear_Calibration_option_", P, Route::Performance},
    {"Ripple_option_", P, Route::Performance},
    {"mouse_device_seting_option_", P, Route::Performance},
    {"key_ComBox_check_", P, Route::KeyPanel},
    {"pointer_precision_check", N, Route::Performance},
    {"scrolls_page_check", N, Route::Performance},
    {"winlockflag_option", N, Route::Performance},
    {"wflag_option", N, Route::Performance},
    {"6flag_option", N, Route::Performance},
    {"shoot_gun_op_", P, Route::ShootPanel},
    {"bullet_op_", P, Route::ShootPanel},
    {"bullet_x_check", N, Route::ShootPanel},
    {"bullet_y_check", N, Route::ShootPanel},
    {"deng_FXL_check", N, Route::Lighting},
    {"deng_FXR_check", N, Route::Lighting},
    {"deng_7color_check", N, Route::Lighting},
    {"deng_7audiocolor_check", N, Route::Lighting},
    {"audio_BkColor_check", N, Route::Lighting},
    {"audio_FgColor_check", N, Route::Lighting},
    {"magic_option_", P, Route::Headset},
    {"6533_eq_option_", P, Route::Headset},
    {"magic_enable_option", N, Route::Headset},
    {"6533_MicIn_option", N, Route::Headset},
    {"6533_MicMoniter_option", N, Route::Headset},
    {"synchro_device_select", N, Route::DeviceSelect},
    {"device_select", N, Route::DeviceSelect},
    {"deng_Op_tab", N, Route::FunctionTab},
    {"otherset_Op_tab", N, Route::FunctionTab},
    {"key_Op_tab", N, Route::FunctionTab},
    {"macro_Op_tab", N, Route::FunctionTab},
    {"system_Op_tab", N, Route::FunctionTab},
    {"cursor_Op_tab", N, Route::FunctionTab},
    {"6533_voice_Op_tab", N, Route::FunctionTab},
    {"magic_Op_tab", N, Route::FunctionTab},
    {"Virtual7.1_Op_tab", N, Route::FunctionTab},
    {"device_link_follow_check", N, Route::ProgramLinks},
});

constexpr std::array kCombos = std::to_array<RouteRow>({
    {"device_profile_combo", N, Route::ProfileCombo},
    {"device_link_pick_combo", N, Route::ProgramLinks},
    {"device_link_combo", N, Route::ProgramLinks},
    {"light_combo_modeSelect", N, Route::Lighting},
    {"light_combo_custommodeSelect", N, Route::Lighting},
    {"light_combo_ZZCCmodeSelect", N, Route::Lighting},
    {"light_combo_audiomodeSelect", N, Route::Lighting},
    {"keyset_function_combo", N, Route::KeyPanel},
    {"keyset_macro_over_combo", N, Route::KeyPanel},
    {"keyset_mousekey_combo", N, Route::KeyPanel},
    {"keyset_mouseswing_combo", N, Route::KeyPanel},
    {"keyset_mousewheel_combo", N, Route::KeyPanel},
    {"keyset_mousedpi_combo", N, Route::KeyPanel},
    {"keyset_media_combo", N, Route::KeyPanel},
    {"keyset_system_combo", N, Route::KeyPanel},
    {"keyset_macro_combo", N, Route::KeyPanel},
    {"keyset_gunkey_combo", N, Route::KeyPanel},
    {"keyset_combokey_combo", N, Route::KeyPanel},
    {"Anti_Shake_combo_timeSelect", N, Route::Performance},
    {"ble_sleep1_combo", N, Route::Performance},
    {"ble_sleep2_combo", N, Route::Performance},
    {"device_sleep1_combo", N, Route::Performance},
    {"device_sleep2_combo", N, Route::Performance},
    {"logo_led_mode_combo", N, Route::Performance},
    {"macro_name_list", N, Route::MacroPanel},
    {"custom_eq_name_combo", N, Route::Headset},
});

constexpr std::array kMenu = std::to_array<RouteRow>({
    {"exit", E, Route::MenuExit},
    {"about_menu", N, Route::MenuAbout},
    {"setwnd_menu", N, Route::MenuSettings},
    {"autostart", N, Route::MenuAutostart},
});

}  // namespace

std::optional<RouteHit> FindRoute(std::span<const RouteRow> table, std::string_view name) {
    for (const RouteRow& row : table) {
        switch (row.match) {
            case Match::Exact:
                if (name == row.name)
                    return RouteHit{row.route};
                break;
            case Match::NoCase:
                if (EqualsNoCase(name, row.name))
                    return RouteHit{row.route};
                break;
            case Match::Prefix:
                if (name.size() > row.name.size() &&
                    EqualsNoCase(name.substr(0, row.name.size()), row.name)) {
                    if (auto index = IndexAfter(name.substr(row.name.size())))
                        return RouteHit{row.route, *index};
                }
                break;
        }
    }
    return std::nullopt;
}

std::span<const RouteRow> NotifyTypeRoutes() {
    return kNotifyTypes;
}
std::span<const RouteRow> ClickRoutes() {
    return kClicks;
}
std::span<const RouteRow> OptionRoutes() {
    return kOptions;
}
std::span<const RouteRow> ComboRoutes() {
    return kCombos;
}
std::span<const RouteRow> MenuRoutes() {
    return kMenu;
}

const char* RouteFeature(Route route) {
    switch (route) {
        case Route::ColorChanged:
        case Route::Lighting:
        case Route::ClickSelectEnd:
            return "lighting";
        case Route::ValueChanged:
        case Route::MoveValueChanged:
        case Route::Performance:
            return "performance";
        case Route::KillFocus:
            return "edits";
        case Route::KeyPanel:
            return "key assignment";
        case Route::MacroPanel:
            return "macros";
        case Route::ShootPanel:
            return "shoot settings";
        case Route::Headset:
            return "headset";
        case Route::ProfileReset:
        case Route::ProfileFiles:
        case Route::ProfileMenuToggle:
        case Route::ProfileCombo:
        case Route::ProgramLinks:
            return "profiles";
        case Route::KeyboardRepeatReset:
            return "keyboard";
        case Route::MusicWindow:
            return "music window";
        case Route::MenuAbout:
            return "about window";
        case Route::MenuSettings:
            return "settings window";
        case Route::FunctionTab:
            return "function tabs";
        default:
            return "main window";
    }
}

}  // namespace app
