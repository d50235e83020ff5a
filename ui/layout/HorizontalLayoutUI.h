#pragma once
// Children side by side, left to right (see LinearLayout.h for how space is shared).
#include "ui/layout/ContainerUI.h"

namespace ui {

class CHorizontalLayoutUI : public CContainerUI {
  public:
    std::string GetClass() const override { return "HorizontalLayoutUI"; }
    void* GetInterface(std::string_view name) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
};

}  // namespace ui
