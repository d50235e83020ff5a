#include "platform/IniFile.h"

#include <vector>

#include "platform/FileIO.h"
#include "platform/Trace.h"

namespace platform {
namespace {

constexpr size_t kMaxIniNameBytes = 1024;
constexpr size_t kMaxIniValueBytes = 4096;
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

bool IniBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string IniTrim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IniBlank(s[b]))
        ++b;
    while (e > b && (IniBlank(s[e - 1]) || s[e - 1] == '\r'))
        --e;
    return s.substr(b, e - b);
}

bool IniSameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

bool IniHasBreakOrNul(const std::string& s) {
    for (char c : s)
        if (c == '\n' || c == '\r' || c == '\0')
            return true;
    return false;
}

bool IniPlainText(const std::string& s, size_t maxBytes) {
    return s.size() <= maxBytes && !IniHasBreakOrNul(s) &&
           (s.empty() || (!IniBlank(s.front()) && !IniBlank(s.back())));
}

// One line of the file as the reader sees it.
struct IniLine {
    enum Kind { kOther, kSection, kKey } kind = kOther;
    std::string name;   // section or key name
    std::string value;  // key value
};

IniLine ParseIniLine(const std::string& raw) {
    IniLine line;
    const std::string text = IniTrim(raw);
    if (text.empty() || text[0] == ';' || text[0] == '#')
        return line;
    if (text[0] == '[') {
        const size_t close = text.find(']');
        if (close != std::string::npos) {
            line.kind = IniLine::kSection;
            line.name = IniTrim(text.substr(1, close - 1));
        }
        return line;
    }
    const size_t eq = text.find('=');
    if (eq == std::string::npos)
        return line;
    line.kind = IniLine::kKey;
    line.name = IniTrim(text.substr(0, eq));
    line.value = IniTrim(text.substr(eq + 1));
    return line;
}

// The text split into lines without their '\n' (a '\r' before it stays with the line).
std::vector<std::string> SplitIniLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Every line ends with its line end (a last line that had none gets one).
std::string JoinIniLines(const std::string& bom, const std::vector<std::string>& lines) {
    std::string out = bom;
    for (const std::string& l : lines) {
        out += l;
        out += '\n';
    }
    return out;
}

}  // namespace

bool IsValidIniSection(const std::string& section) {
    return !section.empty() && IniPlainText(section, kMaxIniNameBytes) &&
           section.find(']') == std::string::npos;
}

bool IsValidIniKey(const std::string& key) {
    return !key.empty() && IniPlainText(key, kMaxIniNameBytes) &&
           key.find('=') == std::string::npos && key[0] != ';' && key[0] != '[' && key[0] != '#';
}

bool IsValidIniValue(const std::string& value) {
    return IniPlainText(value, kMaxIniValueBytes);
}

std::optional<std::string> FindIniString(const std::string& text, const std::string& section,
                                         const std::string& key) {
    std::string body = text;
    if (body.compare(0, 3, kUtf8Bom) == 0)
        body.erase(0, 3);
    bool inSection = false, seen = false;
    for (const std::string& raw : SplitIniLines(body)) {
        const IniLine line = ParseIniLine(raw);
        if (line.kind == IniLine::kSection) {
            if (seen)
                break;  // only the first section of that name counts, as for writes
            inSection = seen = IniSameName(line.name, section);
        } else if (line.kind == IniLine::kKey && inSection && IniSameName(line.name, key))
            return line.value;
    }
    return std::nullopt;
}

std::optional<std::string> SetIniString(const std::string& text, const std::string& section,
                                        const std::string& key, const std::string& value) {
    if (!IsValidIniSection(section) || !IsValidIniKey(key) || !IsValidIniValue(value))
        return std::nullopt;
    std::string bom;
    std::string body = text;
    if (body.compare(0, 3, kUtf8Bom) == 0) {
        bom = kUtf8Bom;
        body.erase(0, 3);
    }
    // New lines follow the file's own line ends.
    const std::string eol = body.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    std::vector<std::string> lines = SplitIniLines(body);
    const std::string entry = key + "=" + value;

    // The first section so named and its last key: a new key goes after that, so that blank
    // lines and comments before the next section stay below it.
    size_t lastKeyAt = lines.size();
    bool inSection = false, found = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const IniLine line = ParseIniLine(lines[i]);
        if (line.kind == IniLine::kSection) {
            if (found)
                break;
            inSection = IniSameName(line.name, section);
            if (inSection) {
                found = true;
                lastKeyAt = i;
            }
        } else if (line.kind == IniLine::kKey && inSection) {
            if (IniSameName(line.name, key)) {
                const bool cr = !lines[i].empty() && lines[i].back() == '\r';
                lines[i] = entry + (cr ? "\r" : "");
                return JoinIniLines(bom, lines);
            }
            lastKeyAt = i;
        }
    }
    const std::string cr = eol == "\r\n" ? "\r" : "";
    if (found) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastKeyAt) + 1, entry + cr);
    } else {
        lines.push_back("[" + section + "]" + cr);
        lines.push_back(entry + cr);
    }
    return JoinIniLines(bom, lines);
}

bool WriteIniString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value) {
    if (!IsValidIniSection(section) || !IsValidIniKey(key) || !IsValidIniValue(value)) {
        TraceF("ini: refused to write [%s] %s in %s: not a valid name or value",
               section.substr(0, 64).c_str(), key.substr(0, 64).c_str(), path.c_str());
        return false;
    }
    std::string text;
    if (FileExists(path)) {
        if (!ReadWholeFile(path, text, kMaxIniFileBytes)) {
            TraceF("ini: %s cannot be read (or is too large); left as it is", path.c_str());
            return false;
        }
    }
    const std::optional<std::string> updated = SetIniString(text, section, key, value);
    if (!updated)
        return false;
    return WriteFileAtomic(path, *updated);
}

std::optional<std::string> ReadIniString(const std::string& path, const std::string& section,
                                         const std::string& key) {
    std::string text;
    if (!ReadWholeFile(path, text, kMaxIniFileBytes))
        return std::nullopt;
    return FindIniString(text, section, key);
}

}  // namespace platform
