#pragma once
// What list rows and their owners (a list or a combo) share: the item look (TListInfoUI),
// the owner and row interfaces and the row state both row classes keep.
#include <string>
#include <string_view>

#include "ui/controls/ListSelectionModel.h"
#include "ui/core/ControlUI.h"

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
    // Selects the rows from the anchor of the selection to index (Shift+click); owners
    // without multi-select select nothing.
    virtual bool SelectRange(int /*index*/, bool /*takeFocus*/ = false, bool /*notify*/ = true) {
        return false;
    }
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

// The row behind a control; nullptr when it is none.
IListItemUI* AsListItem(CControlUI* control);
// A row's height when the item look gives none: the font's height and a margin.
int DefaultRowHeight(const CControlUI& row, const TListInfoUI* info);

}  // namespace ui
