#pragma once
// The name of a key's function in the key list beside the device picture: language keys to
// translate and join with "+", a text shown as it is (macro names, the literal for unknown
// types), or nothing (the row keeps what it showed).
//
// Pure; any thread.
#include <span>
#include <string>
#include <vector>

#include "devices/mouse/MouseKeys.h"
#include "profile/Records.h"

namespace panels::keys {

struct FunctionName {
    enum class Kind { Unchanged, Keys, Text };
    Kind kind = Kind::Unchanged;
    std::vector<std::string> keys;  // Kind::Keys: translate each, join with "+"
    std::string text;               // Kind::Text: shown as it is
};

// macroNames: the device's macro name list (macro index -> name). An index past a list
// (macro, gun, 0x22) is no match.
FunctionName NameOfAssignment(const profile::KeyAssignment& assignment,
                              std::span<const std::string> macroNames);

// The mouse's eleven programmable keys in key-list order: label name key and factory
// assignment (type, parameter 1, parameter 2).
using MouseKey = devices::mouse::MouseKey;
std::span<const MouseKey> MouseKeys();

}  // namespace panels::keys
