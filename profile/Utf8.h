#pragma once
// Conversions between UTF-16 text (what the operating system's wide calls use) and the UTF-8
// strings the program and its JSON files hold. Malformed input becomes U+FFFD, never an error.
#include <string>
#include <string_view>

namespace profile {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view bytes);

// True when bytes is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

}  // namespace profile
