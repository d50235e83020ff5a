#pragma once
// The key panel's controls as plain values, and the rules between them and a key assignment:
// what the panel shows for an assignment (decode), what it stores from what the user set
// (encode), and what a captured key press sets. The panel (KeySetControlUI) copies this state
// to and from its controls; t418-zenctl builds the same state from its FUNCTION argument, so
// both store exactly the same bytes.
//
// Pure; any thread.
#include <optional>
#include <string>

#include "profile/Records.h"

namespace panels::keys {

// Pages of the function combo (its items' user data) and of "function_switch_tablayout".
enum KeyPage : int {
    kPageNone = -1,
    kPageDefault = 0,
    kPageMouseButton = 1,
    kPageTilt = 2,
    kPageWheel = 3,
    kPageDpi = 4,
    kPageFire = 5,
    kPageKeyboard = 6,
    kPageMedia = 7,
    kPageSystem = 8,
    kPageMacro = 9,
    kPageGun = 10,
    kPageCombination = 11,
};
constexpr int kPageCount = 12;

constexpr int kModifierOptions = 5;  // none, Ctrl, Shift, Alt, Win
constexpr int kMacroPlayModes = 4;   // over-combo items 0-3: play modes of type 0x70
constexpr int kMacroOverRepeat = 4;  // over-combo item 4: "N times" (type 0x71)
constexpr int kFireIntervalMinimum = 10;
constexpr int kFireIntervalMaximum = 255;

// Every control of the panel that decode sets and encode reads. Combo and option values are
// item indexes, -1 for none selected; edits hold their text.
struct KeyPanelState {
    int page = kPageNone;        // the selected function item's page; kPageNone: none selected
    bool layoutVisible = false;  // "keyset_layout"
    int mouseButton = -1;
    int tiltDirection = -1;  // 0 left, 1 right
    std::string tiltCount, tiltDelay, tiltSpeed;
    int wheelDirection = -1;  // 0 up, 1 down
    std::string wheelCount, wheelDelay, wheelSpeed;
    int dpi = -1;
    std::string fireInterval, fireShots;
    int modifier = -1;    // option 0-4
    std::string keyName;  // name key of the keyboard text; empty: the text is empty
    int media = -1;
    int system = -1;
    int macro = -1;
    int macroOver = -1;
    bool cycleVisible = false;  // "keyset_macro_cycle_layout"
    std::string cycleCount;
    int gun = -1;
    int combination = -1;
};

// The modifier bit of an option: 0 for none and option 0, else 1 << (option - 1).
uint8_t ModifierBit(int option);

// Leading decimal integer of an edit's text (spaces first allowed); 0 without one. Saturates
// instead of overflowing.
int LeadingNumber(const std::string& text);

// Shows `shown` (the stored current or the stored default assignment): sets the state's
// page, layout visibility and the page's controls; controls of other pages and combos with
// no matching row keep their values. `macroItems` is the macro combo's item count.
// `storedCurrent` is the panel's stored current assignment: a keyboard key that no row names
// makes it (same key index, 0x20, 0, 0); otherwise it is left alone.
void DecodeAssignment(const profile::KeyAssignment& shown, const profile::KeyAssignment& defaults,
                      int macroItems, KeyPanelState& state, profile::KeyAssignment& storedCurrent);

// The assignment the state stands for. Key index and spare come from `storedCurrent` (or
// from `defaults` where the default is taken whole). A fire interval outside 10-255 is
// brought inside and the state's edit text rewritten to the number stored.
profile::KeyAssignment EncodeAssignment(KeyPanelState& state, int macroItems,
                                        const profile::KeyAssignment& storedCurrent,
                                        const profile::KeyAssignment& defaults);

// A key press captured on the keyboard page, by its scan code and extended flag, with the
// modifier option selected before it. Nothing for a key that no scan-code row names or whose
// row is not a keyboard key. Otherwise the option to select, the name key for the text
// ("" empties it) and the assignment to store (key index and spare of `storedCurrent`).
struct CapturedKey {
    int modifier = -1;
    std::string keyName;
    profile::KeyAssignment assignment;
};
std::optional<CapturedKey> CaptureKey(uint32_t scan, bool extended, int selectedModifier,
                                      const profile::KeyAssignment& storedCurrent);

}  // namespace panels::keys
