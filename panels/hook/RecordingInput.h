#pragma once
// Where a recording takes its keys and mouse buttons from: the script that
// T418_ZEN_INPUT_SCRIPT names; else the desktop's input devices when this user may read any
// (the event nodes of /dev/input, or of the folder T418_ZEN_INPUT_DEVICES names; set empty,
// no device is read); else the program's own windows. Falling back to the windows is said in a
// trace line and kept in the choice, so that the macro panel can tell the user that only input over
// the program is recorded.
//
// Threads: window thread only.
#include <functional>
#include <memory>
#include <string>

#include "platform/InputDevices.h"
#include "platform/InputHook.h"

namespace panels::hook {

enum class RecordingSource { kWindow, kGlobal, kScripted };

struct RecordingInput {
    RecordingSource source = RecordingSource::kWindow;
    // The desktop's devices were wanted but none could be read (or the build cannot read
    // them): only input over the program's windows is recorded.
    bool globalUnavailable = false;
    std::unique_ptr<platform::KeyboardHook> keys;
    std::unique_ptr<platform::MouseHook> mouse;
};

using RecordingInputFactory = std::function<RecordingInput()>;

constexpr const char* kInputDevicesVariable = "T418_ZEN_INPUT_DEVICES";

// The folder of the event nodes: T418_ZEN_INPUT_DEVICES when set, else /dev/input.
std::string InputDeviceFolder();
// The choice as described above; inputFolder: where the event nodes are ("" none).
RecordingInput ChooseRecordingInput(const std::string& inputFolder);
// The program's own windows.
RecordingInput WindowRecordingInput();

}  // namespace panels::hook
