#include <cstdint>
#include <cstring>

#include "Sources.h"

namespace zenaudio {
namespace {

uint32_t WavU32(std::string_view b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<uint8_t>(b[at + static_cast<size_t>(i)]);
    return v;
}

uint16_t WavU16(std::string_view b, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) |
                                 (static_cast<uint8_t>(b[at + 1]) << 8));
}

bool WavFail(std::string* why, const char* text) {
    if (why)
        *why = text;
    return false;
}

}  // namespace

std::optional<std::vector<float>> DecodeWav(std::string_view bytes, std::string* why) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        WavFail(why, "not a RIFF WAVE file");
        return std::nullopt;
    }
    uint16_t channels = 0, bits = 0, format = 0;
    uint32_t rate = 0;
    std::string_view data;
    bool haveFormat = false, haveData = false;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        std::string_view id = bytes.substr(at, 4);
        uint64_t size = WavU32(bytes, at + 4);
        size_t body = at + 8;
        if (size > bytes.size() - body)
            size = bytes.size() - body;  // a short last chunk: take what is there
        if (id == "fmt " && size >= 16) {
            format = WavU16(bytes, body);
            channels = WavU16(bytes, body + 2);
            rate = WavU32(bytes, body + 4);
            bits = WavU16(bytes, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            data = bytes.substr(body, static_cast<size_t>(size));
            haveData = true;
        }
        at = body + static_cast<size_t>(size) + (size & 1);
    }
    if (!haveFormat || !haveData) {
        WavFail(why, "no format or no data chunk");
        return std::nullopt;
    }
    if (format != 1 || bits != 16 || channels == 0 || channels > 8 || rate < 1000 ||
        rate > 384000) {
        WavFail(why, "only 16-bit PCM (1-8 channels, 1-384 kHz) is read");
        return std::nullopt;
    }
    const size_t frameBytes = size_t{channels} * 2;
    const size_t frames = data.size() / frameBytes;
    if (frames == 0) {
        WavFail(why, "no samples");
        return std::nullopt;
    }
    std::vector<float> mono(frames);
    for (size_t f = 0; f < frames; ++f) {
        int sum = 0;
        for (size_t c = 0; c < channels; ++c)
            sum += static_cast<int16_t>(WavU16(data, f * frameBytes + c * 2));
        mono[f] = static_cast<float>(sum) / (32768.0f * channels);
    }
    if (rate == static_cast<uint32_t>(kSampleRate))
        return mono;
    // Linear resampling to the analysis rate.
    const double step = static_cast<double>(rate) / kSampleRate;
    const size_t outFrames = static_cast<size_t>(static_cast<double>(frames) / step);
    if (outFrames == 0) {
        WavFail(why, "too short");
        return std::nullopt;
    }
    std::vector<float> out(outFrames);
    for (size_t i = 0; i < outFrames; ++i) {
        double pos = static_cast<double>(i) * step;
        size_t k = static_cast<size_t>(pos);
        float frac = static_cast<float>(pos - static_cast<double>(k));
        float next = k + 1 < frames ? mono[k + 1] : mono[k];
        out[i] = mono[k] + (next - mono[k]) * frac;
    }
    return out;
}

}  // namespace zenaudio
