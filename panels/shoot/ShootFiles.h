#pragma once
// The four shoot-data sets of a mouse as files: "ShootData_<i>.Shoot" in the user data folder,
// factory copies of the same names in the default-data folder. A set is a JSON document whose
// "Events" hold six events per bullet (30 bullets); other root members are kept. The panel
// and t418-zenctl share these rules.
//
// Every read is checked: an unreadable file, a root that is not an object or "Events" that is
// not an array reads as an empty set. Every write is atomic; a copy reads its source whole
// before the target is touched, so a failed copy leaves the target as it was.
// Threads: any; callers serialise access to one folder (window thread, or a tool).
#include <string>
#include <string_view>

#include <json/value.h>

namespace panels::shoot {

inline constexpr int kSetCount = 4;
inline constexpr int kBulletCount = 30;
inline constexpr int kEventsPerBullet = 6;

// "ShootData_<set>.Shoot".
std::string SetFileName(int set);

// One bullet as the panel shows it. x and y are the amounts as stored (the file keeps what
// was entered; the mouse gets the low byte), left/up the directions ("down" actions).
struct Bullet {
    int x = 0;
    int y = 0;
    int delay = 0;
    bool left = false;  // horizontal "down": to the left
    bool up = false;    // vertical "down": upward
    friend bool operator==(const Bullet&, const Bullet&) = default;
};

// A set file's document; usable is false when the file was missing, unreadable or malformed
// (root then an empty object with an empty "Events").
struct SetDocument {
    Json::Value root;
    bool usable = false;
    bool exists = false;  // a file was there (usable or not)
};
SetDocument LoadSet(const std::string& path);

// Bullet b of a document: missing elements or members read as empty ("up") or 0; "Button"
// and "Delay" may be integers or decimal strings.
Bullet ReadBullet(const Json::Value& root, int bullet);
// Writes bullet b's six events (creating missing elements, other bullets untouched).
void WriteBullet(Json::Value& root, int bullet, const Bullet& value);

// The leading decimal integer of an edit's text ("12abc" -> 12, "" -> 0, "-3" -> 0).
int LeadingNumber(std::string_view text);

// Stores bullet b into the set file: load, write the bullet, write the file atomically. A
// malformed existing file is first kept beside it as "<file>.<timestamp>.bad" and the bullet
// goes into a fresh set. False with the reason when the file could not be written.
bool SaveBullet(const std::string& path, int bullet, const Bullet& value, std::string* error);

// Copies a set file: the source is read whole first; when it cannot be read (missing, a
// folder, unreadable) the target is untouched and false is answered with the reason. A copy
// onto itself changes nothing and succeeds. The content is not checked.
bool CopySetFile(const std::string& from, const std::string& to, std::string* error);

// The sets' start-up rule: each user file that is missing or unusable gets the factory copy
// (folders end with a separator). Answers how many sets were copied.
int EnsureUserSets(const std::string& userFolder, const std::string& defaultFolder);

}  // namespace panels::shoot
