#include "panels/shoot/ShootFiles.h"

#include <climits>
#include <filesystem>
#include <system_error>

#include "devices/mouse/ShootArea.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/Trace.h"
#include "profile/FileNames.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"

namespace panels::shoot {
namespace {

namespace json = profile::json;

// The fixed members of a bullet's events: a left click, then the two moves.
constexpr int kLeftButtonBit = 1;
constexpr int kClickType = 1;
constexpr int kHorizontalType = 4;
constexpr int kVerticalType = 5;
constexpr int kPressDelayMs = 10;
constexpr int kHorizontalDelayMs = 5;

enum class ShootFileState { kMissing, kUnreadable, kRead };

// Missing is only "nothing there": a folder, an unreadable or an oversized file is something
// the rules must not replace.
ShootFileState ReadShootFile(const std::string& path, std::string& bytes) {
    if (platform::ReadWholeFile(path, bytes, profile::kMaxJsonFileBytes))
        return ShootFileState::kRead;
    std::error_code ec;
    const bool present =
        std::filesystem::symlink_status(path, ec).type() != std::filesystem::file_type::not_found &&
        !ec;
    return present ? ShootFileState::kUnreadable : ShootFileState::kMissing;
}

Json::Value FreshSet() {
    Json::Value root(Json::objectValue);
    root["Events"] = Json::Value(Json::arrayValue);
    return root;
}

// A root the rules can read and write: an object whose "Events" is an array or absent.
bool IsUsableSet(const Json::Value& root) {
    if (!root.isObject())
        return false;
    const Json::Value& events = json::Member(root, "Events");
    return events.isNull() || events.isArray();
}

// "Button" and "Delay" are numbers in our files; a hand-made file may hold decimal text.
int ShootNumberOf(const Json::Value& value) {
    if (value.isString())
        return LeadingNumber(value.asString());
    return json::IntOf(value);
}

bool ShootIsDown(const Json::Value& event) {
    return json::StringOf(json::Member(event, "Action")) == "down";
}

void SetShootEvent(Json::Value& event, bool down, int button, int delay, int type) {
    event["Action"] = down ? "down" : "up";
    event["Button"] = button;
    event["Delay"] = delay;
    event["Type"] = type;
}

bool ValidBullet(int bullet) {
    return bullet >= 0 && bullet < kBulletCount;
}

void SetShootError(std::string* error, const std::string& text) {
    if (error != nullptr)
        *error = text;
}

std::string UnreadableReason(const std::string& path) {
    if (platform::FolderExists(path))
        return path + " is a folder";
    if (!platform::FileExists(path))
        return path + " does not exist";
    return path + " cannot be read or is not a shoot-data file (larger than 8 MiB)";
}

// Keeps an unusable file's bytes beside it before the rules replace it.
bool KeepUnusableSet(const std::string& path, const std::string& bytes, std::string* error) {
    const std::string keep = profile::FreeBackupName(path);
    if (!platform::WriteFileAtomic(keep, bytes)) {
        SetShootError(error, path + " is not a shoot-data set and could not be kept as " + keep +
                                 "; left as it is");
        return false;
    }
    platform::TraceF("shoot: %s was not a shoot-data set; kept as %s", path.c_str(), keep.c_str());
    return true;
}

}  // namespace

std::string SetFileName(int set) {
    return devices::mouse::ShootSetFileName(set);
}

SetDocument LoadSet(const std::string& path) {
    SetDocument document;
    document.root = FreshSet();
    std::string bytes;
    const ShootFileState state = ReadShootFile(path, bytes);
    document.exists = state != ShootFileState::kMissing;
    if (state != ShootFileState::kRead)
        return document;
    Json::Value parsed;
    if (!profile::ParseJsonText(bytes, parsed) || !IsUsableSet(parsed))
        return document;
    document.root.swap(parsed);
    document.usable = true;
    return document;
}

Bullet ReadBullet(const Json::Value& root, int bullet) {
    Bullet value;
    if (!ValidBullet(bullet))
        return value;
    const Json::Value& events = json::Member(root, "Events");
    const int64_t first = int64_t{kEventsPerBullet} * bullet;
    const Json::Value& horizontal = json::Element(events, first + 2);
    const Json::Value& vertical = json::Element(events, first + 3);
    value.left = ShootIsDown(horizontal);
    value.x = ShootNumberOf(json::Member(horizontal, "Button"));
    value.up = ShootIsDown(vertical);
    value.y = ShootNumberOf(json::Member(vertical, "Button"));
    value.delay = ShootNumberOf(json::Member(vertical, "Delay"));
    return value;
}

void WriteBullet(Json::Value& root, int bullet, const Bullet& value) {
    if (!ValidBullet(bullet))
        return;
    Json::Value& events = json::ArrayMember(root, "Events");
    const auto first = static_cast<Json::ArrayIndex>(kEventsPerBullet * bullet);
    // Earlier bullets that do not exist yet become events that do nothing (up, 0, 0), so this
    // bullet keeps its place in the area the mouse receives.
    while (events.size() < first)
        events.append(Json::Value(Json::objectValue));
    SetShootEvent(json::ObjectElement(events, first), true, kLeftButtonBit, kPressDelayMs,
                  kClickType);
    SetShootEvent(json::ObjectElement(events, first + 1), false, kLeftButtonBit, 0, kClickType);
    SetShootEvent(json::ObjectElement(events, first + 2), value.left, value.x, kHorizontalDelayMs,
                  kHorizontalType);
    SetShootEvent(json::ObjectElement(events, first + 3), value.up, value.y, value.delay,
                  kVerticalType);
    SetShootEvent(json::ObjectElement(events, first + 4), value.left, 0, 0, kHorizontalType);
    SetShootEvent(json::ObjectElement(events, first + 5), value.up, 0, 0, kVerticalType);
}

int LeadingNumber(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > INT_MAX)
            return INT_MAX;  // more digits only make it larger
    }
    return static_cast<int>(value);
}

bool SaveBullet(const std::string& path, int bullet, const Bullet& value, std::string* error) {
    if (!ValidBullet(bullet)) {
        SetShootError(error, "no bullet " + std::to_string(bullet) + " (0-29)");
        return false;
    }
    std::string bytes;
    const ShootFileState state = ReadShootFile(path, bytes);
    if (state == ShootFileState::kUnreadable) {
        SetShootError(error, UnreadableReason(path) + "; left as it is");
        return false;
    }
    Json::Value root = FreshSet();
    // An empty file holds nothing to keep (a copy that failed half-way long ago, say).
    if (state == ShootFileState::kRead && !bytes.empty()) {
        Json::Value parsed;
        const bool parsedOk = profile::ParseJsonText(bytes, parsed);
        if (parsedOk && IsUsableSet(parsed)) {
            root.swap(parsed);
        } else {
            if (!KeepUnusableSet(path, bytes, error))
                return false;
            if (parsed.isObject()) {
                root.swap(parsed);  // its other members survive; "Events" starts anew
                root["Events"] = Json::Value(Json::arrayValue);
            }
        }
    }
    WriteBullet(root, bullet, value);
    if (profile::WriteJsonFile(path, root) != 0) {
        SetShootError(error, "cannot write " + path);
        return false;
    }
    return true;
}

bool CopySetFile(const std::string& from, const std::string& to, std::string* error) {
    std::string bytes;
    if (!platform::ReadWholeFile(from, bytes, profile::kMaxJsonFileBytes)) {
        SetShootError(error, UnreadableReason(from));
        return false;
    }
    std::error_code ec;
    if (std::filesystem::equivalent(from, to, ec) && !ec)
        return true;  // the file is already where it is to go
    if (platform::FolderExists(to)) {
        SetShootError(error, to + " is a folder");
        return false;
    }
    if (!platform::WriteFileAtomic(to, bytes)) {
        SetShootError(error, "cannot write " + to);
        return false;
    }
    return true;
}

int EnsureUserSets(const std::string& userFolder, const std::string& defaultFolder) {
    platform::EnsureFolder(userFolder);
    int copied = 0;
    for (int set = 0; set < kSetCount; ++set) {
        const std::string user = userFolder + SetFileName(set);
        std::string bytes;
        const ShootFileState state = ReadShootFile(user, bytes);
        if (state == ShootFileState::kUnreadable) {
            platform::TraceF("shoot: %s cannot be read; not replaced", user.c_str());
            continue;
        }
        if (state == ShootFileState::kRead && !bytes.empty()) {
            Json::Value parsed;
            if (profile::ParseJsonText(bytes, parsed) && IsUsableSet(parsed))
                continue;
            std::string error;
            if (!KeepUnusableSet(user, bytes, &error)) {
                platform::TraceF("shoot: %s", error.c_str());
                continue;
            }
        }
        std::string error;
        if (CopySetFile(defaultFolder + SetFileName(set), user, &error))
            ++copied;
        else
            platform::TraceF("shoot: no factory set %d: %s", set, error.c_str());
    }
    return copied;
}

}  // namespace panels::shoot
