#pragma once
// One source of keys and mouse buttons seen through the two hook interfaces: the source runs
// while either hook has a sink, and hands each event to the sink of its kind. The desktop-wide
// and the scripted realisations are such sources; the recording takes its keys and buttons
// from one of them (RecordingInput).
//
// Threads: window thread only; sinks are called there.
#include <cstdint>
#include <memory>

#include "platform/InputHook.h"

namespace panels::hook {

class InputSource {
  public:
    virtual ~InputSource() = default;

    bool SetKeySink(platform::KeyboardHookSink sink);
    bool SetMouseSink(platform::MouseHookSink sink);
    bool HasKeySink() const { return static_cast<bool>(keySink_); }
    bool HasMouseSink() const { return static_cast<bool>(mouseSink_); }

  protected:
    // Begin and end producing events; Begin false: nothing can be produced.
    virtual bool Begin() = 0;
    virtual void End() = 0;
    // Hand an event to its sink (none: dropped). Sinks may clear themselves while called.
    void DeliverKey(uint32_t message, const platform::HookKeyboardRecord& record);
    void DeliverMouse(uint32_t message, const platform::HookMouseRecord& record);
    bool Producing() const { return producing_; }

  private:
    bool Follow();

    platform::KeyboardHookSink keySink_;
    platform::MouseHookSink mouseSink_;
    bool producing_ = false;
};

// The two hooks of a source; each keeps the source alive.
std::unique_ptr<platform::KeyboardHook> MakeKeyHook(std::shared_ptr<InputSource> source);
std::unique_ptr<platform::MouseHook> MakeMouseHook(std::shared_ptr<InputSource> source);

}  // namespace panels::hook
