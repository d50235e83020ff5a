#pragma once
// What the user is told after the macros in use were sent to the device. The device's
// WriteMacros answers 0 (written or nothing to write), -1 (the device or its memory failed),
// the event count of the first macro holding more events than a macro may, or the excess of
// the whole area in four-byte events plus one. The two kinds of refusal are told apart by
// the event counts of the macros that were sent. Pure; any thread.
#include <cstddef>
#include <string>
#include <vector>

namespace panels {

struct MacroUploadMessage {
    std::string key;  // language key; empty: nothing to say
    bool hasNumber = false;
    int number = 0;  // formatted into the text's %d
};

// result: WriteMacros' answer; eventCounts: the events of each macro sent, in upload order.
// A macro with too many events -> "message_text_26" with the events to remove from it; the
// area too large for the device -> "message_text_16" with the events to remove in all;
// -1 -> "message_text_7".
MacroUploadMessage DescribeMacroUpload(int result, const std::vector<size_t>& eventCounts,
                                       size_t maxEventsPerMacro);

// The text with its first "%d" replaced by number (language texts are never used as printf
// formats). A text without "%d" is returned as it is.
std::string FormatNumberText(const std::string& text, int number);

// The event counts of the macros indices name in the device's "macro.config" (user data
// folder ending with the separator), in the same order; a macro without a usable file
// counts 0 events.
std::vector<size_t> MacroEventCounts(const std::string& userDataFolder,
                                     const std::vector<int>& indices);

}  // namespace panels
