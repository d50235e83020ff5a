// The mouse's own LED preview: neon, wave and reactive over its seven LED groups, the
// player of custom effects, and the way the colours reach the page's LED buttons.
// The steps run on the preview thread; RefreshPreview on the window thread.
#include <algorithm>

#include "controls/DeviceKeyButtonUI.h"
#include "controls/LedColour.h"
#include "devices/PreviewTables.h"
#include "devices/mouse/OrvaneMouseDevice.h"

namespace devices {
namespace {

constexpr int kGroups = 7;
constexpr int kGroupSize = 3;
// The LEDs of each group (-1 none), the mouse's physical order around its shell.
constexpr int kLedGroups[kGroups][kGroupSize] = {{0, 13, -1}, {1, 12, -1}, {2, 11, -1}, {3, 10, -1},
                                                 {4, 9, -1},  {5, 8, -1},  {6, 14, 7}};
constexpr uint8_t kReactiveStep = 15;

// The breathing curve's upper part, up and down again: a wave that never goes dark.
std::array<uint8_t, 96> MakeWave() {
    std::array<uint8_t, 96> wave{};
    const auto& breath = BreathCurve();
    for (size_t i = 0; i < 48; ++i) {
        wave[i] = breath[16 + i];
        wave[95 - i] = breath[16 + i];
    }
    return wave;
}

const std::array<uint8_t, 96>& Wave() {
    static const std::array<uint8_t, 96> wave = MakeWave();
    return wave;
}

LedColour Of(const Rgb& rgb, uint8_t level) {
    return LedColour{rgb.red, rgb.green, rgb.blue, level};
}

// The process-wide playback of custom effects (shared by every mouse object).
struct EffectPlayback {
    size_t position = 0;
    uint8_t frame = 0;
    uint8_t step = 0;
    uint8_t colour = 0;
    uint8_t phase = 0;
    uint32_t phaseTick = 0;
    uint32_t startTick = 0;
    bool started = false;
};

EffectPlayback& Playback() {
    static EffectPlayback playback;
    return playback;
}

}  // namespace

void COrvaneMouseDevice::PreviewNeon() {
    const profile::LightRecord light = previewLight_;
    const bool multi = light.multiColour != 0;
    const uint8_t limit = multi ? 192 : 96;
    preview_.step = Advance(light.direction, limit, preview_.step, 1);
    size_t c = (preview_.step + 1u) % limit;
    const Rgb own{light.red, light.green, light.blue};
    for (const auto& group : kLedGroups) {
        LedColour colour = multi ? Of(ColourWheel()[c], BrightnessLevel(light.brightness))
                                 : Of(own, ScaledLevel(Wave()[c], light.brightness));
        for (int led : group)
            if (led >= 0)
                ledColours_.Set(static_cast<size_t>(led), colour);
        c = (c + 7) % limit;
    }
}

void COrvaneMouseDevice::PreviewWave() {
    const profile::LightRecord light = previewLight_;
    preview_.step = Advance(light.direction, 192, preview_.step, 1);
    LightPressedKeys();
    RotateRing(light.direction != 0);
    const Rgb own{light.red, light.green, light.blue};
    for (int g = 0; g < kGroups; ++g) {
        FadeReactiveKey(g, light.mode);
        const uint8_t level = ScaledLevel(reactive_.keyIntensity[g + 1], light.brightness);
        LedColour colour;
        if (light.multiColour != 0) {
            preview_.step = static_cast<uint8_t>((preview_.step + 12) % 192);
            const bool hold = light.direction != 0 ? reactive_.keyIntensity[1] != 0
                                                   : reactive_.keyIntensity[7] != 0;
            if (hold) {
                colour = ledColours_.Get(static_cast<size_t>(kLedGroups[g][0]));
                colour.level = level;
            } else {
                colour = Of(ColourWheel()[preview_.step], level);
            }
        } else {
            colour = Of(own, level);
        }
        for (int led : kLedGroups[g])
            if (led >= 0)
                ledColours_.Set(static_cast<size_t>(led), colour);
    }
}

void COrvaneMouseDevice::PreviewReactive() {
    const profile::LightRecord light = previewLight_;
    const size_t leds = std::min(ledColours_.Size(), reactivePhase_.size());
    const uint32_t requests = reactiveRequests_.load();
    if (requests != reactiveSeen_) {
        reactiveSeen_ = requests;
        for (size_t i = 0; i < leds; ++i) {
            reactivePhase_[i] = 1;
            reactive_.level[i] = 255;
            randomState_ = randomState_ * 1103515245u + 12345u;
            reactive_.colour[i] = static_cast<uint8_t>((randomState_ >> 16) % 192);
        }
    }
    const Rgb own{light.red, light.green, light.blue};
    for (size_t i = 0; i < leds; ++i) {
        uint8_t& level = reactive_.level[i];
        if (reactivePhase_[i] == 1) {
            level = static_cast<uint8_t>(std::min(255, level + kReactiveStep));
            if (level == 255)
                reactivePhase_[i] = 2;
        } else if (reactivePhase_[i] == 2) {
            level = static_cast<uint8_t>(std::max(0, level - kReactiveStep));
        }
        const Rgb rgb = light.multiColour != 0 ? ColourWheel()[reactive_.colour[i]] : own;
        ledColours_.Set(i, Of(rgb, ScaledLevel(level, light.brightness)));
    }
}

void COrvaneMouseDevice::PlayCustomEffect() {
    EffectPlayback& play = Playback();
    // The device's tick clock: a picture rendered step by step plays the steps in its time.
    const uint32_t now = GetTickClock().NowMs();
    if (!play.started) {
        play.started = true;
        play.startTick = now;
    }
    LightEffectStep entry;
    {
        platform::LockGuard guard(effectLock_);
        if (play.position >= effectList_.size())
            play.position = 0;
        if (effectList_.empty()) {
            PreviewOff();
            return;
        }
        entry = effectList_[play.position];
    }
    play.frame = static_cast<uint8_t>(play.frame + 1);
    const uint8_t threshold = SpeedThreshold(entry.speed);
    const uint8_t scale = BrightnessLevel(entry.brightness);
    const Rgb own{entry.red, entry.green, entry.blue};
    const size_t leds = ledColours_.Size();
    switch (entry.mode) {
        case 0:
            if (play.frame % std::max<uint8_t>(threshold, 1) == 0)
                play.step = static_cast<uint8_t>((play.step + 1) % 128);
            ledColours_.Fill(Of(entry.multiColour ? ColourWheel()[play.colour] : own,
                                static_cast<uint8_t>((BreathCurve()[play.step] * scale) >> 8)));
            break;
        case 1:
            ledColours_.Fill(Of(own, scale));
            break;
        case 2:
            if (now - play.phaseTick >= FlashIntervalMs(lightSettings_.speed)) {
                play.phaseTick = now;
                play.phase = play.phase ? 0 : 1;
                play.colour = static_cast<uint8_t>(play.colour + 14 >= 192 ? 0 : play.colour + 14);
            }
            ledColours_.Fill(play.phase
                                 ? Of(entry.multiColour ? ColourWheel()[play.colour] : own, scale)
                                 : LedColour{});
            break;
        case 4: {
            if (play.frame % std::max<uint8_t>(threshold, 1) == 0)
                play.step = static_cast<uint8_t>((play.step + 1) % 192);
            size_t index = entry.direction != 0
                               ? std::min<size_t>((256 - play.step - 64) % 256, 191)
                               : play.step + 1u;
            if (entry.multiColour != 0) {
                index %= 192;
                for (size_t j = 0; j < leds; ++j, index = (index + 12) % 192)
                    ledColours_.Set(j, Of(ColourWheel()[index], scale));
            } else {
                // The start index is reduced into the 96-entry table before it is used.
                index %= 96;
                for (size_t j = 0; j < leds; ++j, index = (index + 12) % 96)
                    ledColours_.Set(j, Of(own, static_cast<uint8_t>((scale * Wave()[index]) >> 8)));
            }
            break;
        }
        case 5: {
            const uint8_t every = static_cast<uint8_t>(5 - std::min<uint8_t>(entry.speed, 4));
            if (play.frame % every == 0)
                play.step = static_cast<uint8_t>((play.step + 1) % 192);
            ledColours_.Fill(Of(ColourWheel()[play.step], scale));
            break;
        }
        default:
            break;
    }
    if (now - play.startTick > entry.timeMs) {
        platform::LockGuard guard(effectLock_);
        if (!effectList_.empty())
            play.position = (play.position + 1) % effectList_.size();
        play.startTick = now;
    }
}

void COrvaneMouseDevice::RefreshPreview() {
    const size_t count = std::min(keyLedButtons_.size(), ledColours_.Size());
    for (size_t i = 0; i < count; ++i) {
        auto* button = dynamic_cast<controls::CDeviceKeyButtonUI*>(keyLedButtons_[i]);
        if (button == nullptr || !button->IsVisible())
            continue;
        const LedColour c = ledColours_.Get(i);
        button->SetLightColour(controls::PackLedColour(c.red, c.green, c.blue), c.level, true);
    }
    if (keyLedPanel_ != nullptr && previewActive_.load())
        keyLedPanel_->Invalidate();
    if (logoLed_ != nullptr && logoLed_->IsVisible() && logoLedSource_ >= 0 &&
        static_cast<size_t>(logoLedSource_) < ledColours_.Size()) {
        auto* logo = dynamic_cast<controls::CDeviceKeyButtonUI*>(logoLed_);
        const LedColour c = ledColours_.Get(static_cast<size_t>(logoLedSource_));
        if (logo != nullptr)
            logo->SetLightColour(controls::PackLedColour(c.red, c.green, c.blue), c.level, true);
    }
    COrvaneUSBDevice::RefreshPreview();
}

}  // namespace devices
