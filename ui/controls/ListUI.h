#pragma once
// Lists: CListUI (a header over a scrolling body of rows), the rows CListLabelElementUI
// (one text) and CListContainerElementUI (any child controls), and the header with its
// items. The combo box shares the row classes and the item look (TListInfoUI).
//
// Notifications of a list: "itemselect" (wParam: new current row, lParam: the one before,
// -1 for none) when the selection changes, "itemclick" from a row released under the left
// button, "itemactivate" from a double-clicked row or Return, "menu" from a context-menu
// event on a row or the list when its "menu" attribute is on, "headerclick" from a header
// item.
#include <string>
#include <vector>

#include "ui/controls/LabelUI.h"
#include "ui/controls/ListSelectionModel.h"
#include "ui/layout/HorizontalLayoutUI.h"
#include "ui/layout/VerticalLayoutUI.h"

namespace ui {

// How the rows of a list or combo look; the owner keeps one and its rows read it.
struct TListInfoUI {
    int nFont = -1;
    UINT uTextStyle = kTextLeft | kTextVCenter | kTextSingleLine | kTextEndEllipsis | kTextNoPrefix;
    RECT rcTextPadding{6, 0, 6, 0};  // 96-DPI pixels
    bool bShowHtml = false;
    bool bAlternateBk = false;  // every other row slightly darker
    Color dwTextColor = 0xFF1F2328;
    Color dwBkColor = 0;
    std::string sBkImage;
    Color dwSelectedTextColor = 0xFF1F2328;
    Color dwSelectedBkColor = 0xFFCCE4FF;
    std::string sSelectedImage;
    Color dwHotTextColor = 0xFF1F2328;
    Color dwHotBkColor = 0xFFEAF3FF;
    std::string sHotImage;
    Color dwDisabledTextColor = 0xFFA0A4AA;
    Color dwDisabledBkColor = 0;
    std::string sDisabledImage;
    Color dwLineColor = 0;  // a line under each row when set
    int nItemHeight = 0;    // rows without a height of their own; 0: from the font
};

// Reads one "item..." attribute of a list or combo; false when the name is not one.
bool ApplyListInfoAttribute(TListInfoUI& info, std::string_view name, std::string_view value);

// What a row needs of the list or combo that holds it.
class IListOwnerUI {
  public:
    virtual ~IListOwnerUI() = default;
    virtual TListInfoUI* GetListInfo() = 0;
    virtual int GetCurSel() const = 0;
    // Makes index the only selected row (-1: none); "itemselect" when it changed and
    // notify is set.
    virtual bool SelectItem(int index, bool takeFocus = false, bool notify = true) = 0;
    // Adds index to the selection (lists with multi-select; others select only it).
    virtual bool SelectMultiItem(int index, bool takeFocus = false, bool notify = true) = 0;
    // Drops index from the selection; with others, every other row too.
    virtual bool UnSelectItem(int index, bool others = false) = 0;
    virtual bool IsMultiSelect() const { return false; }
    // Events a row does not handle itself (keys, wheel).
    virtual void DoEvent(TEventUI& event) = 0;
    // The owner as a control (notifications of rows carry the row as sender).
    virtual CControlUI* GetOwnerControl() = 0;
};

// What the owner needs of a row.
class IListItemUI {
  public:
    virtual ~IListItemUI() = default;
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int index) = 0;
    virtual IListOwnerUI* GetOwner() const = 0;
    virtual void SetOwner(IListOwnerUI* owner) = 0;
    virtual bool IsSelected() const = 0;
    // Selects the row through its owner (as a click would); notify as for SelectItem.
    virtual bool Select(bool select = true, bool notify = true) = 0;
    // Ctrl+click: add to or drop from a multi-selection.
    virtual bool SelectMulti(bool select = true) = 0;
    // The owner's record of the selection; draws, raises nothing.
    virtual void SetSelectedState(bool selected) = 0;
    virtual bool IsHot() const = 0;
    virtual bool IsExpanded() const { return false; }
    virtual bool Expand(bool /*expand*/ = true) { return false; }
    virtual void DrawItemText(RenderTarget& target, const RECT& rcItem) = 0;
};

// The row state and behaviour both row classes share.
class ListItemCore {
  public:
    int index = -1;
    IListOwnerUI* owner = nullptr;
    bool selected = false;
    bool hot = false;
    bool pressed = false;

    bool Select(CControlUI& self, bool select, bool notify);
    bool SelectMulti(CControlUI& self, bool select);
    // Mouse and key handling common to rows; true when the event was taken.
    bool HandleEvent(CControlUI& self, TEventUI& event);
    // Background for the row's state from the owner's item look.
    void DrawBk(CControlUI& self, RenderTarget& target) const;
    Color TextColor(const CControlUI& self) const;
};

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

class CListUI;

// The scrolling part of a list that holds the rows.
class CListBodyUI : public CVerticalLayoutUI {
  public:
    std::string GetClass() const override { return "ListBodyUI"; }
    void* GetInterface(std::string_view name) override;
};

class CListUI : public CVerticalLayoutUI, public IListOwnerUI {
  public:
    CListUI();
    ~CListUI() override;

    std::string GetClass() const override { return "ListUI"; }
    void* GetInterface(std::string_view name) override;
    UINT GetControlFlags() const override;

    // --- rows (the header and body are not counted) ---------------------------------
    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(CControlUI* control) const override;
    bool SetItemIndex(CControlUI* control, int index) override;
    int GetCount() const override;
    // A ListHeader replaces the header, a ListHeaderItem joins it, anything else is a row.
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;

    CListHeaderUI* GetHeader() const { return m_pHeader; }
    CListBodyUI* GetList() const { return m_pList; }

    // --- selection ---------------------------------------------------------------------
    TListInfoUI* GetListInfo() override { return &m_info; }
    int GetCurSel() const override { return m_selection.Current(); }
    std::vector<int> GetSelectedItems() const { return m_selection.Selected(); }
    bool SelectItem(int index, bool takeFocus = false, bool notify = true) override;
    bool SelectMultiItem(int index, bool takeFocus = false, bool notify = true) override;
    bool UnSelectItem(int index, bool others = false) override;
    // Shift+click: the range from the last clicked row.
    bool SelectRange(int index, bool takeFocus = false, bool notify = true);
    bool IsMultiSelect() const override { return m_selection.IsMultiSelect(); }
    void SetMultiSelect(bool multi);
    CControlUI* GetOwnerControl() override { return this; }
    // Scrolls the body so that the row is fully visible.
    void EnsureVisible(int index);
    bool IsScrollSelect() const { return m_bScrollSelect; }
    void SetScrollSelect(bool scrollSelect) { m_bScrollSelect = scrollSelect; }

    // --- scrolling (of the body) --------------------------------------------------------
    SIZE GetScrollPos() const override;
    SIZE GetScrollRange() const override;
    void SetScrollPos(SIZE pos, bool bMsg = true) override;
    void LineUp() override;
    void LineDown() override;
    void PageUp() override;
    void PageDown() override;
    void HomeUp() override;
    void EndDown() override;

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

  private:
    void Reindex(int from);
    void SyncSelectionBits();
    bool ApplySelection(bool changed, int before, bool takeFocus, bool notify);
    int RowsPerPage() const;

    CListHeaderUI* m_pHeader = nullptr;
    CListBodyUI* m_pList = nullptr;
    TListInfoUI m_info;
    ListSelectionModel m_selection;
    bool m_bScrollSelect = false;  // the wheel moves the selection instead of scrolling
};

}  // namespace ui
