#pragma once
// Registration of the program's own control classes with the GUI library's control factory.
// Start-up registers every class in one fixed order (ProgramControlOrder); each subsystem
// contributes the creators of its classes to a ControlCreators table, and a class without a
// creator yet is skipped, so a skin tag naming it creates nothing. Window thread, start-up.
#include <map>
#include <span>
#include <string>
#include <vector>

#include "ui/skin/ControlFactory.h"

namespace controls {

using ControlCreators = std::map<std::string, ui::CreateClass>;

// Every program class a skin may name, in registration order.
std::span<const char* const> ProgramControlOrder();

// The classes of this folder: CWndUI, CSelectPanelUI, CDeviceKeyButtonUI, CHandImgButtonUI,
// CHandImgSelectButtonUI, CRedioMacroButtonUI, CShootPatternUI.
void AddCustomControlCreators(ControlCreators& creators);

// Registers, in ProgramControlOrder, each class that has a creator; answers the class names
// registered, in order.
std::vector<std::string> RegisterProgramControls(ui::CControlFactory& factory,
                                                 const ControlCreators& creators);

}  // namespace controls
