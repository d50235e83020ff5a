#include "panels/keys/KeyFunctionText.h"

#include <array>
#include <cstdio>
#include <vector>

namespace panels::keys {
namespace {

constexpr std::string_view kFunctionKeyPrefix = "keyboard_key_";
// Words of the modifier options 1-4; option n is keyboard row n - 1 (LCtrl, LShift, LAlt,
// LWin), whose parameter 1 is the option's modifier bit.
constexpr std::array<std::string_view, 4> kFunctionModifierWords = {"Ctrl", "Shift", "Alt", "Win"};
constexpr int kFunctionModifierRows = 8;  // keyboard rows 0-7: left and right modifiers

struct FunctionTextTable {
    std::span<const KeyRow> (*rows)();
    int page;
    int KeyPanelState::*control;
};

const std::array<FunctionTextTable, 6>& FunctionTextTables() {
    static const std::array<FunctionTextTable, 6> tables = {{
        {MouseButtonTable, kPageMouseButton, &KeyPanelState::mouseButton},
        {DpiFunctionTable, kPageDpi, &KeyPanelState::dpi},
        {MediaKeyTable, kPageMedia, &KeyPanelState::media},
        {SystemKeyTable, kPageSystem, &KeyPanelState::system},
        {CombinationTable, kPageCombination, &KeyPanelState::combination},
        {GunKeyTable, kPageGun, &KeyPanelState::gun},
    }};
    return tables;
}

char LowerFunctionChar(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameFunctionWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerFunctionChar(a[i]) != LowerFunctionChar(b[i]))
            return false;
    }
    return true;
}

bool StartsWithFunctionWord(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameFunctionWord(text.substr(0, prefix.size()), prefix);
}

bool IsFunctionBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view TrimFunctionText(std::string_view text) {
    while (!text.empty() && IsFunctionBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsFunctionBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> SplitFunctionText(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        if (at == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

// A whole decimal number, or hex after "0x"; nothing for anything else or above `most`.
std::optional<int> ParseFunctionNumber(std::string_view text, int most) {
    text = TrimFunctionText(text);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    long value = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && LowerFunctionChar(c) >= 'a' && LowerFunctionChar(c) <= 'f')
            digit = LowerFunctionChar(c) - 'a' + 10;
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > most)
            return std::nullopt;
    }
    return static_cast<int>(value);
}

std::string QuotedFunctionText(std::string_view text) {
    return "'" + std::string(text) + "'";
}

KeyFunctionParse FunctionFailure(std::string message) {
    KeyFunctionParse out;
    out.error = std::move(message);
    return out;
}

KeyFunctionParse PanelKeyFunction(const KeyPanelState& state,
                                  std::optional<KeyPattern> captured = std::nullopt) {
    KeyFunctionParse out;
    out.ok = true;
    out.function.kind = KeyFunction::Kind::kPanel;
    out.function.state = state;
    out.function.state.layoutVisible = true;
    out.function.captured = captured;
    return out;
}

// A number field of a form: its value, or the error naming the field and its range.
struct FunctionNumberField {
    std::optional<int> value;
    std::string error;
};

FunctionNumberField ReadFunctionNumber(std::string_view form, std::string_view field,
                                       std::string_view text, int least, int most) {
    FunctionNumberField out;
    const std::optional<int> value = ParseFunctionNumber(text, 1 << 20);
    if (value && *value >= least && *value <= most) {
        out.value = value;
        return out;
    }
    out.error = std::string(form) + ": " + std::string(field) + " " +
                QuotedFunctionText(TrimFunctionText(text)) + " is not a number from " +
                std::to_string(least) + " to " + std::to_string(most);
    return out;
}

// --- name lookups ---------------------------------------------------------------------------

// The option (1-4) a modifier word or modifier row name stands for; 0 for none.
int ModifierOptionOfFunctionWord(std::string_view word) {
    for (size_t i = 0; i < kFunctionModifierWords.size(); ++i) {
        if (SameFunctionWord(word, kFunctionModifierWords[i]))
            return static_cast<int>(i) + 1;
    }
    const std::span<const KeyboardRow> rows = KeyboardTable();
    for (int r = 0; r < kFunctionModifierRows && r < static_cast<int>(rows.size()); ++r) {
        const std::string_view name = rows[static_cast<size_t>(r)].nameKey;
        if (StartsWithFunctionWord(name, kFunctionKeyPrefix) &&
            SameFunctionWord(name.substr(kFunctionKeyPrefix.size()), word)) {
            // Left and right keys of a kind select the same option, as the capture does.
            return (r + 1) % 5 + (r + 1) / 5;
        }
    }
    return 0;
}

uint8_t FunctionModifierBit(int option) {
    // Option n's bit is parameter 1 of the left modifier row n - 1 (0x01, 0x02, 0x04, 0x08).
    return option >= 1 && option <= static_cast<int>(kFunctionModifierWords.size())
               ? KeyboardTable()[static_cast<size_t>(option - 1)].pattern.p1
               : 0;
}

int KeyboardRowOfFunctionName(std::string_view name) {
    const std::span<const KeyboardRow> rows = KeyboardTable();
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::string_view key = rows[r].nameKey;
        if (StartsWithFunctionWord(key, kFunctionKeyPrefix) &&
            SameFunctionWord(key.substr(kFunctionKeyPrefix.size()), name)) {
            return static_cast<int>(r);
        }
    }
    return -1;
}

bool IsFunctionKeyRow(const KeyboardRow& row) {
    return row.pattern.type == kTypeKeyboard && row.pattern.p1 == 0 && row.pattern.p2 != 0;
}

// The first macro of this name, compared exactly or without regard to ASCII case; -1 for none.
int MacroOfFunctionName(std::string_view name, std::span<const std::string> macroNames,
                        bool exactly) {
    for (size_t i = 0; i < macroNames.size(); ++i) {
        if (exactly ? macroNames[i] == name : SameFunctionWord(macroNames[i], name))
            return static_cast<int>(i);
    }
    return -1;
}

// --- forms ----------------------------------------------------------------------------------

KeyFunctionParse ParseFunctionTableName(std::string_view text, bool& found) {
    found = false;
    for (const FunctionTextTable& table : FunctionTextTables()) {
        const std::span<const KeyRow> rows = table.rows();
        for (size_t i = 0; i < rows.size(); ++i) {
            if (!SameFunctionWord(rows[i].nameKey, text))
                continue;
            found = true;
            KeyPanelState state;
            state.page = table.page;
            state.*table.control = static_cast<int>(i);
            return PanelKeyFunction(state);
        }
    }
    return {};
}

KeyFunctionParse ParseFunctionKeyboard(std::string_view text, bool& found) {
    found = false;
    int modifier = 0;
    std::string_view rest = text;
    for (;;) {
        const size_t plus = rest.find('+');
        if (plus == std::string_view::npos || plus == 0)
            break;
        const int option = ModifierOptionOfFunctionWord(TrimFunctionText(rest.substr(0, plus)));
        const std::string_view after = TrimFunctionText(rest.substr(plus + 1));
        if (option == 0 || after.empty())
            break;
        if (modifier != 0) {
            found = true;
            return FunctionFailure(QuotedFunctionText(text) + ": one modifier at most");
        }
        modifier = option;
        rest = after;
    }
    KeyPanelState state;
    state.page = kPageKeyboard;
    if (const int alone = ModifierOptionOfFunctionWord(rest); alone != 0) {
        found = true;
        if (modifier != 0)
            return FunctionFailure(QuotedFunctionText(text) + ": one modifier at most");
        state.modifier = alone;
        return PanelKeyFunction(state, KeyPattern{kTypeKeyboard, FunctionModifierBit(alone), 0});
    }
    const int row = KeyboardRowOfFunctionName(rest);
    if (row < 0) {
        if (modifier == 0)
            return {};  // not a keyboard key: the caller reports the unknown text
        found = true;
        return FunctionFailure(QuotedFunctionText(text) + ": no keyboard key is named " +
                               QuotedFunctionText(rest) + " (t418-zenctl keys tables keyboard)");
    }
    found = true;
    const KeyboardRow& key = KeyboardTable()[static_cast<size_t>(row)];
    if (!IsFunctionKeyRow(key))
        return FunctionFailure(QuotedFunctionText(rest) +
                               " is not a key a keyboard assignment can send");
    state.modifier = modifier;
    state.keyName = key.nameKey;
    return PanelKeyFunction(
        state, KeyPattern{kTypeKeyboard, FunctionModifierBit(modifier), key.pattern.p2});
}

// wheel:up|down:N[:DELAY:SPEED] and tilt:left|right:N[:DELAY:SPEED].
KeyFunctionParse ParseFunctionScroll(std::string_view text, bool wheel) {
    const std::string_view form = wheel ? "wheel" : "tilt";
    const std::vector<std::string_view> parts = SplitFunctionText(text, ':');
    if (parts.size() != 3 && parts.size() != 5) {
        return FunctionFailure(std::string(form) + ": give " + std::string(form) +
                               (wheel ? ":up|down" : ":left|right") + ":COUNT[:DELAY:SPEED]");
    }
    const std::string_view direction = TrimFunctionText(parts[1]);
    int towards = -1;
    if (SameFunctionWord(direction, wheel ? "up" : "left"))
        towards = 0;
    else if (SameFunctionWord(direction, wheel ? "down" : "right"))
        towards = 1;
    if (towards < 0) {
        return FunctionFailure(std::string(form) + ": the direction " +
                               QuotedFunctionText(direction) + " is not " +
                               (wheel ? "up or down" : "left or right"));
    }
    // Wheel down stores 128 - count in seven bits: 1-128 notches; the other ways 0-127.
    const int least = wheel && towards == 1 ? 1 : 0;
    const int most = wheel && towards == 1 ? 128 : 127;
    const FunctionNumberField count = ReadFunctionNumber(form, "count", parts[2], least, most);
    if (!count.value)
        return FunctionFailure(count.error);
    int delay = 0, speed = 0;
    if (parts.size() == 5) {
        const FunctionNumberField d = ReadFunctionNumber(form, "delay", parts[3], 0, 15);
        if (!d.value)
            return FunctionFailure(d.error);
        const FunctionNumberField s = ReadFunctionNumber(form, "speed", parts[4], 0, 15);
        if (!s.value)
            return FunctionFailure(s.error);
        delay = *d.value;
        speed = *s.value;
    }
    KeyPanelState state;
    if (wheel) {
        state.page = kPageWheel;
        state.wheelDirection = towards;
        state.wheelCount = std::to_string(*count.value);
        state.wheelDelay = std::to_string(delay);
        state.wheelSpeed = std::to_string(speed);
    } else {
        state.page = kPageTilt;
        state.tiltDirection = towards;
        state.tiltCount = std::to_string(*count.value);
        state.tiltDelay = std::to_string(delay);
        state.tiltSpeed = std::to_string(speed);
    }
    return PanelKeyFunction(state);
}

KeyFunctionParse ParseFunctionFire(std::string_view text) {
    const std::vector<std::string_view> parts = SplitFunctionText(text, ':');
    if (parts.size() != 3)
        return FunctionFailure("fire: give fire:INTERVAL:SHOTS");
    const FunctionNumberField interval = ReadFunctionNumber(
        "fire", "interval", parts[1], kFireIntervalMinimum, kFireIntervalMaximum);
    if (!interval.value)
        return FunctionFailure(interval.error);
    const FunctionNumberField shots = ReadFunctionNumber("fire", "shot count", parts[2], 0, 255);
    if (!shots.value)
        return FunctionFailure(shots.error);
    KeyPanelState state;
    state.page = kPageFire;
    state.fireInterval = std::to_string(*interval.value);
    state.fireShots = std::to_string(*shots.value);
    return PanelKeyFunction(state);
}

// The play part of macro:NAME:MODE|xN: the over-combo item (0-3, or 4 with a count).
struct FunctionMacroPlay {
    int over = -1;
    int count = 0;
};

std::optional<FunctionMacroPlay> ParseFunctionMacroPlay(std::string_view text) {
    text = TrimFunctionText(text);
    FunctionMacroPlay play;
    if (!text.empty() && (text[0] == 'x' || text[0] == 'X')) {
        const std::optional<int> n = ParseFunctionNumber(text.substr(1), 255);
        if (!n)
            return std::nullopt;
        play.over = kMacroOverRepeat;
        play.count = *n;
        return play;
    }
    const std::optional<int> mode = ParseFunctionNumber(text, kMacroPlayModes - 1);
    if (!mode)
        return std::nullopt;
    play.over = *mode;
    return play;
}

KeyFunctionParse ParseFunctionMacro(std::string_view body,
                                    std::span<const std::string> macroNames) {
    if (TrimFunctionText(body).empty())
        return FunctionFailure("macro: give macro:NAME[:MODE|xN]");
    // NAME may hold ':' itself. The part after the last ':' is the play part when it reads as
    // one and the rest names a macro, else all of it is the name; exact names first.
    const size_t colon = body.rfind(':');
    const std::string_view head = colon == std::string_view::npos ? body : body.substr(0, colon);
    const std::optional<FunctionMacroPlay> tail =
        colon == std::string_view::npos ? std::nullopt
                                        : ParseFunctionMacroPlay(body.substr(colon + 1));
    int macro = -1;
    FunctionMacroPlay play{0, 0};
    for (bool exactly : {true, false}) {
        if (tail && !head.empty() &&
            (macro = MacroOfFunctionName(head, macroNames, exactly)) >= 0) {
            play = *tail;
            break;
        }
        if ((macro = MacroOfFunctionName(body, macroNames, exactly)) >= 0)
            break;
    }
    if (macro < 0) {
        if (colon != std::string_view::npos && !tail &&
            MacroOfFunctionName(head, macroNames, false) >= 0) {
            return FunctionFailure("macro: " + QuotedFunctionText(body.substr(colon + 1)) +
                                   " is neither a play mode 0-3 nor a count x0-x255");
        }
        return FunctionFailure("macro: the mouse has no macro named " +
                               QuotedFunctionText(tail ? head : body) +
                               (macroNames.empty() ? " (it has no macros)" : ""));
    }
    KeyPanelState state;
    state.page = kPageMacro;
    state.macro = macro;
    state.macroOver = play.over;
    state.cycleVisible = play.over == kMacroOverRepeat;
    if (state.cycleVisible)
        state.cycleCount = std::to_string(play.count);
    return PanelKeyFunction(state);
}

KeyFunctionParse ParseFunctionRaw(std::string_view body) {
    const std::vector<std::string_view> parts = SplitFunctionText(body, ',');
    if (parts.size() != 3)
        return FunctionFailure("raw: give raw:TYPE,P1,P2 (bytes, decimal or 0x hex)");
    std::array<uint8_t, 3> bytes{};
    constexpr std::array<std::string_view, 3> kFields = {"type", "parameter 1", "parameter 2"};
    for (size_t i = 0; i < parts.size(); ++i) {
        const FunctionNumberField field = ReadFunctionNumber("raw", kFields[i], parts[i], 0, 255);
        if (!field.value)
            return FunctionFailure(field.error);
        bytes[i] = static_cast<uint8_t>(*field.value);
    }
    KeyFunctionParse out;
    out.ok = true;
    out.function.kind = KeyFunction::Kind::kRaw;
    out.function.raw = KeyPattern{bytes[0], bytes[1], bytes[2]};
    return out;
}

// --- formatting -----------------------------------------------------------------------------

std::string RawFunctionText(const profile::KeyAssignment& a) {
    char text[32];
    std::snprintf(text, sizeof text, "raw:0x%02X,0x%02X,0x%02X", a.type, a.param1, a.param2);
    return text;
}

std::string ScrollFunctionText(std::string_view form, std::string_view direction, int count,
                               uint8_t pace) {
    std::string text =
        std::string(form) + ":" + std::string(direction) + ":" + std::to_string(count);
    if (pace != 0)
        text += ":" + std::to_string(pace >> 4) + ":" + std::to_string(pace & 0x0F);
    return text;
}

// The keyboard forms: a key with its modifier, a modifier alone, off. Empty when none fits.
std::string KeyboardFunctionText(const profile::KeyAssignment& a) {
    int option = 0;
    for (int o = 1; o <= static_cast<int>(kFunctionModifierWords.size()); ++o) {
        if (FunctionModifierBit(o) == a.param1)
            option = o;
    }
    if (a.param1 != 0 && option == 0)
        return "";
    const std::string prefix =
        option == 0 ? "" : std::string(kFunctionModifierWords[static_cast<size_t>(option - 1)]);
    if (a.param2 == 0)
        return option == 0 ? "off" : prefix;
    const int row = FindKeyboardRow(KeyPattern{kTypeKeyboard, 0, a.param2});
    if (row < 0)
        return "";
    const std::string_view name = KeyboardTable()[static_cast<size_t>(row)].nameKey;
    if (!StartsWithFunctionWord(name, kFunctionKeyPrefix))
        return "";
    return (prefix.empty() ? "" : prefix + "+") +
           std::string(name.substr(kFunctionKeyPrefix.size()));
}

std::string MacroFunctionText(const profile::KeyAssignment& a,
                              std::span<const std::string> macroNames) {
    const size_t index = a.param1;
    if (index >= macroNames.size() || macroNames[index].empty() ||
        MacroOfFunctionName(macroNames[index], macroNames, true) != static_cast<int>(index)) {
        return "";
    }
    if (a.type == kTypeMacroMode) {
        if (a.param2 >= kMacroPlayModes)
            return "";
        return "macro:" + macroNames[index] + ":" + std::to_string(a.param2);
    }
    return "macro:" + macroNames[index] + ":x" + std::to_string(a.param2);
}

}  // namespace

KeyFunctionParse ParseKeyFunction(std::string_view text, std::span<const std::string> macroNames) {
    text = TrimFunctionText(text);
    if (text.empty())
        return FunctionFailure("no function given");
    if (SameFunctionWord(text, "default")) {
        KeyPanelState state;
        state.page = kPageDefault;
        return PanelKeyFunction(state);
    }
    if (SameFunctionWord(text, "off")) {
        KeyPanelState state;
        state.page = kPageKeyboard;
        return PanelKeyFunction(state);
    }
    if (StartsWithFunctionWord(text, "wheel:"))
        return ParseFunctionScroll(text, true);
    if (StartsWithFunctionWord(text, "tilt:"))
        return ParseFunctionScroll(text, false);
    if (StartsWithFunctionWord(text, "fire:"))
        return ParseFunctionFire(text);
    if (StartsWithFunctionWord(text, "macro:"))
        return ParseFunctionMacro(text.substr(6), macroNames);
    if (StartsWithFunctionWord(text, "raw:"))
        return ParseFunctionRaw(text.substr(4));
    bool found = false;
    KeyFunctionParse named = ParseFunctionTableName(text, found);
    if (found)
        return named;
    KeyFunctionParse key = ParseFunctionKeyboard(text, found);
    if (found)
        return key;
    return FunctionFailure("unknown function " + QuotedFunctionText(text) +
                           ": give default, off, a table row name (t418-zenctl keys tables), "
                           "[Ctrl+|Shift+|Alt+|Win+]KEY, wheel:, tilt:, fire:, macro: or raw:");
}

std::string FormatKeyFunction(const profile::KeyAssignment& a,
                              std::span<const std::string> macroNames) {
    const KeyPattern pattern{a.type, a.param1, a.param2};
    std::string text;
    switch (a.type) {
        case kTypeHorizontalScroll:
            return ScrollFunctionText("tilt", (a.param2 & 0x80) != 0 ? "right" : "left",
                                      a.param2 & 0x7F, a.param1);
        case kTypeVerticalScroll:
            if ((a.param2 & 0x80) != 0)
                return ScrollFunctionText("wheel", "down", 128 - (a.param2 & 0x7F), a.param1);
            return ScrollFunctionText("wheel", "up", a.param2, a.param1);
        case kTypeFire:
            if (a.param1 >= kFireIntervalMinimum)
                return "fire:" + std::to_string(a.param1) + ":" + std::to_string(a.param2);
            break;
        case kTypeKeyboard:
            // Parameter 1 above the modifier bits marks a combination key.
            text = KeyboardFunctionText(a);
            break;
        case kTypeMacroMode:
        case kTypeMacroCount:
            text = MacroFunctionText(a, macroNames);
            break;
        default:
            break;
    }
    if (!text.empty())
        return text;
    for (const FunctionTextTable& table : FunctionTextTables()) {
        const int row = FindRow(table.rows(), pattern);
        if (row >= 0)
            return table.rows()[static_cast<size_t>(row)].nameKey;
    }
    return RawFunctionText(a);
}

}  // namespace panels::keys
