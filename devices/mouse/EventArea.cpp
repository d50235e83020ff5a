#include "devices/mouse/EventArea.h"

#include <string>

#include "profile/JsonAccess.h"

namespace devices::mouse {
namespace {

constexpr int64_t kMaxEventDelay = 0xFFFF;

int64_t ClampEventDelay(int64_t value) {
    return value < 0 ? 0 : value > kMaxEventDelay ? kMaxEventDelay : value;
}

// Leading white space, an optional sign, then digits as far as they go. Clamping saturates
// instead of overflowing, so "99999999999999999999" is the longest delay, not a wrapped one;
// the low-16 rule keeps the low bits of the whole decimal number.
int64_t EventDelayFromText(const std::string& text, DelayRule rule) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r')))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (rule == DelayRule::kLow16) {
            value &= kMaxEventDelay;
        } else if (value > kMaxEventDelay) {
            value = kMaxEventDelay + 1;
            // The rest of the digits cannot bring it back into range.
            break;
        }
    }
    return ClampEventDelay(negative ? -value : value);
}

int64_t EventDelayFromNumber(int64_t value, DelayRule rule) {
    if (rule == DelayRule::kLow16 && value > 0)
        return value & kMaxEventDelay;
    return ClampEventDelay(value);
}

// A whole number of any width (integral reals included); nothing for other types.
std::optional<uint64_t> EventWholeNumber(const Json::Value& value) {
    if (value.isInt64())
        return static_cast<uint64_t>(value.asInt64());
    if (value.isUInt64())
        return value.asUInt64();
    return std::nullopt;
}

void PutArea16(std::vector<uint8_t>& out, size_t at, size_t value) {
    out[at] = static_cast<uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

std::optional<EventFields> ReadEventFields(const Json::Value& event, DelayRule rule) {
    if (!event.isObject())
        return std::nullopt;
    EventFields fields;
    const Json::Value& action = profile::json::Member(event, "Action");
    if (!action.isNull()) {
        if (!action.isString())
            return std::nullopt;
        fields.down = action.asString() == "down";
    }
    const Json::Value& button = profile::json::Member(event, "Button");
    if (!button.isNull()) {
        const std::optional<uint64_t> number = EventWholeNumber(button);
        if (!number)
            return std::nullopt;
        fields.button = static_cast<uint8_t>(*number & 0xFF);
    }
    const Json::Value& type = profile::json::Member(event, "Type");
    if (!type.isNull()) {
        const std::optional<uint64_t> number = EventWholeNumber(type);
        if (!number)
            return std::nullopt;
        fields.type = static_cast<uint8_t>(*number & 0x7F);
    }
    const Json::Value& delay = profile::json::Member(event, "Delay");
    if (delay.isString()) {
        fields.delay = static_cast<uint16_t>(EventDelayFromText(delay.asString(), rule));
    } else if (delay.isInt64()) {
        fields.delay = static_cast<uint16_t>(EventDelayFromNumber(delay.asInt64(), rule));
    } else if (delay.isUInt64()) {
        fields.delay = static_cast<uint16_t>(rule == DelayRule::kLow16 ? delay.asUInt64() & 0xFFFF
                                                                       : kMaxEventDelay);
    } else if (delay.isNumeric() && !delay.isBool()) {
        // A fraction or a real beyond 64 bits: asDouble is safe for every number.
        const double real = delay.asDouble();
        fields.delay = static_cast<uint16_t>(real <= 0                ? 0
                                             : real >= kMaxEventDelay ? kMaxEventDelay
                                                                      : real);
    } else if (!delay.isNull()) {
        return std::nullopt;
    }
    return fields;
}

EncodedEvent EncodeFields(const EventFields& fields) {
    return {static_cast<uint8_t>(fields.delay & 0xFF), static_cast<uint8_t>(fields.delay >> 8),
            static_cast<uint8_t>(fields.type | (fields.down ? 0x80 : 0x00)), fields.button};
}

EncodedEvent EncodeEvent(const Json::Value& event) {
    const std::optional<EventFields> fields = ReadEventFields(event);
    return fields ? EncodeFields(*fields) : EncodedEvent{};
}

std::vector<EncodedEvent> EncodeEvents(const Json::Value& events, DelayRule rule) {
    std::vector<EncodedEvent> out;
    if (!events.isArray())
        return out;
    out.reserve(events.size());
    for (const Json::Value& event : events) {
        if (const std::optional<EventFields> fields = ReadEventFields(event, rule))
            out.push_back(EncodeFields(*fields));
    }
    return out;
}

size_t EventAreaSize(const std::vector<std::vector<EncodedEvent>>& items) {
    size_t total = kEventAreaHeader + 2 * items.size();
    for (const auto& item : items)
        total += 4 + kEventBytes * item.size();
    return total;
}

std::optional<std::vector<uint8_t>> BuildEventArea(
    const std::vector<std::vector<EncodedEvent>>& items) {
    const size_t total = EventAreaSize(items);
    if (total > kMaxEventArea || items.size() > 0xFFFF)
        return std::nullopt;
    std::vector<uint8_t> area(total, 0);
    PutArea16(area, 0, 0x55AA);
    PutArea16(area, 2, total);
    PutArea16(area, 4, items.size());
    size_t at = kEventAreaHeader + 2 * items.size();
    for (size_t i = 0; i < items.size(); ++i) {
        PutArea16(area, kEventAreaHeader + 2 * i, at);
        PutArea16(area, at, items[i].size());
        at += 4;
        for (const EncodedEvent& event : items[i]) {
            std::copy(event.begin(), event.end(), area.begin() + static_cast<ptrdiff_t>(at));
            at += kEventBytes;
        }
    }
    return area;
}

}  // namespace devices::mouse
