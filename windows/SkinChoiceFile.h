#pragma once
// The background choice kept in "main.ini" of the user folder: section "SKINIMAGE", "FLAGS"
// ("1" after an image of the skin was chosen, "0" after a reset) and "IMAGE" (its name).
// Colours and the user's own pictures are not kept. Threads: window thread (the test override
// of the path is not guarded).
#include <optional>
#include <string>

namespace windows {

inline constexpr const char* kSkinIniFileName = "main.ini";
inline constexpr const char* kSkinIniSection = "SKINIMAGE";
inline constexpr const char* kSkinIniFlags = "FLAGS";
inline constexpr const char* kSkinIniImage = "IMAGE";
// The main window's default background, which a reset returns to.
inline constexpr const char* kDefaultSkinImage = "common/background.png";

// The user folder's "main.ini"; with createFolder the user folder is made when missing (before
// a write), without it nothing is created (a read).
std::string SkinIniPath(bool createFolder);
// Makes SkinIniPath answer path instead ("" puts the user folder back). For tests.
void SetSkinIniPathForTesting(const std::string& path);

// Writes FLAGS and IMAGE, each key on its own as the system's profile calls do; other
// sections and keys stay. False when either write failed.
bool RecordSkinImage(const std::string& iniPath, bool chosen, const std::string& image);

// The image to put back at start-up: IMAGE when FLAGS is "1" and IMAGE names an image inside
// the skin folder (relative, no "..", no drive, at most 260 bytes). Whether it loads is the
// caller's check. Nothing otherwise.
std::optional<std::string> StoredSkinImage(const std::string& iniPath);

// A name that may stand for an image of the skin folder (see StoredSkinImage).
bool IsSkinImageName(const std::string& name);

}  // namespace windows
