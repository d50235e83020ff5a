#include "app/audio/AudioGraph.h"

#include <algorithm>

#include "controls/AudioRecordUI.h"

namespace app::audio {

bool ShowGraphSamples(ui::CControlUI* graph, const SpectrumValues& values) {
    auto* bars = dynamic_cast<controls::CAudioRecordUI*>(graph);
    if (bars == nullptr)
        return false;
    std::array<int32_t, kSpectrumValues> samples{};
    for (size_t i = 0; i < values.size(); ++i)
        samples[i] = static_cast<int32_t>(std::min<uint32_t>(values[i], kGraphFullScale));
    bars->SetSamples(samples);
    return true;
}

}  // namespace app::audio
