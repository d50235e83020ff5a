#pragma once
// CKeySetControlUI: the key assignment panel of the mouse page ("KeySetControlItem"). It
// shows and edits the function of the selected key: the function combo picks one of twelve
// pages, each page's controls give the function's parameters, and the buttons store,
// restore, cancel and apply. It keeps the selected key's stored current and default
// assignments; KeyCodec turns them into control values and back (ReadState / ShowState are
// the only place where the controls meet the codec). The main window's key handlers call it.
//
// Its controls are found by name once after it joins a window (BindControls); a control the
// skin lacks is skipped wherever it is used. Setters called by code raise no notification.
//
// Threads: window thread only.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "devices/KeyPanel.h"
#include "panels/keys/KeyCodec.h"
#include "profile/Records.h"
#include "ui/core/UIDefs.h"
#include "ui/layout/HorizontalLayoutUI.h"

namespace ui {
class CButtonUI;
class CComboUI;
class CEditUI;
class COptionUI;
class CTabLayoutUI;
}  // namespace ui

namespace panels {

class CKeySetControlUI : public ui::CHorizontalLayoutUI, public devices::IKeyPanel {
  public:
    static constexpr const char* kClassName = "KeySetControlUI";

    // The controls of its layout.
    static constexpr const char* kLayoutName = "keyset_layout";
    static constexpr const char* kFunctionComboName = "keyset_function_combo";
    static constexpr const char* kDefaultButtonName = "key_butt_keydefalut";
    static constexpr const char* kSaveButtonName = "key_butt_keysave";
    static constexpr const char* kCancelButtonName = "key_butt_keycancel";
    static constexpr const char* kApplyButtonName = "key_butt_prosave";
    static constexpr const char* kPagesName = "function_switch_tablayout";
    static constexpr const char* kMouseKeyComboName = "keyset_mousekey_combo";
    static constexpr const char* kTiltComboName = "keyset_mouseswing_combo";
    static constexpr const char* kTiltCountEditName = "keyset_mouseswing_num_edit";
    static constexpr const char* kTiltDelayEditName = "keyset_mouseswing_delay_edit";
    static constexpr const char* kTiltSpeedEditName = "keyset_mouseswing_speed_edit";
    static constexpr const char* kWheelComboName = "keyset_mousewheel_combo";
    static constexpr const char* kWheelCountEditName = "keyset_mousewheel_num_edit";
    static constexpr const char* kWheelDelayEditName = "keyset_mousewheel_delay_edit";
    static constexpr const char* kWheelSpeedEditName = "keyset_mousewheel_speed_edit";
    static constexpr const char* kDpiComboName = "keyset_mousedpi_combo";
    static constexpr const char* kFireIntervalEditName = "keyset_mousefire_interval_edit";
    static constexpr const char* kFireShotsEditName = "keyset_mousefire_num_edit";
    static constexpr const char* kKeyboardTextEditName = "keyset_keyboard_text_edit";
    static constexpr const char* kMediaComboName = "keyset_media_combo";
    static constexpr const char* kSystemComboName = "keyset_system_combo";
    static constexpr const char* kMacroComboName = "keyset_macro_combo";
    static constexpr const char* kMacroOverComboName = "keyset_macro_over_combo";
    static constexpr const char* kCycleLayoutName = "keyset_macro_cycle_layout";
    static constexpr const char* kCycleEditName = "keyset_macro_cycle_edit";
    static constexpr const char* kGunComboName = "keyset_gunkey_combo";
    static constexpr const char* kCombinationComboName = "keyset_combokey_combo";
    // The modifier options are this prefix followed by 0-4 (none, Ctrl, Shift, Alt, Win).
    static constexpr const char* kModifierOptionPrefix = "key_ComBox_check_";
    // The hidden label that translates name keys.
    static constexpr const char* kTextProbeName = "text_test";
    // Macro combo items have this height (96-DPI pixels).
    static constexpr int kMacroItemHeight = 30;
    // Device types of SetDeviceType.
    static constexpr int kDeviceKeyboard = 1;
    static constexpr int kDeviceMouse = 2;

    CKeySetControlUI();
    ~CKeySetControlUI() override;

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;
    // Finds the controls once the panel has joined its window.
    void DoInit() override;
    // Finds the controls (again); for a panel whose children were added after it joined.
    void BindControls();

    // --- the selected key ------------------------------------------------------------------
    // Stores both halves and shows the current one.
    void ShowKeyRecord(const profile::KeyRecord& record) override;
    // Show the stored default or current assignment; what is stored stays (except that a
    // keyboard key no row names is kept as disabled, as it is shown).
    void ShowDefault();
    void ShowCurrent();
    // The assignment the controls stand for, followed by the stored default; the built
    // assignment becomes the stored current one.
    profile::KeyRecord BuildKeyRecord();
    // Replaces the stored current assignment; the controls stay.
    void SetCapturedAssignment(const profile::KeyAssignment& assignment);
    const profile::KeyAssignment& GetStoredCurrent() const { return current_; }
    const profile::KeyAssignment& GetStoredDefault() const { return default_; }

    // The controls as plain values, and back (setters without notification). A page whose
    // item the function combo lacks hides "keyset_layout".
    keys::KeyPanelState ReadState() const;
    void ShowState(const keys::KeyPanelState& state);

    // --- what the handlers of its controls need ----------------------------------------------
    // Shows the page of the selected function item; the keyboard page starts empty (no
    // modifier, no key).
    void OnFunctionItemSelected();
    // Shows the repeat count exactly while "N times" is the play mode.
    void OnMacroOverSelected();
    // A captured key: its modifier option, its text and the stored current assignment.
    void SetCaptured(const keys::CapturedKey& captured);

    // --- panel set-up ----------------------------------------------------------------------
    // 1 keyboard: the DPI and gun key pages are not offered; 2 mouse: all are.
    void SetDeviceType(int type) override;
    int GetDeviceType() const { return deviceType_; }
    void SetOwnerWindow(ui::HWND owner) { owner_ = owner; }
    ui::HWND GetOwnerWindow() const { return owner_; }

    // --- macros ------------------------------------------------------------------------------
    // One item per name (text and tooltip the name), nothing selected.
    void SetMacroNames(const std::vector<std::string>& names) override;
    // One item more at the end (a macro added or imported); the selection stays.
    void AddMacroItem(const std::string& name);
    // Index -1 or an empty name changes nothing.
    void RenameMacroItem(int index, const std::string& name);
    // Index -1 changes nothing.
    void RemoveMacroItem(int index);
    int GetMacroItemCount() const;

    // --- keyboard page -----------------------------------------------------------------------
    // Unselects the five modifier options, then selects option i (-1: none).
    void SelectModifier(int i);
    // The first selected option, or -1.
    int GetModifier() const;
    // Shows the language text of a name key in the keyboard text ("" empties it).
    void SetKeyText(const std::string& nameKey);
    // The language text of a name key, through the hidden label.
    std::string LanguageText(const std::string& nameKey) override;
    // The key list's name of a function: the names' texts joined with "+", or a text shown
    // as it is; nothing when the list keeps what it showed.
    std::optional<std::string> FunctionText(const profile::KeyAssignment& assignment,
                                            std::span<const std::string> macroNames) override;

    // Enables or disables the save, cancel and apply buttons together.
    void SetPendingButtons(bool enabled);

  private:
    struct Controls {
        ui::CControlUI* layout = nullptr;
        ui::CComboUI* function = nullptr;
        ui::CButtonUI* defaultButton = nullptr;
        ui::CButtonUI* saveButton = nullptr;
        ui::CButtonUI* cancelButton = nullptr;
        ui::CButtonUI* applyButton = nullptr;
        ui::CTabLayoutUI* pages = nullptr;
        ui::CComboUI* mouseKey = nullptr;
        ui::CComboUI* tilt = nullptr;
        ui::CEditUI* tiltCount = nullptr;
        ui::CEditUI* tiltDelay = nullptr;
        ui::CEditUI* tiltSpeed = nullptr;
        ui::CComboUI* wheel = nullptr;
        ui::CEditUI* wheelCount = nullptr;
        ui::CEditUI* wheelDelay = nullptr;
        ui::CEditUI* wheelSpeed = nullptr;
        ui::CComboUI* dpi = nullptr;
        ui::CEditUI* fireInterval = nullptr;
        ui::CEditUI* fireShots = nullptr;
        ui::CEditUI* keyboardText = nullptr;
        ui::CComboUI* media = nullptr;
        ui::CComboUI* system = nullptr;
        ui::CComboUI* macro = nullptr;
        ui::CComboUI* macroOver = nullptr;
        ui::CControlUI* cycleLayout = nullptr;
        ui::CEditUI* cycleEdit = nullptr;
        ui::CComboUI* gun = nullptr;
        ui::CComboUI* combination = nullptr;
        std::array<ui::COptionUI*, keys::kModifierOptions> modifiers{};
        ui::CControlUI* textProbe = nullptr;
    };

    ui::CControlUI* FindChild(const char* name) const;
    // Decodes `shown` into the controls.
    void ShowAssignment(const profile::KeyAssignment& shown);
    // The page of the function combo's selected item; -1 with none.
    int SelectedPage() const;

    Controls c_;
    profile::KeyAssignment current_;
    profile::KeyAssignment default_;
    std::string keyName_;  // the name key the keyboard text shows
    ui::HWND owner_ = nullptr;
    int deviceType_ = kDeviceMouse;
};

}  // namespace panels
