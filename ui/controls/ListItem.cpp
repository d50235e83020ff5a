#include "ui/controls/ListItem.h"

#include <algorithm>
#include "ui/controls/ControlsCommon.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
IListItemUI* AsListItem(CControlUI* control) {
    return control ? static_cast<IListItemUI*>(control->GetInterface("ListItem")) : nullptr;
}

int DefaultRowHeight(const CControlUI& row, const TListInfoUI* info) {
    if (info != nullptr && info->nItemHeight > 0)
        return row.Scale(info->nItemHeight);
    const CPaintManagerUI* pm = row.GetManager();
    const int font = pm ? pm->GetFont(info ? info->nFont : -1).size : row.Scale(12);
    return font + row.Scale(12);
}

bool ApplyListInfoAttribute(TListInfoUI& info, std::string_view name, std::string_view value) {
    const std::string v(value);
    Color c = 0;
    int n = 0;
    Rect r;
    struct ColorAttr {
        std::string_view name;
        Color TListInfoUI::*field;
    };
    static constexpr ColorAttr kColors[] = {
        {"itemtextcolor", &TListInfoUI::dwTextColor},
        {"itembkcolor", &TListInfoUI::dwBkColor},
        {"itemselectedtextcolor", &TListInfoUI::dwSelectedTextColor},
        {"itemselectedbkcolor", &TListInfoUI::dwSelectedBkColor},
        {"itemhottextcolor", &TListInfoUI::dwHotTextColor},
        {"itemhotbkcolor", &TListInfoUI::dwHotBkColor},
        {"itemdisabledtextcolor", &TListInfoUI::dwDisabledTextColor},
        {"itemdisabledbkcolor", &TListInfoUI::dwDisabledBkColor},
        {"itemlinecolor", &TListInfoUI::dwLineColor},
    };
    for (const auto& attr : kColors) {
        if (EqualsNoCase(name, attr.name)) {
            if (ParseColor(v, c))
                info.*attr.field = c;
            return true;
        }
    }
    struct ImageAttr {
        std::string_view name;
        std::string TListInfoUI::*field;
    };
    static constexpr ImageAttr kImages[] = {
        {"itembkimage", &TListInfoUI::sBkImage},
        {"itemselectedimage", &TListInfoUI::sSelectedImage},
        {"itemhotimage", &TListInfoUI::sHotImage},
        {"itemdisabledimage", &TListInfoUI::sDisabledImage},
    };
    for (const auto& attr : kImages) {
        if (EqualsNoCase(name, attr.name)) {
            info.*attr.field = v;
            return true;
        }
    }
    if (EqualsNoCase(name, "itemfont")) {
        if (ParseInt(v, n))
            info.nFont = n;
    } else if (EqualsNoCase(name, "itemalign")) {
        info.uTextStyle &= ~static_cast<UINT>(kTextLeft | kTextCenter | kTextRight);
        if (EqualsNoCase(v, "center"))
            info.uTextStyle |= kTextCenter;
        if (EqualsNoCase(v, "right"))
            info.uTextStyle |= kTextRight;
    } else if (EqualsNoCase(name, "itemendellipsis")) {
        info.uTextStyle = ParseBool(v) ? (info.uTextStyle | kTextEndEllipsis)
                                       : (info.uTextStyle & ~static_cast<UINT>(kTextEndEllipsis));
    } else if (EqualsNoCase(name, "itemtextpadding")) {
        if (ParseRect(v, r))
            info.rcTextPadding = r;
    } else if (EqualsNoCase(name, "itemshowhtml")) {
        info.bShowHtml = ParseBool(v);
    } else if (EqualsNoCase(name, "itemalternatebk")) {
        info.bAlternateBk = ParseBool(v);
    } else if (EqualsNoCase(name, "itemheight")) {
        if (ParseInt(v, n) && n >= 0)
            info.nItemHeight = n;
    } else {
        return false;
    }
    return true;
}

// --- ListItemCore ---------------------------------------------------------------------

bool ListItemCore::Select(CControlUI& self, bool select, bool notify) {
    if (!self.IsEffectivelyEnabled() && select)
        return false;
    if (owner == nullptr) {
        selected = select;
        self.Invalidate();
        return true;
    }
    if (select)
        return owner->SelectItem(index, false, notify);
    return owner->UnSelectItem(index);
}

bool ListItemCore::SelectMulti(CControlUI& self, bool select) {
    if (!self.IsEffectivelyEnabled() && select)
        return false;
    if (owner == nullptr)
        return Select(self, select, false);
    if (select)
        return owner->SelectMultiItem(index, false, true);
    return owner->UnSelectItem(index);
}

bool ListItemCore::HandleEvent(CControlUI& self, TEventUI& event) {
    CPaintManagerUI* pm = self.GetManager();
    switch (event.Type) {
        case UIEVENT_DBLCLICK:
            if (!self.IsEffectivelyEnabled())
                return true;
            self.Activate();
            self.Invalidate();
            return true;
        case UIEVENT_KEYDOWN:
            if (event.chKey == VK_RETURN && self.IsEffectivelyEnabled()) {
                self.Activate();
                self.Invalidate();
                return true;
            }
            return false;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_RBUTTONDOWN: {
            if (!self.IsEffectivelyEnabled())
                return true;
            const UINT keys = EventKeyState(self, event);
            const bool multi = owner != nullptr && owner->IsMultiSelect();
            if (event.Type == UIEVENT_RBUTTONDOWN && selected) {
                // A right click on a selected row keeps a multi-selection for its menu.
            } else if (multi && IsCtrlHeld(keys)) {
                SelectMulti(self, !selected);
            } else if (multi && IsShiftHeld(keys)) {
                owner->SelectRange(index, true, true);
            } else {
                Select(self, true, true);
            }
            if (owner != nullptr) {
                if (CControlUI* oc = owner->GetOwnerControl(); oc && oc->IsKeyboardEnabled()) {
                    if (pm != nullptr && pm->GetFocus() != oc)
                        oc->SetFocus();
                }
            }
            pressed = event.Type == UIEVENT_BUTTONDOWN;
            self.Invalidate();
            return true;
        }
        case UIEVENT_BUTTONUP:
            if (pressed && self.IsEffectivelyEnabled() && pm != nullptr &&
                self.GetPos().Contains(event.ptMouse)) {
                pressed = false;
                pm->SendNotify(&self, "itemclick");
            }
            pressed = false;
            return true;
        case UIEVENT_MOUSEMOVE:
            return true;
        case UIEVENT_MOUSEENTER:
            if (self.IsEffectivelyEnabled()) {
                hot = true;
                self.Invalidate();
            }
            return true;
        case UIEVENT_MOUSELEAVE:
            if (hot) {
                hot = false;
                self.Invalidate();
            }
            return true;
        default:
            return false;
    }
}

void ListItemCore::DrawBk(CControlUI& self, RenderTarget& target) const {
    const TListInfoUI* info = owner ? owner->GetListInfo() : nullptr;
    if (info == nullptr)
        return;
    const RECT& rc = self.GetPos();
    Color bk = info->dwBkColor;
    const std::string* image = &info->sBkImage;
    if (!self.IsEffectivelyEnabled()) {
        if (info->dwDisabledBkColor)
            bk = info->dwDisabledBkColor;
        if (!info->sDisabledImage.empty())
            image = &info->sDisabledImage;
    } else if (selected) {
        if (info->dwSelectedBkColor)
            bk = info->dwSelectedBkColor;
        if (!info->sSelectedImage.empty())
            image = &info->sSelectedImage;
    } else if (hot) {
        if (info->dwHotBkColor)
            bk = info->dwHotBkColor;
        if (!info->sHotImage.empty())
            image = &info->sHotImage;
    } else if (info->bAlternateBk && index % 2 == 1) {
        bk = bk ? bk : 0xFFFFFFFF;
        CRenderEngine::DrawColor(target, rc, bk);
        bk = 0x0C000000;
    }
    if (bk != 0)
        CRenderEngine::DrawColor(target, rc, bk);
    if (!image->empty())
        self.DrawImage(target, *image);
    if (info->dwLineColor != 0) {
        target.FillRect(Rect{rc.left, rc.bottom - 1, rc.right, rc.bottom}, info->dwLineColor);
    }
}

Color ListItemCore::TextColor(const CControlUI& self) const {
    const TListInfoUI* info = owner ? owner->GetListInfo() : nullptr;
    if (info == nullptr)
        return 0xFF000000;
    if (!self.IsEffectivelyEnabled())
        return info->dwDisabledTextColor;
    if (selected)
        return info->dwSelectedTextColor;
    if (hot)
        return info->dwHotTextColor;
    return info->dwTextColor;
}

}  // namespace ui
