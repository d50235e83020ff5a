#include "ui/controls/ControlsCommon.h"

#include <algorithm>

#include "ui/core/PaintManager.h"

namespace ui {

std::string DestModify(const Rect& part, const Rect& item) {
    return "dest='" + std::to_string(part.left - item.left) + "," +
           std::to_string(part.top - item.top) + "," + std::to_string(part.right - item.left) +
           "," + std::to_string(part.bottom - item.top) + "'";
}

bool DrawPartImage(CControlUI& control, RenderTarget& target, const std::string& image,
                   const Rect& part) {
    if (image.empty() || part.IsEmpty())
        return false;
    return control.DrawImage(target, image, DestModify(part, control.GetPos()));
}

namespace {
UINT g_heldModifiers = 0;  // window thread only

UINT ModifierBit(uint32_t vk) {
    switch (vk) {
        case VK_SHIFT:
            return MK_SHIFT;
        case VK_CONTROL:
            return MK_CONTROL;
        case VK_MENU:
            return MK_ALT;
        default:
            return 0;
    }
}
}  // namespace

void NoteModifierKeys(const TEventUI& event) {
    constexpr UINT kMods = MK_SHIFT | MK_CONTROL | MK_ALT;
    if (event.Type == UIEVENT_KEYDOWN) {
        g_heldModifiers |= ModifierBit(event.chKey);
    } else if (event.Type == UIEVENT_KEYUP) {
        g_heldModifiers &= ~ModifierBit(event.chKey);
    } else if (event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
        g_heldModifiers = event.wKeyState & kMods;
    } else if (event.Type == UIEVENT_KILLFOCUS) {
        // Releases that happen while another control has the focus are not seen.
        g_heldModifiers = 0;
    }
}

UINT EventKeyState(const CControlUI& control, const TEventUI& event) {
    UINT keys = event.wKeyState | g_heldModifiers;
    if (control.GetManager() != nullptr)
        keys |= control.GetManager()->GetKeyState();
    return keys;
}

Color WithOpacity(Color color, int opacity) {
    const int alpha = ColorAlpha(color) * std::clamp(opacity, 0, 255) / 255;
    return (color & 0x00FFFFFFu) | (static_cast<Color>(alpha) << 24);
}

}  // namespace ui
