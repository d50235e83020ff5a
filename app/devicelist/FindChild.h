#pragma once
// A control below a root by name (compared without regard to case), whether or not the
// root has joined a window yet. Window thread.
#include <string_view>

namespace ui {
class CControlUI;
}

namespace app {

ui::CControlUI* FindChild(ui::CControlUI* root, std::string_view name);

template <typename T>
T* FindChildAs(ui::CControlUI* root, std::string_view name) {
    return dynamic_cast<T*>(FindChild(root, name));
}

}  // namespace app
