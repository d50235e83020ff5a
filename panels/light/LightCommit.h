#pragma once
// The path every light change takes once its new value is known, shared by the main window's
// handlers and t418-zenctl: no control is read here.
// Threads: window thread only (or a tool's only thread).
#include <functional>

#include "profile/LightRecords.h"

namespace devices {
class COrvaneUSBDevice;
}

namespace panels::light {

// The screen size WriteSettings takes as its two extra values.
struct ScreenSize {
    int width = 0;
    int height = 0;
};

// Clears the device's light pause (hold) flag, applies `change` to its light record
// (GetLightSettings, SetLightSettings: the document's "LightInfo" follows), reloads the light
// settings (record, per-LED list, custom effect steps), sends the settings block of onboard
// profile 0 and saves the profile. Answers WriteSettings's result: 0 when nothing was sent
// (no device on the channel); the profile is saved either way.
int CommitLightChange(devices::COrvaneUSBDevice& device,
                      const std::function<void(profile::LightRecord&)>& change, ScreenSize screen);

// Steps 3-5 of a light change with the record already made: stores it (SetLightSettings),
// reloads the light settings, sends the settings block and saves the profile. The hold flag
// is left as it is, so that same-mode synchronisation can store a record on a device it
// keeps paused. Answers WriteSettings's result.
int StoreLightRecord(devices::COrvaneUSBDevice& device, const profile::LightRecord& record,
                     ScreenSize screen);

// Stores the audio light record (the document's "AudioLightInfo" follows), saves the profile
// and reloads the light settings. The audio record is never sent to the device.
void CommitAudioRecord(devices::COrvaneUSBDevice& device, const profile::AudioLightRecord& record);

}  // namespace panels::light
