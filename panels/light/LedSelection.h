#pragma once
// Whether a drag over the device picture selected every LED: the rule the LED selection of
// the mouse's picture ("click_select_end") decides by. Pure; any thread.
#include <string>
#include <vector>

namespace panels::light {

// One key or LED button of the picture as the selection left it.
struct SelectedButton {
    std::string name;
    std::string userData;
    bool selected = false;
    bool hidden = false;
};

// Each LED 0 <= n < ledCount counts as covered when a button naming it ("light_" + n, by its
// name or its user data; "light_" in any case) is selected or hidden. True when the device has
// LEDs, at least one button is selected and every LED is covered. Names outside the LED range
// ("light_-1", "light_15" of 15 LEDs) and other prefixes ("light_0_3", "key_2") cover nothing.
bool SelectsEveryLed(const std::vector<SelectedButton>& buttons, int ledCount);

}  // namespace panels::light
