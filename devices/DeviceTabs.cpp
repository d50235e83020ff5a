#include "devices/DeviceTabs.h"

#include "ui/controls/OptionUI.h"
#include "ui/core/PaintManager.h"

namespace devices {

void SelectFunctionTab(ui::CPaintManagerUI* manager, ui::CControlUI* page, const char* tab,
                       std::initializer_list<const char*> hidden) {
    if (manager == nullptr)
        return;
    for (const char* name : hidden) {
        if (ui::CControlUI* control = manager->FindSubControlByName(page, name))
            control->SetVisible(false);
    }
    if (auto* option = dynamic_cast<ui::COptionUI*>(manager->FindSubControlByName(page, tab)))
        option->Selected(true, false);
}

}  // namespace devices
