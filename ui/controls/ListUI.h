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

#include "ui/controls/ListElementUI.h"
#include "ui/controls/ListHeaderUI.h"
#include "ui/controls/ListItem.h"
#include "ui/controls/ListSelectionModel.h"
#include "ui/layout/VerticalLayoutUI.h"

namespace ui {

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
    bool SelectRange(int index, bool takeFocus = false, bool notify = true) override;
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
