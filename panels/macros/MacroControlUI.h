#pragma once
// CMacroControlUI: the macro panel of the mouse page ("MacroControlItem"). It lists the
// device's macros (the macro list file of its data folder), shows the selected macro's events
// one row each in "macro_action_list", and edits them: rows moved, deleted, mouse actions
// inserted, the whole list saved back to the macro's file. It is also the event list the
// recorder writes into (IMacroEventList) and owns that recorder.
//
// The panel shows no message box: operations answer results and language keys, and the
// main window's handlers tell the user. Its controls are found by name once after it joins a
// window (BindControls); a control the skin lacks is skipped. Setters raise no notification.
//
// Threads: window thread only.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <json/value.h>

#include "devices/MacroPanel.h"
#include "panels/macros/MacroEventList.h"
#include "panels/macros/MacroFiles.h"
#include "panels/macros/MacroRecorder.h"
#include "platform/InputHook.h"
#include "ui/layout/HorizontalLayoutUI.h"

namespace ui {
class CButtonUI;
class CEditUI;
class CListUI;
class COptionUI;
}  // namespace ui

namespace panels {

class CMacroControlUI : public ui::CHorizontalLayoutUI,
                        public macros::IMacroEventList,
                        public devices::IMacroPanel {
  public:
    static constexpr const char* kClassName = "MacroControlUI";

    // The controls of its layout.
    static constexpr const char* kNameListName = "macro_name_list";
    static constexpr const char* kNameEditName = "macro_edit_macroname";
    static constexpr const char* kActionListName = "macro_action_list";
    static constexpr const char* kActionLayoutName = "macro_action_layout";
    static constexpr const char* kMoveLayoutName = "mouse_move_layout";
    static constexpr const char* kExportButtonName = "macro_btn_export";
    static constexpr const char* kDeleteMacroButtonName = "macro_btn_name_sub";
    static constexpr const char* kRenameButtonName = "macro_btn_name_edit";
    static constexpr const char* kNameTabName = "macro_name_tab";
    static constexpr const char* kActionTabEditName = "macro_tab_macroaction_edit";
    static constexpr const char* kDelayTabEditName = "macro_tab_macrodelay_edit";
    static constexpr const char* kStartButtonName = "macro_btn_starredio";
    static constexpr const char* kStopButtonName = "macro_btn_stopredio";
    static constexpr const char* kRecordTitleName = "macro_record_title_label";
    static constexpr const char* kFixedTimeCheckName = "macro_check_time";
    static constexpr const char* kFixedTimeEditName = "macro_fixed_time_edit";
    static constexpr const char* kLeftDistanceEditName = "mouse_x_left_edit";
    static constexpr const char* kRightDistanceEditName = "mouse_x_right_edit";
    static constexpr const char* kUpDistanceEditName = "mouse_y_up_edit";
    static constexpr const char* kDownDistanceEditName = "mouse_y_down_edit";
    // An event row and its delay edit.
    static constexpr const char* kRowName = "macro_action";
    static constexpr const char* kDelayEditName = "macro_delay";
    // The message of a save that dropped the events after the 60th.
    static constexpr const char* kTrimmedMessage = "message_text_26_1";

    static constexpr int kItemHeight = 30;  // macro items and event rows
    static constexpr int kDelayEditHeight = 25;
    static constexpr ui::UINT kScrollTimerId = 4101;
    static constexpr ui::UINT kScrollTimerMs = 50;

    // Pointer moves of InsertMouseAction (message 0x200): its variant.
    static constexpr uint32_t kMoveMessage = 0x200;
    static constexpr int kMoveLeft = 0;
    static constexpr int kMoveRight = 1;
    static constexpr int kMoveUp = 2;
    static constexpr int kMoveDown = 3;
    // X buttons (messages 0x20B/0x20C): its variant.
    static constexpr int kForwardButton = 0;
    static constexpr int kBackButton = 1;

    CMacroControlUI();
    ~CMacroControlUI() override;

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;
    void DoInit() override;
    void DoEvent(ui::TEventUI& event) override;
    // Finds the controls (again); for a panel whose children were added after it joined.
    void BindControls();

    // --- macros ------------------------------------------------------------------------------
    // The device's data folder (ends with the path separator).
    void SetDataFolder(const std::string& folder) override;
    const std::string& GetDataFolder() const { return folder_; }
    // Fills "macro_name_list" from the macro list file; nothing selected. False when the file
    // is missing or unusable (the list is then empty).
    bool LoadMacroList() override;
    const std::vector<std::string>& GetMacroNames() const { return names_; }
    const macros::MacroList& GetMacroList() const { return list_; }
    // Shows the selected macro's name and events (or a blank name and no rows) and starts
    // the scroll timer.
    void SelectMacro();
    // Selects item index (-1: none) and shows it.
    void SelectMacroItem(int index);
    // -1 when nothing is selected or the list is empty.
    int SelectedMacroIndex() const;
    // The new macro's name, selected and shown; "" when the list is full or cannot be written.
    std::string AddMacro();
    // Renames the selected macro to the name edit's text. After a refusal the edit shows the
    // current name again (MacroList::RenameMessage gives the refusal's message).
    macros::MacroList::RenameResult RenameMacro();
    // Deletes the selected macro: its file and entry, the list file rewritten, then the item;
    // item 0 is selected. The index removed, or -1 (nothing selected, or the list file could
    // not be written: then nothing changed).
    int DeleteMacro();
    // Adds the file as a new macro, selected and shown: its name, or "" with the reason in
    // result (MacroList::ImportMessage gives the message).
    std::string ImportMacro(const std::string& path,
                            macros::MacroList::ImportResult* result = nullptr);
    const std::string& GetLastImportPath() const { return lastImport_; }
    macros::MacroList::ExportResult ExportMacro(const std::string& path) const;

    // --- the selected macro's events ---------------------------------------------------------
    struct SaveResult {
        int code = -1;                     // 0 saved, -1 nothing to save or not written
        const char* messageKey = nullptr;  // kTrimmedMessage when rows were dropped
    };
    // Writes the rows to the macro's file: rows from the 60th on are removed first; an empty
    // delay edit is saved (and shown) as "0"; each row's stored event is replaced by what was
    // saved. A row without an event ends the walk.
    SaveResult SaveMacro();
    // The selected row moved by one, to the top or to the bottom (rebuilt from its stored
    // event and selected). False when nothing moved.
    bool MoveActionUp();
    bool MoveActionDown();
    bool MoveActionTop();
    bool MoveActionBottom();
    bool DeleteAction();
    void DeleteAllActions();
    // Inserts a mouse button event (messages 0x201-0x20C; X buttons by variant) or a pointer
    // move (0x200, variant kMove*; the distance from its edit) after the selected row, with
    // the fixed delay. A full list gets an empty row instead. False for any other message.
    bool InsertMouseAction(uint32_t message, int variant);

    // --- recording ---------------------------------------------------------------------------
    // The name tab, the event list and the tab edits disabled; start hidden, stop shown.
    void EnterRecordingState();
    void LeaveRecordingState();
    // While recording: the group's title says that only the program's own windows are heard
    // (the desktop's input devices cannot be read); leaving the recording state clears it.
    void ShowRecordingNotice(bool windowOnly);
    bool IsRecordingState() const { return recording_; }
    bool IsFixedTimeChecked() const;
    std::string FixedTimeText() const;
    // Writes the fixed delay edit's text with the caret at the end.
    void SetFixedTimeText(const std::string& text);
    // The delay inserted actions get (the last fixed delay a recording took; 50 at first).
    uint16_t GetFixedDelay() const { return fixedDelay_; }
    void SetFixedDelay(uint16_t delay) { fixedDelay_ = delay; }
    macros::CMacroRecorder& Recorder() { return recorder_; }

    // --- IMacroEventList ---------------------------------------------------------------------
    int RowCount() const override;
    int SelectedRow() const override;
    void SelectRow(int index) override;
    void InsertEventRow(int index, const Json::Value& event, const std::string& delayText) override;
    void AppendEmptyRow() override;
    Json::Value RowEvent(int index) const override;
    void SetRowEvent(int index, const Json::Value& event) override;
    void SetRowDelay(int index, uint16_t delay) override;
    void StartScrollTimer() override;
    std::optional<ui::Rect> StopButtonScreenRect() const override;

    // The delay edit of a row (null for an empty row or outside the list).
    ui::CEditUI* RowDelayEdit(int index) const;

  private:
    struct Controls {
        ui::CListUI* names = nullptr;
        ui::CEditUI* nameEdit = nullptr;
        ui::CListUI* actions = nullptr;
        ui::CControlUI* actionLayout = nullptr;
        ui::CControlUI* moveLayout = nullptr;
        ui::CControlUI* exportButton = nullptr;
        ui::CControlUI* deleteButton = nullptr;
        ui::CControlUI* renameButton = nullptr;
        ui::CControlUI* nameTab = nullptr;
        ui::CControlUI* actionTabEdit = nullptr;
        ui::CControlUI* delayTabEdit = nullptr;
        ui::CControlUI* startButton = nullptr;
        ui::CControlUI* stopButton = nullptr;
        ui::COptionUI* fixedTimeCheck = nullptr;
        ui::CEditUI* fixedTimeEdit = nullptr;
        ui::CEditUI* distances[4] = {};  // left, right, up, down
    };

    ui::CControlUI* FindChild(const char* name) const;
    // A macro item of "macro_name_list" (text and tooltip the name, user data the id).
    void AddMacroItem(const macros::MacroEntry& entry);
    // The five controls that need a selected macro.
    void EnableMacroControls(bool enabled);
    void ClearActions();
    // The labels of a row shown for its event.
    void RenderRow(ui::CControlUI* row, const Json::Value& event) const;
    bool MoveSelectedRow(int to);
    // The scroll timer's tick: the list scrolled to its last row, the timer stopped.
    void OnScrollTimer();

    Controls c_;
    std::string folder_;
    macros::MacroList list_{""};
    std::vector<std::string> names_;
    std::string lastImport_;
    uint16_t fixedDelay_ = macros::kDefaultFixedDelay;
    bool recording_ = false;
    macros::CMacroRecorder recorder_;
};

}  // namespace panels
