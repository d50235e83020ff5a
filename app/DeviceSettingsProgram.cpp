#include "app/DeviceSettingsProgram.h"

#include <filesystem>
#include <system_error>

namespace app {

namespace {

struct Candidate {
    const char* program;
    const char* keyboard;
    const char* mouse;
};

constexpr Candidate kCandidates[] = {
    {"gnome-control-center", "keyboard", "mouse"},
    {"systemsettings", "kcm_keyboard", "kcm_mouse"},
    {"xfce4-keyboard-settings", "", nullptr},
    {"xfce4-mouse-settings", nullptr, ""},
    {"lxqt-config-input", "", ""},
    {"control.exe", "keyboard", "mouse"},
};

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::optional<SettingsProgram> FindDeviceSettingsProgram(int index, const std::string& searchPath) {
    if (index != 0 && index != 1)
        return std::nullopt;
    std::vector<std::string> folders;
    std::string folder;
    // A list with ';' is a Windows one, where ':' belongs to drive names.
    const char separator = searchPath.find(';') != std::string::npos ? ';' : ':';
    for (char c : searchPath + separator) {
        if (c == separator) {
            if (!folder.empty())
                folders.push_back(folder);
            folder.clear();
        } else {
            folder += c;
        }
    }
    for (const Candidate& candidate : kCandidates) {
        const char* parameters = index == 0 ? candidate.keyboard : candidate.mouse;
        if (parameters == nullptr)
            continue;
        for (const std::string& dir : folders) {
            std::filesystem::path path = std::filesystem::path(dir) / candidate.program;
            if (IsFile(path))
                return SettingsProgram{path.string(), parameters};
        }
    }
    return std::nullopt;
}

}  // namespace app
