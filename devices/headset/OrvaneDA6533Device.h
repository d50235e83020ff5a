#pragma once
// COrvaneDA6533Device: the device object of the headset (kind 7). Its audio effects (voice
// changer, equaliser, microphone, virtual surround) are worked by the audio chip's own
// configuration library, which this system does not have: the object shows the headset's
// page, whose panels say so, and sends nothing to the headset.
//
// Threads: window thread only.
#include <string>

#include "devices/OrvaneUSBDevice.h"
#include "profile/Da6533Profiledata.h"

namespace devices {

class COrvaneDA6533Device : public COrvaneUSBDevice {
  public:
    static constexpr const char* kClassName = "OrvaneDA6533Device";
    // The page's three audio tabs.
    static constexpr const char* kVoiceTab = "6533_voice_Op_tab";
    static constexpr const char* kMagicTab = "magic_Op_tab";
    static constexpr const char* kVirtualTab = "Virtual7.1_Op_tab";

    explicit COrvaneDA6533Device(platform::HidTransport* transport = nullptr);
    std::string GetClass() const override { return kClassName; }

    // The base binding, then the profile panel (list and tabs) and the voice tab.
    void BindPanelControls() override;
    // The picture's LEDs keep the white they are bound with: nothing previews them.
    void RefreshPreview() override {}

    profile::CDa6533Profiledata& Profile() { return profile_; }

  private:
    profile::CDa6533Profiledata profile_;
};

}  // namespace devices
