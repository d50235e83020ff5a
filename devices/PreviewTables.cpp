#include "devices/PreviewTables.h"

namespace devices {
namespace {

constexpr std::array<uint8_t, 32> kUp = {1,   3,   5,   7,   10,  14,  18,  22,  26,  32,  38,
                                         44,  50,  57,  65,  73,  81,  89,  99,  109, 119, 129,
                                         140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
constexpr std::array<uint8_t, 32> kDown = {248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124,
                                           114, 104, 94,  85,  77,  69,  61,  53,  47,  41,  35,
                                           29,  24,  20,  16,  12,  8,   6,   4,   2,   0};

constexpr std::array<Rgb, 256> MakeWheel() {
    std::array<Rgb, 256> wheel{};
    for (size_t k = 0; k < 32; ++k) {
        wheel[k] = Rgb{255, kUp[k], 0};
        wheel[32 + k] = Rgb{kDown[k], 255, 0};
        wheel[64 + k] = Rgb{0, 255, kUp[k]};
        wheel[96 + k] = Rgb{0, kDown[k], 255};
        wheel[128 + k] = Rgb{kUp[k], 0, 255};
        wheel[160 + k] = Rgb{255, 0, kDown[k]};
    }
    for (size_t i = 192; i < 256; ++i)
        wheel[i] = wheel[i - 192];
    return wheel;
}

constexpr std::array<uint8_t, 128> MakeBreathCurve() {
    // The rise: runs of equal steps, each (first, last, step).
    constexpr int kRuns[][3] = {{0, 10, 1},   {12, 24, 2},   {27, 45, 3},  {49, 89, 4},
                                {94, 134, 5}, {140, 206, 6}, {213, 255, 7}};
    std::array<uint8_t, 128> curve{};
    size_t i = 0;
    for (const auto& run : kRuns) {
        for (int v = run[0]; v <= run[1]; v += run[2])
            curve[i++] = static_cast<uint8_t>(v);
    }
    for (size_t k = 0; k < 64; ++k)
        curve[64 + k] = curve[63 - k];
    return curve;
}

constexpr std::array<Rgb, 256> kWheel = MakeWheel();
constexpr std::array<uint8_t, 128> kBreath = MakeBreathCurve();
static_assert(kBreath[63] == 255 && kBreath[64] == 255 && kBreath[127] == 0);
static_assert(kWheel[191].red == 255 && kWheel[191].blue == 0 && kWheel[192] == kWheel[0]);

constexpr std::array<Rgb, 4> kFour = {Rgb{0, 255, 180}, Rgb{0, 255, 0}, Rgb{255, 255, 255},
                                      Rgb{255, 0, 0}};
constexpr std::array<uint8_t, 5> kBrightness = {0, 50, 100, 175, 255};
constexpr std::array<uint8_t, 5> kSpeed = {28, 23, 18, 13, 7};

}  // namespace

const std::array<Rgb, 256>& ColourWheel() {
    return kWheel;
}
const std::array<Rgb, 4>& FourColours() {
    return kFour;
}
const std::array<uint8_t, 128>& BreathCurve() {
    return kBreath;
}
const std::array<uint8_t, 5>& BrightnessScale() {
    return kBrightness;
}
const std::array<uint8_t, 5>& SpeedFactor() {
    return kSpeed;
}

}  // namespace devices
