#include "ui/controls/OptionUI.h"

#include "ui/controls/ControlsCommon.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {
// How much of the selected background a disabled option keeps (0-255).
constexpr int kDisabledSelectionOpacity = 90;
const BuiltInControlRegistration kOptionTag("Option", MakeControl<COptionUI>());
const BuiltInControlRegistration kCheckBoxTag("CheckBox", MakeControl<CCheckBoxUI>());
}  // namespace

COptionUI::~COptionUI() {
    if (!m_sGroupName.empty() && m_pManager != nullptr) {
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
    }
}

void* COptionUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "Option"))
        return static_cast<COptionUI*>(this);
    return CButtonUI::GetInterface(name);
}

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (!m_sGroupName.empty() && m_pManager != nullptr && m_pManager != manager) {
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
    }
    CButtonUI::SetManager(manager, parent, init);
    if (!m_sGroupName.empty() && m_pManager != nullptr) {
        m_pManager->AddOptionGroup(m_sGroupName, this);
    }
}

void COptionUI::SetGroup(const std::string& group) {
    if (group == m_sGroupName)
        return;
    if (!m_sGroupName.empty() && m_pManager != nullptr) {
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
    }
    m_sGroupName = group;
    if (!m_sGroupName.empty() && m_pManager != nullptr) {
        m_pManager->AddOptionGroup(m_sGroupName, this);
    }
    Selected(m_bSelected, false);
}

void COptionUI::Selected(bool selected, bool bTriggerEvent) {
    if (m_bSelected == selected)
        return;
    m_bSelected = selected;
    if (selected) {
        m_uButtonState |= UISTATE_SELECTED;
    } else {
        m_uButtonState &= ~static_cast<UINT>(UISTATE_SELECTED);
    }
    if (m_pManager != nullptr) {
        if (selected && !m_sGroupName.empty()) {
            // Copy: unselecting may run handlers that change the group.
            if (const auto* group = m_pManager->GetOptionGroup(m_sGroupName)) {
                std::vector<CControlUI*> others = *group;
                for (CControlUI* other : others) {
                    auto* option = static_cast<COptionUI*>(other->GetInterface("Option"));
                    // Only the option that became selected reports; the others go quietly.
                    if (option != nullptr && option != this)
                        option->Selected(false, false);
                }
            }
        }
        if (bTriggerEvent)
            m_pManager->SendNotify(this, "selectchanged");
    }
    Invalidate();
}

bool COptionUI::Activate() {
    if (!CButtonUI::Activate())
        return false;
    if (!m_sGroupName.empty()) {
        Selected(true);
    } else {
        Selected(!m_bSelected);
    }
    return true;
}

Color COptionUI::CurrentTextColor() const {
    if (m_bSelected && IsEffectivelyEnabled() && m_dwSelectedTextColor != 0)
        return m_dwSelectedTextColor;
    return CButtonUI::CurrentTextColor();
}

void COptionUI::PaintBkColor(RenderTarget& target) {
    if (m_bSelected && m_dwSelectedBkColor != 0) {
        // A disabled selection stays recognisable, faded.
        const Color color = IsEffectivelyEnabled()
                                ? m_dwSelectedBkColor
                                : WithOpacity(m_dwSelectedBkColor, kDisabledSelectionOpacity);
        Size round = GetBorderRound();
        if (round.cx > 0) {
            target.FillRoundRect(m_rcItem, round.cx, GetAdjustColor(color));
        } else {
            target.FillRect(m_rcItem, GetAdjustColor(color));
        }
        return;
    }
    CButtonUI::PaintBkColor(target);
}

void COptionUI::PaintStatusImage(RenderTarget& target) {
    if (!m_bSelected || m_sSelectedImage.empty()) {
        CButtonUI::PaintStatusImage(target);
    } else {
        const std::string* image = &m_sSelectedImage;
        if (!IsEffectivelyEnabled()) {
            if (!m_sSelectedDisabledImage.empty())
                image = &m_sSelectedDisabledImage;
        } else if ((m_uButtonState & UISTATE_PUSHED) && !m_sSelectedPushedImage.empty()) {
            image = &m_sSelectedPushedImage;
        } else if ((m_uButtonState & UISTATE_HOT) && !m_sSelectedHotImage.empty()) {
            image = &m_sSelectedHotImage;
        }
        DrawImage(target, *image);
    }
    if (m_bSelected && !m_sSelectedForeImage.empty())
        DrawImage(target, m_sSelectedForeImage);
}

void COptionUI::SetSelectedImage(const std::string& image) {
    m_sSelectedImage = image;
    Invalidate();
}
void COptionUI::SetSelectedHotImage(const std::string& image) {
    m_sSelectedHotImage = image;
    Invalidate();
}
void COptionUI::SetSelectedPushedImage(const std::string& image) {
    m_sSelectedPushedImage = image;
    Invalidate();
}
void COptionUI::SetSelectedDisabledImage(const std::string& image) {
    m_sSelectedDisabledImage = image;
    Invalidate();
}
void COptionUI::SetSelectedForeImage(const std::string& image) {
    m_sSelectedForeImage = image;
    Invalidate();
}

void COptionUI::SetAttribute(std::string_view name, std::string_view value) {
    std::string v(value);
    Color c = 0;
    if (EqualsNoCase(name, "group"))
        SetGroup(v);
    else if (EqualsNoCase(name, "selected"))
        Selected(ParseBool(v), false);
    else if (EqualsNoCase(name, "selectedimage"))
        SetSelectedImage(v);
    else if (EqualsNoCase(name, "selectedhotimage"))
        SetSelectedHotImage(v);
    else if (EqualsNoCase(name, "selectedpushedimage"))
        SetSelectedPushedImage(v);
    else if (EqualsNoCase(name, "selecteddisabledimage"))
        SetSelectedDisabledImage(v);
    else if (EqualsNoCase(name, "selectedforeimage"))
        SetSelectedForeImage(v);
    else if (EqualsNoCase(name, "selectedtextcolor")) {
        if (ParseColor(v, c))
            SetSelectedTextColor(c);
    } else if (EqualsNoCase(name, "selectedbkcolor")) {
        if (ParseColor(v, c))
            SetSelectedBkColor(c);
    } else
        CButtonUI::SetAttribute(name, value);
}

void* CCheckBoxUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "CheckBox"))
        return static_cast<CCheckBoxUI*>(this);
    return COptionUI::GetInterface(name);
}

bool CCheckBoxUI::Activate() {
    if (!COptionUI::Activate())
        return false;
    if (m_pManager != nullptr)
        m_pManager->SendNotify(this, "checkclick");
    return true;
}

void CCheckBoxUI::SetAttribute(std::string_view name, std::string_view value) {
    // A check box has no group: each one stands alone.
    if (EqualsNoCase(name, "group"))
        return;
    if (EqualsNoCase(name, "checked")) {
        Selected(ParseBool(value), false);
        return;
    }
    COptionUI::SetAttribute(name, value);
}

}  // namespace ui
