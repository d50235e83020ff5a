// t418-zenctl music: the music light's four styles in the user's audio file, shown or changed
// by the rules the music window uses.
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Folders.h"
#include "tools/zenctl/Command.h"
#include "windows/MusicSettings.h"

namespace zenctl {
namespace {

int MusicUsage() {
    std::fprintf(stderr,
                 "usage: t418-zenctl music show\n"
                 "       t418-zenctl music set STYLE (0-3) [--name TEXT] [--colour R,G,B (0-9)] "
                 "[--current]\n");
    return 2;
}

bool ParseStyleNumber(const std::string& text, int limit, int& out) {
    if (text.empty() || text.size() > 2)
        return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0' || value < 0 || value > limit)
        return false;
    out = static_cast<int>(value);
    return true;
}

bool ParseStyleColour(const std::string& text, std::array<uint8_t, 3>& colour) {
    size_t start = 0;
    for (size_t c = 0; c < 3; ++c) {
        const size_t comma = text.find(',', start);
        if ((c < 2) == (comma == std::string::npos))
            return false;
        int value = 0;
        if (!ParseStyleNumber(text.substr(start, comma - start), windows::kMaxStyleColour, value))
            return false;
        colour[c] = static_cast<uint8_t>(value);
        start = comma + 1;
    }
    return true;
}

void PrintMusicSettings(const windows::MusicSettings& settings) {
    for (int s = 0; s < windows::kMusicStyles; ++s) {
        const auto& colour = settings.colours[static_cast<size_t>(s)];
        std::printf("%c style %d: %d,%d,%d \"%s\"\n", s == settings.style ? '*' : ' ', s, colour[0],
                    colour[1], colour[2], settings.names[static_cast<size_t>(s)].c_str());
    }
}

int RunMusic(const std::vector<std::string>& args, const Options&) {
    const std::string user = platform::UserFolder() + windows::kAudioFileName;
    const std::string factory = platform::DefaultDataFolder() + windows::kAudioFileName;
    if (args.size() == 1 && args[0] == "show") {
        PrintMusicSettings(
            windows::MusicSettingsFromJson(windows::LoadUserAudioFile(user, factory)));
        return 0;
    }
    int style = 0;
    if (args.size() < 2 || args[0] != "set" ||
        !ParseStyleNumber(args[1], windows::kMusicStyles - 1, style))
        return MusicUsage();
    Json::Value info = windows::LoadUserAudioFile(user, factory);
    windows::MusicSettings settings = windows::MusicSettingsFromJson(info);
    const auto index = static_cast<size_t>(style);
    for (size_t i = 2; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--name" && hasValue) {
            // An empty name is the style's default name, as in the music window.
            const std::string& name = args[++i];
            settings.names[index] = name.empty() ? windows::kDefaultStyleNames[index] : name;
        } else if (args[i] == "--colour" && hasValue) {
            if (!ParseStyleColour(args[++i], settings.colours[index]))
                return MusicUsage();
        } else if (args[i] == "--current") {
            settings.style = style;
        } else {
            return MusicUsage();
        }
    }
    windows::StoreMusicSettings(settings, info);
    if (!windows::WriteUserAudioFile(user, factory, info)) {
        std::fprintf(stderr, "t418-zenctl: \"%s\" cannot be written\n", user.c_str());
        return 1;
    }
    PrintMusicSettings(settings);
    return 0;
}

const CommandRegistration registration({"music", "music show|set STYLE [...]",
                                        "show or change the music light's four styles", RunMusic});

}  // namespace
}  // namespace zenctl
