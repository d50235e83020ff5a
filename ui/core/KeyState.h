#pragma once
// Which modifier keys and mouse buttons are held, as the window thread last saw them (the
// answer Win32's GetKeyState gives: negative while held).
// Threads: the window thread notes them; any thread may read them.
#include <cstdint>

#include "ui/core/UIDefs.h"

namespace ui {

// vk: VK_SHIFT, VK_CONTROL, VK_MENU, VK_LBUTTON, VK_RBUTTON or VK_MBUTTON; others read 0.
int16_t GetKeyState(int vk);

namespace detail {
// Called by the windows as input arrives.
void NoteModifiers(uint32_t modifiers);  // kModShift | kModControl | kModAlt
void NoteMouseButton(int vk, bool down);
}  // namespace detail

}  // namespace ui
