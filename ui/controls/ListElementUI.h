#pragma once
// The rows of a list or combo: CListLabelElementUI (one text) and CListContainerElementUI
// (any child controls).
#include "ui/controls/ListItem.h"
#include "ui/layout/HorizontalLayoutUI.h"

namespace ui {

class CListLabelElementUI : public CControlUI, public IListItemUI {
  public:
    CListLabelElementUI();
    std::string GetClass() const override { return "ListLabelElementUI"; }
    void* GetInterface(std::string_view name) override;
    UINT GetControlFlags() const override;

    int GetIndex() const override { return m_core.index; }
    void SetIndex(int index) override { m_core.index = index; }
    IListOwnerUI* GetOwner() const override { return m_core.owner; }
    void SetOwner(IListOwnerUI* owner) override { m_core.owner = owner; }
    bool IsSelected() const override { return m_core.selected; }
    bool Select(bool select = true, bool notify = true) override;
    bool SelectMulti(bool select = true) override;
    void SetSelectedState(bool selected) override;
    bool IsHot() const override { return m_core.hot; }
    void DrawItemText(RenderTarget& target, const RECT& rcItem) override;

    bool Activate() override;
    SIZE EstimateSize(SIZE szAvailable) override;
    void DoEvent(TEventUI& event) override;
    void PaintBkColor(RenderTarget& target) override;
    void PaintText(RenderTarget& target) override;

  protected:
    ListItemCore m_core;
};

class CListContainerElementUI : public CHorizontalLayoutUI, public IListItemUI {
  public:
    CListContainerElementUI();
    std::string GetClass() const override { return "ListContainerElementUI"; }
    void* GetInterface(std::string_view name) override;
    UINT GetControlFlags() const override;

    int GetIndex() const override { return m_core.index; }
    void SetIndex(int index) override { m_core.index = index; }
    IListOwnerUI* GetOwner() const override { return m_core.owner; }
    void SetOwner(IListOwnerUI* owner) override { m_core.owner = owner; }
    bool IsSelected() const override { return m_core.selected; }
    bool Select(bool select = true, bool notify = true) override;
    bool SelectMulti(bool select = true) override;
    void SetSelectedState(bool selected) override;
    bool IsHot() const override { return m_core.hot; }
    void DrawItemText(RenderTarget& target, const RECT& rcItem) override;

    bool Activate() override;
    SIZE EstimateSize(SIZE szAvailable) override;
    void DoEvent(TEventUI& event) override;
    void PaintBkColor(RenderTarget& target) override;
    // The row background for its state (custom rows paint over it).
    virtual void DrawItemBk(RenderTarget& target, const RECT& rcItem);

  protected:
    void SetHot(bool hot) { m_core.hot = hot; }
    ListItemCore m_core;
};

}  // namespace ui
