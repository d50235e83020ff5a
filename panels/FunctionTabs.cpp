#include "panels/FunctionTabs.h"

#include <array>

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

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

}  // namespace

std::span<const FunctionTab> FunctionTabs() {
    return kTabs;
}

std::optional<int> PageOfTab(std::string_view name) {
    for (const FunctionTab& tab : kTabs) {
        if (EqualsNoCase(tab.name, name))
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
