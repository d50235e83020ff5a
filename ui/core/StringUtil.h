#pragma once
// Text helpers of the GUI library: case-insensitive names, skin attribute values, UTF-8.
// Threads: any (no shared state).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/core/Geometry.h"

namespace ui {

// ASCII case folding: control, attribute and tag names are ASCII.
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
std::string ToLowerAscii(std::string_view text);

struct NoCaseLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};
struct NoCaseHash {
    size_t operator()(std::string_view s) const;
};
struct NoCaseEqual {
    bool operator()(std::string_view a, std::string_view b) const { return EqualsNoCase(a, b); }
};

// "#AARRGGBB", "#RRGGBB" (opaque), "0xAARRGGBB" or decimal. False on anything else.
bool ParseColor(std::string_view text, Color& out);
// "a,b,c,d" of integers (spaces allowed). False unless exactly the count given is present.
bool ParseInts(std::string_view text, int* out, int count);
bool ParseRect(std::string_view text, Rect& out);
bool ParseSize(std::string_view text, Size& out);
// Integer with optional sign; false when the text is not a whole number.
bool ParseInt(std::string_view text, int& out);
// "true"/"1" are true; everything else false.
bool ParseBool(std::string_view text);

// The next code point of UTF-8 text at pos (advancing pos); U+FFFD for malformed bytes.
uint32_t NextCodePoint(std::string_view text, size_t& pos);
std::string EncodeUtf8(uint32_t codePoint);
std::vector<std::string> Split(std::string_view text, char sep);

// Skin paths may use '\' (the layouts were written for it); files are opened with '/'.
std::string NormalizePath(std::string_view path);
// An absolute path ('/' first, or a drive letter) is used as it is, else it is relative.
bool IsAbsolutePath(std::string_view path);

}  // namespace ui
