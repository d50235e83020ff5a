#include "panels/macros/MacroControlUI.h"

#include <algorithm>
#include <cstdlib>

#include "platform/Trace.h"
#include "ui/controls/ButtonUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/ListElementUI.h"
#include "ui/controls/ListUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/PaintManager.h"

namespace panels {
namespace {

constexpr ui::Color kDelayEditBackground = 0xFF444444;
constexpr ui::UINT kDelayEditMaxChars = 6;
constexpr long long kDelayTypedMin = 10;
constexpr long long kDelayTypedMax = 65535;
constexpr const char* kDelayEditStyle = "macro_label_text_style";

// The children of an event row, in order.
enum MacroRowChild { kMacroRowName = 0, kMacroRowAction = 1, kMacroRowDelay = 2 };

void MacroEnable(ui::CControlUI* control, bool enabled) {
    if (control != nullptr)
        control->SetEnabled(enabled);
}

void MacroShow(ui::CControlUI* control, bool visible) {
    if (control != nullptr)
        control->SetVisible(visible);
}

// A decimal number typed into an edit; 0 for anything else.
unsigned long MacroEditNumber(const ui::CEditUI* edit) {
    if (edit == nullptr)
        return 0;
    const std::string text = edit->GetText();
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    return end == text.c_str() ? 0 : value;
}

// The mouse button bit and press flag of a button message; false for other messages.
bool MacroButtonOf(uint32_t message, int variant, int& button, bool& down) {
    switch (message) {
        case 0x201:
        case 0x202:
            button = 0x01;
            break;
        case 0x204:
        case 0x205:
            button = 0x02;
            break;
        case 0x207:
        case 0x208:
            button = 0x04;
            break;
        case 0x20B:
        case 0x20C:
            if (variant == CMacroControlUI::kForwardButton)
                button = 0x10;
            else if (variant == CMacroControlUI::kBackButton)
                button = 0x08;
            else
                return false;
            break;
        default:
            return false;
    }
    down = message == 0x201 || message == 0x204 || message == 0x207 || message == 0x20B;
    return true;
}

}  // namespace

CMacroControlUI::CMacroControlUI() = default;
CMacroControlUI::~CMacroControlUI() = default;

void* CMacroControlUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

void CMacroControlUI::DoInit() {
    CHorizontalLayoutUI::DoInit();
    BindControls();
}

void CMacroControlUI::DoEvent(ui::TEventUI& event) {
    if (event.Type == ui::UIEVENT_TIMER && event.wParam == kScrollTimerId) {
        OnScrollTimer();
        return;
    }
    CHorizontalLayoutUI::DoEvent(event);
}

ui::CControlUI* CMacroControlUI::FindChild(const char* name) const {
    if (m_pManager == nullptr)
        return nullptr;
    return m_pManager->FindSubControlByName(const_cast<CMacroControlUI*>(this), name);
}

void CMacroControlUI::BindControls() {
    auto edit = [this](const char* name) { return dynamic_cast<ui::CEditUI*>(FindChild(name)); };
    auto list = [this](const char* name) { return dynamic_cast<ui::CListUI*>(FindChild(name)); };
    Controls found;
    found.names = list(kNameListName);
    found.nameEdit = edit(kNameEditName);
    found.actions = list(kActionListName);
    found.actionLayout = FindChild(kActionLayoutName);
    found.moveLayout = FindChild(kMoveLayoutName);
    found.exportButton = FindChild(kExportButtonName);
    found.deleteButton = FindChild(kDeleteMacroButtonName);
    found.renameButton = FindChild(kRenameButtonName);
    found.nameTab = FindChild(kNameTabName);
    found.actionTabEdit = FindChild(kActionTabEditName);
    found.delayTabEdit = FindChild(kDelayTabEditName);
    found.startButton = FindChild(kStartButtonName);
    found.stopButton = FindChild(kStopButtonName);
    found.fixedTimeCheck = dynamic_cast<ui::COptionUI*>(FindChild(kFixedTimeCheckName));
    found.fixedTimeEdit = edit(kFixedTimeEditName);
    found.distances[0] = edit(kLeftDistanceEditName);
    found.distances[1] = edit(kRightDistanceEditName);
    found.distances[2] = edit(kUpDistanceEditName);
    found.distances[3] = edit(kDownDistanceEditName);
    if (found.names == nullptr || found.actions == nullptr)
        platform::Trace("MacroControl: the layout lacks the macro list or the event list\n");
    c_ = found;
}

// --- macros --------------------------------------------------------------------------------

void CMacroControlUI::SetDataFolder(const std::string& folder) {
    folder_ = folder;
    list_ = macros::MacroList(folder_);
}

bool CMacroControlUI::LoadMacroList() {
    list_ = macros::MacroList(folder_);
    const bool loaded = list_.Load();
    names_ = list_.Names();
    if (c_.names != nullptr) {
        c_.names->RemoveAll();
        for (const macros::MacroEntry& entry : list_.Entries())
            AddMacroItem(entry);
        c_.names->SelectItem(-1, false, false);
    }
    ClearActions();
    EnableMacroControls(false);
    return loaded;
}

void CMacroControlUI::AddMacroItem(const macros::MacroEntry& entry) {
    if (c_.names == nullptr)
        return;
    auto* item = new ui::CListLabelElementUI;
    item->SetFixedHeight(kItemHeight);
    item->SetText(entry.name);
    item->SetToolTip(entry.name);
    item->SetUserData(entry.id);
    c_.names->Add(item);
}

void CMacroControlUI::EnableMacroControls(bool enabled) {
    MacroEnable(c_.actionLayout, enabled);
    MacroEnable(c_.moveLayout, enabled);
    MacroEnable(c_.exportButton, enabled);
    MacroEnable(c_.deleteButton, enabled);
    MacroEnable(c_.renameButton, enabled);
}

int CMacroControlUI::SelectedMacroIndex() const {
    if (c_.names == nullptr || c_.names->GetCount() == 0)
        return -1;
    const int selected = c_.names->GetCurSel();
    return selected >= 0 && selected < c_.names->GetCount() ? selected : -1;
}

void CMacroControlUI::SelectMacroItem(int index) {
    if (c_.names == nullptr)
        return;
    if (index >= c_.names->GetCount())
        index = -1;
    c_.names->SelectItem(index, false, false);
    SelectMacro();
}

void CMacroControlUI::SelectMacro() {
    const int index = SelectedMacroIndex();
    const ui::CControlUI* item = index >= 0 ? c_.names->GetItemAt(index) : nullptr;
    if (item != nullptr && !item->GetUserData().empty()) {
        EnableMacroControls(true);
        ClearActions();
        int row = 0;
        for (const Json::Value& event : list_.LoadEvents(index)) {
            InsertEventRow(row, event, macros::LookOfEvent(event).delayText);
            ++row;
        }
        const bool listed = static_cast<size_t>(index) < list_.Count();
        if (c_.nameEdit != nullptr)
            c_.nameEdit->SetText(
                listed ? list_.Entries()[static_cast<size_t>(index)].name : item->GetText(), false);
    } else {
        if (c_.nameEdit != nullptr)
            c_.nameEdit->SetText(" ", false);
        ClearActions();
    }
    StartScrollTimer();
}

std::string CMacroControlUI::AddMacro() {
    std::optional<macros::MacroEntry> added = list_.Add();
    if (!added)
        return std::string();
    names_ = list_.Names();
    AddMacroItem(*added);
    SelectMacroItem(static_cast<int>(list_.Count()) - 1);
    return added->name;
}

macros::MacroList::RenameResult CMacroControlUI::RenameMacro() {
    const int index = SelectedMacroIndex();
    if (index < 0)
        return macros::MacroList::RenameResult::kNoSelection;
    const std::string name = c_.nameEdit != nullptr ? c_.nameEdit->GetText() : std::string();
    const macros::MacroList::RenameResult result = list_.Rename(index, name);
    ui::CControlUI* item = c_.names->GetItemAt(index);
    if (result == macros::MacroList::RenameResult::kRenamed) {
        names_ = list_.Names();
        item->SetText(name);
        item->SetToolTip(name);
    } else if (c_.nameEdit != nullptr) {
        c_.nameEdit->SetText(item->GetText(), false);
    }
    return result;
}

int CMacroControlUI::DeleteMacro() {
    const int index = SelectedMacroIndex();
    if (index < 0)
        return -1;
    // The file and the list file first: a list file that cannot be written leaves the panel
    // as it was, instead of a list that no longer matches the files.
    if (!list_.Remove(index))
        return -1;
    names_ = list_.Names();
    c_.names->RemoveAt(index);
    ClearActions();
    SelectMacroItem(c_.names->GetCount() > 0 ? 0 : -1);
    if (c_.names->GetCount() == 0)
        EnableMacroControls(false);
    return index;
}

std::string CMacroControlUI::ImportMacro(const std::string& path,
                                         macros::MacroList::ImportResult* result) {
    macros::MacroEntry imported;
    const macros::MacroList::ImportResult outcome = list_.Import(path, &imported);
    if (result != nullptr)
        *result = outcome;
    if (outcome != macros::MacroList::ImportResult::kImported)
        return std::string();
    lastImport_ = path;
    names_ = list_.Names();
    AddMacroItem(imported);
    SelectMacroItem(static_cast<int>(list_.Count()) - 1);
    return imported.name;
}

macros::MacroList::ExportResult CMacroControlUI::ExportMacro(const std::string& path) const {
    const int index = SelectedMacroIndex();
    if (index < 0)
        return macros::MacroList::ExportResult::kNoMacro;
    return list_.Export(index, path);
}

// --- the selected macro's events -----------------------------------------------------------

CMacroControlUI::SaveResult CMacroControlUI::SaveMacro() {
    SaveResult result;
    const int index = SelectedMacroIndex();
    if (index < 0 || c_.names->GetItemAt(index)->GetUserData().empty() || c_.actions == nullptr)
        return result;
    while (c_.actions->GetCount() > static_cast<int>(macros::kMaxMacroEvents)) {
        c_.actions->RemoveAt(c_.actions->GetCount() - 1);
        result.messageKey = kTrimmedMessage;
    }
    std::vector<Json::Value> events;
    for (int row = 0; row < c_.actions->GetCount(); ++row) {
        ui::CControlUI* element = c_.actions->GetItemAt(row);
        if (element->GetUserData().empty())
            break;
        ui::CEditUI* edit = RowDelayEdit(row);
        std::string text = edit != nullptr ? edit->GetText() : std::string();
        if (text.empty()) {
            text.push_back('0');
            if (edit != nullptr)
                edit->SetText(text, false);
        }
        Json::Value event = macros::ParseEventText(element->GetUserData());
        if (event.isNull())
            break;
        const unsigned long long typed = std::strtoull(text.c_str(), nullptr, 10);
        const unsigned long long delay = std::min<unsigned long long>(typed, 65535);
        event = macros::MakeEvent(macros::EventIsDown(event), macros::EventButton(event),
                                  macros::EventType(event), static_cast<long long>(delay));
        element->SetUserData(macros::EventText(event));
        events.push_back(event);
    }
    result.code = list_.SaveEvents(index, events) ? 0 : -1;
    return result;
}

bool CMacroControlUI::MoveSelectedRow(int to) {
    const int from = SelectedRow();
    if (from < 0 || to < 0 || to >= RowCount() || to == from)
        return false;
    const Json::Value event = RowEvent(from);
    if (event.isNull())
        return false;
    c_.actions->RemoveAt(from);
    InsertEventRow(to, event, macros::LookOfEvent(event).delayText);
    SelectRow(to);
    return true;
}

bool CMacroControlUI::MoveActionUp() {
    return MoveSelectedRow(SelectedRow() - 1);
}

bool CMacroControlUI::MoveActionDown() {
    const int from = SelectedRow();
    return from >= 0 && MoveSelectedRow(from + 1);
}

bool CMacroControlUI::MoveActionTop() {
    return MoveSelectedRow(0);
}

bool CMacroControlUI::MoveActionBottom() {
    return MoveSelectedRow(RowCount() - 1);
}

bool CMacroControlUI::DeleteAction() {
    const int selected = SelectedRow();
    if (selected < 0)
        return false;
    c_.actions->RemoveAt(selected);
    return true;
}

void CMacroControlUI::DeleteAllActions() {
    ClearActions();
}

void CMacroControlUI::ClearActions() {
    if (c_.actions == nullptr)
        return;
    c_.actions->RemoveAll();
    c_.actions->SelectItem(-1, false, false);
}

bool CMacroControlUI::InsertMouseAction(uint32_t message, int variant) {
    Json::Value event;
    int button = 0;
    bool down = false;
    if (message == kMoveMessage) {
        if (variant < kMoveLeft || variant > kMoveDown)
            return false;
        const int type = variant <= kMoveRight ? 4 : 5;
        down = variant == kMoveLeft || variant == kMoveUp;
        button = static_cast<int>(MacroEditNumber(c_.distances[variant]) & 0xFF);
        event = macros::MakeEvent(down, button, type, fixedDelay_);
    } else if (MacroButtonOf(message, variant, button, down)) {
        event = macros::MakeEvent(down, button, 1, fixedDelay_);
    } else {
        return false;
    }
    if (c_.actions == nullptr)
        return false;
    if (RowCount() >= static_cast<int>(macros::kMaxMacroEvents)) {
        AppendEmptyRow();
        return true;
    }
    const int selected = SelectedRow();
    const int at = RowCount() == 0 ? 0 : (selected < 0 ? 1 : selected + 1);
    InsertEventRow(at, event, macros::LookOfEvent(event).delayText);
    SelectRow(at);
    StartScrollTimer();
    return true;
}

// --- recording -----------------------------------------------------------------------------

void CMacroControlUI::EnterRecordingState() {
    recording_ = true;
    MacroEnable(c_.nameTab, false);
    MacroEnable(c_.actions, false);
    MacroEnable(c_.actionTabEdit, false);
    MacroEnable(c_.delayTabEdit, false);
    MacroShow(c_.startButton, false);
    MacroShow(c_.stopButton, true);
}

void CMacroControlUI::LeaveRecordingState() {
    recording_ = false;
    MacroEnable(c_.nameTab, true);
    MacroEnable(c_.actions, true);
    MacroEnable(c_.actionTabEdit, true);
    MacroEnable(c_.delayTabEdit, true);
    MacroShow(c_.startButton, true);
    MacroShow(c_.stopButton, false);
    ShowRecordingNotice(false);
}

void CMacroControlUI::ShowRecordingNotice(bool windowOnly) {
    ui::CControlUI* title = FindChild(kRecordTitleName);
    if (title == nullptr)
        return;
    title->SetText(windowOnly ? "macro_record_window_only_text" : "macro_record_title");
    title->SetToolTip(windowOnly ? "macro_record_window_only_tip" : "");
}

bool CMacroControlUI::IsFixedTimeChecked() const {
    return c_.fixedTimeCheck != nullptr && c_.fixedTimeCheck->IsSelected();
}

std::string CMacroControlUI::FixedTimeText() const {
    return c_.fixedTimeEdit != nullptr ? c_.fixedTimeEdit->GetText() : std::string();
}

void CMacroControlUI::SetFixedTimeText(const std::string& text) {
    if (c_.fixedTimeEdit == nullptr)
        return;
    c_.fixedTimeEdit->SetText(text, false);
    const long end = static_cast<long>(text.size());
    c_.fixedTimeEdit->SetSel(end, end);
}

// --- IMacroEventList -----------------------------------------------------------------------

int CMacroControlUI::RowCount() const {
    return c_.actions != nullptr ? c_.actions->GetCount() : 0;
}

int CMacroControlUI::SelectedRow() const {
    if (c_.actions == nullptr)
        return -1;
    const int selected = c_.actions->GetCurSel();
    return selected >= 0 && selected < c_.actions->GetCount() ? selected : -1;
}

void CMacroControlUI::SelectRow(int index) {
    if (c_.actions == nullptr)
        return;
    if (index >= c_.actions->GetCount())
        index = -1;
    c_.actions->SelectItem(index, false, false);
}

void CMacroControlUI::InsertEventRow(int index, const Json::Value& event,
                                     const std::string& delayText) {
    if (c_.actions == nullptr)
        return;
    index = std::clamp(index, 0, c_.actions->GetCount());
    auto* row = new ui::CListContainerElementUI;
    row->SetName(kRowName);
    row->SetFixedHeight(kItemHeight);
    row->SetAttribute("childvalign", "vcenter");
    auto* name = new ui::CLabelUI;
    auto* action = new ui::CLabelUI;
    auto* delay = new ui::CEditUI;
    delay->SetName(kDelayEditName);
    row->Add(name);
    row->Add(action);
    row->Add(delay);
    // Styles need the window, so the row joins the list first.
    c_.actions->AddAt(row, index);
    delay->ApplyStyle(kDelayEditStyle);
    delay->SetBkColor(kDelayEditBackground);
    delay->SetFixedHeight(kDelayEditHeight);
    delay->SetMaxChar(kDelayEditMaxChars);
    delay->SetNumberOnly(true);
    delay->SetNumberLimits(kDelayTypedMin, kDelayTypedMax);
    delay->SetText(delayText, false);
    RenderRow(row, event);
}

void CMacroControlUI::RenderRow(ui::CControlUI* row, const Json::Value& event) const {
    auto* container = dynamic_cast<ui::CContainerUI*>(row);
    if (container == nullptr || container->GetCount() <= kMacroRowAction)
        return;
    const macros::EventRowLook look = macros::LookOfEvent(event);
    row->SetUserData(macros::EventText(event));
    ui::CControlUI* name = container->GetItemAt(kMacroRowName);
    ui::CControlUI* action = container->GetItemAt(kMacroRowAction);
    // A style may bring its own text (the action arrows); the event's text comes after it.
    name->SetResourceText(false);
    name->SetText(std::string());
    name->ApplyStyle(look.nameStyle);
    if (!look.nameKey.empty()) {
        name->SetResourceText(true);
        name->SetText(look.nameKey);
    }
    action->SetResourceText(false);
    action->SetText(std::string());
    action->ApplyStyle(look.actionStyle);
    if (!look.actionText.empty()) {
        action->SetResourceText(false);
        action->SetText(look.actionText);
    }
}

void CMacroControlUI::AppendEmptyRow() {
    if (c_.actions == nullptr)
        return;
    auto* row = new ui::CListContainerElementUI;
    row->SetName(kRowName);
    row->SetFixedHeight(kItemHeight);
    c_.actions->Add(row);
}

Json::Value CMacroControlUI::RowEvent(int index) const {
    if (c_.actions == nullptr || index < 0 || index >= c_.actions->GetCount())
        return Json::Value();
    const std::string& text = c_.actions->GetItemAt(index)->GetUserData();
    if (text.empty())
        return Json::Value();
    return macros::ParseEventText(text);
}

void CMacroControlUI::SetRowEvent(int index, const Json::Value& event) {
    if (c_.actions == nullptr || index < 0 || index >= c_.actions->GetCount())
        return;
    RenderRow(c_.actions->GetItemAt(index), event);
}

void CMacroControlUI::SetRowDelay(int index, uint16_t delay) {
    Json::Value event = RowEvent(index);
    if (event.isNull())
        return;
    event["Delay"] = std::to_string(delay);
    c_.actions->GetItemAt(index)->SetUserData(macros::EventText(event));
    if (ui::CEditUI* edit = RowDelayEdit(index))
        edit->SetText(std::to_string(delay), false);
}

ui::CEditUI* CMacroControlUI::RowDelayEdit(int index) const {
    if (c_.actions == nullptr || index < 0 || index >= c_.actions->GetCount())
        return nullptr;
    auto* row = dynamic_cast<ui::CContainerUI*>(c_.actions->GetItemAt(index));
    if (row == nullptr || row->GetCount() <= kMacroRowDelay)
        return nullptr;
    return dynamic_cast<ui::CEditUI*>(row->GetItemAt(kMacroRowDelay));
}

void CMacroControlUI::StartScrollTimer() {
    if (m_pManager != nullptr)
        m_pManager->SetTimer(this, kScrollTimerId, kScrollTimerMs);
}

void CMacroControlUI::OnScrollTimer() {
    if (m_pManager != nullptr)
        m_pManager->KillTimer(this, kScrollTimerId);
    if (c_.actions != nullptr && c_.actions->GetCount() > 0)
        c_.actions->EnsureVisible(c_.actions->GetCount() - 1);
}

std::optional<ui::Rect> CMacroControlUI::StopButtonScreenRect() const {
    if (c_.stopButton == nullptr)
        return std::nullopt;
    return c_.stopButton->GetScreenPos();
}

}  // namespace panels
