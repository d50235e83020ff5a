#include "hid/PathParsers.h"

#include <cctype>

namespace hid {
namespace {

size_t FindNoCase(std::string_view text, std::string_view key) {
    if (key.size() > text.size())
        return std::string_view::npos;
    for (size_t i = 0; i + key.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < key.size() && std::tolower(static_cast<unsigned char>(text[i + k])) ==
                                     std::tolower(static_cast<unsigned char>(key[k])))
            ++k;
        if (k == key.size())
            return i;
    }
    return std::string_view::npos;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// What "%x" reads: leading blanks, an optional sign and "0x", then hex digits. The value is
// kept modulo 2^16 instead of overflowing.
uint16_t ReadHex(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i + 2 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') &&
        HexDigit(s[i + 2]) >= 0)
        i += 2;
    uint32_t value = 0;
    while (i < s.size() && HexDigit(s[i]) >= 0) {
        value = (value << 4) | static_cast<uint32_t>(HexDigit(s[i]));
        ++i;
    }
    if (negative)
        value = 0u - value;
    return static_cast<uint16_t>(value);
}

uint16_t NumberAfter(std::string_view path, std::string_view key) {
    size_t at = FindNoCase(path, key);
    if (at == std::string_view::npos)
        return 0;
    return ReadHex(path.substr(at + key.size()));
}

}  // namespace

uint16_t VendorFromPath(std::string_view path) {
    return NumberAfter(path, "vid_");
}

uint16_t ProductFromPath(std::string_view path) {
    return NumberAfter(path, "pid_");
}

uint16_t InterfaceFromPath(std::string_view path) {
    return NumberAfter(path, "&mi_");
}

uint16_t CollectionFromPath(std::string_view path) {
    return NumberAfter(path, "&col");
}

}  // namespace hid
