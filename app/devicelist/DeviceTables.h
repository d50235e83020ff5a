#pragma once
// The fixed tables of the supported device types: what each type is (its ids and kinds, its
// list item layout and names), how its device object is set up (page file and counts), and
// the firmware models the update check lists. Pure data with lookups.
//
// Threads: any (constant data).
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace app {

struct DeviceType {
    std::string_view itemLayout;
    std::string_view itemGroup;
    std::string_view powerContainer;
    std::string_view typeName;
    uint16_t vendorId;
    uint16_t productId;
    uint16_t kind;
    uint16_t subKind;
    int lightListIndex;
};

struct DeviceLayout {
    int lightElements;
    int keyButtons;
    bool hasBattery;
    int extraIndex;
    std::string_view deviceLayout;
    std::string_view configName;
};

struct DeviceModel {
    int versionFormat;
    int second;
    int version;
    std::string_view vendor;
    std::string_view code;
    std::string_view name;
    std::string_view shortName;
    std::string_view versionText;
};

constexpr size_t kDeviceTypeCount = 4;
// The indexes of the rows created at window initialisation.
constexpr size_t kTypeMouse = 0;
constexpr size_t kTypeKeyboard = 1;
constexpr size_t kTypeMousePad = 2;
constexpr size_t kTypeHeadset = 3;

constexpr std::string_view kPowerItemLayout = "XML/CustomControlXML/MpDevicePower.xml";

const std::array<DeviceType, kDeviceTypeCount>& DeviceTypes();
const std::array<DeviceLayout, kDeviceTypeCount>& DeviceLayouts();
const std::array<DeviceModel, kDeviceTypeCount>& DeviceModels();

// The index of the first type row equal in all four values; none when no row is.
std::optional<size_t> FindDeviceType(uint16_t vendorId, uint16_t productId, uint16_t kind,
                                     uint16_t subKind);

}  // namespace app
