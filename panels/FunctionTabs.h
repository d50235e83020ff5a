#pragma once
// The function tabs of a device page: which page of the device object (ShowFunctionPage) each
// tab option shows, and back. Our skins place the tab options in the profile panel.
// Pure; any thread.
#include <optional>
#include <span>
#include <string_view>

namespace panels {

struct FunctionTab {
    std::string_view name;  // the tab option's control name
    int page;               // the device object's function page
};

// cursor: sensitivity and report rate; key: key assignment; deng: lighting; macro: macros;
// system: pointer, sleep and the other system settings; otherset: shoot settings; the
// headset's voice, magic and virtual-surround tabs.
std::span<const FunctionTab> FunctionTabs();

// The page of a tab option's name (without regard to ASCII case); nothing for other names.
std::optional<int> PageOfTab(std::string_view name);
// The tab option that shows a page; nothing for a page no tab shows.
std::optional<std::string_view> TabOfPage(int page);

}  // namespace panels
