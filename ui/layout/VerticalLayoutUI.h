#pragma once
// Children stacked top to bottom (see LinearLayout.h for how space is shared).
#include "ui/layout/ContainerUI.h"

namespace ui {

class CVerticalLayoutUI : public CContainerUI {
  public:
    std::string GetClass() const override { return "VerticalLayoutUI"; }
    void* GetInterface(std::string_view name) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
};

}  // namespace ui
