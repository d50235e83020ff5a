#include "ui/layout/VerticalLayoutUI.h"

#include "ui/layout/LinearLayout.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {
const BuiltInControlRegistration kVerticalLayoutTag("VerticalLayout",
                                                    MakeControl<CVerticalLayoutUI>());
}  // namespace

void* CVerticalLayoutUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "VerticalLayout"))
        return static_cast<CVerticalLayoutUI*>(this);
    return CContainerUI::GetInterface(name);
}

void CVerticalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    // Showing or hiding a scroll bar changes the content width: lay out once more then.
    for (int pass = 0; pass < 2; ++pass) {
        UINT bars = VisibleScrollBars();
        RECT content = ContentRect();
        LinearLayoutResult r = LayoutLinear(m_items, content, true, GetChildPadding(),
                                            m_uChildAlign, m_szScrollPos.cy, m_szScrollPos.cx);
        for (int i = 0; i < GetCount(); ++i) {
            if (m_items[static_cast<size_t>(i)]->IsVisible())
                SetFloatPos(i);
        }
        ProcessScrollBar(content, r.requiredCross, r.requiredMain);
        if (bars == VisibleScrollBars())
            break;
    }
}

}  // namespace ui
