#include "platform/Folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {
namespace {

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/')
        path.push_back('/');
    return path;
}

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    if (value && *value)
        return value;
    return fallback;
}

std::string HomeFolder() {
    return EnvOr("HOME", "/tmp");
}

}  // namespace

std::string ProgramFolder() {
    if (const char* overridden = std::getenv("T418_ZEN_PROGRAM_DIR"); overridden && *overridden) {
        return WithSlash(overridden);
    }
    std::string exe = ExecutableFolder();
    std::error_code ec;
    if (std::filesystem::is_directory(exe + "DefaultData", ec))
        return exe;
    std::string installed = exe + "../share/t418-zen/";
    if (std::filesystem::is_directory(installed + "DefaultData", ec))
        return installed;
    return exe;
}

std::string LocalAppDataFolder() {
    return WithSlash(EnvOr("XDG_DATA_HOME", HomeFolder() + "/.local/share"));
}

bool EnsureFolder(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

std::string UserFolder() {
    std::string folder = LocalAppDataFolder() + "T418-ZEN/";
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
    return WithSlash(EnvOr("XDG_CONFIG_HOME", HomeFolder() + "/.config")) + "T418-ZEN/";
}

}  // namespace platform
