#include "panels/performance/SystemHalves.h"

#include "devices/IndexedName.h"
#include "ui/core/StringUtil.h"

namespace panels::performance {

std::optional<KeyboardSetting> KeyboardSettingOf(std::string_view name) {
    using K = KeyboardControl;
    if (ui::EqualsNoCase(name, "repeat_rate_slider"))
        return KeyboardSetting{K::RepeatRate, {0, false}, false};
    if (ui::EqualsNoCase(name, "6flag_option"))
        return KeyboardSetting{K::Key6Flag, {1, false}, true};
    if (ui::EqualsNoCase(name, "wflag_option"))
        return KeyboardSetting{K::WFlag, {2, false}, true};
    if (ui::EqualsNoCase(name, "winlockflag_option"))
        return KeyboardSetting{K::WinLockFlag, {2, true}, true};
    if (devices::IndexFor(name, "repeat_delay_check_", kKeyboardOptions))
        return KeyboardSetting{K::RepeatDelay, {0, true}, false};
    if (devices::IndexFor(name, "polling_rate_option_", kKeyboardOptions))
        return KeyboardSetting{K::ReportRate, {1, true}, true};
    return std::nullopt;
}

int ClampKeyboardOption(int n) {
    return n < 0 || n >= kKeyboardOptions ? 0 : n;
}

int RepeatDelayMs(int n) {
    return ClampKeyboardOption(n) * 250 + 250;
}

std::string RepeatDelayLabel(std::string_view translatedText, int n) {
    return std::string(translatedText) + std::to_string(RepeatDelayMs(n)) + "ms";
}

}  // namespace panels::performance
