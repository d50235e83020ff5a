#include "panels/hook/RecordingInput.h"

#include <cstdlib>

#include "panels/hook/GlobalInput.h"
#include "panels/hook/ScriptedInput.h"
#include "panels/hook/WindowKeyboardHook.h"
#include "panels/hook/WindowMouseHook.h"
#include "platform/Trace.h"

namespace panels::hook {

RecordingInput WindowRecordingInput() {
    RecordingInput input;
    input.source = RecordingSource::kWindow;
    input.keys = std::make_unique<WindowKeyboardHook>();
    input.mouse = std::make_unique<WindowMouseHook>();
    return input;
}

std::string InputDeviceFolder() {
    const char* folder = std::getenv(kInputDevicesVariable);
    return folder != nullptr ? std::string(folder) : std::string(platform::kInputDeviceFolder);
}

RecordingInput ChooseRecordingInput(const std::string& inputFolder) {
    const char* script = std::getenv(kInputScriptVariable);
    if (script != nullptr && *script != '\0') {
        if (std::shared_ptr<ScriptedInput> scripted = ScriptedInput::FromFile(script)) {
            platform::TraceF("Recording: input from the script %s", script);
            RecordingInput input;
            input.source = RecordingSource::kScripted;
            input.keys = MakeKeyHook(scripted);
            input.mouse = MakeMouseHook(scripted);
            return input;
        }
    }
    auto global = inputFolder.empty() ? nullptr : std::make_shared<GlobalInput>(inputFolder);
    if (global != nullptr && global->CountReadable() > 0) {
        RecordingInput input;
        input.source = RecordingSource::kGlobal;
        input.keys = MakeKeyHook(global);
        input.mouse = MakeMouseHook(global);
        return input;
    }
    platform::TraceF(
        "Recording: no readable input device in %s; only input over the "
        "program's windows is recorded",
        inputFolder.c_str());
    RecordingInput input = WindowRecordingInput();
    input.globalUnavailable = true;
    return input;
}

}  // namespace panels::hook
