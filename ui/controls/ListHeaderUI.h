#pragma once
// The header of a list and its column titles.
#include <string>

#include "ui/controls/LabelUI.h"
#include "ui/layout/HorizontalLayoutUI.h"

namespace ui {

// A column title; dragging its right edge resizes the column when "dragable" is set.
class CListHeaderItemUI : public CLabelUI {
  public:
    CListHeaderItemUI();
    std::string GetClass() const override { return "ListHeaderItemUI"; }
    void* GetInterface(std::string_view name) override;
    UINT GetControlFlags() const override;

    void SetDragable(bool dragable) { m_bDragable = dragable; }
    bool IsDragable() const { return m_bDragable; }
    void SetSepWidth(int width) { m_nSepWidth = width; }

    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintBkColor(RenderTarget& target) override;
    void PaintStatusImage(RenderTarget& target) override;

  private:
    RECT SeparatorRect() const;

    bool m_bDragable = true;
    int m_nSepWidth = 4;
    bool m_bHot = false;
    bool m_bPushed = false;
    bool m_bResizing = false;
    POINT m_ptLast;
    std::string m_sNormalImage;
    std::string m_sHotImage;
    std::string m_sPushedImage;
    std::string m_sSepImage;
};

class CListHeaderUI : public CHorizontalLayoutUI {
  public:
    CListHeaderUI();
    std::string GetClass() const override { return "ListHeaderUI"; }
    void* GetInterface(std::string_view name) override;
    // Hidden (height 0) while it has no visible items.
    SIZE EstimateSize(SIZE szAvailable) override;
};

}  // namespace ui
