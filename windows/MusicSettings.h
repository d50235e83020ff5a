#pragma once
// The music light's four colour styles: a name and a colour (red, green, blue, 0-9 each) per
// style and which style is current. The program keeps them as the JSON object
// "AudioLightInfo" (keys nAudioStyle, nStyleName1-4, nStyleR0 ... nStyleB3) of its audio
// file "AudioFile.json" ({"Device": {"AudioLightInfo": {...}}}): a factory copy in the
// default-data folder, the user's copy in the user folder. The music window edits a copy;
// t418-zenctl music uses the same rules on the files.
// Threads: any (pure functions and whole-file reads and writes).
#include <json/value.h>

#include <array>
#include <cstdint>
#include <string>

namespace windows {

inline constexpr int kMusicStyles = 4;
inline constexpr uint8_t kMaxStyleColour = 9;
inline constexpr const char* kAudioFileName = "AudioFile.json";
// The name an emptied style name edit takes back.
inline constexpr std::array<const char*, kMusicStyles> kDefaultStyleNames = {"第一组", "第二组",
                                                                             "第三组", "第四组"};

struct MusicSettings {
    int style = 0;  // 0-3
    std::array<std::string, kMusicStyles> names;
    std::array<std::array<uint8_t, 3>, kMusicStyles> colours{};  // red, green, blue
    friend bool operator==(const MusicSettings&, const MusicSettings&) = default;
};

// The settings of an "AudioLightInfo" object; a missing object or key gives style 0, empty
// names and colours 0. A style outside 0-3 reads as 0 and colours are limited to 0-9, so
// that no value of a document indexes past the four styles.
MusicSettings MusicSettingsFromJson(const Json::Value& audioLightInfo);
// Writes every key into the object (integers and strings); other members stay.
void StoreMusicSettings(const MusicSettings& settings, Json::Value& audioLightInfo);

// The user's audio file, made from the factory copy when it is missing. A file whose root is
// not an object (or that does not parse) is moved aside as "<name>.bad" and written anew
// from the factory copy (or as an empty document when that one is unusable too). Answers
// the document's "AudioLightInfo" object (null when it has none).
Json::Value LoadUserAudioFile(const std::string& userPath, const std::string& factoryPath);
// Loads the user's file, replaces its "Device" member by {"AudioLightInfo": info} and
// writes it back whole. False when the write failed.
bool WriteUserAudioFile(const std::string& userPath, const std::string& factoryPath,
                        const Json::Value& audioLightInfo);

}  // namespace windows
