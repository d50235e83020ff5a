#include "app/audio/AudioGraph.h"

#include "ui/core/ControlUI.h"

namespace app::audio {

bool ShowGraphSamples(ui::CControlUI* graph, const SpectrumValues& values) {
    (void)values;
    if (graph == nullptr)
        return false;
    // The bar graph control is not part of the program yet; its frame is dropped.
    return false;
}

}  // namespace app::audio
