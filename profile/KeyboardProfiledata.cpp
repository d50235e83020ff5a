#include "profile/KeyboardProfiledata.h"

#include "profile/JsonAccess.h"

namespace profile {
namespace {

// Groups are indexed by a number from the file or the device; bound the array a store may
// grow to.
constexpr int32_t kMaxCustomGroups = 64;

}  // namespace

KeyboardSystemRecord CKeyboardProfiledata::GetKeyboardSystemRecord() {
    const Json::Value& section = json::Member(Document(), "SystemStages");
    KeyboardSystemRecord words{};
    for (size_t k = 0; k < 6; ++k) {
        auto value =
            static_cast<uint16_t>(json::IntOf(json::Member(section, kKeyboardSystemKeys[k])));
        words[k / 2] |= k % 2 ? uint32_t{value} << 16 : value;
    }
    systemRecord_ = words;
    return words;
}

void CKeyboardProfiledata::SetKeyboardSystemRecord(uint32_t w0, uint32_t w1, uint32_t w2) {
    systemRecord_ = {w0, w1, w2};
    Json::Value& section = json::ObjectMember(MutableDocument(), "SystemStages");
    for (size_t k = 0; k < 6; ++k) {
        uint32_t word = systemRecord_[k / 2];
        section[kKeyboardSystemKeys[k]] = k % 2 ? HighHalf(word) : LowHalf(word);
    }
}

int32_t CKeyboardProfiledata::GetCustomLightGroupIndex() const {
    return json::IntOf(
        json::Member(json::Member(Document(), "CustomLightMode"), "CustomLightModeGroupIndex"));
}

void CKeyboardProfiledata::SetCustomLightGroupIndex(int32_t index) {
    json::ObjectMember(MutableDocument(), "CustomLightMode")["CustomLightModeGroupIndex"] = index;
}

std::vector<CustomKeyColour> CKeyboardProfiledata::GetCustomColours(int32_t group) const {
    const Json::Value& groups =
        json::Member(json::Member(Document(), "CustomLightMode"), "LightColorInfo");
    const Json::Value& keys = json::Element(groups, group);
    std::vector<CustomKeyColour> colours;
    for (uint32_t k = 0; k < json::ArraySize(keys); ++k) {
        const Json::Value& key = json::Element(keys, k);
        auto byte = [&](const char* name) {
            return static_cast<uint8_t>(json::IntOf(json::Member(key, name)));
        };
        colours.push_back({byte("Red"), byte("Green"), byte("Blue"), byte("Alpha")});
    }
    return colours;
}

void CKeyboardProfiledata::SetCustomColours(int32_t group,
                                            const std::vector<CustomKeyColour>& colours) {
    if (group < 0 || group >= kMaxCustomGroups)
        return;
    Json::Value& groups = json::ArrayMember(
        json::ObjectMember(MutableDocument(), "CustomLightMode"), "LightColorInfo");
    Json::Value keys(Json::arrayValue);
    for (const CustomKeyColour& c : colours) {
        Json::Value key(Json::objectValue);
        key["Red"] = c.red;
        key["Green"] = c.green;
        key["Blue"] = c.blue;
        key["Alpha"] = c.alpha;
        keys.append(key);
    }
    groups[static_cast<Json::ArrayIndex>(group)] = keys;
}

}  // namespace profile
