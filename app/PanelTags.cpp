#include "app/PanelTags.h"

#include <array>
#include <string_view>

#include "panels/headset/HeadsetPanels.h"
#include "panels/keys/KeySetControlUI.h"
#include "panels/light/LightControlUI.h"
#include "panels/macros/MacroControlUI.h"
#include "panels/profiles/DeviceProfileUI.h"
#include "panels/shoot/ShootControlUI.h"
#include "platform/Trace.h"
#include "ui/core/StringUtil.h"
#include "ui/skin/DialogBuilder.h"

namespace app {
namespace {

struct LayoutTag {
    std::string_view tag;
    const char* file;
};

constexpr std::array kLayoutTags = std::to_array<LayoutTag>({
    {"DeviceProfileUI", "XML/CustomControlXML/DeviceProfile.xml"},
    {"LightSetControlUI", "XML/CustomControlXML/LightControl.xml"},
    {"Voice6533SetControlUI", "XML/CustomControlXML/Voice6533Control.xml"},
    {"MagicSetControlUI", "XML/CustomControlXML/MagicControl.xml"},
    {"KeySetControlUI", "XML/CustomControlXML/KeySetControl.xml"},
    {"MacroSetControlUI", "XML/CustomControlXML/MacroControl.xml"},
    {"ShootKeySetControlUI", "XML/CustomControlXML/ShootControl.xml"},
    {"VirtualSetControlUI", "XML/CustomControlXML/VirtualSet.xml"},
});

}  // namespace

const char* PanelLayoutFile(const std::string& tag) {
    for (const LayoutTag& row : kLayoutTags) {
        if (ui::EqualsNoCase(tag, row.tag))
            return row.file;
    }
    return nullptr;
}

ui::CControlUI* CreatePanelControl(const std::string& tag, ui::IDialogBuilderCallback* callback,
                                   ui::CPaintManagerUI& manager) {
    if (ui::EqualsNoCase(tag, "DeviceProfile"))
        return new panels::CDeviceProfileUI;
    if (ui::EqualsNoCase(tag, "KeySetControl"))
        return new panels::CKeySetControlUI;
    if (ui::EqualsNoCase(tag, "MacroControl"))
        return new panels::CMacroControlUI;
    if (ui::EqualsNoCase(tag, "LightControl"))
        return new panels::CLightControlUI;
    if (ui::EqualsNoCase(tag, "ShootControl"))
        return new panels::CShootControlUI;
    if (ui::EqualsNoCase(tag, "Voice6533Control"))
        return new panels::CVoice6533ControlUI;
    if (ui::EqualsNoCase(tag, "MagicControl"))
        return new panels::CMagicControlUI;
    if (const char* file = PanelLayoutFile(tag)) {
        ui::CDialogBuilder builder;
        ui::CControlUI* built = builder.Create(file, "", callback, &manager);
        if (built == nullptr)
            platform::TraceF("MainWnd: the layout \"%s\" of \"%s\" could not be built: %s", file,
                             tag.c_str(), builder.GetLastErrorMessage().c_str());
        return built;
    }
    return nullptr;
}

}  // namespace app
