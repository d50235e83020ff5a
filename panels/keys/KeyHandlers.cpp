#include "panels/keys/KeyHandlers.h"

#include <array>

#include "devices/mouse/OrvaneMouseDevice.h"
#include "hid/DeviceIdentity.h"
#include "panels/MacroUploadNotice.h"
#include "panels/PanelHost.h"
#include "panels/keys/KeyApply.h"
#include "panels/keys/KeyCodec.h"
#include "panels/keys/KeySetControlUI.h"
#include "panels/keys/LeftButtonRule.h"
#include "profile/JsonFile.h"
#include "ui/core/StringUtil.h"

namespace panels {
namespace {

constexpr uint32_t kKeyDown = 0x100;
constexpr uint32_t kSysKeyDown = 0x104;
constexpr const char* kKeyboardTextEdit = "keyset_keyboard_text_edit";

// Combos whose choice is stored as it is made.
constexpr std::array kStoringCombos = {
    "keyset_mousekey_combo", "keyset_mouseswing_combo", "keyset_mousewheel_combo",
    "keyset_mousedpi_combo", "keyset_media_combo",      "keyset_system_combo",
    "keyset_macro_combo",    "keyset_gunkey_combo",     "keyset_combokey_combo",
};
// Number edits stored when they lose the focus.
constexpr std::array kStoringEdits = {
    "keyset_mouseswing_num_edit",     "keyset_mouseswing_delay_edit",
    "keyset_mouseswing_speed_edit",   "keyset_mousewheel_num_edit",
    "keyset_mousewheel_delay_edit",   "keyset_mousewheel_speed_edit",
    "keyset_mousefire_interval_edit", "keyset_mousefire_num_edit",
    "keyset_macro_cycle_edit",
};

template <size_t N>
bool Listed(const std::array<const char*, N>& names, std::string_view name) {
    for (const char* listed : names) {
        if (ui::EqualsNoCase(name, listed))
            return true;
    }
    return false;
}

bool IsMouse(int kind) {
    return kind == hid::kKindMouseCable || kind == hid::kKindMouseReceiver;
}

// The key "key_" + decimal N, as the router splits it.
bool IsKeyButton(std::string_view name, int index) {
    return index >= 0 && name.size() > 4 && ui::EqualsNoCase(name.substr(0, 4), "key_") &&
           name.substr(4) == std::to_string(index);
}

}  // namespace

CKeyHandlers::CKeyHandlers(IPanelHost& host) : host_(host) {}

CKeySetControlUI* CKeyHandlers::PanelOf(devices::COrvaneUSBDevice* device) {
    auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(device);
    return mouse == nullptr ? nullptr : dynamic_cast<CKeySetControlUI*>(mouse->KeyPanel());
}

std::optional<int> CKeyHandlers::InputHookRequest(std::string_view type, std::string_view name) {
    if (!ui::EqualsNoCase(name, kKeyboardTextEdit))
        return std::nullopt;
    if (type == "setfocus")
        return 1;
    if (type == "killfocus")
        return 0;
    return std::nullopt;
}

bool CKeyHandlers::OnClick(devices::COrvaneUSBDevice* device, int kind, std::string_view name,
                           int index) {
    const bool keyButton = IsKeyButton(name, index);
    const bool panelButton = ui::EqualsNoCase(name, "key_butt_keysave") ||
                             ui::EqualsNoCase(name, "key_butt_keydefalut") ||
                             ui::EqualsNoCase(name, "key_butt_keycancel") ||
                             ui::EqualsNoCase(name, "key_butt_prosave");
    if (!keyButton && !panelButton)
        return false;
    auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(device);
    CKeySetControlUI* panel = PanelOf(device);
    if (mouse == nullptr || panel == nullptr || !IsMouse(kind))
        return true;
    if (keyButton) {
        SelectKey(*mouse, *panel, index);
    } else if (ui::EqualsNoCase(name, "key_butt_keysave")) {
        Store(*mouse, *panel);
    } else if (ui::EqualsNoCase(name, "key_butt_keydefalut")) {
        panel->ShowDefault();
        MarkPending(*panel, true);
    } else if (ui::EqualsNoCase(name, "key_butt_keycancel")) {
        panel->ShowCurrent();
        MarkPending(*panel, false);
    } else {
        Apply(device);
    }
    return true;
}

bool CKeyHandlers::OnItemSelect(devices::COrvaneUSBDevice* device, int kind,
                                std::string_view name) {
    const bool function = ui::EqualsNoCase(name, "keyset_function_combo");
    const bool over = ui::EqualsNoCase(name, "keyset_macro_over_combo");
    if (!function && !over && !Listed(kStoringCombos, name))
        return false;
    auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(device);
    CKeySetControlUI* panel = PanelOf(device);
    if (mouse == nullptr || panel == nullptr || !IsMouse(kind))
        return true;
    if (function)
        panel->OnFunctionItemSelected();
    else if (over)
        panel->OnMacroOverSelected();
    Store(*mouse, *panel);
    return true;
}

bool CKeyHandlers::OnSelectChanged(devices::COrvaneUSBDevice* device, int kind,
                                   std::string_view name, int index) {
    if (name.size() < 17 || !ui::EqualsNoCase(name.substr(0, 17), "key_ComBox_check_"))
        return false;
    auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(device);
    CKeySetControlUI* panel = PanelOf(device);
    if (mouse == nullptr || panel == nullptr || !IsMouse(kind) || index < 0 ||
        index >= keys::kModifierOptions)
        return true;
    // The option the user left raises this too; only the chosen one counts.
    if (panel->GetModifier() != index)
        return true;
    panel->SelectModifier(index);
    Store(*mouse, *panel);
    return true;
}

bool CKeyHandlers::OnKillFocus(devices::COrvaneUSBDevice* device, int kind, std::string_view name) {
    if (!Listed(kStoringEdits, name))
        return false;
    auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(device);
    CKeySetControlUI* panel = PanelOf(device);
    if (mouse != nullptr && panel != nullptr && IsMouse(kind))
        Store(*mouse, *panel);
    return true;
}

void CKeyHandlers::OnCapturedKey(devices::COrvaneUSBDevice* device, int kind, uint32_t message,
                                 uint32_t scanCode, uint32_t flags) {
    if (message != kKeyDown && message != kSysKeyDown)
        return;
    auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(device);
    CKeySetControlUI* panel = PanelOf(device);
    if (mouse == nullptr || panel == nullptr || !IsMouse(kind))
        return;
    const std::optional<keys::CapturedKey> captured = keys::CaptureKey(
        scanCode, (flags & 0x01) != 0, panel->GetModifier(), panel->GetStoredCurrent());
    if (!captured)
        return;
    panel->SetCaptured(*captured);
    Store(*mouse, *panel);
}

void CKeyHandlers::Apply(devices::COrvaneUSBDevice* device) {
    if (device == nullptr)
        return;
    const keys::ApplyOutcome outcome =
        keys::ApplyKeysToDevice(*device, [&](const keys::ApplyOutcome& sent) {
            ShowMacroUploadResult(host_, device->GetUserDataFolder(), sent.macroResult, sent.used);
        });
    CKeySetControlUI* panel = PanelOf(device);
    auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(device);
    if (panel == nullptr || mouse == nullptr)
        return;
    if (outcome.refused) {
        // The selected key falls back to its default; with no key selected (apply from the
        // macro page) there is nothing to store.
        panel->ShowDefault();
        MarkPending(*panel, true);
        if (mouse->GetSelectedKey() >= 0)
            Store(*mouse, *panel);
        return;
    }
    MarkPending(*panel, false);
}

void CKeyHandlers::SelectKey(devices::COrvaneMouseDevice& mouse, CKeySetControlUI&, int index) {
    if (mouse.GetFunctionPage() != kKeyFunctionPage)
        return;
    // The profile must be readable; what it holds does not replace the edits not yet
    // applied, which the device's key list already carries.
    if (!profile::LoadJsonFile(mouse.GetProfilePath()).isObject())
        return;
    const std::vector<profile::KeyRecord>& records = mouse.GetKeyRecords();
    if (index < 0 || static_cast<size_t>(index) >= records.size())
        return;
    if (keys::IsLastLeftButton(records, static_cast<size_t>(index))) {
        host_.ShowKey("message_text_6");
        return;
    }
    mouse.SelectKey(index);
}

void CKeyHandlers::Store(devices::COrvaneMouseDevice& mouse, CKeySetControlUI& panel) {
    const int key = mouse.GetSelectedKey();
    if (key < 0 || static_cast<size_t>(key) >= mouse.GetKeyRecords().size())
        return;
    mouse.SetKeyRecord(key, panel.BuildKeyRecord());
    mouse.RefreshKeyNames();
    MarkPending(panel, true);
}

void CKeyHandlers::MarkPending(CKeySetControlUI& panel, bool pending) {
    panel.SetPendingButtons(pending);
    host_.SetSavedState(false, pending ? 0 : 1);
}

}  // namespace panels
