#pragma once
// Qt key codes to the Win32 virtual-key codes the program's key tables speak.
#include <Qt>
#include <cstdint>

namespace ui::qt {

// 0 for keys without a virtual-key code.
uint32_t VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
uint32_t ModifiersFromQt(Qt::KeyboardModifiers modifiers);

}  // namespace ui::qt
