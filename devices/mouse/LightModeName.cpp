#include "devices/mouse/LightModeName.h"

#include "devices/mouse/SettingsBlock.h"

namespace devices::mouse {

LightModeName NameOfLightMode(int mode, const std::vector<std::string>& builtIn,
                              const std::vector<std::string>& custom) {
    if (mode < 0)
        return {};
    const size_t p = static_cast<size_t>(mode);
    if (p >= kFirstCustomMode) {
        const size_t n = p - kFirstCustomMode;
        return n < custom.size() ? LightModeName{custom[n], false} : LightModeName{};
    }
    return p < builtIn.size() ? LightModeName{builtIn[p], true} : LightModeName{};
}

}  // namespace devices::mouse
