#pragma once
// Input hooks: a keyboard hook hands every key press and release, as the low-level keyboard
// record a system hook reports, to a sink before anything else sees it, and lets the sink
// withhold it; a mouse hook hands every mouse button press and release, as the record a
// low-level mouse hook reports, to its sink. The key capture of the key panel and the macro
// recorder take their input from such hooks.
//
// This interface is portable and includes no system header. Its realisations (panels/hook/)
// see the input of the program's own windows, of the desktop's input devices, or of a script.
//
// Threads: a hook is started, stopped and destroyed on the window thread, and calls its sink
// there.
#include <cstddef>
#include <cstdint>
#include <functional>

namespace platform {

// The key messages a record comes with: a press or release, the system variants while Alt is
// held. Values as the window messages have them.
constexpr uint32_t kHookKeyDown = 0x0100;
constexpr uint32_t kHookKeyUp = 0x0101;
constexpr uint32_t kHookSysKeyDown = 0x0104;
constexpr uint32_t kHookSysKeyUp = 0x0105;

constexpr bool IsHookKeyMessage(uint32_t message) {
    return message == kHookKeyDown || message == kHookKeyUp || message == kHookSysKeyDown ||
           message == kHookSysKeyUp;
}
constexpr bool IsHookKeyDown(uint32_t message) {
    return message == kHookKeyDown || message == kHookSysKeyDown;
}

// Bits of HookKeyboardRecord::flags.
constexpr uint32_t kHookFlagExtended = 0x01;  // the extended key of a pair (Right Ctrl, arrows)
constexpr uint32_t kHookFlagReleased = 0x80;  // the key goes up

// One key event, laid out as a low-level keyboard hook reports it: the fields are in this
// order and 32 bits wide, so a pointer to it can be handed on as it is.
struct HookKeyboardRecord {
    // Virtual-key code with its side: 0xA0-0xA5 for the Shift, Ctrl and Alt keys, 0x5B and
    // 0x5C for the Win keys; keypad Enter is Enter (0x0D) with the extended flag.
    uint32_t vkCode = 0;
    uint32_t scanCode = 0;  // PC scan code, set 1
    uint32_t flags = 0;     // kHookFlag* bits
    uint32_t time = 0;      // milliseconds of a monotonic clock (wraps)
};
static_assert(sizeof(HookKeyboardRecord) == 16, "four 32-bit fields, no padding");

// Given each key event before anyone else: message is one of the kHook*Key* values. True
// withholds the event from everybody else (windows, their controls, other programs where the
// hook reaches them).
using KeyboardHookSink = std::function<bool(uint32_t message, const HookKeyboardRecord& record)>;

class KeyboardHook {
  public:
    virtual ~KeyboardHook() = default;  // stops the hook first
    // Starts delivering key events to sink; a running hook is restarted with the new sink.
    // False when the hook cannot be set (nothing is delivered then).
    virtual bool Start(KeyboardHookSink sink) = 0;
    // Stops delivering; may be called from inside the sink. Stopping a stopped hook does
    // nothing.
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
};

// The mouse button messages a mouse record comes with, as the window messages have them. An X
// button (side button) tells which one in the high word of HookMouseRecord::mouseData.
constexpr uint32_t kHookLeftDown = 0x0201;
constexpr uint32_t kHookLeftUp = 0x0202;
constexpr uint32_t kHookRightDown = 0x0204;
constexpr uint32_t kHookRightUp = 0x0205;
constexpr uint32_t kHookMiddleDown = 0x0207;
constexpr uint32_t kHookMiddleUp = 0x0208;
constexpr uint32_t kHookXDown = 0x020B;
constexpr uint32_t kHookXUp = 0x020C;
constexpr uint32_t kHookXButton1 = 1;  // "back"
constexpr uint32_t kHookXButton2 = 2;  // "forward"

constexpr bool IsHookMouseMessage(uint32_t message) {
    return message == kHookLeftDown || message == kHookLeftUp || message == kHookRightDown ||
           message == kHookRightUp || message == kHookMiddleDown || message == kHookMiddleUp ||
           message == kHookXDown || message == kHookXUp;
}

// One mouse button event, laid out as a low-level mouse hook reports it to a hook library's
// receiver: 24 bytes, the pointer position at offsets 0 and 4, the mouse data at 20.
struct HookMouseRecord {
    int32_t x = 0;  // pointer position on the screen
    int32_t y = 0;
    uint32_t window = 0;     // low 32 bits of the program's window under the pointer; 0: other
    uint32_t hitTest = 0;    // 1 (client area) over a window of the program, else 0
    uint32_t time = 0;       // milliseconds of a monotonic clock (wraps)
    uint32_t mouseData = 0;  // X buttons: kHookXButton1 or 2 in the high word
};
static_assert(sizeof(HookMouseRecord) == 24, "six 32-bit fields, no padding");
static_assert(offsetof(HookMouseRecord, mouseData) == 20, "mouse data where a hook reports it");

constexpr uint32_t MakeHookMouseData(uint32_t xButton) {
    return (xButton & 0xFFFFu) << 16;
}
constexpr uint32_t HookXButtonOf(const HookMouseRecord& record) {
    return record.mouseData >> 16;
}

// Given each mouse button event: message is one of the kHook*Down/Up values. Mouse buttons
// are never withheld: the click that stops a recording must reach its button.
using MouseHookSink = std::function<void(uint32_t message, const HookMouseRecord& record)>;

class MouseHook {
  public:
    virtual ~MouseHook() = default;  // stops the hook first
    // Starts delivering button events to sink; a running hook is restarted with the new sink.
    // False when the hook cannot be set.
    virtual bool Start(MouseHookSink sink) = 0;
    // Stops delivering; may be called from inside the sink.
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
};

}  // namespace platform
