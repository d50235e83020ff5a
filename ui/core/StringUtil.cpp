#include "ui/core/StringUtil.h"

#include <charconv>

namespace ui {
namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool ParseHex(std::string_view s, uint32_t& out) {
    if (s.empty() || s.size() > 8)
        return false;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out, 16);
    return ec == std::errc() && ptr == s.data() + s.size();
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = FoldAscii(c);
    return out;
}

bool NoCaseLess::operator()(std::string_view a, std::string_view b) const {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        char x = FoldAscii(a[i]), y = FoldAscii(b[i]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.size() < b.size();
}

size_t NoCaseHash::operator()(std::string_view s) const {
    size_t h = 1469598103934665603ull;
    for (char c : s) {
        h ^= static_cast<unsigned char>(FoldAscii(c));
        h *= 1099511628211ull;
    }
    return h;
}

bool ParseColor(std::string_view text, Color& out) {
    text = Trim(text);
    uint32_t v = 0;
    if (!text.empty() && text.front() == '#') {
        text.remove_prefix(1);
        if (!ParseHex(text, v))
            return false;
        out = text.size() <= 6 ? (0xFF000000u | v) : v;
        return true;
    }
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        if (!ParseHex(text, v))
            return false;
        out = v;
        return true;
    }
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 10);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty())
        return false;
    out = v;
    return true;
}

bool ParseInt(std::string_view text, int& out) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out, 10);
    return ec == std::errc() && ptr == text.data() + text.size();
}

bool ParseInts(std::string_view text, int* out, int count) {
    auto parts = Split(text, ',');
    if (static_cast<int>(parts.size()) != count)
        return false;
    for (int i = 0; i < count; ++i) {
        if (!ParseInt(parts[i], out[i]))
            return false;
    }
    return true;
}

bool ParseRect(std::string_view text, Rect& out) {
    int v[4];
    if (!ParseInts(text, v, 4))
        return false;
    out = Rect{v[0], v[1], v[2], v[3]};
    return true;
}

bool ParseSize(std::string_view text, Size& out) {
    int v[2];
    if (!ParseInts(text, v, 2))
        return false;
    out = Size{v[0], v[1]};
    return true;
}

bool ParseBool(std::string_view text) {
    text = Trim(text);
    return EqualsNoCase(text, "true") || text == "1";
}

uint32_t NextCodePoint(std::string_view text, size_t& pos) {
    unsigned char b0 = static_cast<unsigned char>(text[pos]);
    int extra = b0 < 0x80 ? 0 : (b0 >> 5) == 6 ? 1 : (b0 >> 4) == 14 ? 2 : (b0 >> 3) == 30 ? 3 : -1;
    if (extra == 0) {
        ++pos;
        return b0;
    }
    if (extra < 0 || pos + extra >= text.size()) {
        ++pos;
        return 0xFFFD;
    }
    uint32_t cp = b0 & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        unsigned char b = static_cast<unsigned char>(text[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

std::string EncodeUtf8(uint32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x110000) {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

std::vector<std::string> Split(std::string_view text, char sep) {
    std::vector<std::string> out;
    size_t start = 0;
    while (true) {
        size_t end = text.find(sep, start);
        out.emplace_back(
            text.substr(start, end == std::string_view::npos ? text.npos : end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return out;
}

std::string NormalizePath(std::string_view path) {
    std::string out(path);
    for (char& c : out) {
        if (c == '\\')
            c = '/';
    }
    return out;
}

bool IsAbsolutePath(std::string_view path) {
    if (!path.empty() && (path[0] == '/' || path[0] == '\\'))
        return true;
    return path.size() > 1 && path[1] == ':';
}

}  // namespace ui
