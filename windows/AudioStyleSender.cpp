#include "windows/AudioStyleSender.h"

#include "platform/MessageBus.h"

namespace windows {

bool SendStyleColour(const MusicSettings& settings) {
    if (!platform::WindowExists(kAudioWindowTitle))
        return false;
    return platform::SendCopyData(kAudioWindowTitle, kStyleColourTag, StyleColourRecord(settings),
                                  kStyleColourTimeoutMs);
}

}  // namespace windows
