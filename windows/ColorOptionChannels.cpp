#include "windows/ColorOptionChannels.h"

namespace windows {

TypedChannel ReadTypedChannel(std::string_view typed) {
    size_t i = 0;
    while (i < typed.size() && (typed[i] == ' ' || typed[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < typed.size() && (typed[i] == '+' || typed[i] == '-')) {
        negative = typed[i] == '-';
        ++i;
    }
    // Saturates early: any number above 255 ends as 255, however long it is.
    int magnitude = 0;
    for (; i < typed.size() && typed[i] >= '0' && typed[i] <= '9'; ++i) {
        if (magnitude <= 255)
            magnitude = magnitude * 10 + (typed[i] - '0');
    }
    TypedChannel channel;
    channel.value = negative ? 0 : (magnitude > 255 ? 255 : magnitude);
    channel.text = std::to_string(channel.value);
    channel.corrected = channel.text != typed;
    return channel;
}

}  // namespace windows
