#include "app/audio/AudioSend.h"

#include <string_view>

#include "app/AppMessages.h"
#include "app/audio/AudioRules.h"
#include "platform/MessageBus.h"

namespace app::audio {

bool PostAudioCommand(uint32_t command, int64_t value) {
    const uint32_t message = Messages().audioCommand;
    if (message == 0)
        return false;
    return platform::PostToWindow(kAudioWindowTitle, message, command, value);
}

bool SendStyleColour(int red, int green, int blue) {
    const auto record = StyleColourRecord(red, green, blue);
    return platform::SendCopyData(
        kAudioWindowTitle, kTagStyleColour,
        std::string_view(reinterpret_cast<const char*>(record.data()), record.size()), 1500);
}

}  // namespace app::audio
