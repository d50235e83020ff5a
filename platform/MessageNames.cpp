#include "platform/MessageNames.h"

#include <charconv>

#include "platform/MessageBus.h"

namespace platform::message_names {

std::string Fold(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

bool ValidName(std::string_view name) {
    if (name.empty() || name.size() > kMaxMessageNameBytes)
        return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    return true;
}

int Table::Parse(const std::string& text) {
    byFoldedName_.clear();
    byNumber_.clear();
    int skipped = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (line.empty())
            continue;
        size_t tab = line.find('\t');
        uint32_t number = 0;
        bool ok = tab != std::string_view::npos;
        if (ok) {
            auto [at, ec] = std::from_chars(line.data(), line.data() + tab, number, 16);
            ok = ec == std::errc() && at == line.data() + tab &&
                 number >= kFirstRegisteredMessage && number <= kLastRegisteredMessage;
        }
        std::string_view name = ok ? line.substr(tab + 1) : std::string_view();
        std::string folded = Fold(name);
        ok = ok && ValidName(name) && !byNumber_.count(number) && !byFoldedName_.count(folded);
        if (!ok) {
            ++skipped;
            continue;
        }
        byFoldedName_[folded] = number;
        byNumber_[number] = std::string(name);
    }
    return skipped;
}

std::string Table::Serialise() const {
    std::string out;
    char hex[16];
    for (const auto& [number, name] : byNumber_) {
        auto [end, ec] = std::to_chars(hex, hex + sizeof hex, number, 16);
        (void)ec;
        out.append(hex, end);
        out.push_back('\t');
        out += name;
        out.push_back('\n');
    }
    return out;
}

uint32_t Table::Find(std::string_view name) const {
    auto it = byFoldedName_.find(Fold(name));
    return it == byFoldedName_.end() ? 0 : it->second;
}

uint32_t Table::Add(std::string_view name) {
    if (!ValidName(name))
        return 0;
    if (uint32_t existing = Find(name))
        return existing;
    // One past the highest number in use: a number seen on a damaged line may still be known
    // to running processes, so gaps are never reused.
    uint32_t number = byNumber_.empty() ? kFirstRegisteredMessage : byNumber_.rbegin()->first + 1;
    if (number > kLastRegisteredMessage)
        return 0;
    byFoldedName_[Fold(name)] = number;
    byNumber_[number] = std::string(name);
    return number;
}

}  // namespace platform::message_names
