#pragma once
// An input hook: a source of every key press and release that hands each one, as the
// low-level keyboard record a system hook reports, to a sink before anything else sees it,
// and lets the sink withhold it. The key capture of the key panel and the macro recorder
// take their keys from such a hook.
//
// This interface is portable and includes no system header. Its realisation today sees the
// keys of the program's own windows (panels/hook/); a desktop-wide realisation, and the mouse
// buttons the macro recorder also records, come with the recorder.
//
// Threads: a hook is started, stopped and destroyed on the window thread, and calls its sink
// there.
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

}  // namespace platform
