#include "controls/DeviceKeyButtonUI.h"

#include "controls/LedColour.h"
#include "ui/core/PaintManager.h"
#include "ui/render/ImageDescription.h"
#include "ui/render/RenderEngine.h"

namespace controls {

void* CDeviceKeyButtonUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return static_cast<CDeviceKeyButtonUI*>(this);
    return CButtonUI::GetInterface(name);
}

void CDeviceKeyButtonUI::DoEvent(ui::TEventUI& event) {
    if (event.Type == ui::UIEVENT_DBLCLICK) {
        // Only a double click on the enabled button counts; anything else is dropped.
        if (m_rcItem.Contains(event.ptMouse) && IsEnabled()) {
            m_uButtonState |= ui::UISTATE_PUSHED | ui::UISTATE_CAPTURED;
            if (m_pManager != nullptr)
                m_pManager->SendNotify(this, "dbclick");
            Invalidate();
        }
        return;
    }
    CButtonUI::DoEvent(event);
}

void CDeviceKeyButtonUI::SetAttribute(std::string_view name, std::string_view value) {
    if (ui::EqualsNoCase(name, "lightimage")) {
        lightImage_ = std::string(value);
        Invalidate();
    } else if (ui::EqualsNoCase(name, "keysetimage")) {
        keySetImage_ = std::string(value);
        Invalidate();
    } else if (ui::EqualsNoCase(name, "gmnametextcolor")) {
        // Accepted for skins that carry it; it changes nothing in the drawing.
        ui::Color ignored = 0;
        ui::ParseColorValue(std::string(value), ignored);
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void CDeviceKeyButtonUI::PaintStatusImage(ui::RenderTarget& target) {
    CButtonUI::PaintStatusImage(target);
    if (m_pManager == nullptr)
        return;
    if (lightShown_ && !lightImage_.empty()) {
        ui::CRenderEngine::DrawImageString(target, m_pManager, m_rcItem, m_rcPaint, lightImage_, "",
                                           LedWordToTint(lightColour_), lightLevel_, lightShown_);
    }
    if (!keySetImageHidden_ && !keySetImage_.empty()) {
        ui::CRenderEngine::DrawImageString(target, m_pManager, m_rcItem, m_rcPaint, keySetImage_,
                                           "", 0, 0, false);
    }
}

void CDeviceKeyButtonUI::SetLightColour(uint32_t colour, int level, bool shown) {
    if (colour == lightColour_ && level == lightLevel_ && shown == lightShown_)
        return;
    lightColour_ = colour;
    lightLevel_ = level;
    lightShown_ = shown;
    // Only the light that changed is painted again.
    Invalidate();
}

void CDeviceKeyButtonUI::SetKeySetImageHidden(bool hidden) {
    if (hidden == keySetImageHidden_)
        return;
    keySetImageHidden_ = hidden;
    Invalidate();
}

void CDeviceKeyButtonUI::SetSelected(int flag) {
    if (flag == selected_)
        return;
    selected_ = flag;
}

}  // namespace controls
