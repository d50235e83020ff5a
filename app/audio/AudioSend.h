#pragma once
// What the program sends to the audio-capture process over the session bus: its commands
// (the registered message "...EBE19" posted to its window) and the style colour (copy-data
// tag 10). Nothing is sent when its window is not on the bus; results are not checked by
// the callers that fire and forget.
// Threads: any (the window thread in the program).
#include <cstdint>

namespace app::audio {

// False when the message is not registered or the window is not on the bus.
bool PostAudioCommand(uint32_t command, int64_t value = 0);

// The current style's colour (0-9 each) as the 40-byte tag-10 record, waiting at most
// 1500 ms for the process to take it.
bool SendStyleColour(int red, int green, int blue);

}  // namespace app::audio
