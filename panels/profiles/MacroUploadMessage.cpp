#include "panels/profiles/MacroUploadMessage.h"

#include "devices/mouse/EventArea.h"
#include "panels/profiles/ProfileNames.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"

namespace panels {

MacroUploadMessage DescribeMacroUpload(int result, const std::vector<size_t>& eventCounts,
                                       size_t maxEventsPerMacro) {
    if (result == 0)
        return {};
    if (result < 0)
        return {"message_text_7", false, 0};
    for (size_t count : eventCounts) {
        if (count > maxEventsPerMacro) {
            // The device answers the count of the first macro that is too long.
            if (count == static_cast<size_t>(result))
                return {"message_text_26", true, result - static_cast<int>(maxEventsPerMacro)};
            break;
        }
    }
    return {"message_text_16", true, result};
}

std::string FormatNumberText(const std::string& text, int number) {
    const size_t at = text.find("%d");
    if (at == std::string::npos)
        return text;
    return text.substr(0, at) + std::to_string(number) + text.substr(at + 2);
}

std::vector<size_t> MacroEventCounts(const std::string& userDataFolder,
                                     const std::vector<int>& indices) {
    namespace json = profile::json;
    const Json::Value config = profile::LoadJsonFile(userDataFolder + "macro.config");
    const Json::Value& info = json::Member(config, "MacroInfo");
    std::vector<size_t> counts;
    for (int index : indices) {
        const std::string guid = json::StringOf(json::Member(json::Element(info, index), "Guid"));
        size_t count = 0;
        if (IsSafeIdentifier(guid)) {
            const Json::Value macro = profile::LoadJsonFile(userDataFolder + guid + ".mac");
            count = devices::mouse::EncodeEvents(json::Member(macro, "Events")).size();
        }
        counts.push_back(count);
    }
    return counts;
}

}  // namespace panels
