#pragma once
// A key's function as text, for scripts: the FUNCTION argument of `t418-zenctl keys set KEY
// FUNCTION`, and what `keys show` prints, which `keys set` takes back.
//
//   default                      the key's default assignment
//   off                          the key does nothing (keyboard key without key, 0x20 0 0)
//   NAME                         a row of the mouse-button, DPI, media, system, combination
//                                or gun table by its name key: mouse_key_middle, media_play,
//                                custem_copy, gun_2_txt
//   [Ctrl+|Shift+|Alt+|Win+]KEY  a keyboard key by its row name without "keyboard_key_" (A,
//                                Num Enter, F5); a modifier alone (Ctrl) is the modifier-only
//                                assignment
//   wheel:up|down:N[:DELAY:SPEED]   scroll N notches (up 0-127, down 1-128); delay and speed
//   tilt:left|right:N[:DELAY:SPEED] 0-15, 0 when left out
//   fire:INTERVAL:SHOTS          a burst: interval 10-255, shots 0-255
//   macro:NAME[:MODE|xN]         the device's macro NAME, played in mode 0-3 (0 when left
//                                out) or N times (x0-x255)
//   raw:T,P1,P2                  function type and parameters as bytes
// Names, words and directions compare without regard to case (macro names only when no name
// matches exactly); numbers are decimal or hex with 0x.
//
// Parsing sets the key panel's controls as a user would (KeyPanelState), so the caller stores
// exactly what the panel stores from them (EncodeAssignment, or EncodeKeyFunction below);
// `raw:` gives the bytes themselves.
//
// Pure; any thread.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "panels/keys/KeyCodec.h"
#include "panels/keys/KeyTables.h"
#include "profile/Records.h"

namespace panels::keys {

struct KeyFunction {
    enum class Kind {
        kPanel,  // the panel's controls: `state`, with `captured` on the keyboard page
        kRaw,    // the function byte by byte: `raw`
    };
    Kind kind = Kind::kPanel;
    KeyPanelState state;
    // The keyboard page's key, as the key capture stores it in the panel's current assignment
    // before the panel reads its controls: (0x20, modifier bit, HID usage or 0).
    std::optional<KeyPattern> captured;
    KeyPattern raw;
};

struct KeyFunctionParse {
    bool ok = false;
    KeyFunction function;  // when ok
    std::string error;     // when not: what is wrong, for the user
};

// macroNames: the device's macro name list (macro index -> name).
KeyFunctionParse ParseKeyFunction(std::string_view text, std::span<const std::string> macroNames);

// The text of an assignment that parses back to the same function type and parameters: the
// forms above where one fits, else `raw:`. A macro is named only when its index is in the
// list and no earlier macro has the same name.
std::string FormatKeyFunction(const profile::KeyAssignment& assignment,
                              std::span<const std::string> macroNames);

// What the panel stores for a parsed function on a key holding `current` with its `defaults`,
// macroItems being the number of the device's macros: `raw:` keeps the key index and spare of
// `current`.
inline profile::KeyAssignment EncodeKeyFunction(const KeyFunction& function, int macroItems,
                                                const profile::KeyAssignment& current,
                                                const profile::KeyAssignment& defaults) {
    profile::KeyAssignment stored = current;
    if (function.kind == KeyFunction::Kind::kRaw) {
        stored.type = function.raw.type;
        stored.param1 = function.raw.p1;
        stored.param2 = function.raw.p2;
        return stored;
    }
    if (function.captured) {
        stored.type = function.captured->type;
        stored.param1 = function.captured->p1;
        stored.param2 = function.captured->p2;
    }
    KeyPanelState state = function.state;
    return EncodeAssignment(state, macroItems, stored, defaults);
}

}  // namespace panels::keys
