#include "panels/light/LedSelection.h"

#include <algorithm>

#include "devices/IndexedName.h"

namespace panels::light {

bool SelectsEveryLed(const std::vector<SelectedButton>& buttons, int ledCount) {
    if (ledCount <= 0)
        return false;
    std::vector<bool> covered(static_cast<size_t>(ledCount), false);
    bool anySelected = false;
    for (const SelectedButton& button : buttons) {
        anySelected = anySelected || button.selected;
        for (const std::string* text : {&button.name, &button.userData}) {
            if (auto led = devices::IndexFor(*text, "light_", covered.size()))
                covered[*led] = button.selected || button.hidden;
        }
    }
    return anySelected && std::all_of(covered.begin(), covered.end(), [](bool c) { return c; });
}

}  // namespace panels::light
