#include "panels/keys/KeyCodec.h"

#include <algorithm>
#include <climits>

#include "panels/keys/KeyTables.h"

namespace panels::keys {
namespace {

// The row of `table` whose parameters match, as a combo index; `current` when none does.
int CodecRowOrKeep(std::span<const KeyRow> table, uint8_t type, const profile::KeyAssignment& a,
                   int current) {
    const int row = FindRow(table, KeyPattern{type, a.param1, a.param2});
    return row >= 0 ? row : current;
}

// The row at a combo index copied into `out` (key index and spare stay); false when the
// index names no row.
bool CodecCopyRow(std::span<const KeyRow> table, int index, profile::KeyAssignment& out) {
    if (index < 0 || static_cast<size_t>(index) >= table.size())
        return false;
    const KeyPattern& p = table[static_cast<size_t>(index)].pattern;
    out.type = p.type;
    out.param1 = p.p1;
    out.param2 = p.p2;
    return true;
}

uint8_t LowByte(int value) {
    return static_cast<uint8_t>(static_cast<unsigned>(value) & 0xFF);
}

// Delay and speed of a scroll page share parameter 1: a nibble each.
uint8_t ScrollTiming(const std::string& delay, const std::string& speed) {
    return static_cast<uint8_t>((LeadingNumber(delay) & 0x0F) * 16 + (LeadingNumber(speed) & 0x0F));
}

// Keyboard key rows that name a key without modifier (the rows after the modifiers).
int CodecKeyRowByUsage(uint8_t usage) {
    const auto table = KeyboardTable();
    for (size_t i = kFirstKeyRow; i < table.size(); ++i) {
        const KeyPattern& p = table[i].pattern;
        if (p.type == kTypeKeyboard && p.p1 == 0 && p.p2 == usage)
            return static_cast<int>(i);
    }
    return -1;
}

void DecodeKeyboard(const profile::KeyAssignment& shown, KeyPanelState& state,
                    profile::KeyAssignment& storedCurrent) {
    const auto table = KeyboardTable();
    if (shown.param1 > 8) {
        state.page = kPageCombination;
        state.combination =
            CodecRowOrKeep(CombinationTable(), kTypeKeyboard, shown, state.combination);
        return;
    }
    state.page = kPageKeyboard;
    if (shown.param1 != 0) {
        // Left-hand modifier rows 0-3 carry the bits 0x01-0x08; other bit mixes show as none.
        state.modifier = 0;
        for (int r = 0; r < 4; ++r) {
            if (table[r].pattern.p1 == shown.param1 && table[r].pattern.p2 == 0) {
                state.modifier = r + 1;
                break;
            }
        }
        // A key no row names shows no text rather than the text of the key shown before.
        const int row = shown.param2 != 0 ? CodecKeyRowByUsage(shown.param2) : -1;
        state.keyName = row >= 0 ? table[row].nameKey : "";
        return;
    }
    int row = -1;
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].pattern.type == kTypeKeyboard && table[i].pattern.p1 == 0 &&
            table[i].pattern.p2 == shown.param2) {
            row = static_cast<int>(i);
            break;
        }
    }
    if (row >= 0) {
        state.modifier = 0;
        state.keyName = table[row].nameKey;
        return;
    }
    // No key (or one no row names): the key is shown, and kept, as disabled.
    state.modifier = -1;
    state.keyName.clear();
    storedCurrent.type = kTypeKeyboard;
    storedCurrent.param1 = 0;
    storedCurrent.param2 = 0;
}

void DecodeMacro(const profile::KeyAssignment& shown, int macroItems, KeyPanelState& state) {
    state.page = kPageMacro;
    // An index equal to the item count already names no item.
    const bool known = shown.param1 < macroItems;
    if (shown.type == kTypeMacroMode) {
        state.cycleVisible = false;
        if (!known) {
            state.macro = -1;
            state.macroOver = -1;
            return;
        }
        state.macro = shown.param1;
        state.macroOver = shown.param2 < kMacroPlayModes ? shown.param2 : -1;
        return;
    }
    state.cycleCount = std::to_string(shown.param2);
    if (!known) {
        state.macro = -1;
        state.macroOver = -1;
        state.cycleVisible = false;
        return;
    }
    state.macro = shown.param1;
    state.macroOver = kMacroOverRepeat;
    state.cycleVisible = true;
}

}  // namespace

uint8_t ModifierBit(int option) {
    if (option <= 0 || option >= kModifierOptions)
        return 0;
    return static_cast<uint8_t>(1u << (option - 1));
}

int LeadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

void DecodeAssignment(const profile::KeyAssignment& shown, const profile::KeyAssignment& defaults,
                      int macroItems, KeyPanelState& state, profile::KeyAssignment& storedCurrent) {
    // A key that does what it did from the factory shows the default page, whatever that is.
    const uint8_t type = shown.SameFunction(defaults) ? 0 : shown.type;
    state.page = kPageNone;
    switch (type) {
        case 0:
            state.page = kPageDefault;
            break;
        case kTypeMouseButton:
            state.page = kPageMouseButton;
            state.mouseButton = CodecRowOrKeep(MouseButtonTable(), type, shown, state.mouseButton);
            break;
        case kTypeHorizontalScroll:
            state.page = kPageTilt;
            state.tiltDelay = std::to_string(shown.param1 / 16);
            state.tiltSpeed = std::to_string(shown.param1 % 16);
            state.tiltCount = std::to_string(shown.param2 & 0x7F);
            state.tiltDirection = (shown.param2 & 0x80) != 0 ? 1 : 0;
            break;
        case kTypeVerticalScroll:
            state.page = kPageWheel;
            state.wheelDelay = std::to_string(shown.param1 / 16);
            state.wheelSpeed = std::to_string(shown.param1 % 16);
            if ((shown.param2 & 0x80) != 0) {
                state.wheelCount = std::to_string(128 - (shown.param2 & 0x7F));
                state.wheelDirection = 1;
            } else {
                state.wheelCount = std::to_string(shown.param2);
                state.wheelDirection = 0;
            }
            break;
        case kTypeDpi:
            state.page = kPageDpi;
            state.dpi = CodecRowOrKeep(DpiFunctionTable(), type, shown, state.dpi);
            break;
        case kTypeFire:
            state.page = kPageFire;
            state.fireInterval = std::to_string(shown.param1);
            state.fireShots = std::to_string(shown.param2);
            break;
        case kTypeKeyboard:
            DecodeKeyboard(shown, state, storedCurrent);
            break;
        case kTypeMedia:
            state.page = kPageMedia;
            state.media = CodecRowOrKeep(MediaKeyTable(), type, shown, state.media);
            break;
        case kTypeSystem:
            state.page = kPageSystem;
            state.system = CodecRowOrKeep(SystemKeyTable(), type, shown, state.system);
            break;
        case kTypeMacroMode:
        case kTypeMacroCount:
            DecodeMacro(shown, macroItems, state);
            break;
        case kTypeGun:
            state.page = kPageGun;
            if (static_cast<size_t>(shown.param1) < GunKeyTable().size())
                state.gun = shown.param1;
            break;
        case 0xB0:  // shown on the combination page, with nothing of it selected
            state.page = kPageCombination;
            state.combination = -1;
            break;
        default:
            break;
    }
    state.layoutVisible = state.page != kPageNone;
}

profile::KeyAssignment EncodeAssignment(KeyPanelState& state, int macroItems,
                                        const profile::KeyAssignment& storedCurrent,
                                        const profile::KeyAssignment& defaults) {
    profile::KeyAssignment out = storedCurrent;
    switch (state.page) {
        case kPageNone:
            return storedCurrent;
        case kPageMouseButton:
            CodecCopyRow(MouseButtonTable(), state.mouseButton, out);
            return out;
        case kPageDpi:
            CodecCopyRow(DpiFunctionTable(), state.dpi, out);
            return out;
        case kPageMedia:
            CodecCopyRow(MediaKeyTable(), state.media, out);
            return out;
        case kPageSystem:
            CodecCopyRow(SystemKeyTable(), state.system, out);
            return out;
        case kPageCombination:
            CodecCopyRow(CombinationTable(), state.combination, out);
            return out;
        case kPageTilt:
            out.type = kTypeHorizontalScroll;
            out.param1 = ScrollTiming(state.tiltDelay, state.tiltSpeed);
            if (state.tiltDirection == 0 || state.tiltDirection == 1) {
                out.param2 = static_cast<uint8_t>((LeadingNumber(state.tiltCount) & 0x7F) |
                                                  (state.tiltDirection == 1 ? 0x80 : 0));
            }
            return out;
        case kPageWheel: {
            out.type = kTypeVerticalScroll;
            out.param1 = ScrollTiming(state.wheelDelay, state.wheelSpeed);
            const int count = LeadingNumber(state.wheelCount);
            if (state.wheelDirection == 1)
                out.param2 = static_cast<uint8_t>(LowByte(0x80 - count) | 0x80);
            else if (state.wheelDirection == 0)
                out.param2 = static_cast<uint8_t>(count & 0x7F);
            return out;
        }
        case kPageFire: {
            // The interval is a byte of at least 10: store what fits and show what is stored.
            const int interval = std::clamp(LeadingNumber(state.fireInterval), kFireIntervalMinimum,
                                            kFireIntervalMaximum);
            state.fireInterval = std::to_string(interval);
            out.type = kTypeFire;
            out.param1 = static_cast<uint8_t>(interval);
            out.param2 = LowByte(LeadingNumber(state.fireShots));
            return out;
        }
        case kPageKeyboard:
            out.type = kTypeKeyboard;
            out.param1 = ModifierBit(state.modifier);
            if (state.keyName.empty())
                out.param2 = 0;
            return out;
        case kPageMacro:
            // An index equal to the item count is no item.
            if (state.macro < 0 || state.macro >= macroItems)
                return storedCurrent;
            out.param1 = LowByte(state.macro);
            if (state.macroOver == kMacroOverRepeat) {
                out.type = kTypeMacroCount;
                out.param2 = LowByte(LeadingNumber(state.cycleCount));
            } else {
                out.type = kTypeMacroMode;
                out.param2 = LowByte(state.macroOver);
            }
            return out;
        case kPageGun:
            if (state.gun < 0 || static_cast<size_t>(state.gun) >= GunKeyTable().size())
                return storedCurrent;
            out.type = kTypeGun;
            out.param1 = static_cast<uint8_t>(state.gun);
            out.param2 = 0;
            return out;
        default:
            return defaults;
    }
}

std::optional<CapturedKey> CaptureKey(uint32_t scan, bool extended, int selectedModifier,
                                      const profile::KeyAssignment& storedCurrent) {
    const int row = FindKeyboardRowByScan(scan, extended);
    if (row < 0)
        return std::nullopt;
    const KeyboardRow& key = KeyboardTable()[static_cast<size_t>(row)];
    if (key.pattern.type != kTypeKeyboard)
        return std::nullopt;
    CapturedKey captured;
    captured.assignment = storedCurrent;
    captured.assignment.type = kTypeKeyboard;
    if (row < kFirstKeyRow) {
        // Left and right keys of one modifier select the same option and store its bit.
        captured.modifier = ((row + 1) % kModifierOptions) + ((row + 1) / kModifierOptions);
        captured.assignment.param1 = ModifierBit(captured.modifier);
        captured.assignment.param2 = 0;
        return captured;
    }
    const bool chosen = selectedModifier >= 0 && selectedModifier < kModifierOptions;
    captured.modifier = chosen ? selectedModifier : 0;
    captured.keyName = key.nameKey;
    captured.assignment.param1 = ModifierBit(captured.modifier);
    captured.assignment.param2 = key.pattern.p2;
    return captured;
}

}  // namespace panels::keys
