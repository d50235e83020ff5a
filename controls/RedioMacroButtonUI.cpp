#include "controls/RedioMacroButtonUI.h"

#include <cstdio>

#include "ui/core/PaintManager.h"

namespace controls {

void* CRedioMacroButtonUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return static_cast<CRedioMacroButtonUI*>(this);
    return CButtonUI::GetInterface(name);
}

void CRedioMacroButtonUI::SetAttribute(std::string_view name, std::string_view value) {
    if (ui::EqualsNoCase(name, "redioimage")) {
        pulseImage_ = std::string(value);
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void CRedioMacroButtonUI::SetPulse(bool pulse) {
    pulse_ = pulse;
    if (m_pManager == nullptr)
        return;
    if (pulse)
        m_pManager->SetTimer(this, kPulseTimer, kPulseMs);
    else
        m_pManager->KillTimer(this, kPulseTimer);
}

void CRedioMacroButtonUI::PulseStep() {
    if (m_pManager != nullptr)
        m_pManager->KillTimer(this, kPulseTimer);
    if (!pulseImage_.empty()) {
        if (fadeRising_) {
            fadeLevel_ += 20;
            if (fadeLevel_ > 254) {
                fadeLevel_ = 255;
                fadeRising_ = false;
            }
        } else {
            fadeLevel_ -= 20;
            if (fadeLevel_ <= 80) {
                fadeLevel_ = 80;
                fadeRising_ = true;
            }
        }
        char fade[32];
        std::snprintf(fade, sizeof fade, "fade='%d'", fadeLevel_);
        SetNormalImage("res='" + pulseImage_ + "' " + fade);
    }
    if (pulse_ && m_pManager != nullptr)
        m_pManager->SetTimer(this, kPulseTimer, kPulseMs);
}

void CRedioMacroButtonUI::DoEvent(ui::TEventUI& event) {
    if (event.Type == ui::UIEVENT_TIMER && event.wParam == kPulseTimer)
        PulseStep();
    CButtonUI::DoEvent(event);
}

}  // namespace controls
