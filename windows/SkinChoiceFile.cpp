#include "windows/SkinChoiceFile.h"

#include "platform/Folders.h"
#include "platform/IniFile.h"

namespace windows {

namespace {
std::string g_skinIniPathForTesting;  // window thread only
}  // namespace

std::string SkinIniPath(bool createFolder) {
    if (!g_skinIniPathForTesting.empty())
        return g_skinIniPathForTesting;
    if (createFolder)
        return platform::UserFolder() + kSkinIniFileName;
    return platform::LocalAppDataFolder() + platform::kProductFolderName + "/" + kSkinIniFileName;
}

void SetSkinIniPathForTesting(const std::string& path) {
    g_skinIniPathForTesting = path;
}

bool RecordSkinImage(const std::string& iniPath, bool chosen, const std::string& image) {
    const bool flags =
        platform::WriteIniString(iniPath, kSkinIniSection, kSkinIniFlags, chosen ? "1" : "0");
    const bool name = platform::WriteIniString(iniPath, kSkinIniSection, kSkinIniImage, image);
    return flags && name;
}

bool IsSkinImageName(const std::string& name) {
    constexpr size_t kMaxSkinImageName = 260;
    if (name.empty() || name.size() > kMaxSkinImageName)
        return false;
    if (name[0] == '/' || name[0] == '\\' || name.find(':') != std::string::npos)
        return false;
    // An image description ("file='...' dest='...'") is not a name.
    if (name.find('\'') != std::string::npos || name.find('"') != std::string::npos ||
        name.find('=') != std::string::npos)
        return false;
    // No step out of the skin folder, whichever separator.
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = name.size();
        if (name.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20)
            return false;
    return true;
}

std::optional<std::string> StoredSkinImage(const std::string& iniPath) {
    const auto flags = platform::ReadIniString(iniPath, kSkinIniSection, kSkinIniFlags);
    if (!flags || *flags != "1")
        return std::nullopt;
    auto image = platform::ReadIniString(iniPath, kSkinIniSection, kSkinIniImage);
    if (!image || !IsSkinImageName(*image))
        return std::nullopt;
    return image;
}

}  // namespace windows
