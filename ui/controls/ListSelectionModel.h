#pragma once
// Which rows of a list are selected: one current row (the one the keyboard moves from and
// "itemselect" reports), an anchor for Shift ranges, and, when multi-select is on, a set.
// Rows are indexes 0..count-1; the control keeps it in step as rows come and go.
#include <functional>
#include <vector>

namespace ui {

enum class ListKey { Up, Down, PageUp, PageDown, Home, End };

class ListSelectionModel {
  public:
    void SetCount(int count);  // drops selections beyond the new end
    int Count() const { return count_; }
    void Inserted(int index);  // a row was inserted at index
    void Removed(int index);   // the row at index was removed
    void SetMultiSelect(bool multi);
    bool IsMultiSelect() const { return multi_; }
    // Rows the user cannot select (hidden or disabled); unset: every row can be.
    void SetSelectablePredicate(std::function<bool(int)> selectable);

    int Current() const { return current_; }
    bool IsSelected(int index) const;
    std::vector<int> Selected() const;  // ascending

    // Each returns whether the selection changed.
    bool Select(int index);    // only this row (-1: none)
    bool Toggle(int index);    // Ctrl+click; a plain Select when multi-select is off
    bool ExtendTo(int index);  // Shift+click: anchor..index
    bool SetSelected(int index, bool selected);  // code: add or drop one row
    bool Clear();

    // The row a navigation key moves the current row to, skipping rows that cannot be
    // selected; -1 when there is none. pageRows: how many rows fit the view.
    int KeyTarget(ListKey key, int pageRows) const;

  private:
    bool CanSelect(int index) const;
    int Nearest(int from, int step) const;

    int count_ = 0;
    int current_ = -1;
    int anchor_ = -1;
    bool multi_ = false;
    std::vector<bool> selected_;
    std::function<bool(int)> selectable_;
};

// The scroll offset that shows [itemTop, itemBottom) in a view of viewLength at offset
// scroll, moving as little as possible (content coordinates).
int ScrollToShow(int itemTop, int itemBottom, int viewLength, int scroll);

}  // namespace ui
