#pragma once
// The name of a light mode as the mouse's status shows it: a built-in mode by its language
// key, a custom effect (positions from the first custom mode on) by the name the user gave it.
// Pure; any thread.
#include <string>
#include <vector>

namespace devices::mouse {

struct LightModeName {
    std::string text;          // empty when the lists do not have the mode
    bool languageKey = false;  // text is a language key to translate
};

// Position p names builtIn[p] below the first custom mode and custom[p - first] from it on;
// a position the lists do not reach (empty lists, a code the device reported) has no name.
LightModeName NameOfLightMode(int mode, const std::vector<std::string>& builtIn,
                              const std::vector<std::string>& custom);

}  // namespace devices::mouse
