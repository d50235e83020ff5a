#include "app/audio/AudioStyleFile.h"

#include <json/json.h>

#include <algorithm>
#include <memory>

#include "platform/FileIO.h"

namespace app::audio {
namespace {

int AudioStyleInt(const Json::Value& object, const std::string& key) {
    const Json::Value& v = object[key];
    if (!v.isInt())
        return 0;
    return v.asInt();
}

bool AudioStyleRead(const std::string& path, Json::Value& root) {
    std::string text;
    if (path.empty() || !platform::ReadWholeFile(path, text, 1u << 20))
        return false;
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    return reader->parse(text.data(), text.data() + text.size(), &root, &errors) && root.isObject();
}

}  // namespace

std::array<int, 3> StyleColourOf(const Json::Value& root) {
    if (!root.isObject() || !root["Device"].isObject() ||
        !root["Device"]["AudioLightInfo"].isObject())
        return {0, 0, 0};
    const Json::Value& info = root["Device"]["AudioLightInfo"];
    int style = AudioStyleInt(info, "nAudioStyle");
    if (style < 0 || style > 3)
        style = 0;
    const std::string n = std::to_string(style);
    auto level = [&](const char* channel) {
        return std::clamp(AudioStyleInt(info, std::string("nStyle") + channel + n), 0, 9);
    };
    return {level("R"), level("G"), level("B")};
}

std::array<int, 3> ReadStyleColour(const std::string& userFile, const std::string& defaultFile) {
    Json::Value root;
    if (AudioStyleRead(userFile, root) || AudioStyleRead(defaultFile, root))
        return StyleColourOf(root);
    return {0, 0, 0};
}

}  // namespace app::audio
