#pragma once
// The scripted input source: a text file of timed key and mouse button events played on the
// GUI library's clock (virtual in headless tests) from the moment the source starts, so that
// recordings can be driven without a person at the desk. One event a line:
//   MS key down|up 0xSCAN [ext]          a key by its PC scan code (set 1)
//   MS mouse 0xMSG [x1|x2] [X Y]         a mouse button message 0x201-0x20C; X buttons name
//                                        which; X Y the screen position (else the cursor's)
// MS is the decimal time in milliseconds after the start, not decreasing from line to line.
// Empty lines and lines starting with '#' are skipped. T418_ZEN_INPUT_SCRIPT names the file.
//
// Threads: window thread only.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "panels/hook/HookTranslate.h"
#include "panels/hook/InputSource.h"

namespace panels::hook {

constexpr const char* kInputScriptVariable = "T418_ZEN_INPUT_SCRIPT";

struct ScriptedEvent {
    uint64_t atMs = 0;
    bool isMouse = false;
    uint32_t message = 0;
    uint32_t scan = 0;  // keys
    bool extended = false;
    uint32_t xButton = 0;  // mouse
    bool hasPosition = false;
    int32_t x = 0;
    int32_t y = 0;
};

struct InputScript {
    std::vector<ScriptedEvent> events;
    std::string error;  // empty when the text was read whole; else the first bad line, said
};
// Every line must parse: a script with a bad line gives no events and the error.
InputScript ParseInputScript(const std::string& text);

class ScriptedInput final : public InputSource, public std::enable_shared_from_this<ScriptedInput> {
  public:
    // Always held by a shared pointer (the timer keeps it alive while it plays).
    explicit ScriptedInput(std::vector<ScriptedEvent> events);
    ~ScriptedInput() override;
    ScriptedInput(const ScriptedInput&) = delete;
    ScriptedInput& operator=(const ScriptedInput&) = delete;

    // The source of the file; nothing (and a trace line) when it cannot be read or parsed.
    static std::shared_ptr<ScriptedInput> FromFile(const std::string& path);

    // Events played so far since the last start.
    size_t Played() const { return next_; }

  protected:
    bool Begin() override;
    void End() override;

  private:
    void Arm();
    void OnTimer();

    std::vector<ScriptedEvent> events_;
    size_t next_ = 0;
    uint64_t startMs_ = 0;
    int timer_ = 0;
};

}  // namespace panels::hook
