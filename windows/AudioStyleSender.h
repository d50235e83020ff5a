#pragma once
// Sends the current music style's colour to the audio-capture process (copy-data tag 10 to
// its window on the session bus, 1500 ms at most). Nothing is sent when its window is not
// there; the result is not examined by the program.
// Threads: the window thread (it waits for the process to take the record).
#include "windows/MusicSettings.h"

namespace windows {

// The audio-capture process's window on the bus (titles compare without case there).
inline constexpr const char* kAudioWindowTitle = "Draxmoor T418-ZENAUDIORECORD";
inline constexpr uint32_t kStyleColourTimeoutMs = 1500;

// True when the process took the record.
bool SendStyleColour(const MusicSettings& settings);

}  // namespace windows
