#pragma once
// The DPI rule of the program's dialogs: they take 48 to 192 DPI in steps of 24; any other
// value is refused and replaced by 96.
// Threads: any (pure functions; SetDialogDpi only writes a trace line).
#include <string_view>

namespace windows {

constexpr int kDefaultDialogDpi = 96;

constexpr bool IsDialogDpi(int dpi) {
    return dpi >= 48 && dpi <= 192 && dpi % 24 == 0;
}

// The DPI a dialog uses for a requested value.
constexpr int DialogDpi(int requested) {
    return IsDialogDpi(requested) ? requested : kDefaultDialogDpi;
}

// The rule as a dialog applies it: the DPI to use after asking for `requested` while at
// `current`. A refused value writes errorTrace ("MSG_WND DPI SET ERROR", ...) and gives 96.
// The caller applies the answer only when it differs from `current` or was corrected.
struct DpiChoice {
    int dpi = kDefaultDialogDpi;
    bool apply = false;  // false: the request equals the current DPI, nothing changes
};
DpiChoice SetDialogDpi(int current, int requested, std::string_view errorTrace);

}  // namespace windows
