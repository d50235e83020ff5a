#pragma once
// The text of the session-start desktop entry (XDG autostart). Pure; any thread.
#include <optional>
#include <string>

namespace platform {

// The entry starting executable (an absolute path) with T418_ZEN_START_HIDDEN=1. Empty when
// the path is not absolute or holds a character the entry's Exec key cannot carry (a quote,
// a backslash, '$', '`' or a control character); other reserved characters are quoted.
std::optional<std::string> AutostartEntryText(const std::string& executable);

}  // namespace platform
