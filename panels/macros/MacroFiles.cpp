#include "panels/macros/MacroFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "devices/mouse/EventArea.h"
#include "panels/keys/KeyTables.h"
#include "panels/profiles/ProfileListFile.h"
#include "panels/profiles/ProfileNames.h"
#include "platform/FileIO.h"
#include "platform/Trace.h"
#include "profile/BasicProfiledata.h"
#include "profile/FileNames.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "profile/Utf8.h"

namespace panels::macros {
namespace {

namespace json = profile::json;
using devices::mouse::EventFields;

constexpr long long kFilesMaxDelay = 0xFFFF;

EventFields FilesFieldsOf(const Json::Value& event) {
    return devices::mouse::ReadEventFields(event).value_or(EventFields{});
}

Json::Value FilesEventFrom(const EventFields& fields) {
    return MakeEvent(fields.down, fields.button, fields.type, fields.delay);
}

bool FilesIsMacroFunction(const profile::KeyAssignment& a) {
    return a.type == keys::kTypeMacroMode || a.type == keys::kTypeMacroCount;
}

void FilesRemoveMacroFile(const std::string& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    if (error)
        platform::TraceF("MacroList: cannot remove \"%s\": %s", path.c_str(),
                         error.message().c_str());
}

// The language key of a keyboard row whose pattern matches, among rows [first, last).
std::string FilesKeyboardNameKey(int first, int last, uint8_t p1, uint8_t p2) {
    const auto table = keys::KeyboardTable();
    last = std::min(last, static_cast<int>(table.size()));
    for (int row = first; row < last; ++row) {
        const keys::KeyPattern& pattern = table[static_cast<size_t>(row)].pattern;
        if (pattern.p1 == p1 && pattern.p2 == p2 &&
            (row < keys::kFirstKeyRow || pattern.type == keys::kTypeKeyboard))
            return table[static_cast<size_t>(row)].nameKey;
    }
    return {};
}

std::string FilesMouseButtonKey(uint8_t button) {
    switch (button) {
        case 0x01:
            return "mouse_key_left";
        case 0x02:
            return "mouse_key_right";
        case 0x04:
            return "mouse_key_middle";
        case 0x08:
            return "mouse_key_back";
        case 0x10:
            return "mouse_key_forward";
        default:
            return {};
    }
}

}  // namespace

// --- events ---------------------------------------------------------------------------

Json::Value MakeEvent(bool down, int button, int type, long long delay) {
    Json::Value event(Json::objectValue);
    event["Action"] = down ? "down" : "up";
    event["Button"] = button & 0xFF;
    event["Type"] = type & 0x7F;
    event["Delay"] = std::to_string(std::clamp(delay, 0LL, kFilesMaxDelay));
    return event;
}

std::vector<Json::Value> SafeEvents(const Json::Value& events) {
    std::vector<Json::Value> out;
    if (!events.isArray())
        return out;
    for (const Json::Value& event : events) {
        if (const std::optional<EventFields> fields = devices::mouse::ReadEventFields(event))
            out.push_back(FilesEventFrom(*fields));
    }
    return out;
}

bool EventIsDown(const Json::Value& event) {
    return FilesFieldsOf(event).down;
}

int EventButton(const Json::Value& event) {
    return FilesFieldsOf(event).button;
}

int EventType(const Json::Value& event) {
    return FilesFieldsOf(event).type;
}

uint16_t EventDelay(const Json::Value& event) {
    return FilesFieldsOf(event).delay;
}

std::string EventText(const Json::Value& event) {
    return profile::StyledJsonText(event);
}

Json::Value ParseEventText(const std::string& text) {
    Json::Value parsed;
    if (!profile::ParseJsonText(text, parsed))
        return Json::Value();
    const std::optional<EventFields> fields = devices::mouse::ReadEventFields(parsed);
    return fields ? FilesEventFrom(*fields) : Json::Value();
}

EventRowLook LookOfEvent(const Json::Value& event) {
    const EventFields fields = FilesFieldsOf(event);
    EventRowLook look;
    look.nameStyle = "macro_label_mouse_style";
    look.actionStyle = fields.down ? "macro_label_down_style" : "macro_label_up_style";
    switch (fields.type) {
        case 1:
            look.nameKey = FilesMouseButtonKey(fields.button);
            break;
        case 2:
        case 3:
            look.actionStyle = "macro_label_text_style";
            break;
        case 4:
        case 5:
            look.nameKey =
                fields.type == 4
                    ? (fields.down ? "mouse_move_to_left_text" : "mouse_move_to_right_text")
                    : (fields.down ? "mouse_move_to_up_text" : "mouse_move_to_down_text");
            look.actionStyle = "macro_label_text_style";
            look.actionText = std::to_string(fields.button);
            break;
        case 9:
            look.nameKey = FilesKeyboardNameKey(0, keys::kFirstKeyRow, fields.button, 0);
            look.nameStyle = "macro_label_keyboard_style";
            break;
        case 10:
            look.nameKey =
                FilesKeyboardNameKey(keys::kFirstKeyRow, keys::kKeyboardRowCount, 0, fields.button);
            look.nameStyle = "macro_label_keyboard_style";
            break;
        default:
            // Unknown to this program: kept and shown without a name, as recorded.
            break;
    }
    look.delayText = std::to_string(fields.delay);
    return look;
}

// --- the list ---------------------------------------------------------------------------

MacroList::MacroList(std::string dataFolder) : folder_(std::move(dataFolder)) {}

bool MacroList::Load() {
    entries_.clear();
    const Json::Value root = profile::LoadJsonFile(folder_ + kMacroListFileName);
    const Json::Value& info = json::Member(root, "MacroInfo");
    if (!info.isArray())
        return false;
    // Every element keeps its place, usable or not: key assignments count macros by index.
    for (uint32_t i = 0; i < json::ArraySize(info); ++i) {
        const Json::Value& element = json::Element(info, i);
        MacroEntry entry;
        entry.name = json::StringOf(json::Member(element, "MacroName"));
        entry.id = json::StringOf(json::Member(element, "Guid"));
        entries_.push_back(std::move(entry));
    }
    return true;
}

std::vector<std::string> MacroList::Names() const {
    std::vector<std::string> names;
    names.reserve(entries_.size());
    for (const MacroEntry& entry : entries_)
        names.push_back(entry.name);
    return names;
}

std::string MacroList::MacroPath(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size())
        return {};
    const std::string& id = entries_[static_cast<size_t>(index)].id;
    // An identifier that could leave the folder names no file; one an earlier entry already
    // has names that entry's file, which this entry must neither write nor delete.
    if (!IsSafeIdentifier(id))
        return {};
    for (int i = 0; i < index; ++i) {
        if (SameProfileName(entries_[static_cast<size_t>(i)].id, id))
            return {};
    }
    return folder_ + id + kMacroFileExtension;
}

std::optional<MacroEntry> MacroList::Add() {
    if (entries_.size() >= kMaxMacros)
        return std::nullopt;
    std::string name;
    for (int n = 1;; ++n) {
        name = "macro_" + std::to_string(n);
        if (!NameTaken(name, Names()))
            break;
    }
    MacroEntry entry{name, NewIdentifier()};
    entries_.push_back(entry);
    if (!WriteList()) {
        entries_.pop_back();
        return std::nullopt;
    }
    return entry;
}

const char* MacroList::RenameMessage(RenameResult result) {
    switch (result) {
        case RenameResult::kLeadingSpace:
            return "message_text_25";
        case RenameResult::kEmpty:
            return "message_text_5_1";
        case RenameResult::kTaken:
            return "message_text_5";
        default:
            return "";
    }
}

MacroList::RenameResult MacroList::Rename(int index, const std::string& name) {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size())
        return RenameResult::kNoSelection;
    if (!name.empty() && name.front() == ' ')
        return RenameResult::kLeadingSpace;
    if (IsBlankName(name))
        return RenameResult::kEmpty;
    // The macro's own name counts too: renaming to it changes nothing and is refused.
    if (NameTaken(name, Names()))
        return RenameResult::kTaken;
    MacroEntry& entry = entries_[static_cast<size_t>(index)];
    std::string previous = std::exchange(entry.name, name);
    if (!WriteList()) {
        entry.name = std::move(previous);
        return RenameResult::kWriteFailed;
    }
    return RenameResult::kRenamed;
}

bool MacroList::Remove(int index) {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size())
        return false;
    const std::string path = MacroPath(index);
    const auto at = entries_.begin() + index;
    MacroEntry gone = *at;
    entries_.erase(at);
    // The list first: a list never names a file that is gone.
    if (!WriteList()) {
        entries_.insert(entries_.begin() + index, std::move(gone));
        return false;
    }
    bool shared = false;
    for (const MacroEntry& entry : entries_)
        shared = shared || SameProfileName(entry.id, gone.id);
    if (!path.empty() && !shared)
        FilesRemoveMacroFile(path);
    return true;
}

const char* MacroList::ImportMessage(ImportResult result) {
    switch (result) {
        case ImportResult::kNameTooLong:
            return "message_text_37";
        case ImportResult::kFull:
            return "message_text_33";
        default:
            return "";
    }
}

MacroList::ImportResult MacroList::Import(const std::string& path, MacroEntry* imported) {
    const size_t slash = path.find_last_of("/\\");
    const std::string fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    // File names are bytes on this system; the name a list shows is UTF-8.
    std::string base = profile::ToUtf8(profile::FromUtf8(profile::GetFileTitle(fileName)));
    if (Utf8Length(fileName) >= kImportFileNameLimit || Utf8Length(base) >= kImportBaseNameLimit)
        return ImportResult::kNameTooLong;
    if (entries_.size() >= kMaxMacros)
        return ImportResult::kFull;
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes, profile::kMaxJsonFileBytes)) {
        platform::TraceF("MacroList: \"%s\" cannot be read; not imported", path.c_str());
        return ImportResult::kUnreadable;
    }
    if (IsBlankName(base))
        base = "macro";
    std::string name = base;
    for (int n = 1; NameTaken(name, Names()); ++n)
        name += "_" + std::to_string(n);
    MacroEntry entry{name, NewIdentifier()};
    const std::string target = folder_ + entry.id + kMacroFileExtension;
    if (!platform::WriteFileAtomic(target, bytes))
        return ImportResult::kWriteFailed;
    entries_.push_back(entry);
    if (!WriteList()) {
        entries_.pop_back();
        FilesRemoveMacroFile(target);
        return ImportResult::kWriteFailed;
    }
    if (imported != nullptr)
        *imported = entry;
    return ImportResult::kImported;
}

MacroList::ExportResult MacroList::Export(int index, const std::string& path) const {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size())
        return ExportResult::kNoMacro;
    const std::string source = MacroPath(index);
    if (source.empty() || !platform::FileExists(source))
        return ExportResult::kNotSaved;
    std::string bytes;
    if (!platform::ReadWholeFile(source, bytes, profile::kMaxJsonFileBytes) ||
        !platform::WriteFileAtomic(path, bytes))
        return ExportResult::kWriteFailed;
    return ExportResult::kExported;
}

std::vector<Json::Value> MacroList::LoadEvents(int index) const {
    const std::string path = MacroPath(index);
    if (path.empty())
        return {};
    return SafeEvents(json::Member(profile::LoadJsonFile(path), "Events"));
}

bool MacroList::SaveEvents(int index, const std::vector<Json::Value>& events) const {
    const std::string path = MacroPath(index);
    if (path.empty())
        return false;
    const MacroEntry& entry = entries_[static_cast<size_t>(index)];
    Json::Value document(Json::objectValue);
    document["MacroName"] = entry.name;
    document["Guid"] = entry.id;
    Json::Value& list = document["Events"] = Json::Value(Json::arrayValue);
    for (const Json::Value& event : events) {
        if (const std::optional<EventFields> fields = devices::mouse::ReadEventFields(event))
            list.append(FilesEventFrom(*fields));
    }
    document["Version"] = kMacroFileVersion;
    return profile::WriteJsonFile(path, document) == 0;
}

std::string MacroList::NewIdentifier() const {
    // Two identifiers made within one millisecond are equal, and a file may be left from an
    // earlier list: a suffix keeps the new one apart from both.
    const std::string stem = profile::MakeTimestampName();
    std::string id = stem;
    for (int n = 2;; ++n) {
        bool taken = platform::FileExists(folder_ + id + kMacroFileExtension) ||
                     platform::FolderExists(folder_ + id + kMacroFileExtension);
        for (const MacroEntry& entry : entries_)
            taken = taken || SameProfileName(entry.id, id);
        if (!taken)
            return id;
        id = stem + "_" + std::to_string(n);
    }
}

bool MacroList::WriteList() const {
    Json::Value root(Json::objectValue);
    Json::Value& info = root["MacroInfo"] = Json::Value(Json::arrayValue);
    for (const MacroEntry& entry : entries_) {
        Json::Value element(Json::objectValue);
        element["MacroName"] = entry.name;
        element["Guid"] = entry.id;
        info.append(element);
    }
    return profile::WriteJsonFile(folder_ + kMacroListFileName, root) == 0;
}

// --- key assignments --------------------------------------------------------------------

bool RepairKeyList(std::vector<profile::KeyRecord>& records, int deleted) {
    if (deleted < 0)
        return false;
    bool changed = false;
    for (profile::KeyRecord& record : records) {
        if (!FilesIsMacroFunction(record.current))
            continue;
        if (record.current.param1 == deleted) {
            record.current = record.defaults;
            changed = true;
        } else if (record.current.param1 > deleted) {
            --record.current.param1;
            changed = true;
        }
    }
    return changed;
}

bool KeyListUsesMacro(const std::vector<profile::KeyRecord>& records, int index) {
    return std::any_of(records.begin(), records.end(), [index](const profile::KeyRecord& record) {
        return FilesIsMacroFunction(record.current) && record.current.param1 == index;
    });
}

int RepairOtherProfiles(const std::string& userDataFolder, const std::string& defaultDocumentPath,
                        const std::string& currentId, int deleted) {
    ProfileListFile list(userDataFolder, defaultDocumentPath);
    list.Load();
    int saved = 0;
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Entries()[static_cast<size_t>(i)].id == currentId)
            continue;
        const std::string path = list.ProfilePath(i);
        // A profile whose file is missing or unusable has no assignments to repair; it gets
        // the factory document when it is next loaded.
        const Json::Value root = profile::LoadJsonFile(path);
        const Json::Value& document = json::Element(json::Member(root, "Device"), 0);
        if (!document.isObject())
            continue;
        profile::CBasicProfiledata data;
        data.SetDocument(document);
        std::vector<profile::KeyRecord> records = data.GetKeyList();
        if (!RepairKeyList(records, deleted))
            continue;
        data.SetKeyList(records);
        if (data.StoreDocument(data.Document(), path))
            ++saved;
        else
            platform::TraceF("MacroList: profile \"%s\" could not be repaired", path.c_str());
    }
    return saved;
}

}  // namespace panels::macros
