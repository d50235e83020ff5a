#include "panels/FunctionTabs.h"

#include <array>

#include "ui/core/StringUtil.h"

namespace panels {
namespace {

constexpr std::array kTabs = std::to_array<FunctionTab>({
    {"cursor_Op_tab", 1},
    {"key_Op_tab", 2},
    {"deng_Op_tab", 3},
    {"macro_Op_tab", 4},
    {"system_Op_tab", 5},
    {"otherset_Op_tab", 9},
    {"6533_voice_Op_tab", 6},
    {"magic_Op_tab", 7},
    {"Virtual7.1_Op_tab", 8},
});

}  // namespace

std::span<const FunctionTab> FunctionTabs() {
    return kTabs;
}

std::optional<int> PageOfTab(std::string_view name) {
    for (const FunctionTab& tab : kTabs) {
        if (ui::EqualsNoCase(tab.name, name))
            return tab.page;
    }
    return std::nullopt;
}

std::optional<std::string_view> TabOfPage(int page) {
    for (const FunctionTab& tab : kTabs) {
        if (tab.page == page)
            return tab.name;
    }
    return std::nullopt;
}

}  // namespace panels
