#pragma once
// The headset page's audio panels: the equaliser and microphone panel (CVoice6533ControlUI)
// and the voice changer (CMagicControlUI). Their effects are worked by the audio chip's own
// configuration library, which this system does not have, so each is a container whose
// layout says that the audio effects are not available; the controls the main window
// routes to the headset are only traced.
//
// Threads: window thread only.
#include <string>

#include "ui/layout/VerticalLayoutUI.h"

namespace panels {

// The language key of the text both panels show.
inline constexpr const char* kHeadsetUnavailableKey = "headset_audio_unavailable_text";

class CVoice6533ControlUI : public ui::CVerticalLayoutUI {
  public:
    static constexpr const char* kClassName = "CVoice6533ControlUI";
    std::string GetClass() const override { return kClassName; }
};

class CMagicControlUI : public ui::CVerticalLayoutUI {
  public:
    static constexpr const char* kClassName = "CMagicControlUI";
    std::string GetClass() const override { return kClassName; }
};

}  // namespace panels
