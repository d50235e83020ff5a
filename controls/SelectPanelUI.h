#pragma once
// CSelectPanelUI: the device picture's panel. Dragging over it with the left button (from a
// point not on a key) selects every key or LED button whose rectangle meets the dragged
// rectangle and unselects the others, then raises "click_select_end". The rectangle itself
// is not drawn. Window thread only.
#include "ui/layout/VerticalLayoutUI.h"

namespace controls {

class CSelectPanelUI : public ui::CVerticalLayoutUI {
  public:
    static constexpr const char* kClassName = "SelectPanel";

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;
    void DoEvent(ui::TEventUI& event) override;

    bool IsArmed() const { return armed_; }
    bool IsDragging() const { return dragging_; }
    // Normalised: left <= right, top <= bottom.
    const ui::RECT& GetSelectionRect() const { return selectionRect_; }

  private:
    void ApplySelection();

    ui::POINT anchor_;
    ui::POINT current_;
    bool dragging_ = false;
    bool armed_ = false;
    ui::RECT selectionRect_;
};

}  // namespace controls
