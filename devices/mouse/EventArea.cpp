#include "devices/mouse/EventArea.h"

#include <cstdlib>
#include <string>

#include "profile/JsonAccess.h"

namespace devices::mouse {
namespace {

uint32_t DelayOf(const Json::Value& value) {
    if (value.isString()) {
        // The decimal text, as far as it is a number.
        const std::string text = value.asString();
        return static_cast<uint32_t>(std::strtoul(text.c_str(), nullptr, 10));
    }
    return static_cast<uint32_t>(profile::json::IntOf(value));
}

void Put16(std::vector<uint8_t>& out, size_t at, size_t value) {
    out[at] = static_cast<uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

EncodedEvent EncodeEvent(const Json::Value& event) {
    EncodedEvent bytes{};
    if (!event.isObject())
        return bytes;
    const uint32_t delay = DelayOf(profile::json::Member(event, "Delay"));
    bytes[0] = static_cast<uint8_t>(delay & 0xFF);
    bytes[1] = static_cast<uint8_t>((delay >> 8) & 0xFF);
    uint8_t type =
        static_cast<uint8_t>(profile::json::IntOf(profile::json::Member(event, "Type")) & 0xFF);
    if (profile::json::StringOf(profile::json::Member(event, "Action")) == "down")
        type = static_cast<uint8_t>(type | 0x80);
    bytes[2] = type;
    bytes[3] =
        static_cast<uint8_t>(profile::json::IntOf(profile::json::Member(event, "Button")) & 0xFF);
    return bytes;
}

std::vector<EncodedEvent> EncodeEvents(const Json::Value& events) {
    std::vector<EncodedEvent> out;
    if (!events.isArray())
        return out;
    out.reserve(events.size());
    for (const Json::Value& event : events)
        out.push_back(EncodeEvent(event));
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
    Put16(area, 0, 0x55AA);
    Put16(area, 2, total);
    Put16(area, 4, items.size());
    size_t at = kEventAreaHeader + 2 * items.size();
    for (size_t i = 0; i < items.size(); ++i) {
        Put16(area, kEventAreaHeader + 2 * i, at);
        Put16(area, at, items[i].size());
        at += 4;
        for (const EncodedEvent& event : items[i]) {
            std::copy(event.begin(), event.end(), area.begin() + static_cast<ptrdiff_t>(at));
            at += kEventBytes;
        }
    }
    return area;
}

}  // namespace devices::mouse
