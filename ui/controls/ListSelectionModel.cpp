#include "ui/controls/ListSelectionModel.h"

#include <algorithm>

namespace ui {

void ListSelectionModel::SetCount(int count) {
    count_ = std::max(0, count);
    selected_.resize(static_cast<size_t>(count_), false);
    if (current_ >= count_)
        current_ = -1;
    if (anchor_ >= count_)
        anchor_ = current_;
}

void ListSelectionModel::Inserted(int index) {
    index = std::clamp(index, 0, count_);
    selected_.insert(selected_.begin() + index, false);
    ++count_;
    if (current_ >= index)
        ++current_;
    if (anchor_ >= index)
        ++anchor_;
}

void ListSelectionModel::Removed(int index) {
    if (index < 0 || index >= count_)
        return;
    selected_.erase(selected_.begin() + index);
    --count_;
    if (current_ == index) {
        current_ = -1;
    } else if (current_ > index) {
        --current_;
    }
    if (anchor_ == index) {
        anchor_ = current_;
    } else if (anchor_ > index) {
        --anchor_;
    }
}

void ListSelectionModel::SetMultiSelect(bool multi) {
    multi_ = multi;
    if (!multi_) {
        const int keep = current_;
        std::fill(selected_.begin(), selected_.end(), false);
        if (keep >= 0)
            selected_[static_cast<size_t>(keep)] = true;
    }
}

void ListSelectionModel::SetSelectablePredicate(std::function<bool(int)> selectable) {
    selectable_ = std::move(selectable);
}

bool ListSelectionModel::CanSelect(int index) const {
    return index >= 0 && index < count_ && (!selectable_ || selectable_(index));
}

bool ListSelectionModel::IsSelected(int index) const {
    return index >= 0 && index < count_ && selected_[static_cast<size_t>(index)];
}

std::vector<int> ListSelectionModel::Selected() const {
    std::vector<int> out;
    for (int i = 0; i < count_; ++i)
        if (selected_[static_cast<size_t>(i)])
            out.push_back(i);
    return out;
}

bool ListSelectionModel::Select(int index) {
    if (index != -1 && !CanSelect(index))
        return false;
    const std::vector<int> before = Selected();
    std::fill(selected_.begin(), selected_.end(), false);
    if (index >= 0)
        selected_[static_cast<size_t>(index)] = true;
    const bool changed = current_ != index || before != Selected();
    current_ = anchor_ = index;
    return changed;
}

bool ListSelectionModel::Toggle(int index) {
    if (!multi_)
        return Select(index);
    if (!CanSelect(index))
        return false;
    auto&& bit = selected_[static_cast<size_t>(index)];
    bit = !bit;
    anchor_ = index;
    if (bit) {
        current_ = index;
    } else if (current_ == index) {
        const std::vector<int> rest = Selected();
        current_ = rest.empty() ? -1 : rest.front();
    }
    return true;
}

bool ListSelectionModel::ExtendTo(int index) {
    if (!multi_ || anchor_ < 0)
        return Select(index);
    if (!CanSelect(index))
        return false;
    const std::vector<int> before = Selected();
    std::fill(selected_.begin(), selected_.end(), false);
    const int lo = std::min(anchor_, index), hi = std::max(anchor_, index);
    for (int i = lo; i <= hi; ++i)
        if (CanSelect(i))
            selected_[static_cast<size_t>(i)] = true;
    const bool changed = current_ != index || before != Selected();
    current_ = index;
    return changed;
}

bool ListSelectionModel::SetSelected(int index, bool selected) {
    if (index < 0 || index >= count_)
        return false;
    if (!multi_) {
        if (selected)
            return Select(index);
        return current_ == index ? Select(-1) : false;
    }
    if (IsSelected(index) == selected)
        return false;
    if (selected) {
        selected_[static_cast<size_t>(index)] = true;
        current_ = anchor_ = index;
        return true;
    }
    return Toggle(index);
}

bool ListSelectionModel::Clear() {
    return Select(-1);
}

int ListSelectionModel::Nearest(int from, int step) const {
    for (int i = from; i >= 0 && i < count_; i += step)
        if (CanSelect(i))
            return i;
    return -1;
}

int ListSelectionModel::KeyTarget(ListKey key, int pageRows) const {
    if (count_ == 0)
        return -1;
    const int page = std::max(1, pageRows);
    const int cur = current_;
    int target = -1;
    switch (key) {
        case ListKey::Up:
            target = cur < 0 ? Nearest(0, 1) : Nearest(cur - 1, -1);
            break;
        case ListKey::Down:
            target = Nearest(cur < 0 ? 0 : cur + 1, 1);
            break;
        case ListKey::PageUp:
            target = Nearest(std::max(0, cur - page), 1);
            break;
        case ListKey::PageDown:
            target = Nearest(std::min(count_ - 1, std::max(cur, 0) + page), -1);
            break;
        case ListKey::Home:
            target = Nearest(0, 1);
            break;
        case ListKey::End:
            target = Nearest(count_ - 1, -1);
            break;
    }
    // At either end the current row stays where it is.
    return target < 0 ? cur : target;
}

int ScrollToShow(int itemTop, int itemBottom, int viewLength, int scroll) {
    if (itemTop < scroll)
        return itemTop;
    if (itemBottom > scroll + viewLength) {
        // A row taller than the view shows its top.
        return std::min(itemTop, itemBottom - viewLength);
    }
    return scroll;
}

}  // namespace ui
