#pragma once
// The function tab a device page opens on: selects the profile panel's tab (raising nothing)
// and hides the tabs the page has no function page for. Window thread.
#include <initializer_list>

namespace ui {
class CControlUI;
class CPaintManagerUI;
}  // namespace ui

namespace devices {

void SelectFunctionTab(ui::CPaintManagerUI* manager, ui::CControlUI* page, const char* tab,
                       std::initializer_list<const char*> hidden);

}  // namespace devices
