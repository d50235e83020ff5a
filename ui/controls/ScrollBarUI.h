#pragma once
// CScrollBarUI: a horizontal or vertical scroll bar with optional arrow buttons, a track
// and a thumb to drag. A container that scrolls owns one per axis (IScrollBarUI) and is told
// of every move the user makes; a bar without an owner raises "scroll" (wParam: position).
#include <string>

#include "ui/controls/ScrollModel.h"
#include "ui/layout/ContainerUI.h"

namespace ui {

class CScrollBarUI : public CControlUI, public IScrollBarUI {
  public:
    CScrollBarUI();
    ~CScrollBarUI() override;

    std::string GetClass() const override { return "ScrollBarUI"; }
    void* GetInterface(std::string_view name) override;

    // --- IScrollBarUI -----------------------------------------------------------------
    void SetOwner(CContainerUI* owner) override { m_pOwner = owner; }
    CContainerUI* GetOwner() const { return m_pOwner; }
    void SetHorizontal(bool horizontal) override;
    bool IsHorizontal() const { return m_bHorizontal; }
    void SetScrollRange(int range) override;
    int GetScrollRange() const override { return m_model.Range(); }
    void SetScrollPos(int pos) override;
    int GetScrollPos() const override { return m_model.Pos(); }
    void SetLineSize(int size) override;
    int GetLineSize() const { return m_model.Line(); }
    // The view length (what a page click moves and what sizes the thumb); set by the owner
    // layout, else the bar's own length.
    void SetPageSize(int size);

    void SetShowButton1(bool show);
    void SetShowButton2(bool show);

    // Where the parts are now (window pixels); empty when hidden.
    const Rect& GetButton1Rect() const { return m_rcButton1; }
    const Rect& GetButton2Rect() const { return m_rcButton2; }
    const Rect& GetThumbRect() const { return m_rcThumb; }
    const Rect& GetTrackRect() const { return m_rcTrack; }

    // --- CControlUI -------------------------------------------------------------------
    int GetFixedWidth() const override;
    int GetFixedHeight() const override;
    SIZE EstimateSize(SIZE szAvailable) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintBkColor(RenderTarget& target) override;
    void PaintStatusImage(RenderTarget& target) override;

  private:
    ScrollPart HitTest(POINT pt) const;
    void LayoutParts();
    int TrackLength() const;
    int MinThumb() const;
    // A user move: the owner scrolls (and sets this bar back), else "scroll" is raised.
    void UserScrollTo(int pos);
    void RunPart(ScrollPart part);
    void PaintButton(RenderTarget& target, const Rect& rc, bool second, bool hot, bool pushed);

    CContainerUI* m_pOwner = nullptr;
    ScrollModel m_model;
    bool m_bHorizontal = false;
    bool m_bShowButton1 = false;
    bool m_bShowButton2 = false;
    bool m_bPageSizeSet = false;
    int m_nThickness = 10;  // 96-DPI pixels

    Rect m_rcButton1;
    Rect m_rcButton2;
    Rect m_rcTrack;
    Rect m_rcThumb;

    ScrollPart m_pressed = ScrollPart::None;
    ScrollPart m_hot = ScrollPart::None;
    POINT m_ptDragStart;
    int m_nDragStartPos = 0;

    Color m_dwTrackColor = 0x14000000;
    Color m_dwThumbColor = 0x66000000;
    Color m_dwThumbHotColor = 0x99000000;
    Color m_dwThumbPushedColor = 0xBB000000;
    Color m_dwButtonColor = 0x22000000;
    Color m_dwArrowColor = 0xAA000000;
    std::string m_sThumbImage[3];  // normal, hot, pushed
    std::string m_sButton1Image[3];
    std::string m_sButton2Image[3];
    std::string m_sTrackImage;
};

}  // namespace ui
