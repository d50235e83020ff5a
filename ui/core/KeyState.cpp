#include "ui/core/KeyState.h"

#include <atomic>

#include "ui/core/Backend.h"

namespace ui {
namespace {

std::atomic<uint32_t> g_modifiers{0};
std::atomic<uint32_t> g_buttons{0};  // bit 0 left, 1 right, 2 middle

uint32_t ButtonBit(int vk) {
    switch (vk) {
        case VK_LBUTTON:
            return 1;
        case VK_RBUTTON:
            return 2;
        case VK_MBUTTON:
            return 4;
        case VK_XBUTTON1:
            return 8;
        case VK_XBUTTON2:
            return 16;
        default:
            return 0;
    }
}

}  // namespace

int16_t GetKeyState(int vk) {
    bool held = false;
    uint32_t mods = g_modifiers.load();
    switch (vk) {
        case VK_SHIFT:
            held = (mods & kModShift) != 0;
            break;
        case VK_CONTROL:
            held = (mods & kModControl) != 0;
            break;
        case VK_MENU:
            held = (mods & kModAlt) != 0;
            break;
        default:
            held = (g_buttons.load() & ButtonBit(vk)) != 0;
            break;
    }
    return held ? static_cast<int16_t>(-128) : 0;
}

namespace detail {

void NoteModifiers(uint32_t modifiers) {
    g_modifiers = modifiers;
}

void NoteMouseButton(int vk, bool down) {
    uint32_t bit = ButtonBit(vk);
    if (down) {
        g_buttons |= bit;
    } else {
        g_buttons &= ~bit;
    }
}

}  // namespace detail
}  // namespace ui
