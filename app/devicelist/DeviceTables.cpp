#include "app/devicelist/DeviceTables.h"

namespace app {
namespace {

constexpr std::string_view kItemLayout = "XML/CustomControlXML/DeviceOption.xml";
constexpr std::string_view kItemGroup = "tab_header_device";
constexpr std::string_view kPowerContainer = "device_power_switch";

constexpr std::array<DeviceType, kDeviceTypeCount> kTypes = {{
    {kItemLayout, kItemGroup, kPowerContainer, "mouse", 0x320F, 0x22A4, 2, 0, 1},
    {kItemLayout, kItemGroup, kPowerContainer, "keyboard", 0x320F, 0x0000, 1, 0, 0},
    {kItemLayout, kItemGroup, kPowerContainer, "MousePad", 0x320F, 0x1004, 3, 0, 2},
    {kItemLayout, kItemGroup, kPowerContainer, "HD", 0x0C76, 0x1630, 7, 0, 3},
}};

constexpr std::array<DeviceLayout, kDeviceTypeCount> kLayouts = {{
    {15, 11, true, -1, "XML/DeviceXml/mousedevice.xml", "kesta_light"},
    {170, 170, false, -1, "XML/DeviceXml/keyboarddevice.xml", "kesta_light"},
    {15, 0, false, -1, "XML/DeviceXml/mousepaddevice.xml", "kesta_light"},
    {13, 0, false, -1, "XML/DeviceXml/da6533device.xml", "kesta_light"},
}};

constexpr std::array<DeviceModel, kDeviceTypeCount> kModels = {{
    {1, 1, 0, "KESTA", "QP22M41B", "MS", "MS", ""},
    {1, 1, 0, "KESTA", "QP22M40B", "KB", "KB", ""},
    {2, 1, 0, "KESTA", "QP22M33B_1", "J71", "J71", ""},
    {0, 1, 0, "KESTA", "ALL", "J71_BX2_BX8", "AP", "V0100"},
}};

}  // namespace

const std::array<DeviceType, kDeviceTypeCount>& DeviceTypes() {
    return kTypes;
}

const std::array<DeviceLayout, kDeviceTypeCount>& DeviceLayouts() {
    return kLayouts;
}

const std::array<DeviceModel, kDeviceTypeCount>& DeviceModels() {
    return kModels;
}

std::optional<size_t> FindDeviceType(uint16_t vendorId, uint16_t productId, uint16_t kind,
                                     uint16_t subKind) {
    for (size_t i = 0; i < kTypes.size(); ++i) {
        const DeviceType& t = kTypes[i];
        if (t.vendorId == vendorId && t.productId == productId && t.kind == kind &&
            t.subKind == subKind)
            return i;
    }
    return std::nullopt;
}

}  // namespace app
