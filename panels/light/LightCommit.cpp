#include "panels/light/LightCommit.h"

#include <array>

#include "devices/OrvaneUSBDevice.h"
#include "panels/light/LightRules.h"

namespace panels::light {

int CommitLightChange(devices::COrvaneUSBDevice& device,
                      const std::function<void(profile::LightRecord&)>& change, ScreenSize screen) {
    // A device released from a synchronised effect shows its own effect again.
    device.Channel().SetHold(0);
    const std::array<uint32_t, 4> words = device.GetLightSettings();
    profile::LightRecord record =
        profile::LightRecord::FromWords(words[0], words[1], words[2], words[3]);
    if (change)
        change(record);
    return StoreLightRecord(device, record, screen);
}

int StoreLightRecord(devices::COrvaneUSBDevice& device, const profile::LightRecord& record,
                     ScreenSize screen) {
    const std::array<uint32_t, 4> changed = record.ToWords();
    device.SetLightSettings(changed[0], changed[1], changed[2], changed[3]);
    device.LoadLightSettings();
    // The block is built from the document in memory: the mouse shows the change before the
    // profile file's durable write, which costs as much as an exchange with the mouse.
    const int written = device.WriteSettings(0, 0, 1, screen.width, screen.height);
    device.SaveProfile();
    return written;
}

void CommitAudioRecord(devices::COrvaneUSBDevice& device, const profile::AudioLightRecord& record) {
    const devices::AudioLightWords words = ToAudioWords(record);
    device.SetAudioLightSettings(words.a, words.b, words.c);
    device.SaveProfile();
    device.LoadLightSettings();
}

}  // namespace panels::light
