#pragma once
// Win32-style events: manual-reset (stays signalled until Reset) or auto-reset (one waiter
// consumes the signal). Waits take milliseconds; kInfinite waits without limit.
// Threads: any thread may set, reset and wait on an event; its owner destroys it once no
// thread waits on it any more.
#include <cstdint>
#include <initializer_list>

namespace platform {

constexpr uint32_t kInfinite = 0xFFFFFFFFu;

class Event {
  public:
    explicit Event(bool manualReset = false, bool initiallySet = false);
    ~Event();
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;  // does not consume an auto-reset signal

    // True when signalled within the time-out (an auto-reset event is consumed).
    bool Wait(uint32_t timeoutMs = kInfinite);

    // Index of the first signalled event in list order, or -1 on time-out.
    static int WaitAny(std::initializer_list<Event*> events, uint32_t timeoutMs = kInfinite);
    static int WaitAny(Event* const* events, int count, uint32_t timeoutMs = kInfinite);

  private:
    bool TryConsume();  // caller holds the shared lock

    const bool manualReset_;
    bool signalled_;
};

// Sleeps for the given time unless the event is signalled first; true when signalled.
inline bool SleepUnless(Event& stop, uint32_t ms) {
    return stop.Wait(ms);
}

}  // namespace platform
