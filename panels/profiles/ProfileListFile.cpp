#include "panels/profiles/ProfileListFile.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "panels/profiles/ProfileNames.h"
#include "platform/FileIO.h"
#include "platform/Trace.h"
#include "profile/FileNames.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "profile/Utf8.h"

namespace panels {
namespace {

namespace json = profile::json;

Json::Value EntryValue(const ProfileEntry& entry) {
    Json::Value value(Json::objectValue);
    value["profilename"] = entry.name;
    value["profileUUID"] = entry.id;
    value["profileislink"] = 0;
    value["profilelinkmame"] = "";
    return value;
}

void RemoveFile(const std::string& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    if (error)
        platform::TraceF("ProfileList: cannot remove \"%s\": %s", path.c_str(),
                         error.message().c_str());
}

}  // namespace

ProfileListFile::ProfileListFile(std::string folder, std::string defaultDocumentPath, IdSource ids)
    : folder_(std::move(folder)),
      defaultDocumentPath_(std::move(defaultDocumentPath)),
      ids_(std::move(ids)) {}

bool ProfileListFile::Load() {
    list_ = profile::LoadJsonFile(ListPath());
    json::AsObject(list_);
    entries_.clear();
    const Json::Value& stored = json::Member(list_, "profilelist");
    Json::Value kept(Json::arrayValue);
    bool changed = !stored.isArray();
    for (uint32_t i = 0; i < json::ArraySize(stored); ++i) {
        const Json::Value& value = json::Element(stored, i);
        ProfileEntry entry;
        entry.id = json::StringOf(json::Member(value, "profileUUID"));
        entry.name = json::StringOf(json::Member(value, "profilename"));
        bool taken = false;
        for (const ProfileEntry& other : entries_)
            taken = taken || SameProfileName(other.id, entry.id);
        if (!value.isObject() || !IsSafeIdentifier(entry.id) || taken) {
            platform::TraceF("ProfileList: entry %u of \"%s\" has no usable identifier; dropped", i,
                             ListPath().c_str());
            changed = true;
            continue;
        }
        Json::Value copy = value;
        if (entry.name.empty() || !profile::IsValidUtf8(entry.name)) {
            entry.name = entry.id;
            copy["profilename"] = entry.name;
            changed = true;
        }
        kept.append(copy);
        entries_.push_back(std::move(entry));
    }
    if (entries_.empty()) {
        // As at the first start: one profile from the default document, selected.
        ProfileEntry first{"Profile1", NewIdentifier()};
        list_ = Json::Value(Json::objectValue);
        list_["profilelist"] = Json::Value(Json::arrayValue);
        list_["profilelist"].append(EntryValue(first));
        list_["profileselect"] = 0;
        entries_.push_back(first);
        selected_ = 0;
        const bool written = WriteList();
        WriteProfile(first, DefaultProfileRoot(first));
        return written;
    }
    const int stored_selection = json::IntOf(json::Member(list_, "profileselect"));
    selected_ = stored_selection >= 0 && stored_selection < Count() ? stored_selection : 0;
    if (changed) {
        list_["profilelist"] = kept;
        list_["profileselect"] = selected_;
        WriteList();
    }
    return true;
}

std::vector<std::string> ProfileListFile::Names() const {
    std::vector<std::string> names;
    names.reserve(entries_.size());
    for (const ProfileEntry& entry : entries_)
        names.push_back(entry.name);
    return names;
}

std::string ProfileListFile::SelectedId() const {
    return selected_ >= 0 && selected_ < Count() ? entries_[selected_].id : std::string();
}

std::string ProfileListFile::ProfilePath(int index) const {
    if (index < 0 || index >= Count())
        return {};
    return folder_ + entries_[index].id + kProfileFileExtension;
}

bool ProfileListFile::Select(int index) {
    if (index == -1)
        return false;
    Load();
    if (index < 0 || index >= Count())
        return false;
    selected_ = index;
    list_["profileselect"] = index;
    return WriteList();
}

ProfileListFile::Outcome ProfileListFile::Add() {
    Load();
    if (Count() >= static_cast<int>(kMaxProfiles))
        return {Result::kFull, -1, {}};
    ProfileEntry entry{NameForNewProfile(Names()), NewIdentifier()};
    const int previous = selected_;
    selected_ = Count();
    list_["profileselect"] = selected_;
    if (!Append(entry, DefaultProfileRoot(entry))) {
        selected_ = previous;
        list_["profileselect"] = previous;
        return {Result::kWriteFailed, -1, {}};
    }
    return {Result::kDone, Count() - 1, entry.name};
}

ProfileListFile::Outcome ProfileListFile::Copy(int index) {
    Load();
    if (index < 0 || index >= Count())
        return {Result::kRefused, -1, {}};
    if (Count() >= static_cast<int>(kMaxProfiles))
        return {Result::kFull, -1, {}};
    ProfileEntry entry{NameForCopy(entries_[index].name, Names()), NewIdentifier()};
    Json::Value root = profile::LoadJsonFile(ProfilePath(index));
    if (!root.isObject())
        root = DefaultProfileRoot(entry);
    if (!Append(entry, root))
        return {Result::kWriteFailed, -1, {}};
    return {Result::kDone, Count() - 1, entry.name};
}

ProfileListFile::Outcome ProfileListFile::Import(const std::string& path) {
    Json::Value root = profile::LoadJsonFile(path);
    const Json::Value& name = json::Member(root, "profilename");
    if (!root.isObject() || !name.isString() || json::Member(root, "profileUUID").isNull() ||
        IsBlankName(name.asString()) || !profile::IsValidUtf8(name.asString())) {
        platform::TraceF("ProfileList: \"%s\" is not a profile file; not imported", path.c_str());
        return {Result::kBadFile, -1, {}};
    }
    if (Utf8Length(profile::GetFileTitle(path)) > kMaxImportTitleChars)
        return {Result::kTitleTooLong, -1, {}};
    Load();
    if (Count() >= static_cast<int>(kMaxProfiles))
        return {Result::kFull, -1, {}};
    ProfileEntry entry{NameForImport(name.asString(), Names()), NewIdentifier()};
    if (!Append(entry, root))
        return {Result::kWriteFailed, -1, {}};
    return {Result::kDone, Count() - 1, entry.name};
}

ProfileListFile::Outcome ProfileListFile::Delete(int index) {
    Load();
    if (index < 0 || index >= Count() || Count() < 2)
        return {Result::kRefused, -1, {}};
    const int next = index > 0 ? index - 1 : 0;
    const ProfileEntry gone = entries_[index];
    Json::Value removed;
    json::ArrayMember(list_, "profilelist")
        .removeIndex(static_cast<Json::ArrayIndex>(index), &removed);
    list_["profileselect"] = next;
    // The list first: a list never names a file that is gone.
    if (!WriteList()) {
        Load();
        return {Result::kWriteFailed, -1, {}};
    }
    entries_.erase(entries_.begin() + index);
    selected_ = next;
    RemoveFile(folder_ + gone.id + kProfileFileExtension);
    return {Result::kDone, next, gone.name};
}

bool ProfileListFile::Export(int index, const std::string& path) {
    Load();
    if (index < 0 || index >= Count() || path.empty())
        return false;
    Json::Value root = profile::LoadJsonFile(ProfilePath(index));
    if (!root.isObject())
        root = DefaultProfileRoot(entries_[index]);
    return profile::WriteJsonFile(path, root) == 0;
}

ProfileListFile::RenameResult ProfileListFile::Rename(int index, const std::string& name) {
    if (IsBlankName(name))
        return RenameResult::kBlank;
    Load();
    if (index < 0 || index >= Count())
        return RenameResult::kFailed;
    for (int i = 0; i < Count(); ++i) {
        if (i != index && SameProfileName(entries_[i].name, name))
            return RenameResult::kNameUsed;
    }
    entries_[index].name = name;
    json::ObjectElement(json::ArrayMember(list_, "profilelist"),
                        static_cast<uint32_t>(index))["profilename"] = name;
    if (!WriteList())
        return RenameResult::kFailed;
    Json::Value root = profile::LoadJsonFile(ProfilePath(index));
    if (!root.isObject())
        root = DefaultProfileRoot(entries_[index]);
    return WriteProfile(entries_[index], root) ? RenameResult::kDone : RenameResult::kFailed;
}

bool ProfileListFile::Reset(int index) {
    Load();
    if (index < 0 || index >= Count())
        return false;
    return WriteProfile(entries_[index], DefaultProfileRoot(entries_[index]));
}

Json::Value ProfileListFile::DefaultProfileRoot(const ProfileEntry& entry) const {
    Json::Value root = profile::LoadJsonFile(defaultDocumentPath_);
    json::AsObject(root);
    root["profilename"] = entry.name;
    root["profileUUID"] = entry.id;
    return root;
}

std::string ProfileListFile::NewIdentifier() const {
    // Two identifiers made within one millisecond are equal, and a file may be left from an
    // earlier list: a suffix keeps the new one apart from both.
    const std::string base = ids_ ? ids_() : profile::MakeTimestampName();
    std::string id = IsSafeIdentifier(base) ? base : std::string("profile");
    const std::string stem = id;
    for (int n = 2;; ++n) {
        bool taken = platform::FileExists(folder_ + id + kProfileFileExtension);
        for (const ProfileEntry& entry : entries_)
            taken = taken || SameProfileName(entry.id, id);
        if (!taken)
            return id;
        id = stem + "_" + std::to_string(n);
    }
}

bool ProfileListFile::WriteList() {
    return profile::WriteJsonFile(ListPath(), list_) == 0;
}

bool ProfileListFile::WriteProfile(const ProfileEntry& entry, Json::Value root) const {
    json::AsObject(root);
    root["profilename"] = entry.name;
    root["profileUUID"] = entry.id;
    return profile::WriteJsonFile(folder_ + entry.id + kProfileFileExtension, root) == 0;
}

bool ProfileListFile::Append(const ProfileEntry& entry, const Json::Value& root) {
    if (!WriteProfile(entry, root))
        return false;
    json::ArrayMember(list_, "profilelist").append(EntryValue(entry));
    if (!WriteList()) {
        RemoveFile(folder_ + entry.id + kProfileFileExtension);
        Load();
        return false;
    }
    entries_.push_back(entry);
    return true;
}

}  // namespace panels
