#include "windows/MusicSettings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/Trace.h"
#include "profile/JsonFile.h"

namespace windows {
namespace {

constexpr const char* kMusicDeviceKey = "Device";
constexpr const char* kMusicInfoKey = "AudioLightInfo";
constexpr std::array<char, 3> kChannelLetters = {'R', 'G', 'B'};

std::string ColourKey(int style, int channel) {
    return std::string("nStyle") + kChannelLetters[static_cast<size_t>(channel)] +
           std::to_string(style);
}

std::string NameKey(int style) {
    return "nStyleName" + std::to_string(style + 1);
}

int IntMember(const Json::Value& object, const std::string& key) {
    if (!object.isObject())
        return 0;
    const Json::Value& value = object[key];
    if (value.isInt())
        return value.asInt();
    if (value.isUInt())
        return static_cast<int>(std::min<Json::UInt>(value.asUInt(), 0x7FFFFFFF));
    return 0;
}

// The factory document, or an empty one when it is missing or not an object.
Json::Value FactoryAudioDocument(const std::string& factoryPath) {
    Json::Value factory = profile::LoadJsonFile(factoryPath);
    if (!factory.isObject())
        return Json::Value(Json::objectValue);
    return factory;
}

}  // namespace

MusicSettings MusicSettingsFromJson(const Json::Value& info) {
    MusicSettings settings;
    const int style = IntMember(info, "nAudioStyle");
    settings.style = style >= 0 && style < kMusicStyles ? style : 0;
    for (int s = 0; s < kMusicStyles; ++s) {
        if (info.isObject() && info[NameKey(s)].isString())
            settings.names[static_cast<size_t>(s)] = info[NameKey(s)].asString();
        for (int c = 0; c < 3; ++c) {
            const int value = std::clamp(IntMember(info, ColourKey(s, c)), 0, int(kMaxStyleColour));
            settings.colours[static_cast<size_t>(s)][static_cast<size_t>(c)] =
                static_cast<uint8_t>(value);
        }
    }
    return settings;
}

void StoreMusicSettings(const MusicSettings& settings, Json::Value& info) {
    if (!info.isObject())
        info = Json::Value(Json::objectValue);
    info["nAudioStyle"] = settings.style;
    for (int s = 0; s < kMusicStyles; ++s) {
        info[NameKey(s)] = settings.names[static_cast<size_t>(s)];
        for (int c = 0; c < 3; ++c)
            info[ColourKey(s, c)] =
                settings.colours[static_cast<size_t>(s)][static_cast<size_t>(c)];
    }
}

Json::Value LoadUserAudioFile(const std::string& userPath, const std::string& factoryPath) {
    namespace fs = std::filesystem;
    std::error_code error;
    Json::Value document;
    if (fs::exists(userPath, error)) {
        document = profile::LoadJsonFile(userPath);
        if (!document.isObject()) {
            const std::string bad = userPath + ".bad";
            fs::rename(userPath, bad, error);
            platform::TraceF("AudioFile: \"%s\" is not a document of ours; kept as \"%s\"%s",
                             userPath.c_str(), bad.c_str(), error ? " (could not move it)" : "");
            document = Json::Value();
        }
    }
    if (!document.isObject()) {
        document = FactoryAudioDocument(factoryPath);
        if (profile::WriteJsonFile(userPath, document) != 0)
            platform::TraceF("AudioFile: \"%s\" cannot be written", userPath.c_str());
    }
    const Json::Value& device = document[kMusicDeviceKey];
    if (!device.isObject() || !device[kMusicInfoKey].isObject())
        return Json::Value();
    return device[kMusicInfoKey];
}

bool WriteUserAudioFile(const std::string& userPath, const std::string& factoryPath,
                        const Json::Value& audioLightInfo) {
    LoadUserAudioFile(userPath, factoryPath);  // a bad or missing file is set aside and made anew
    Json::Value document = profile::LoadJsonFile(userPath);
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    Json::Value device(Json::objectValue);
    device[kMusicInfoKey] = audioLightInfo;
    document[kMusicDeviceKey] = device;
    return profile::WriteJsonFile(userPath, document) == 0;
}

}  // namespace windows
