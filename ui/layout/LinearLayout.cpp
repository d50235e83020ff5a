#include "ui/layout/LinearLayout.h"

#include <algorithm>

namespace ui {
namespace {

// Axis-neutral view of one child.
struct Item {
    CControlUI* control;
    int fixedMain, minMain, maxMain;
    int fixedCross, minCross, maxCross;
    int padBefore, padAfter, padCrossBefore, padCrossAfter;
    int main = 0;
};

}  // namespace

LinearLayoutResult LayoutLinear(const std::vector<CControlUI*>& children, const RECT& content,
                                bool vertical, int childPadding, UINT align, int scrollMain,
                                int scrollCross) {
    const int mainLength = vertical ? content.Height() : content.Width();
    const int crossLength = vertical ? content.Width() : content.Height();
    std::vector<Item> items;
    items.reserve(children.size());
    for (CControlUI* c : children) {
        if (!c->IsVisible() || c->IsFloat())
            continue;
        RECT pad = c->GetPadding();
        SIZE est = c->EstimateSize(SIZE{content.Width(), content.Height()});
        Item it{c,
                vertical ? est.cy : est.cx,
                vertical ? c->GetMinHeight() : c->GetMinWidth(),
                vertical ? c->GetMaxHeight() : c->GetMaxWidth(),
                vertical ? est.cx : est.cy,
                vertical ? c->GetMinWidth() : c->GetMinHeight(),
                vertical ? c->GetMaxWidth() : c->GetMaxHeight(),
                vertical ? pad.top : pad.left,
                vertical ? pad.bottom : pad.right,
                vertical ? pad.left : pad.top,
                vertical ? pad.right : pad.bottom};
        items.push_back(it);
    }
    LinearLayoutResult result;
    if (items.empty())
        return result;

    // Fixed parts first, then share the rest among the adjustable children; a child whose
    // share breaks its min/max takes that bound and leaves the sharing.
    int fixedTotal = childPadding * (static_cast<int>(items.size()) - 1);
    std::vector<Item*> adjustable;
    for (Item& it : items) {
        fixedTotal += it.padBefore + it.padAfter;
        if (it.fixedMain > 0) {
            it.main = std::clamp(it.fixedMain, it.minMain, std::max(it.minMain, it.maxMain));
            fixedTotal += it.main;
        } else {
            adjustable.push_back(&it);
        }
    }
    bool changed = true;
    while (changed && !adjustable.empty()) {
        changed = false;
        int share = std::max(0, mainLength - fixedTotal) / static_cast<int>(adjustable.size());
        for (auto it = adjustable.begin(); it != adjustable.end(); ++it) {
            Item* item = *it;
            int bounded = std::clamp(share, item->minMain, std::max(item->minMain, item->maxMain));
            if (bounded != share) {
                item->main = bounded;
                fixedTotal += bounded;
                adjustable.erase(it);
                changed = true;
                break;
            }
        }
    }
    if (!adjustable.empty()) {
        int rest = std::max(0, mainLength - fixedTotal);
        int share = rest / static_cast<int>(adjustable.size());
        for (Item* item : adjustable)
            item->main = share;
        adjustable.back()->main += rest - share * static_cast<int>(adjustable.size());
    }

    int pos = (vertical ? content.top : content.left) - scrollMain;
    const int crossStart = (vertical ? content.left : content.top) - scrollCross;
    for (Item& it : items) {
        int crossAvail = crossLength - it.padCrossBefore - it.padCrossAfter;
        int cross = it.fixedCross > 0 ? it.fixedCross : std::max(0, crossAvail);
        cross = std::clamp(cross, it.minCross, std::max(it.minCross, it.maxCross));
        if (it.fixedCross <= 0)
            cross = std::min(cross, std::max(0, crossAvail));
        int crossPos = crossStart + it.padCrossBefore;
        if (align == kTextCenter || align == kTextVCenter) {
            crossPos += (crossAvail - cross) / 2;
        } else if (align == kTextRight || align == kTextBottom) {
            crossPos += crossAvail - cross;
        }
        pos += it.padBefore;
        RECT rc = vertical ? RECT{crossPos, pos, crossPos + cross, pos + it.main}
                           : RECT{pos, crossPos, pos + it.main, crossPos + cross};
        it.control->SetPos(rc, false);
        pos += it.main + it.padAfter + childPadding;
        result.requiredCross =
            std::max(result.requiredCross, cross + it.padCrossBefore + it.padCrossAfter);
    }
    result.requiredMain = pos - childPadding + scrollMain - (vertical ? content.top : content.left);
    return result;
}

}  // namespace ui
