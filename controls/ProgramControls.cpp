#include "controls/ProgramControls.h"

#include "controls/AudioRecordUI.h"
#include "controls/ChartViewUI.h"
#include "controls/CircleProgressUI.h"
#include "controls/CloudShareListItemUI.h"
#include "controls/ComboEditContainerElementUI.h"
#include "controls/DeviceKeyButtonUI.h"
#include "controls/HandImgButtonUI.h"
#include "controls/HandImgSelectButtonUI.h"
#include "controls/RedioMacroButtonUI.h"
#include "controls/SelectPanelUI.h"
#include "controls/ShootPatternUI.h"
#include "controls/UpdateInfoListItemUI.h"
#include "controls/WndUI.h"

namespace controls {
namespace {

constexpr const char* kOrder[] = {
    "CCircleProgressUI",
    "CChartViewUI",
    "CWndUI",
    "CSelectPanelUI",
    "CDeviceKeyButtonUI",
    "CCloudShareListItemUI",
    "CUpdateInfoListItemUI",
    "CDeviceOptionUI",
    "CMpDevicePowerUI",
    "CComboEditContainerElementUI",
    "CHandImgButtonUI",
    "CHandImgSelectButtonUI",
    "CRedioMacroButtonUI",
    "CShootPatternUI",
    "CAudioRecordUI",
    "CLightControlUI",
    "CMacroControlUI",
    "CKeySetControlUI",
    "CDeviceProfileUI",
    "CShootControlUI",
    "CMagicControlUI",
    "CVoice6533ControlUI",
    "COrvaneUSBDevice",
    "COrvaneMousePadDevice",
    "COrvaneDA6533Device",
};

template <typename T>
ui::CreateClass Maker() {
    return [] { return static_cast<ui::CControlUI*>(new T); };
}

}  // namespace

std::span<const char* const> ProgramControlOrder() {
    return kOrder;
}

void AddCustomControlCreators(ControlCreators& creators) {
    creators["CCircleProgressUI"] = Maker<CCircleProgressUI>();
    creators["CChartViewUI"] = Maker<CChartViewUI>();
    creators["CWndUI"] = Maker<CWndUI>();
    creators["CSelectPanelUI"] = Maker<CSelectPanelUI>();
    creators["CDeviceKeyButtonUI"] = Maker<CDeviceKeyButtonUI>();
    creators["CHandImgButtonUI"] = Maker<CHandImgButtonUI>();
    creators["CHandImgSelectButtonUI"] = Maker<CHandImgSelectButtonUI>();
    creators["CRedioMacroButtonUI"] = Maker<CRedioMacroButtonUI>();
    creators["CShootPatternUI"] = Maker<CShootPatternUI>();
    creators["CAudioRecordUI"] = Maker<CAudioRecordUI>();
    creators["CCloudShareListItemUI"] = Maker<CCloudShareListItemUI>();
    creators["CComboEditContainerElementUI"] = Maker<CComboEditContainerElementUI>();
    creators["CUpdateInfoListItemUI"] = Maker<CUpdateInfoListItemUI>();
}

std::vector<std::string> RegisterProgramControls(ui::CControlFactory& factory,
                                                 const ControlCreators& creators) {
    std::vector<std::string> registered;
    for (const char* name : kOrder) {
        auto it = creators.find(name);
        if (it == creators.end() || !it->second)
            continue;
        factory.RegistControl(name, it->second);
        registered.push_back(name);
    }
    return registered;
}

}  // namespace controls
