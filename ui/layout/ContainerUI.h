#pragma once
// CContainerUI: a control that owns children. It places every child over its inset area
// (floating children by their "pos"), paints them clipped to itself, finds controls in
// them, and scrolls them when scroll bars are enabled. The layouts derive from it.
#include <vector>

#include "ui/core/ControlUI.h"

namespace ui {

class CContainerUI;

// The child-list operations shared by containers (answered as "IContainer").
class IContainerUI {
  public:
    virtual ~IContainerUI() = default;
    virtual CControlUI* GetItemAt(int index) const = 0;
    virtual int GetItemIndex(CControlUI* control) const = 0;
    virtual bool SetItemIndex(CControlUI* control, int index) = 0;
    virtual int GetCount() const = 0;
    virtual bool Add(CControlUI* control) = 0;
    virtual bool AddAt(CControlUI* control, int index) = 0;
    // Removes and deletes the child (unless doNotDestroy: the caller owns it then).
    virtual bool Remove(CControlUI* control, bool doNotDestroy = false) = 0;
    virtual bool RemoveAt(int index, bool doNotDestroy = false) = 0;
    virtual void RemoveAll() = 0;
};

// What a scrolling container needs of its scroll bars. The bars are controls made by the
// control factory under the tag "ScrollBar" that answer GetInterface("IScrollBar") with
// this interface; without such a control a container does not scroll.
class IScrollBarUI {
  public:
    virtual ~IScrollBarUI() = default;
    virtual void SetOwner(CContainerUI* owner) = 0;  // the bar reports moves to the owner
    virtual void SetHorizontal(bool horizontal) = 0;
    virtual void SetScrollRange(int range) = 0;
    virtual int GetScrollRange() const = 0;
    virtual void SetScrollPos(int pos) = 0;  // no notification to the owner
    virtual int GetScrollPos() const = 0;
    virtual void SetLineSize(int size) = 0;
};

class CContainerUI : public CControlUI, public IContainerUI {
  public:
    CContainerUI();
    ~CContainerUI() override;

    std::string GetClass() const override { return "ContainerUI"; }
    void* GetInterface(std::string_view name) override;

    // --- IContainerUI --------------------------------------------------------------------
    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(CControlUI* control) const override;
    bool SetItemIndex(CControlUI* control, int index) override;
    int GetCount() const override { return static_cast<int>(m_items.size()); }
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;

    // --- layout attributes ---------------------------------------------------------------
    RECT GetInset() const;  // scaled
    void SetInset(RECT inset);
    int GetChildPadding() const;  // gap between children, scaled
    void SetChildPadding(int padding);
    UINT GetChildAlign() const { return m_uChildAlign; }  // kTextLeft/Center/Right
    void SetChildAlign(UINT align);
    UINT GetChildVAlign() const { return m_uChildVAlign; }  // kTextLeft(top)/VCenter/Bottom
    void SetChildVAlign(UINT align);
    bool IsAutoDestroy() const { return m_bAutoDestroy; }
    void SetAutoDestroy(bool autoDestroy) { m_bAutoDestroy = autoDestroy; }
    bool IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
    void SetMouseChildEnabled(bool enable = true) { m_bMouseChildEnabled = enable; }

    // --- scrolling -----------------------------------------------------------------------
    void EnableScrollBar(bool enableVertical = true, bool enableHorizontal = false);
    CControlUI* GetVerticalScrollBar() const { return m_pVerticalScrollBar; }
    CControlUI* GetHorizontalScrollBar() const { return m_pHorizontalScrollBar; }
    virtual SIZE GetScrollPos() const { return m_szScrollPos; }
    virtual SIZE GetScrollRange() const { return m_szScrollRange; }
    // Moves the content; clamped to the range. The bars follow.
    virtual void SetScrollPos(SIZE pos, bool bMsg = true);
    int GetScrollStepSize() const;  // a wheel notch or arrow click, scaled
    void SetScrollStepSize(int size) { m_nScrollStepSize = size; }
    virtual void LineUp();
    virtual void LineDown();
    virtual void PageUp();
    virtual void PageDown();
    virtual void HomeUp();
    virtual void EndDown();
    virtual void LineLeft();
    virtual void LineRight();
    // Brings a child fully into view.
    void EnsureVisible(CControlUI* control);

    // --- CControlUI ----------------------------------------------------------------------
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void Move(SIZE offset, bool bNeedInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetEnabled(bool enabled = true) override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    CControlUI* FindControl(FINDCONTROLPROC proc, void* data, UINT flags) override;
    bool DoPaint(RenderTarget& target, const RECT& rcPaint, CControlUI* pStopControl) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

    // Places a floating child by its "pos" relative to this container.
    void SetFloatPos(int index);

  protected:
    // The inset area minus visible scroll bars.
    RECT ContentRect() const;
    // Sets the scroll ranges from the space the children need and places the bars.
    virtual void ProcessScrollBar(RECT rc, int cxRequired, int cyRequired);
    CControlUI* CreateScrollBar(bool horizontal);
    UINT VisibleScrollBars() const;  // 1: vertical, 2: horizontal

    std::vector<CControlUI*> m_items;
    RECT m_rcInset;
    int m_iChildPadding = 0;
    UINT m_uChildAlign = 0;
    UINT m_uChildVAlign = 0;
    bool m_bAutoDestroy = true;
    bool m_bMouseChildEnabled = true;

    CControlUI* m_pVerticalScrollBar = nullptr;
    CControlUI* m_pHorizontalScrollBar = nullptr;
    std::string m_sVerticalScrollBarStyle;
    std::string m_sHorizontalScrollBarStyle;
    SIZE m_szScrollPos;
    SIZE m_szScrollRange;
    int m_nScrollStepSize = 0;
};

}  // namespace ui
