// The mouse's light records beyond reading and writing the block: the audio light record in
// the document, and the status naming the current mode. Window thread.
#include <array>

#include "devices/mouse/LightModeName.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "ui/core/ControlUI.h"
#include "ui/skin/ResourceManager.h"

namespace devices {
namespace {

profile::AudioLightRecord MouseAudioRecordOf(const AudioLightWords& words) {
    std::array<uint8_t, profile::AudioLightRecord::kSize> b{};
    for (size_t i = 0; i < 4; ++i) {
        b[i] = static_cast<uint8_t>(words.a >> (8 * i));
        b[4 + i] = static_cast<uint8_t>(words.b >> (8 * i));
    }
    b[8] = words.c;
    return profile::AudioLightRecord::FromBytes(b);
}

AudioLightWords MouseAudioWordsOf(const profile::AudioLightRecord& record) {
    const std::array<uint8_t, profile::AudioLightRecord::kSize> b = record.ToBytes();
    AudioLightWords words;
    words.a = uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
    words.b = uint32_t{b[4]} | uint32_t{b[5]} << 8 | uint32_t{b[6]} << 16 | uint32_t{b[7]} << 24;
    words.c = b[8];
    return words;
}

}  // namespace

void COrvaneMouseDevice::SetAudioLightSettings(uint32_t a, uint32_t b, uint32_t c) {
    COrvaneUSBDevice::SetAudioLightSettings(a, b, c);
    // As the light record does: without this the next load would lose every audio change.
    profile_.SetAudioLightRecord(MouseAudioRecordOf(audioLight_));
}

void COrvaneMouseDevice::LoadAudioLight() {
    // No "AudioLightInfo": mode 0, black, the background edited (type 0).
    audioLight_ = MouseAudioWordsOf(profile_.GetAudioLightRecord());
}

profile::AudioLightRecord COrvaneMouseDevice::AudioLightRecord() const {
    return MouseAudioRecordOf(audioLight_);
}

std::string COrvaneMouseDevice::LightModeStatus() const {
    const mouse::LightModeName name =
        mouse::NameOfLightMode(lightSettings_.mode, lightNames_, customLightNames_);
    if (!name.languageKey || name.text.empty())
        return name.text;
    return ui::CResourceManager::GetInstance()->GetText(name.text);
}

void COrvaneMouseDevice::ShowLightStatus() {
    if (logoLed_ != nullptr)
        logoLed_->SetToolTip(LightModeStatus());
}

}  // namespace devices
