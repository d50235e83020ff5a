#include "platform/Folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/FileIO.h"

namespace platform {

std::string WithTrailingSlash(std::string path) {
    if (path.empty() || path.back() != '/')
        path.push_back('/');
    return path;
}

std::string ProgramFolder() {
    if (const char* overridden = std::getenv("T418_ZEN_PROGRAM_DIR"); overridden && *overridden)
        return WithTrailingSlash(overridden);
    std::string exe = ExecutableFolder();
    if (FolderExists(exe + "DefaultData"))
        return exe;
    std::string installed = detail::InstalledDataFolder();
    if (!installed.empty() && FolderExists(installed + "DefaultData"))
        return installed;
    return exe;
}

bool EnsureFolder(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return FolderExists(path);
}

std::string UserFolder() {
    std::string folder = LocalAppDataFolder() + kProductFolderName + "/";
    EnsureFolder(folder);
    return folder;
}

std::string DeviceDataFolder(const std::string& deviceType) {
    std::string folder = UserFolder() + deviceType + "/";
    EnsureFolder(folder);
    return folder;
}

std::string DefaultDataFolder() {
    return ProgramFolder() + "DefaultData/";
}

std::string ConfigFolder() {
    return detail::UserConfigFolder() + kProductFolderName + "/";
}

}  // namespace platform
