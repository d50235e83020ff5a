#include "ui/layout/HorizontalLayoutUI.h"

#include "ui/layout/LinearLayout.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {
const BuiltInControlRegistration kHorizontalLayoutTag("HorizontalLayout",
                                                      MakeControl<CHorizontalLayoutUI>());
}  // namespace

void* CHorizontalLayoutUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "HorizontalLayout"))
        return static_cast<CHorizontalLayoutUI*>(this);
    return CContainerUI::GetInterface(name);
}

void CHorizontalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    // Showing or hiding a scroll bar changes the content height: lay out once more then.
    for (int pass = 0; pass < 2; ++pass) {
        UINT bars = VisibleScrollBars();
        RECT content = ContentRect();
        LinearLayoutResult r = LayoutLinear(m_items, content, false, GetChildPadding(),
                                            m_uChildVAlign, m_szScrollPos.cx, m_szScrollPos.cy);
        for (int i = 0; i < GetCount(); ++i) {
            if (m_items[static_cast<size_t>(i)]->IsVisible())
                SetFloatPos(i);
        }
        ProcessScrollBar(content, r.requiredMain, r.requiredCross);
        if (bars == VisibleScrollBars())
            break;
    }
}

}  // namespace ui
