#pragma once
// Pages on top of each other: only the selected child is shown, over the whole content area.
#include "ui/layout/ContainerUI.h"

namespace ui {

class CTabLayoutUI : public CContainerUI {
  public:
    std::string GetClass() const override { return "TabLayoutUI"; }
    void* GetInterface(std::string_view name) override;

    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;

    int GetCurSel() const { return m_iCurSel; }
    // Shows page index; with bTriggerEvent raises "tabselect" (wParam new, lParam old page).
    // False when the index is out of range.
    virtual bool SelectItem(int index, bool bTriggerEvent = true);
    bool SelectItem(CControlUI* control, bool bTriggerEvent = true);

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

  protected:
    int m_iCurSel = -1;
    int m_iInitSel = -1;
};

}  // namespace ui
