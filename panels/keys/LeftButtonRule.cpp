#include "panels/keys/LeftButtonRule.h"

#include "panels/keys/KeyTables.h"

namespace panels::keys {

bool IsLeftButton(const profile::KeyAssignment& assignment) {
    return assignment.type == kTypeMouseButton && assignment.param1 == 0x01 &&
           assignment.param2 == 0;
}

bool IsLastLeftButton(const std::vector<profile::KeyRecord>& records, size_t index) {
    if (index >= records.size() || !IsLeftButton(records[index].current))
        return false;
    for (size_t k = 0; k < records.size(); ++k) {
        if (k != index && IsLeftButton(records[k].current))
            return false;
    }
    return true;
}

}  // namespace panels::keys
