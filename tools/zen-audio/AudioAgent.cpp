#include "AudioAgent.h"

#include <algorithm>

namespace zenaudio {
namespace {

int AgentGainOf(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, 0, 100));
}

uint32_t AgentU32(std::string_view data, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<uint8_t>(data[at + static_cast<size_t>(i)]);
    return v;
}

}  // namespace

bool ApplyCommand(AgentState& state, uint64_t command, int64_t value) {
    switch (command) {
        case 0:
            state.windowKnown = true;
            return true;
        case 1:
            state.sending = true;
            return true;
        case 2:
            state.sending = false;
            return true;
        case 3:
            state.captureWanted = true;
            return true;
        case 4:
            state.captureWanted = false;
            state.sending = false;
            return true;
        case 5:
            state.end = true;
            return true;
        case 6:
            state.gains.red = AgentGainOf(value);
            return true;
        case 7:
            state.gains.green = AgentGainOf(value);
            return true;
        case 8:
            state.gains.blue = AgentGainOf(value);
            return true;
        default:
            return false;
    }
}

bool ApplyStyleRecord(AgentState& state, std::string_view data) {
    if (data.size() < 12)
        return false;
    state.colour.red = std::min<uint32_t>(AgentU32(data, 0), 9);
    state.colour.green = std::min<uint32_t>(AgentU32(data, 4), 9);
    state.colour.blue = std::min<uint32_t>(AgentU32(data, 8), 9);
    return true;
}

std::string StateRecord(CaptureState state, std::string_view text) {
    std::string record(1, static_cast<char>(state));
    record.append(text.substr(0, 200));
    return record;
}

std::string SpectrumRecord(const Spectrum& spectrum) {
    std::string record(spectrum.size() * 4, '\0');
    for (size_t i = 0; i < spectrum.size(); ++i)
        for (size_t b = 0; b < 4; ++b)
            record[i * 4 + b] = static_cast<char>((spectrum[i] >> (8 * b)) & 0xFF);
    return record;
}

}  // namespace zenaudio
