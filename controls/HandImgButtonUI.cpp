#include "controls/HandImgButtonUI.h"

#include "controls/HandImageDrawing.h"
#include "ui/core/PaintManager.h"
#include "ui/render/RenderEngine.h"

namespace controls {

void* CHandImgButtonUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return static_cast<CHandImgButtonUI*>(this);
    return CButtonUI::GetInterface(name);
}

ui::RECT CHandImgButtonUI::DeleteRect() const {
    int top = m_rcItem.bottom - Scale(29);
    int left = m_rcItem.right - Scale(30);
    return ui::RECT{left, top, left + Scale(20), top + Scale(20)};
}

void CHandImgButtonUI::SetHandImage(const std::string& image) {
    handImage_ = image;
    Invalidate();
}

void CHandImgButtonUI::SetDeleteHidden(bool hidden) {
    if (hidden == deleteHidden_)
        return;
    deleteHidden_ = hidden;
    Invalidate();
}

void CHandImgButtonUI::SetAttribute(std::string_view name, std::string_view value) {
    if (ui::EqualsNoCase(name, "handimage")) {
        SetHandImage(std::string(value));
    } else if (ui::EqualsNoCase(name, "deletenormalimage")) {
        deleteNormalImage_ = std::string(value);
    } else if (ui::EqualsNoCase(name, "deletehotimage")) {
        deleteHotImage_ = std::string(value);
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void CHandImgButtonUI::DoEvent(ui::TEventUI& event) {
    const ui::UINT kPushedCaptured = ui::UISTATE_PUSHED | ui::UISTATE_CAPTURED;
    switch (event.Type) {
        case ui::UIEVENT_BUTTONDOWN:
        case ui::UIEVENT_DBLCLICK:
            if (m_rcItem.Contains(event.ptMouse) && IsEnabled()) {
                m_uButtonState |= kPushedCaptured;
                Invalidate();
            }
            return;
        case ui::UIEVENT_BUTTONUP:
            if (m_uButtonState & ui::UISTATE_CAPTURED) {
                if (!deleteHidden_ && DeleteRect().Contains(event.ptMouse)) {
                    if (m_pManager != nullptr)
                        m_pManager->SendNotify(this, "click_handdelete");
                } else if (m_rcItem.Contains(event.ptMouse)) {
                    Activate();
                }
                m_uButtonState &= ~kPushedCaptured;
                Invalidate();
            }
            return;
        case ui::UIEVENT_MOUSEMOVE:
            deleteImage_ =
                DeleteRect().Contains(event.ptMouse) ? deleteHotImage_ : deleteNormalImage_;
            if (m_uButtonState & ui::UISTATE_CAPTURED) {
                if (m_rcItem.Contains(event.ptMouse))
                    m_uButtonState |= ui::UISTATE_PUSHED;
                else
                    m_uButtonState &= ~static_cast<ui::UINT>(ui::UISTATE_PUSHED);
            }
            Invalidate();
            return;
        case ui::UIEVENT_MOUSEENTER:
            if (IsEnabled()) {
                m_uButtonState |= ui::UISTATE_HOT;
                if (m_pManager != nullptr)
                    m_pManager->SendNotify(this, "msenter");
                Invalidate();
            }
            break;
        case ui::UIEVENT_MOUSELEAVE:
            if (IsEnabled()) {
                m_uButtonState &= ~static_cast<ui::UINT>(ui::UISTATE_HOT);
                if (m_pManager != nullptr)
                    m_pManager->SendNotify(this, "msleave");
                Invalidate();
            }
            break;
        default:
            break;
    }
    CButtonUI::DoEvent(event);
}

void CHandImgButtonUI::PaintStatusImage(ui::RenderTarget& target) {
    CButtonUI::PaintStatusImage(target);
    if (!handImage_.empty())
        DrawHandImage(*this, target, m_rcPaint, handImage_, HandImageFallback::OwnParser);
    if ((m_uButtonState & ui::UISTATE_HOT) && !deleteHidden_ && !deleteImage_.empty() &&
        m_pManager != nullptr) {
        ui::CRenderEngine::DrawImageString(target, m_pManager, DeleteRect(), m_rcPaint,
                                           deleteImage_);
    }
}

}  // namespace controls
