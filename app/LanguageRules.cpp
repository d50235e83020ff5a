#include "app/LanguageRules.h"

#include <json/json.h>

#include <array>

#include "profile/JsonFile.h"

namespace app {

const LanguageEntry* LanguageList::At(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= entries.size() || !valid[index])
        return nullptr;
    return &entries[index];
}

LanguageList ParseLanguageConfig(const std::string& text) {
    LanguageList list;
    Json::Value root;
    if (!profile::ParseJsonText(text, root) || !root.isObject())
        return list;
    const Json::Value& array = root["Language"];
    if (!array.isArray())
        return list;
    for (const Json::Value& item : array) {
        LanguageEntry entry;
        bool ok = item.isObject();
        if (ok) {
            const Json::Value& id = item["Language_ID"];
            const Json::Value& name = item["Language_name"];
            const Json::Value& file = item["Language_file"];
            ok = (id.isUInt() || (id.isInt() && id.asInt() >= 0)) && name.isString() &&
                 file.isString() && !file.asString().empty();
            if (ok) {
                entry.id = id.asUInt();
                entry.name = name.asString();
                entry.file = file.asString();
            }
        }
        list.entries.push_back(entry);
        list.valid.push_back(ok);
    }
    return list;
}

int StartupLanguageIndex(const LanguageList& list, std::optional<uint32_t> registryId) {
    if (!registryId)
        return 0;
    for (size_t i = 0; i < list.entries.size(); ++i) {
        if (list.valid[i] && list.entries[i].id == *registryId)
            return static_cast<int>(i);
    }
    return 0;
}

std::string FontFaceForLanguage(int index) {
    switch (index) {
        case 15:
            return "Noto Sans Thai";
        case 0:
            return "汉仪菱心体简";
        case 2:
            return "Noto Sans CJK TC Regular";
        default:
            return "Verdana Unicode MS";
    }
}

std::span<const FaceFamily> ShippedFaceFamilies() {
    static constexpr FaceFamily kFamilies[] = {
        {"汉仪菱心体简", "WenQuanYi Micro Hei"},
        {"Verdana Unicode MS", "Jura"},
        {"Noto Sans CJK TC Regular", "Noto Sans CJK TC"},
    };
    return kFamilies;
}

namespace {
bool HasOwnFace(int index) {
    return index == 15 || index == 0 || index == 2;
}
}  // namespace

bool LanguageChangeReplacesFonts(int newIndex, int previousIndex) {
    return HasOwnFace(newIndex) || HasOwnFace(previousIndex) || previousIndex == -1;
}

std::span<const FontSlot> LanguageFontSet() {
    static constexpr std::array<FontSlot, 14> kSet = {{{0, 15, false},
                                                       {-1, 14, false},
                                                       {1, 14, true},
                                                       {2, 18, false},
                                                       {3, 30, false},
                                                       {4, 16, false},
                                                       {5, 20, false},
                                                       {6, 22, false},
                                                       {7, 14, false},
                                                       {8, 12, false},
                                                       {9, 11, false},
                                                       {10, 10, false},
                                                       {11, 28, false},
                                                       {50, 18, true}}};
    return kSet;
}

}  // namespace app
