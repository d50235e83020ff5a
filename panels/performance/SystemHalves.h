#pragma once
// The settings the performance and system pages keep as 16-bit halves of a device's system
// record, and the keyboard's own rules (its option clamping, the repeat-delay label). Pure
// rules, shared by the handlers and t418-zenctl.
// Threads: any (no state).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "profile/Records.h"

namespace panels::performance {

// Where a setting lives in a system record.
struct Half {
    int word = 0;
    bool high = false;
};

// The record with one half replaced; a word outside the record leaves it unchanged.
template <size_t N>
std::array<uint32_t, N> WithHalf(std::array<uint32_t, N> words, Half half, uint16_t value) {
    if (half.word < 0 || static_cast<size_t>(half.word) >= N)
        return words;
    uint32_t& w = words[static_cast<size_t>(half.word)];
    w = half.high ? profile::MakeWord(profile::LowHalf(w), value)
                  : profile::MakeWord(value, profile::HighHalf(w));
    return words;
}

// A number as a half keeps its low 16 bits: -1 (a combo without a selection) is 0xFFFF.
constexpr uint16_t AsHalf(int value) {
    return static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFF);
}

// --- the mouse's system record ---------------------------------------------------------
inline constexpr Half kMouseDoubleClick{0, false};       // "DoubleClickTime"
inline constexpr Half kMousePointerSpeed{0, true};       // "MouseSpeed"
inline constexpr Half kMousePointerPrecision{1, false};  // "PointerPrecision"
inline constexpr Half kMouseScrollPage{1, true};         // "ScorllPage"
inline constexpr Half kMouseScrollLines{2, false};       // "WheelScorlllinse"
inline constexpr Half kMouseReportRate{2, true};         // "StageActive" of "ReportStages"
inline constexpr Half kMouseSilentAltitude{3, false};
inline constexpr Half kMouseLinearCalibration{3, true};
inline constexpr Half kMouseRipple{4, false};
inline constexpr Half kMouseBleSleep1{5, false};
inline constexpr Half kMouseBleSleep2{5, true};
inline constexpr Half kMouseDeviceSleep1{6, false};
inline constexpr Half kMouseDeviceSleep2{6, true};
inline constexpr Half kMouseDebounce{7, false};
inline constexpr Half kMouseLogoLedMode{7, true};

// --- the keyboard ------------------------------------------------------------------------
enum class KeyboardControl { RepeatRate, RepeatDelay, Key6Flag, ReportRate, WFlag, WinLockFlag };

struct KeyboardSetting {
    KeyboardControl control;
    Half half;
    bool writesDevice;  // the keyboard keeps it: the settings are sent after storing
};

// The keyboard setting a control name (and its index for the option groups) stands for:
// "repeat_rate_slider", "repeat_delay_check_" + n, "6flag_option", "polling_rate_option_" +
// n, "wflag_option", "winlockflag_option". Compared without regard to case.
std::optional<KeyboardSetting> KeyboardSettingOf(std::string_view name);

// The keyboard's option groups have four options; other values show option 0.
constexpr int kKeyboardOptions = 4;
int ClampKeyboardOption(int n);

// The repeat delay of option n in milliseconds: 250, 500, 750 or 1000 (clamped n).
int RepeatDelayMs(int n);

// The repeat-delay label: the translated "Repeat_Delay_Time" text, then the delay and "ms".
std::string RepeatDelayLabel(std::string_view translatedText, int n);

}  // namespace panels::performance
