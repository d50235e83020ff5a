#include "devices/mouse/ShootArea.h"

#include "devices/mouse/EventArea.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"

namespace devices::mouse {

std::string ShootSetFileName(int set) {
    return "ShootData_" + std::to_string(set) + ".Shoot";
}

ShootArea BuildShootArea(const std::string& userDataFolder) {
    ShootArea result;
    std::vector<std::vector<EncodedEvent>> items;
    for (int set = 0; set < kShootSetCount; ++set) {
        const Json::Value file = profile::LoadJsonFile(userDataFolder + ShootSetFileName(set));
        items.push_back(EncodeEvents(profile::json::Member(file, "Events"), DelayRule::kLow16));
        result.eventCounts.push_back(items.back().size());
    }
    result.size = EventAreaSize(items);
    // An imported set can be larger than the header's 16-bit fields express.
    result.bytes = BuildEventArea(items);
    return result;
}

}  // namespace devices::mouse
