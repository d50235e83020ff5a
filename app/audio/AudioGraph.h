#pragma once
// Hands a spectrum frame to the light page's "AudioRecord" graph (500 values, full height
// 8192). Threads: window thread only.
#include "app/audio/AudioRules.h"

namespace ui {
class CControlUI;
}

namespace app::audio {

inline constexpr const char* kGraphName = "music_audio_graph";

// False when the control is not the graph.
bool ShowGraphSamples(ui::CControlUI* graph, const SpectrumValues& values);

}  // namespace app::audio
