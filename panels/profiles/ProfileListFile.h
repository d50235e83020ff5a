#pragma once
// The profile list of a device and its profile files, in the device's user data folder:
// "ProfileList.ini" (a JSON document despite its name: "profilelist" with one entry per
// profile, "profileselect") and one file per profile, its identifier followed by ".Json".
// Every operation reads the list from disk first and writes it back at once, so the file is
// always the truth; every file is written atomically. The profile panel of the program and
// `t418-zenctl profiles` both work through this class.
// Threads: one thread at a time (the window thread in the program).
#include <json/value.h>

#include <functional>
#include <string>
#include <vector>

namespace panels {

struct ProfileEntry {
    std::string name;  // "profilename"
    std::string id;    // "profileUUID": the file is id + ".Json"
};

constexpr const char* kProfileListFileName = "ProfileList.ini";
constexpr const char* kProfileFileExtension = ".Json";

class ProfileListFile {
  public:
    // Makes a new identifier; profile::MakeTimestampName when none is given.
    using IdSource = std::function<std::string()>;

    enum class Result {
        kDone,
        kFull,          // the list holds kMaxProfiles profiles already
        kBadFile,       // an import: not a profile file (nothing changed)
        kTitleTooLong,  // an import: the file's title is too long (nothing changed)
        kRefused,       // no such profile, or the last one
        kWriteFailed,   // the list or a profile file could not be written
    };
    struct Outcome {
        Result result = Result::kRefused;
        int index = -1;  // the profile made or the new selection
        std::string name;
    };
    enum class RenameResult { kNameUsed = 0, kDone = 1, kBlank = 2, kFailed = 3 };

    // folder ends with the path separator.
    ProfileListFile(std::string folder, std::string defaultDocumentPath, IdSource ids = {});

    // Reads the list. A missing or unusable list, or one without a usable entry, is replaced
    // by a new one holding "Profile1" made from the default document. Entries that are not
    // objects or whose identifier could name a file outside the folder are dropped; a stored
    // selection outside the list reads as 0. False when a new list could not be written.
    bool Load();

    const std::vector<ProfileEntry>& Entries() const { return entries_; }
    std::vector<std::string> Names() const;
    int Count() const { return static_cast<int>(entries_.size()); }
    int Selected() const { return selected_; }
    // The selected profile's identifier ("" without a list).
    std::string SelectedId() const;
    std::string ListPath() const { return folder_ + kProfileListFileName; }
    // folder + identifier + ".Json" of profile index; "" outside the list.
    std::string ProfilePath(int index) const;

    // Stores index as the selection. -1 is no choice and ignored; other indexes outside the
    // list are refused. False when refused or not written.
    bool Select(int index);

    // A new profile from the default document, named by NameForNewProfile, appended and
    // selected.
    Outcome Add();
    // A copy of profile index's file, named by NameForCopy, appended; the selection stays.
    Outcome Copy(int index);
    // A profile file chosen by the user, appended under NameForImport of its "profilename";
    // the selection stays. The file must be a JSON object whose "profilename" is a non-blank
    // UTF-8 string and which has a "profileUUID"; its title at most kMaxImportTitleChars.
    Outcome Import(const std::string& path);
    // Removes profile index and its file when at least two remain; the new selection is the
    // previous index (0 when the first went).
    Outcome Delete(int index);
    // Writes profile index's file unchanged to path (its document as read; a missing file
    // exports its default document).
    bool Export(int index, const std::string& path);
    // Renames profile index (the typed-name rules are the caller's): blank -> kBlank, a name
    // another profile has (without regard to case) -> kNameUsed.
    RenameResult Rename(int index, const std::string& name);
    // Rewrites profile index's file from the default document, keeping its name.
    bool Reset(int index);

  private:
    // The root of the default document with the profile's name and identifier set.
    Json::Value DefaultProfileRoot(const ProfileEntry& entry) const;
    // A new identifier naming no entry and no file in the folder.
    std::string NewIdentifier() const;
    bool WriteList();
    bool WriteProfile(const ProfileEntry& entry, Json::Value root) const;
    // Appends entry as a profile whose file holds root; false when nothing was kept.
    bool Append(const ProfileEntry& entry, const Json::Value& root);

    std::string folder_;
    std::string defaultDocumentPath_;
    IdSource ids_;
    Json::Value list_;  // the list document as read: unknown members are kept
    std::vector<ProfileEntry> entries_;
    int selected_ = 0;
};

}  // namespace panels
