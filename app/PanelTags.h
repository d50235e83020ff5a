#pragma once
// The skin tags of the device pages' panels: a tag naming a panel class creates that panel,
// a tag naming a panel's layout builds it from its layout file. Window thread only.
#include <string>

namespace ui {
class CControlUI;
class CPaintManagerUI;
class IDialogBuilderCallback;
}  // namespace ui

namespace app {

// The layout file of a panel layout tag ("DeviceProfileUI" ...), or nullptr.
const char* PanelLayoutFile(const std::string& tag);

// A new control for a panel tag; nullptr for other tags and for a panel not built yet (with
// a trace line).
ui::CControlUI* CreatePanelControl(const std::string& tag, ui::IDialogBuilderCallback* callback,
                                   ui::CPaintManagerUI& manager);

}  // namespace app
