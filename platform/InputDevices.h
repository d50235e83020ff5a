#pragma once
// The desktop's input devices, read directly: the kernel's input event nodes ("event" and a
// number) of a folder that this user may read and that report keys or buttons are opened at
// Open, read on a reader thread of their own between Start and Stop, and closed at Stop or
// destruction. No device is grabbed (every program keeps seeing its input) and no access is
// ever granted here: a node the user may not read is skipped.
//
// This interface is portable; platform/linux/ realises it over libevdev (a build without it
// opens nothing).
//
// Threads: one owning thread calls every member; the sink runs on the reader thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform {

constexpr const char* kInputDeviceFolder = "/dev/input";

// One kernel input event: type, code and value in the kernel's numbering, and the kernel's
// time stamp on the monotonic clock, in microseconds.
struct RawInputEvent {
    uint16_t type = 0;
    uint16_t code = 0;
    int32_t value = 0;
    int64_t timeUs = 0;
};

// Microseconds of the monotonic clock the time stamps use.
int64_t InputClockNowUs();

class InputDeviceReader {
  public:
    using Sink = std::function<void(const RawInputEvent& event)>;

    explicit InputDeviceReader(std::string folder = kInputDeviceFolder);
    ~InputDeviceReader();  // stops and closes
    InputDeviceReader(const InputDeviceReader&) = delete;
    InputDeviceReader& operator=(const InputDeviceReader&) = delete;

    // True when this build can read input devices at all.
    static bool Supported();

    // Opens the readable nodes with keys or buttons (again, after closing what was open);
    // answers how many.
    int Open();
    int OpenCount() const;
    // Starts the reader thread over the open nodes; false with none open or when running.
    bool Start(Sink sink);
    // Signals the reader to stop, waits at most timeoutMs for it, closes the nodes. True when
    // the reader has ended (a reader still blocked in its sink is left to end on its own;
    // it owns what it touches).
    bool Stop(uint32_t timeoutMs = 500);
    bool Running() const;

    struct State;

  private:
    std::string folder_;
    std::shared_ptr<State> state_;
};

}  // namespace platform
