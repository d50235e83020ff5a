#include "platform/RegistryStore.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <unordered_set>

namespace platform::registry_store {
namespace {

constexpr const char* kHeader = "T418-ZEN registry 1";

std::string Escape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

bool Unescape(const std::string& text, std::string& out) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out.push_back(text[i]);
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i]) {
            case '\\':
                out.push_back('\\');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            default:
                return false;
        }
    }
    return true;
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

std::string Fold(const std::string& name) {
    std::string folded(name);
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

// What a parse has seen so far, so that each line is checked against it in constant time
// (a linear search per line made large stores quadratic).
struct ParseState {
    std::unordered_set<std::string> keyPaths;    // folded
    std::unordered_set<std::string> valueNames;  // folded, of the last key
};

bool ParseLine(const std::string& line, Store& store, ParseState& state) {
    std::vector<std::string> fields = SplitFields(line);
    if (fields[0] == "K" && fields.size() == 2) {
        std::string path;
        if (!Unescape(fields[1], path))
            return false;
        path = NormalisePath(path);
        if (path.empty() || !state.keyPaths.insert(Fold(path)).second)
            return false;
        store.keys.push_back(Key{std::move(path), {}});
        state.valueNames.clear();
        return true;
    }
    if ((fields[0] == "D" || fields[0] == "S") && fields.size() == 3 && !store.keys.empty()) {
        std::string name;
        if (!Unescape(fields[1], name) || !state.valueNames.insert(Fold(name)).second)
            return false;
        Key& key = store.keys.back();
        if (fields[0] == "S") {
            std::string text;
            if (!Unescape(fields[2], text))
                return false;
            key.values.emplace_back(std::move(name), Value(std::move(text)));
            return true;
        }
        const std::string& digits = fields[2];
        uint32_t number = 0;
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
            return false;
        key.values.emplace_back(std::move(name), Value(number));
        return true;
    }
    return false;
}

}  // namespace

std::string NormalisePath(const std::string& path) {
    std::string out;
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = path.find('\\', start);
        if (slash == std::string::npos)
            slash = path.size();
        if (slash > start) {
            if (!out.empty())
                out.push_back('\\');
            out.append(path, start, slash - start);
        }
        start = slash + 1;
    }
    return out;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

Key* Store::Find(const std::string& path) {
    std::string wanted = NormalisePath(path);
    for (Key& key : keys)
        if (SameName(key.path, wanted))
            return &key;
    return nullptr;
}

const Key* Store::Find(const std::string& path) const {
    return const_cast<Store*>(this)->Find(path);
}

bool Parse(const std::string& text, Store& store) {
    store.keys.clear();
    if (text.empty())
        return true;  // a store never written holds nothing
    ParseState state;
    size_t start = 0;
    bool first = true;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            store.keys.clear();
            return false;  // every record ends with a line end: a cut file is corrupt
        }
        std::string line = text.substr(start, end - start);
        start = end + 1;
        bool ok = first ? line == kHeader : ParseLine(line, store, state);
        first = false;
        if (!ok) {
            store.keys.clear();
            return false;
        }
    }
    return true;
}

std::string Serialise(const Store& store) {
    std::string out = std::string(kHeader) + "\n";
    for (const Key& key : store.keys) {
        out += "K\t" + Escape(key.path) + "\n";
        for (const auto& [name, value] : key.values) {
            if (const uint32_t* number = std::get_if<uint32_t>(&value))
                out += "D\t" + Escape(name) + "\t" + std::to_string(*number) + "\n";
            else
                out += "S\t" + Escape(name) + "\t" + Escape(std::get<std::string>(value)) + "\n";
        }
    }
    return out;
}

}  // namespace platform::registry_store
