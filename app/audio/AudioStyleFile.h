#pragma once
// The music light's current style colour as "AudioFile.json" keeps it
// ({"Device":{"AudioLightInfo":{"nAudioStyle":N,"nStyleR0":...}}}): a style outside 0-3
// reads as style 0, colours are clamped to 0-9, anything missing reads as 0.
// Pure apart from reading the file; any thread.
#include <array>
#include <string>

namespace Json {
class Value;
}

namespace app::audio {

std::array<int, 3> StyleColourOf(const Json::Value& root);

// The user's copy first, else the default-data folder's; all 0 when neither can be read.
std::array<int, 3> ReadStyleColour(const std::string& userFile, const std::string& defaultFile);

}  // namespace app::audio
