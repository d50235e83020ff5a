#include "panels/hook/HookTranslate.h"

#include "ui/core/LinuxKeyCodes.h"
#include "ui/core/ScanCodes.h"
#include "ui/core/UIDefs.h"

namespace panels::hook {
namespace {

// The kernel's input numbering (stable ABI), kept as numbers: no system header here.
constexpr uint16_t kTranslateEvKey = 0x01;
constexpr uint16_t kTranslateBtnLeft = 0x110;
constexpr uint16_t kTranslateBtnRight = 0x111;
constexpr uint16_t kTranslateBtnMiddle = 0x112;
constexpr uint16_t kTranslateBtnSide = 0x113;
constexpr uint16_t kTranslateBtnExtra = 0x114;
constexpr uint16_t kTranslateBtnForward = 0x115;
constexpr uint16_t kTranslateBtnBack = 0x116;
constexpr int32_t kTranslateRelease = 0;

}  // namespace

HookInputEvent MakeScanKeyEvent(uint32_t scan, bool extended, bool down, uint32_t timeMs) {
    HookInputEvent out;
    out.message = down ? platform::kHookKeyDown : platform::kHookKeyUp;
    out.key.scanCode = scan;
    out.key.flags =
        (extended ? platform::kHookFlagExtended : 0u) | (down ? 0u : platform::kHookFlagReleased);
    out.key.time = timeMs;
    const int row = ui::FindScanRow(scan, extended);
    if (row >= 0) {
        const uint32_t vk = ui::ScanCodeTable()[static_cast<size_t>(row)].vk;
        // A system hook reports keypad Enter as Enter with the extended flag.
        out.key.vkCode = vk == ui::kVkNumEnter ? ui::VK_RETURN : vk;
    }
    return out;
}

std::optional<HookInputEvent> MakeButtonEvent(uint32_t message, uint32_t xButton, int32_t x,
                                              int32_t y, uint32_t timeMs) {
    if (!platform::IsHookMouseMessage(message))
        return std::nullopt;
    const bool isX = message == platform::kHookXDown || message == platform::kHookXUp;
    if (isX && xButton != platform::kHookXButton1 && xButton != platform::kHookXButton2)
        return std::nullopt;
    HookInputEvent out;
    out.isMouse = true;
    out.message = message;
    out.mouse.x = x;
    out.mouse.y = y;
    out.mouse.time = timeMs;
    out.mouse.mouseData = isX ? platform::MakeHookMouseData(xButton) : 0;
    return out;
}

std::optional<HookInputEvent> TranslateEvdevEvent(uint16_t type, uint16_t code, int32_t value,
                                                  int32_t cursorX, int32_t cursorY,
                                                  uint32_t timeMs) {
    if (type != kTranslateEvKey)
        return std::nullopt;
    const bool down = value != kTranslateRelease;  // press (1) or auto-repeat (2)
    uint32_t message = 0;
    uint32_t xButton = 0;
    switch (code) {
        case kTranslateBtnLeft:
            message = platform::kHookLeftDown;
            break;
        case kTranslateBtnRight:
            message = platform::kHookRightDown;
            break;
        case kTranslateBtnMiddle:
            message = platform::kHookMiddleDown;
            break;
        case kTranslateBtnSide:
        case kTranslateBtnBack:
            message = platform::kHookXDown;
            xButton = platform::kHookXButton1;
            break;
        case kTranslateBtnExtra:
        case kTranslateBtnForward:
            message = platform::kHookXDown;
            xButton = platform::kHookXButton2;
            break;
        default:
            break;
    }
    if (message != 0) {
        // A held button repeats nothing a hook would report.
        if (value != 0 && value != 1)
            return std::nullopt;
        return MakeButtonEvent(down ? message : message + 1, xButton, cursorX, cursorY, timeMs);
    }
    const std::optional<ui::PcScanCode> pc = ui::ScanFromLinuxKey(code);
    if (!pc)
        return std::nullopt;
    return MakeScanKeyEvent(pc->scan, pc->extended, down, timeMs);
}

}  // namespace panels::hook
