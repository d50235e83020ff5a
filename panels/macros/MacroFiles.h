#pragma once
// The macro list file ("macro.config") and the macro files (identifier + ".mac") of a device's
// data folder, and the rules on them: names of new and imported macros, renaming, removing,
// import and export, and the repair of key assignments when a macro goes. Every read goes
// through the safe document accessors (a missing or malformed file reads as empty; wrong
// types are skipped); every write is atomic and never overwrites another macro's file.
//
// Threads: any thread, one object at a time; no state beyond the object.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <json/value.h>

#include "profile/Records.h"

namespace panels::macros {

constexpr size_t kMaxMacros = 50;
constexpr size_t kMaxMacroEvents = 60;
constexpr int kMacroFileVersion = 64;
constexpr const char* kMacroListFileName = "macro.config";
constexpr const char* kMacroFileExtension = ".mac";
// Import refuses a file name (with extension) of this many characters or more, or a base
// name of kImportBaseNameLimit characters or more (characters, not bytes).
constexpr size_t kImportFileNameLimit = 15;
constexpr size_t kImportBaseNameLimit = 11;

struct MacroEntry {
    std::string name;  // "MacroName"
    std::string id;    // "Guid": the file is id + ".mac"
};

// One event of a macro: the object stored in "Events" and in an event row's user data.
//   "Action" "down"|"up", "Button" 0-255, "Type" 0-127, "Delay" decimal text 0-65535.
// Makes a well-formed event (delay clamped, type masked to 7 bits, button low byte).
Json::Value MakeEvent(bool down, int button, int type, long long delay);
// The events of a parsed "Events" value made safe: a non-array gives none; an element that is
// not an object or has a member of the wrong type is skipped; delays are clamped to 0-65535
// and types masked to 7 bits.
std::vector<Json::Value> SafeEvents(const Json::Value& events);
// The event's fields read safely (defaults: up, 0, 0, 0).
bool EventIsDown(const Json::Value& event);
int EventButton(const Json::Value& event);
int EventType(const Json::Value& event);
uint16_t EventDelay(const Json::Value& event);
// The styled JSON text of an event (a row's user data), and back (null on malformed text).
std::string EventText(const Json::Value& event);
Json::Value ParseEventText(const std::string& text);

// How an event row shows an event: the name label's language key ("" none) and style, the
// action label's text ("" none) and style, the delay edit's text (above 65534 shows 65535).
struct EventRowLook {
    std::string nameKey;
    std::string nameStyle;
    std::string actionText;
    std::string actionStyle;
    std::string delayText;
};
EventRowLook LookOfEvent(const Json::Value& event);

class MacroList {
  public:
    // dataFolder ends with the path separator.
    explicit MacroList(std::string dataFolder);

    // Reads "macro.config"; false when missing or unusable (the list is then empty).
    bool Load();
    const std::vector<MacroEntry>& Entries() const { return entries_; }
    size_t Count() const { return entries_.size(); }
    std::vector<std::string> Names() const;
    // data folder + id + ".mac" of entry index ("" outside the list or with an empty id, an
    // id that could name a file outside the folder, or an id an earlier entry has: that file
    // is not this entry's to write or delete).
    std::string MacroPath(int index) const;

    // "macro_%d" from 1 upward, the first no entry has (case-insensitive), with a new
    // identifier; the list file written. Nothing when the list is full.
    std::optional<MacroEntry> Add();

    enum class RenameResult { kRenamed, kNoSelection, kLeadingSpace, kEmpty, kTaken, kWriteFailed };
    // The language key of a refusal's message ("message_text_25", "message_text_5_1",
    // "message_text_5"); "" for the others.
    static const char* RenameMessage(RenameResult result);
    RenameResult Rename(int index, const std::string& name);

    // Deletes the macro's file and its entry; the list file is rewritten. False outside the
    // list or when the list file cannot be written (then nothing changed).
    bool Remove(int index);

    enum class ImportResult { kImported, kNameTooLong, kFull, kUnreadable, kWriteFailed };
    // The language key of a refusal's message ("message_text_37", "message_text_33", ...).
    static const char* ImportMessage(ImportResult result);
    // Algorithm of import: name from the file's base name with "_N" suffixes, a new entry and
    // identifier, the file copied atomically. `imported` receives the new entry.
    ImportResult Import(const std::string& path, MacroEntry* imported = nullptr);

    enum class ExportResult { kExported, kNoMacro, kNotSaved, kWriteFailed };
    // Copies the macro's file to path atomically; a macro never saved leaves path untouched.
    ExportResult Export(int index, const std::string& path) const;

    // The macro's events from its file (SafeEvents); none for a missing file.
    std::vector<Json::Value> LoadEvents(int index) const;
    // Writes the macro's file: "MacroName", "Guid", "Events" (made safe), "Version" 64.
    bool SaveEvents(int index, const std::vector<Json::Value>& events) const;

  private:
    // A new identifier whose file does not exist and no entry has.
    std::string NewIdentifier() const;
    bool WriteList() const;

    std::string folder_;
    std::vector<MacroEntry> entries_;
};

// The key assignments of a key list after macro `deleted` went: an assignment to that macro
// becomes the key's default, one to a later macro moves down by one. True when anything
// changed.
bool RepairKeyList(std::vector<profile::KeyRecord>& records, int deleted);
// True when any current assignment refers to macro `index`.
bool KeyListUsesMacro(const std::vector<profile::KeyRecord>& records, int index);
// Repairs every profile file of the device's profile list but the one with identifier
// `currentId` (document "KeyList" assignments, as RepairKeyList); answers how many files were
// changed and saved.
int RepairOtherProfiles(const std::string& userDataFolder, const std::string& defaultDocumentPath,
                        const std::string& currentId, int deleted);

}  // namespace panels::macros
