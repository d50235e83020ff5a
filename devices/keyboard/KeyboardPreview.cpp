// The keyboard's LED preview: its per-key modes over the effect steps, the custom colours,
// the reactive trigger and the music light's input. Preview thread, except where noted.
#include <cstring>

#include "devices/keyboard/OrvaneKeyboardDevice.h"

namespace devices {
namespace {

enum class KeyboardStep { Wave, Ripple, Reactive, Rain, Twinkle, Scan, Onboard, Spectrum };

KeyboardStep KeyboardStepOfMode(uint8_t mode) {
    switch (mode) {
        case 1:
        case 15:
        case 16:
        case 18:
            return KeyboardStep::Wave;
        case 2:
        case 7:
        case 13:
        case 22:
        case 25:
            return KeyboardStep::Ripple;
        case 8:
        case 9:
        case 17:
            return KeyboardStep::Rain;
        case 10:
        case 12:
        case 14:
            return KeyboardStep::Twinkle;
        case 24:
            return KeyboardStep::Scan;
        case 20:
            return KeyboardStep::Onboard;
        case 30:
            return KeyboardStep::Spectrum;
        default:
            return KeyboardStep::Reactive;  // 3, 11, 21 and the music rhythm (29)
    }
}

// Modes lit by key presses: the picture shows a press now and then.
bool ShowsPresses(uint8_t mode) {
    return mode == 3 || mode == 11 || mode == 21;
}

}  // namespace

void COrvaneKeyboardDevice::PreviewKeyboardStep(uint8_t mode) {
    {
        platform::LockGuard guard(previewLock_);
        const profile::LightRecord light = previewLight_;
        switch (KeyboardStepOfMode(mode)) {
            case KeyboardStep::Wave:
                keyboard::StepWave(effects_, light, frame_);
                break;
            case KeyboardStep::Ripple:
                keyboard::StepRipple(effects_, light, frame_);
                break;
            case KeyboardStep::Rain:
                keyboard::StepRain(effects_, light, frame_);
                break;
            case KeyboardStep::Twinkle:
                keyboard::StepTwinkle(effects_, light, frame_);
                break;
            case KeyboardStep::Scan:
                keyboard::StepScan(effects_, light, frame_);
                break;
            case KeyboardStep::Onboard:
                keyboard::StepOnboard(light, frame_);
                break;
            case KeyboardStep::Spectrum:
                keyboard::StepSpectrum(effects_, previewBands_.data(), previewBands_.size(), light,
                                       frame_);
                break;
            case KeyboardStep::Reactive:
                if (ShowsPresses(mode) && effects_.step % 24 == 0)
                    keyboard::Trigger(effects_, static_cast<int>((effects_.step / 24 * 37) %
                                                                 keyboard::kKeyPositions));
                keyboard::StepReactive(effects_, light, frame_);
                break;
        }
    }
    for (size_t i = 0; i < frame_.size(); ++i)
        SetLedColour(static_cast<int>(i), frame_[i]);
}

void COrvaneKeyboardDevice::PlayCustomEffect() {
    // The custom modes show the colours the user gave each key (the current group's).
    platform::LockGuard guard(previewLock_);
    const uint8_t level = ScaledLevel(255, previewLight_.brightness);
    for (size_t i = 0; i < keyboard::kPositions; ++i) {
        const profile::CustomKeyColour c =
            i < customColours_.size() ? customColours_[i] : profile::CustomKeyColour{};
        SetLedColour(static_cast<int>(i), LedColour{c.red, c.green, c.blue, level});
    }
    ++customStep_;
}

void COrvaneKeyboardDevice::TriggerReactiveKey(int position, int flag) {
    // Any thread: the effect state is the preview lock's.
    platform::LockGuard guard(previewLock_);
    keyboard::Trigger(effects_, position);
    if (flag != 0)
        audioTriggers_.fetch_add(1);
}

void COrvaneKeyboardDevice::FeedAudioSpectrum(const uint8_t* data, size_t length) {
    if (data == nullptr)
        return;
    constexpr size_t kMaxValues = 500;
    const size_t count = std::min(length / sizeof(uint32_t), kMaxValues);
    std::array<uint32_t, keyboard::kAudioBandsHeld> bands{};
    const size_t given = std::min(count, bands.size());
    std::memcpy(bands.data(), data, given * sizeof(uint32_t));
    audioBands_ = bands;
    {
        platform::LockGuard guard(previewLock_);
        previewBands_ = bands;
    }
    const uint8_t audioType = static_cast<uint8_t>(audioLight_.a & 0xFF);
    constexpr uint8_t kRhythmMode = 29;
    constexpr uint8_t kSpectrumAudioType = 2;
    if (lightSettings_.mode != kRhythmMode || audioType != kSpectrumAudioType)
        return;
    if (keyboard::AddAudioLoudness(keyboard::AudioLoudness(bands.data(), given)))
        TriggerReactiveKey(keyboard::kAudioTriggerKey, 1);
}

void COrvaneKeyboardDevice::FeedAudioColours(const uint8_t* colours, size_t count) {
    audioColours_.fill(0);
    if (colours != nullptr)
        std::memcpy(audioColours_.data(), colours, std::min(count, audioColours_.size()));
}

}  // namespace devices
