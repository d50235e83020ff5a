#include "windows/DialogDpi.h"

#include "platform/Trace.h"

namespace windows {

DpiChoice SetDialogDpi(int current, int requested, std::string_view errorTrace) {
    if (requested == current)
        return DpiChoice{current, false};
    if (!IsDialogDpi(requested)) {
        platform::Trace(errorTrace);
        return DpiChoice{kDefaultDialogDpi, true};
    }
    return DpiChoice{requested, true};
}

}  // namespace windows
