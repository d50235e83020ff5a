#include "panels/macros/MacroHandlers.h"

#include <array>
#include <string>

#include "devices/mouse/OrvaneMouseDevice.h"
#include "hid/DeviceIdentity.h"
#include "panels/PanelHost.h"
#include "panels/keys/KeyHandlers.h"
#include "panels/keys/KeySetControlUI.h"
#include "panels/macros/MacroControlUI.h"
#include "panels/macros/MacroFiles.h"
#include "panels/macros/MacroRecorder.h"
#include "platform/InputHook.h"
#include "platform/Trace.h"
#include "ui/core/Backend.h"
#include "ui/core/PaintManager.h"
#include "ui/core/StringUtil.h"

namespace panels {
namespace {

using macros::RecordPlacement;

constexpr const char* kMacroPanelName = "MacroControlItem";
constexpr const char* kMacroFileFilter = "Macro Files(*.mac)";

// Hook modes of a recording.
constexpr int kRecordAppend = 4;
constexpr int kRecordBefore = 8;
constexpr int kRecordAfter = 16;
constexpr int kRecordSingle = 32;

// Mouse messages of the event row's context menu and of the move buttons.
constexpr uint32_t kLeftDown = 0x201;
constexpr uint32_t kRightDown = 0x204;
constexpr uint32_t kMiddleDown = 0x207;
constexpr uint32_t kXDown = 0x20B;
constexpr uint32_t kPointerMove = 0x200;

struct MenuInsert {
    const char* item;
    uint32_t message;  // the press; the release is message + 1
    int variant;       // X buttons: 0 forward, 1 back
    int events;        // 1: the message itself (a press or a release); 2: press and release
};

constexpr std::array kMenuInserts = {
    MenuInsert{"left_down", kLeftDown, 0, 1},     MenuInsert{"left_up", kLeftDown + 1, 0, 1},
    MenuInsert{"middle_down", kMiddleDown, 0, 1}, MenuInsert{"middle_up", kMiddleDown + 1, 0, 1},
    MenuInsert{"right_down", kRightDown, 0, 1},   MenuInsert{"right_up", kRightDown + 1, 0, 1},
    MenuInsert{"forward_down", kXDown, 0, 1},     MenuInsert{"forward_up", kXDown + 1, 0, 1},
    MenuInsert{"back_down", kXDown, 1, 1},        MenuInsert{"back_up", kXDown + 1, 1, 1},
    MenuInsert{"left_click", kLeftDown, 0, 2},    MenuInsert{"middle_click", kMiddleDown, 0, 2},
    MenuInsert{"right_click", kRightDown, 0, 2},  MenuInsert{"forward_click", kXDown, 0, 2},
    MenuInsert{"back_click", kXDown, 1, 2},
};

struct MenuRecording {
    const char* item;
    int timeMode;  // 0: real, or fixed when the fixed-delay option is chosen
    int hookMode;
};

constexpr std::array kMenuRecordings = {
    MenuRecording{"redio_previous_record_time", 0, kRecordBefore},
    MenuRecording{"redio_previous_constant_time", macros::kTimeFixed, kRecordBefore},
    MenuRecording{"redio_previous_ignore_time", macros::kTimeIgnore, kRecordBefore},
    MenuRecording{"redio_later_record_time", 0, kRecordAfter},
    MenuRecording{"redio_later_constant_time", macros::kTimeFixed, kRecordAfter},
    MenuRecording{"redio_later_ignore_time", macros::kTimeIgnore, kRecordAfter},
    MenuRecording{"macro_action_edit", macros::kTimeIgnore, kRecordSingle},
};

// The move buttons: a pointer move of the distance in their edit.
constexpr std::array<const char*, 4> kMoveButtons = {
    "macro_inset_moveleftkey_btn", "macro_inset_moverightkey_btn", "macro_inset_moveupkey_btn",
    "macro_inset_movedownkey_btn"};

bool IsMouse(int kind) {
    return kind == hid::kKindMouseCable || kind == hid::kKindMouseReceiver;
}

bool Is(std::string_view name, const char* control) {
    return ui::EqualsNoCase(name, control);
}

std::optional<RecordPlacement> PlacementOfMode(int mode) {
    switch (mode) {
        case kRecordAppend:
            return RecordPlacement::kAppend;
        case kRecordBefore:
            return RecordPlacement::kBefore;
        case kRecordAfter:
            return RecordPlacement::kAfter;
        case kRecordSingle:
            return RecordPlacement::kSingle;
        default:
            return std::nullopt;
    }
}

uint64_t NowMs() {
    return ui::GetBackend().NowMs();
}

// The fixed-delay edit read as an unsigned decimal (leading digits; saturating).
unsigned long long TypedNumber(const std::string& text) {
    unsigned long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value > 1000000000ULL ? value : value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

}  // namespace

CMacroHandlers::CMacroHandlers(IPanelHost& host, CKeyHandlers& keys,
                               std::function<bool(int)> installHook,
                               std::function<void()> removeHook)
    : host_(host),
      keys_(keys),
      installHook_(std::move(installHook)),
      removeHook_(std::move(removeHook)) {}

CMacroControlUI* CMacroHandlers::PanelOf(devices::COrvaneUSBDevice* device) {
    auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(device);
    if (mouse == nullptr || mouse->GetManager() == nullptr)
        return nullptr;
    return dynamic_cast<CMacroControlUI*>(
        mouse->GetManager()->FindSubControlByName(mouse, kMacroPanelName));
}

bool CMacroHandlers::OnClick(devices::COrvaneUSBDevice* device, int kind, std::string_view name) {
    static constexpr std::array kButtons = {
        "macro_btn_name_add",  "macro_btn_name_sub",  "macro_btn_name_edit",  "macro_btn_save",
        "macro_btn_cancel",    "macro_btn_import",    "macro_btn_export",     "macro_btn_up",
        "macro_btn_down",      "macro_btn_uptop",     "macro_btn_downbottom", "macro_btn_delete",
        "macro_btn_deleteall", "macro_btn_starredio", "macro_btn_stopredio",
    };
    bool known = false;
    for (const char* button : kButtons)
        known = known || Is(name, button);
    for (const char* button : kMoveButtons)
        known = known || name == button;
    if (!known)
        return false;
    auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(device);
    CMacroControlUI* panel = PanelOf(device);
    if (mouse == nullptr || panel == nullptr || !IsMouse(kind))
        return true;
    for (size_t v = 0; v < kMoveButtons.size(); ++v) {
        if (name == kMoveButtons[v]) {
            panel->InsertMouseAction(kPointerMove, static_cast<int>(v));
            Save(*panel);
            return true;
        }
    }
    if (Is(name, "macro_btn_name_add")) {
        Add(*mouse, *panel);
    } else if (Is(name, "macro_btn_name_sub")) {
        Delete(*mouse, *panel);
    } else if (Is(name, "macro_btn_name_edit")) {
        Rename(*mouse, *panel);
    } else if (Is(name, "macro_btn_save")) {
        Save(*panel);
    } else if (Is(name, "macro_btn_cancel")) {
        panel->SelectMacro();
    } else if (Is(name, "macro_btn_import")) {
        Import(*mouse, *panel);
    } else if (Is(name, "macro_btn_export")) {
        Export(*panel);
    } else if (Is(name, "macro_btn_up")) {
        panel->MoveActionUp();
        Save(*panel);
    } else if (Is(name, "macro_btn_down")) {
        panel->MoveActionDown();
        Save(*panel);
    } else if (Is(name, "macro_btn_uptop")) {
        panel->MoveActionTop();
        Save(*panel);
    } else if (Is(name, "macro_btn_downbottom")) {
        panel->MoveActionBottom();
        Save(*panel);
    } else if (Is(name, "macro_btn_delete") || Is(name, "macro_btn_deleteall")) {
        if (Is(name, "macro_btn_delete"))
            panel->DeleteAction();
        else
            panel->DeleteAllActions();
        Save(*panel);
        keys_.Apply(mouse);
    } else if (Is(name, "macro_btn_starredio")) {
        StartRecording(*panel, panel->IsFixedTimeChecked() ? macros::kTimeFixed : macros::kTimeReal,
                       kRecordAppend);
    } else if (Is(name, "macro_btn_stopredio")) {
        Stop(*mouse, *panel);
    }
    return true;
}

bool CMacroHandlers::OnItemSelect(devices::COrvaneUSBDevice* device, int kind,
                                  std::string_view name) {
    if (!Is(name, "macro_name_list"))
        return false;
    if (CMacroControlUI* panel = PanelOf(device); panel != nullptr && IsMouse(kind))
        panel->SelectMacro();
    return true;
}

bool CMacroHandlers::OnKillFocus(devices::COrvaneUSBDevice* device, int kind,
                                 std::string_view name) {
    if (name != "macro_delay")
        return false;
    if (CMacroControlUI* panel = PanelOf(device); panel != nullptr && IsMouse(kind))
        Save(*panel);
    return true;
}

bool CMacroHandlers::OnItemActivate(devices::COrvaneUSBDevice* device, int kind,
                                    std::string_view name) {
    if (name != "macro_action")
        return false;
    if (PanelOf(device) != nullptr && IsMouse(kind))
        host_.OpenContextMenu(kActionMenu);
    return true;
}

bool CMacroHandlers::OnMenuCommand(devices::COrvaneUSBDevice* device, int kind,
                                   std::string_view item) {
    const MenuInsert* insert = nullptr;
    for (const MenuInsert& row : kMenuInserts)
        insert = insert != nullptr ? insert : (item == row.item ? &row : nullptr);
    const MenuRecording* recording = nullptr;
    for (const MenuRecording& row : kMenuRecordings)
        recording = recording != nullptr ? recording : (item == row.item ? &row : nullptr);
    if (insert == nullptr && recording == nullptr)
        return false;
    CMacroControlUI* panel = PanelOf(device);
    if (panel == nullptr || !IsMouse(kind))
        return true;
    if (insert != nullptr) {
        panel->InsertMouseAction(insert->message, insert->variant);
        if (insert->events == 2)
            panel->InsertMouseAction(insert->message + 1, insert->variant);
        Save(*panel);
        return true;
    }
    if (recording_)
        return true;
    int timeMode = recording->timeMode;
    if (timeMode == 0)
        timeMode = panel->IsFixedTimeChecked() ? macros::kTimeFixed : macros::kTimeReal;
    StartRecording(*panel, timeMode, recording->hookMode);
    return true;
}

void CMacroHandlers::OnRecordedKey(devices::COrvaneUSBDevice* device, int mode, uint32_t message,
                                   const platform::HookKeyboardRecord& record) {
    CMacroControlUI* panel = PanelOf(device);
    std::optional<RecordPlacement> placement = PlacementOfMode(mode);
    if (panel == nullptr || !placement || !recording_)
        return;
    panel->Recorder().OnKey(*placement, message, record, NowMs(), *panel);
}

void CMacroHandlers::OnRecordedMouse(devices::COrvaneUSBDevice* device, int mode, uint32_t message,
                                     const platform::HookMouseRecord& record) {
    CMacroControlUI* panel = PanelOf(device);
    std::optional<RecordPlacement> placement = PlacementOfMode(mode);
    if (panel == nullptr || !placement || !recording_)
        return;
    panel->Recorder().OnMouse(*placement, message, record, NowMs(), *panel);
}

bool CMacroHandlers::StopRecording(devices::COrvaneUSBDevice* device) {
    if (!recording_)
        return false;
    auto* mouse = dynamic_cast<devices::COrvaneMouseDevice*>(device);
    CMacroControlUI* panel = PanelOf(device);
    if (mouse != nullptr && panel != nullptr) {
        Stop(*mouse, *panel);
    } else {
        recording_ = false;
        removeHook_();
        host_.SetSavedState(true, 1);
    }
    return true;
}

void CMacroHandlers::Add(devices::COrvaneMouseDevice& mouse, CMacroControlUI& panel) {
    if (!host_.Confirm("message_text_29"))
        return;
    const std::string name = panel.AddMacro();
    if (name.empty()) {
        host_.ShowKey("message_text_33");
        return;
    }
    if (CKeySetControlUI* keys = CKeyHandlers::PanelOf(&mouse))
        keys->AddMacroItem(name);
    mouse.LoadNameLists();
}

void CMacroHandlers::Delete(devices::COrvaneMouseDevice& mouse, CMacroControlUI& panel) {
    const int deleted = panel.SelectedMacroIndex();
    if (deleted < 0 || !host_.Confirm("message_text_4"))
        return;
    // Asked before anything is repaired, so that "no" leaves every profile as it was.
    std::vector<profile::KeyRecord> records = mouse.GetKeyRecords();
    if (macros::KeyListUsesMacro(records, deleted) && !host_.Confirm("message_text_2"))
        return;
    macros::RepairOtherProfiles(mouse.GetUserDataFolder(), mouse.GetDefaultDocumentPath(),
                                mouse.GetProfileBaseName(), deleted);
    const bool changed = macros::RepairKeyList(records, deleted);
    if (changed) {
        mouse.SetKeyRecords(records);
        // Saved now: the apply below skips the save when the mouse refuses the macros.
        mouse.SaveProfile();
    }
    panel.DeleteMacro();
    if (CKeySetControlUI* keys = CKeyHandlers::PanelOf(&mouse))
        keys->RemoveMacroItem(deleted);
    mouse.LoadNameLists();
    if (changed) {
        mouse.RefreshKeyNames();
        keys_.Apply(&mouse);
    }
}

void CMacroHandlers::Rename(devices::COrvaneMouseDevice& mouse, CMacroControlUI& panel) {
    const macros::MacroList::RenameResult result = panel.RenameMacro();
    if (result != macros::MacroList::RenameResult::kRenamed) {
        if (const char* key = macros::MacroList::RenameMessage(result); key && *key)
            host_.ShowKey(key);
        return;
    }
    const int index = panel.SelectedMacroIndex();
    const std::vector<std::string> names = panel.GetMacroNames();
    if (index >= 0 && static_cast<size_t>(index) < names.size()) {
        if (CKeySetControlUI* keys = CKeyHandlers::PanelOf(&mouse))
            keys->RenameMacroItem(index, names[static_cast<size_t>(index)]);
    }
    mouse.LoadNameLists();
    mouse.RefreshKeyNames();
}

void CMacroHandlers::Import(devices::COrvaneMouseDevice& mouse, CMacroControlUI& panel) {
    const std::string path =
        host_.OpenFileDialog(host_.LanguageText("macro_import_title"), {kMacroFileFilter});
    if (path.empty())
        return;
    macros::MacroList::ImportResult result = macros::MacroList::ImportResult::kUnreadable;
    const std::string name = panel.ImportMacro(path, &result);
    if (name.empty() || result != macros::MacroList::ImportResult::kImported) {
        if (const char* key = macros::MacroList::ImportMessage(result); key && *key)
            host_.ShowKey(key);
        return;
    }
    if (CKeySetControlUI* keys = CKeyHandlers::PanelOf(&mouse))
        keys->AddMacroItem(name);
    mouse.LoadNameLists();
}

void CMacroHandlers::Export(CMacroControlUI& panel) {
    const int index = panel.SelectedMacroIndex();
    const std::vector<std::string> names = panel.GetMacroNames();
    if (index < 0 || static_cast<size_t>(index) >= names.size())
        return;
    const std::string path =
        host_.SaveFileDialog(host_.LanguageText("macro_export_title"), {kMacroFileFilter},
                             names[static_cast<size_t>(index)] + ".mac");
    if (path.empty())
        return;
    const macros::MacroList::ExportResult result = panel.ExportMacro(path);
    if (result == macros::MacroList::ExportResult::kNotSaved)
        host_.ShowKey("macro_export_not_saved_text");
    else if (result == macros::MacroList::ExportResult::kWriteFailed)
        host_.ShowKey("macro_export_failed_text");
}

void CMacroHandlers::Save(CMacroControlUI& panel) {
    const CMacroControlUI::SaveResult saved = panel.SaveMacro();
    if (saved.messageKey != nullptr)
        host_.ShowKey(saved.messageKey);
}

void CMacroHandlers::StartRecording(CMacroControlUI& panel, int timeMode, int hookMode) {
    if (recording_)
        return;
    uint16_t fixedDelay = panel.GetFixedDelay();
    if (timeMode == macros::kTimeFixed) {
        const macros::CMacroRecorder::FixedDelayChoice choice =
            macros::CMacroRecorder::ClampFixedDelay(TypedNumber(panel.FixedTimeText()));
        if (choice.messageKey != nullptr)
            host_.ShowKey(choice.messageKey);
        fixedDelay = choice.delay;
        panel.SetFixedTimeText(std::to_string(fixedDelay));
        panel.SetFixedDelay(fixedDelay);
    }
    panel.Recorder().Start(timeMode, fixedDelay, NowMs());
    panel.EnterRecordingState();
    recording_ = true;
    const bool desktop = installHook_(hookMode);
    panel.ShowRecordingNotice(!desktop);
    if (!desktop)
        platform::Trace(
            "MacroHandlers: the input devices cannot be read; recording hears the "
            "program's windows only");
    host_.SetSavedState(true, 0);
}

void CMacroHandlers::Stop(devices::COrvaneMouseDevice& mouse, CMacroControlUI& panel) {
    if (!recording_)
        return;
    recording_ = false;
    panel.LeaveRecordingState();
    removeHook_();
    host_.SetSavedState(true, 1);
    Save(panel);
    keys_.Apply(&mouse);
}

}  // namespace panels
