#pragma once
// The macro recorder: turns each key and mouse-button event of a recording into an event row
// of the macro panel's list, with the delays of the chosen time mode, in one of four
// placements (append, before or after the selected row, or replacing the selected row's
// event). The panel owns one recorder; its memories of the last key (per placement) and of
// the last mouse message persist across recordings.
//
// Threads: window thread only.
#include <cstdint>

#include "panels/macros/MacroEventList.h"
#include "platform/InputHook.h"

namespace panels::macros {

enum class RecordPlacement { kAppend, kBefore, kAfter, kSingle };

// Time modes: real delays, a fixed delay, no delays.
constexpr int kTimeReal = 1;
constexpr int kTimeFixed = 2;
constexpr int kTimeIgnore = 3;
constexpr uint16_t kDefaultFixedDelay = 50;
constexpr uint16_t kMinimumFixedDelay = 10;

class CMacroRecorder {
  public:
    // A typed fixed delay brought into 10-65535, with the language key of the message that
    // tells so ("message_text_36" raised, "message_text_38" lowered; null: unchanged).
    struct FixedDelayChoice {
        uint16_t delay;
        const char* messageKey;
    };
    static FixedDelayChoice ClampFixedDelay(unsigned long long typed);

    // Starts a recording: the time mode, the fixed delay and the clock's now (ms).
    void Start(int timeMode, uint16_t fixedDelay, uint64_t nowMs);
    int TimeMode() const { return timeMode_; }
    uint16_t FixedDelay() const { return fixedDelay_; }
    // An event was recorded since the program started.
    bool Recorded() const { return recorded_; }

    // A keyboard hook event (message 0x100/0x101/0x104/0x105 and its record).
    void OnKey(RecordPlacement placement, uint32_t message,
               const platform::HookKeyboardRecord& record, uint64_t nowMs, IMacroEventList& list);
    // A mouse hook event (message 0x201-0x20C and its record).
    void OnMouse(RecordPlacement placement, uint32_t message,
                 const platform::HookMouseRecord& record, uint64_t nowMs, IMacroEventList& list);

  private:
    // Places one event by the placement's rules, with the delays of the time mode.
    void Place(RecordPlacement placement, bool down, int button, int type, uint64_t nowMs,
               IMacroEventList& list);

    int timeMode_ = kTimeReal;
    uint16_t fixedDelay_ = kDefaultFixedDelay;
    uint64_t lastEventMs_ = 0;
    bool recorded_ = false;
    struct LastKey {
        bool set = false;
        uint32_t scan = 0;
        bool extended = false;
    };
    LastKey lastKey_[4];
    uint32_t lastMouseMessage_ = 0;  // program-wide in the original; one recorder per panel
};

}  // namespace panels::macros
