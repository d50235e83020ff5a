#include "devices/keyboard/KeyboardBlock.h"

#include <algorithm>

namespace devices::keyboard {
namespace {

constexpr uint8_t kMaxSpeed = 4;
constexpr uint8_t kMusicRhythmCode = 29;
constexpr uint8_t kMusicSpectrumCode = 30;

}  // namespace

std::optional<SettingsBlock> EncodeBlock(const profile::LightRecord& light,
                                         const profile::KeyboardSystemRecord& system,
                                         const std::vector<int>& lightValues, uint8_t firstByte) {
    if (light.mode >= lightValues.size())
        return std::nullopt;
    SettingsBlock b{};
    b[0] = firstByte;
    uint8_t code = static_cast<uint8_t>(lightValues[light.mode]);
    if (code == kMusicRhythmCode || code == kMusicSpectrumCode)
        code = kHostLitCode;
    b[1] = code;
    b[2] = light.brightness;
    b[3] = static_cast<uint8_t>(kMaxSpeed - std::min(light.speed, kMaxSpeed));
    b[4] = light.direction;
    b[5] = light.multiColour;
    b[6] = light.red;
    b[7] = light.green;
    b[8] = light.blue;
    b[18] = light.zzccMode;
    b[19] = static_cast<uint8_t>(profile::LowHalf(system[2]));   // "WFlag"
    b[20] = static_cast<uint8_t>(profile::LowHalf(system[1]));   // "Key6Flag"
    b[21] = static_cast<uint8_t>(profile::HighHalf(system[2]));  // "WinFlag"
    b[22] = static_cast<uint8_t>(profile::HighHalf(system[1]));  // "PollingRate"
    b[25] = light.customGroup;
    return b;
}

std::optional<uint8_t> PositionOfCode(uint8_t code, const std::vector<int>& lightValues) {
    const auto at = std::find(lightValues.begin(), lightValues.end(), int{code});
    if (at == lightValues.end())
        return std::nullopt;
    return static_cast<uint8_t>(at - lightValues.begin());
}

BlockReadBack DecodeBlock(const SettingsBlock& block, const std::vector<int>& lightValues,
                          const profile::LightRecord& current,
                          const profile::KeyboardSystemRecord& system) {
    BlockReadBack r;
    r.modePosition = PositionOfCode(block[1], lightValues).value_or(block[1]);
    r.light = current;
    if (block[1] != kHostLitCode)
        r.light.mode = r.modePosition;
    r.light.brightness = block[2];
    r.light.speed = static_cast<uint8_t>(kMaxSpeed - std::min(block[3], kMaxSpeed));
    r.light.direction = block[4];
    r.light.multiColour = block[5];
    r.light.red = block[6];
    r.light.green = block[7];
    r.light.blue = block[8];
    r.light.zzccMode = block[18];
    r.light.customGroup = block[25];
    r.system = system;
    r.system[1] = profile::MakeWord(block[20], profile::HighHalf(system[1]));
    r.system[2] = profile::MakeWord(block[19], block[21]);
    return r;
}

}  // namespace devices::keyboard
