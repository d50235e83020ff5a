#include "platform/MessageNames.h"

#include <algorithm>
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

namespace {

constexpr std::string_view kNextRecord = "next";

// The whole field as a hexadecimal number from the first registered message to `last`, or 0.
uint32_t NumberField(std::string_view field, uint32_t last = kLastRegisteredMessage) {
    uint32_t number = 0;
    auto [at, ec] = std::from_chars(field.data(), field.data() + field.size(), number, 16);
    if (field.empty() || ec != std::errc() || at != field.data() + field.size() ||
        number < kFirstRegisteredMessage || number > last)
        return 0;
    return number;
}

}  // namespace

int Table::Parse(const std::string& text) {
    byFoldedName_.clear();
    byNumber_.clear();
    next_ = 0;
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
        std::string_view first = line.substr(0, tab);
        std::string_view rest =
            tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
        if (first == kNextRecord) {
            if (uint32_t next = NumberField(rest, kLastRegisteredMessage + 1)) {
                next_ = std::max(next_, next);
                continue;
            }
            ++skipped;
            continue;
        }
        uint32_t number = NumberField(first);
        // Whatever else is wrong with the line, its number may have been handed out.
        if (number)
            next_ = std::max(next_, number + 1);
        std::string folded = Fold(rest);
        if (!number || tab == std::string_view::npos || !ValidName(rest) ||
            byNumber_.count(number) || byFoldedName_.count(folded)) {
            ++skipped;
            continue;
        }
        byFoldedName_[folded] = number;
        byNumber_[number] = std::string(rest);
    }
    return skipped;
}

std::string Table::Serialise() const {
    std::string out;
    char hex[16];
    auto appendHex = [&](uint32_t number) {
        auto [end, ec] = std::to_chars(hex, hex + sizeof hex, number, 16);
        (void)ec;
        out.append(hex, end);
    };
    // Only needed when a number above the highest name's was seen on a damaged line.
    uint32_t implied = byNumber_.empty() ? 0 : byNumber_.rbegin()->first + 1;
    if (next_ > implied) {
        out.append(kNextRecord);
        out.push_back('\t');
        appendHex(next_);
        out.push_back('\n');
    }
    for (const auto& [number, name] : byNumber_) {
        appendHex(number);
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
    // One past the highest number ever seen: a number seen on a damaged line may still be
    // known to running processes, so neither it nor a gap is reused.
    uint32_t number = std::max<uint32_t>(next_, kFirstRegisteredMessage);
    if (!byNumber_.empty())
        number = std::max(number, byNumber_.rbegin()->first + 1);
    if (number > kLastRegisteredMessage)
        return 0;
    next_ = number + 1;
    byFoldedName_[Fold(name)] = number;
    byNumber_[number] = std::string(name);
    return number;
}

}  // namespace platform::message_names
