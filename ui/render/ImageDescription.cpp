#include "ui/render/ImageDescription.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace ui {
namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

bool EqualsNoCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && b[i] == '\0';
}

bool ParseInt(const std::string& text, size_t& pos, int& out) {
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    size_t start = pos;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        ++pos;
    size_t digits = pos;
    long value = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
        value = value * 10 + (text[pos] - '0');
        if (value > 1000000)
            return false;  // nobody draws a million pixels: bad input
        ++pos;
    }
    if (pos == digits) {
        pos = start;
        return false;
    }
    out = static_cast<int>(text[start] == '-' ? -value : value);
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    return true;
}

void Apply(TDrawInfo& info, const std::string& key, const std::string& value) {
    if (value.empty())
        return;
    if (key == "file" || key == "res") {
        info.file = value;
    } else if (key == "restype") {
        info.resType = value;
    } else if (key == "dest") {
        ParseRectValue(value, info.dest);
    } else if (key == "source") {
        ParseRectValue(value, info.source);
    } else if (key == "corner") {
        ParseRectValue(value, info.corner);
    } else if (key == "mask") {
        ParseColorValue(value, info.mask);
    } else if (key == "fade") {
        size_t pos = 0;
        int fade = 0;
        if (ParseInt(value, pos, fade) && pos == value.size())
            info.fade = static_cast<uint8_t>(std::clamp(fade, 0, 255));
    } else if (key == "hole") {
        info.hole = EqualsNoCase(value, "true");
    } else if (key == "xtiled") {
        info.xTiled = EqualsNoCase(value, "true");
    } else if (key == "ytiled") {
        info.yTiled = EqualsNoCase(value, "true");
    } else if (key == "hsl") {
        info.hsl = EqualsNoCase(value, "true");
    }
}

// True when the text holds at least one key='value' token; otherwise it is a bare file name.
bool HasTokens(const std::string& text) {
    size_t eq = text.find('=');
    if (eq == std::string::npos)
        return false;
    size_t q = text.find_first_not_of(" \t\r\n", eq + 1);
    return q != std::string::npos && (text[q] == '\'' || text[q] == '"');
}

void ParseTokens(TDrawInfo& info, const std::string& text) {
    size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        if (pos >= text.size())
            break;
        size_t keyStart = pos;
        while (pos < text.size() && text[pos] != '=' && !IsBlank(text[pos]))
            ++pos;
        std::string key = text.substr(keyStart, pos - keyStart);
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        if (pos >= text.size() || text[pos] != '=')
            return;
        ++pos;
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        if (pos >= text.size() || (text[pos] != '\'' && text[pos] != '"'))
            return;
        char quote = text[pos++];
        size_t close = text.find(quote, pos);
        if (close == std::string::npos)
            return;
        for (char& c : key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        Apply(info, key, text.substr(pos, close - pos));
        pos = close + 1;
    }
}

}  // namespace

bool ParseRectValue(const std::string& text, Rect& rect) {
    int v[4] = {};
    size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        if (!ParseInt(text, pos, v[i]))
            return false;
        if (i < 3) {
            if (pos >= text.size() || text[pos] != ',')
                return false;
            ++pos;
        }
    }
    if (pos != text.size())
        return false;
    rect = Rect{v[0], v[1], v[2], v[3]};
    return true;
}

bool ParseColorValue(const std::string& text, Color& color) {
    std::string digits = text;
    while (!digits.empty() && IsBlank(digits.back()))
        digits.pop_back();
    size_t start = 0;
    while (start < digits.size() && IsBlank(digits[start]))
        ++start;
    digits = digits.substr(start);
    if (!digits.empty() && digits[0] == '#') {
        digits = digits.substr(1);
    } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits = digits.substr(2);
    }
    if (digits.empty() || digits.size() > 8)
        return false;
    for (char c : digits)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    Color value = static_cast<Color>(std::strtoul(digits.c_str(), nullptr, 16));
    if (digits.size() <= 6)
        value |= 0xFF000000u;
    color = value;
    return true;
}

TDrawInfo ParseImageDescription(const std::string& description, const std::string& modify) {
    TDrawInfo info;
    info.drawString = description;
    info.drawModify = modify;
    if (HasTokens(description)) {
        ParseTokens(info, description);
    } else {
        size_t b = 0, e = description.size();
        while (b < e && IsBlank(description[b]))
            ++b;
        while (e > b && IsBlank(description[e - 1]))
            --e;
        info.file = description.substr(b, e - b);
    }
    ParseTokens(info, modify);
    return info;
}

}  // namespace ui
