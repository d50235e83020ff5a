#include "devices/mouse/SettingsBlock.h"

#include <algorithm>

namespace devices::mouse {
namespace {

uint8_t Low(uint16_t value) {
    return static_cast<uint8_t>(value & 0xFF);
}

}  // namespace

SettingsBlock EncodeSettingsBlock(const SettingsSource& source) {
    SettingsBlock block{};
    const profile::LightRecord& light = source.light;
    const profile::SystemRecord& w = source.system;
    block[0] = source.firstByte;
    block[1] = light.mode >= kFirstCustomMode ? 0 : light.mode;
    block[2] = std::min(light.brightness, kMaxBrightness);
    // A speed past the scale would wrap the inverted byte.
    block[3] = static_cast<uint8_t>(kMaxSpeed - std::min(light.speed, kMaxSpeed));
    block[4] = light.direction;
    block[5] = light.multiColour;
    block[6] = light.red;
    block[7] = light.blue;
    block[8] = light.green;
    block[11] = Low(profile::HighHalf(w[2]));
    block[12] = static_cast<uint8_t>(source.activeStage);
    // Stages the document does not have are sent as zero, never left from an earlier profile.
    const size_t stages = std::min(source.stages.size(), static_cast<size_t>(kStageCount));
    for (size_t i = 0; i < stages; ++i) {
        auto bytes = source.stages[i].ToBytes();
        std::copy(bytes.begin(), bytes.end(), block.begin() + kStageOffset + 9 * i);
    }
    block[77] = Low(profile::LowHalf(w[5]));
    block[78] = Low(profile::HighHalf(w[5]));
    block[79] = Low(profile::LowHalf(w[6]));
    block[80] = Low(profile::HighHalf(w[6]));
    block[81] = Low(profile::LowHalf(w[7]));
    block[82] = Low(profile::LowHalf(w[3]));
    block[83] = Low(profile::HighHalf(w[3]));
    block[84] = Low(profile::LowHalf(w[4]));
    block[86] = Low(profile::HighHalf(w[7]));
    return block;
}

SettingsReadBack DecodeSettingsBlock(const SettingsBlock& block,
                                     const std::vector<int>& modeValues) {
    SettingsReadBack r;
    r.onboardProfile = block[0];
    r.deviceMode = block[1];
    r.mode = block[1];
    for (size_t k = 0; k < modeValues.size() && k < 256; ++k) {
        if (modeValues[k] == block[1]) {
            r.mode = static_cast<uint8_t>(k);
            break;
        }
    }
    r.brightness = block[2];
    r.speed = static_cast<uint8_t>(kMaxSpeed - std::min(block[3], kMaxSpeed));
    r.multiColour = block[5];
    r.red = block[6];
    r.blue = block[7];
    r.green = block[8];
    r.activeStage = block[12];
    return r;
}

profile::SystemRecord MergeSystemWords(const SettingsBlock& b, profile::SystemRecord w) {
    using profile::HighHalf;
    using profile::LowHalf;
    using profile::MakeWord;
    w[2] = MakeWord(LowHalf(w[2]), b[11]);
    w[3] = MakeWord(LowHalf(w[3]), b[83]);
    w[4] = MakeWord(b[84], HighHalf(w[4]));
    w[5] = MakeWord(b[77], b[78]);
    w[6] = MakeWord(b[79], b[80]);
    w[7] = MakeWord(b[81], b[86]);
    return w;
}

uint8_t MergeLightMode(uint8_t deviceMode, uint8_t profileMode) {
    if (deviceMode == 0 && profileMode >= kFirstCustomMode)
        return profileMode;
    return deviceMode;
}

uint8_t MergeLightMode(const SettingsReadBack& read, uint8_t profileMode) {
    if (read.deviceMode == 0 && profileMode >= kFirstCustomMode)
        return profileMode;
    return read.mode;
}

profile::DpiStageRecord StageOf(const SettingsBlock& block, int index) {
    std::array<uint8_t, profile::DpiStageRecord::kSize> bytes{};
    if (index < 0 || index >= kStageCount)
        return {};
    std::copy_n(block.begin() + kStageOffset + 9 * index, bytes.size(), bytes.begin());
    return profile::DpiStageRecord::FromBytes(bytes);
}

}  // namespace devices::mouse
