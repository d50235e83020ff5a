#include "devices/pad/PadBlock.h"

#include <algorithm>

namespace devices::pad {

Block DecodeBlock(const uint8_t* read, uint8_t profile, const std::vector<int>& modeCodes) {
    Block mirror{};
    std::copy_n(read, kBlockSize, mirror.begin());
    mirror[0] = profile;
    const auto code = std::find(modeCodes.begin(), modeCodes.end(), mirror[1]);
    if (code != modeCodes.end())
        mirror[1] = static_cast<uint8_t>(code - modeCodes.begin());
    mirror[3] = static_cast<uint8_t>(kMaxSpeed - std::min<uint8_t>(mirror[3], kMaxSpeed));
    return mirror;
}

std::optional<Block> EncodeBlock(const Block& mirror, const std::vector<int>& modeCodes) {
    if (mirror[1] >= modeCodes.size())
        return std::nullopt;
    Block block = mirror;
    block[1] = static_cast<uint8_t>(modeCodes[mirror[1]]);
    block[3] = static_cast<uint8_t>(kMaxSpeed - std::min<uint8_t>(mirror[3], kMaxSpeed));
    return block;
}

void PutLight(Block& mirror, const profile::LightRecord& light) {
    mirror[1] = light.mode;
    mirror[2] = light.brightness;
    mirror[3] = light.speed;
    mirror[5] = light.multiColour;
    mirror[6] = light.red;
    mirror[7] = light.green;
    mirror[8] = light.blue;
}

profile::LightRecord TakeLight(const Block& mirror, profile::LightRecord light) {
    light.mode = mirror[1];
    light.brightness = mirror[2];
    light.speed = mirror[3];
    light.multiColour = mirror[5];
    light.red = mirror[6];
    light.green = mirror[7];
    light.blue = mirror[8];
    return light;
}

}  // namespace devices::pad
