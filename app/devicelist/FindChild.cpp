#include "app/devicelist/FindChild.h"

#include "ui/core/ControlUI.h"
#include "ui/core/StringUtil.h"

namespace app {
namespace {

ui::CControlUI* ByName(ui::CControlUI* control, void* data) {
    const auto* name = static_cast<const std::string_view*>(data);
    return ui::EqualsNoCase(control->GetName(), *name) ? control : nullptr;
}

}  // namespace

ui::CControlUI* FindChild(ui::CControlUI* root, std::string_view name) {
    if (root == nullptr || name.empty())
        return nullptr;
    return root->FindControl(ByName, &name, ui::UIFIND_ALL);
}

}  // namespace app
