// t418-zen: the configuration utility. It reads no command line. With T418_ZEN_SCREENSHOTS
// naming a folder it writes its window there as PNG once the mouse page is filled (or after
// T418_ZEN_SCREENSHOT_WAIT_MS, 5000 unless told, with no device) and ends.
// T418_ZEN_AUDIO_PROGRAM: the command line of the audio-capture process (empty: none).
#include <cstdlib>
#include <string>

#include "app/Startup.h"
#include "platform/Folders.h"
#include "ui/core/Backend.h"
#include "ui/qt/QtBackend.h"

int main(int argc, char** argv) {
    ui::qt::QtBackend backend(argc, argv);
    // StartupWMClass and the id of the installed desktop entry.
    backend.SetApplicationIdentity("t418-zen", "com.draxmoor.T418Zen");
    ui::SetBackend(&backend);
    app::StartupOptions options;
    if (const char* folder = std::getenv("T418_ZEN_SCREENSHOTS"); folder && *folder)
        options.screenshotFolder = folder;
    if (const char* wait = std::getenv("T418_ZEN_SCREENSHOT_WAIT_MS"); wait && *wait) {
        char* end = nullptr;
        unsigned long ms = std::strtoul(wait, &end, 10);
        if (end != nullptr && *end == '\0' && ms <= 60000)
            options.screenshotWaitMs = static_cast<uint32_t>(ms);
    }
    if (const char* hidden = std::getenv("T418_ZEN_START_HIDDEN"); hidden && *hidden == '1')
        options.startHidden = true;
    // The audio-capture process lies beside the program; T418_ZEN_AUDIO_PROGRAM names another
    // command line, or none when empty.
    if (const char* audio = std::getenv("T418_ZEN_AUDIO_PROGRAM"))
        options.audioProgram = audio;
    else
        options.audioProgram = "\"" + platform::ExecutableFolder() + "t418-zen-audio\"";
    int code = app::RunProgram(options);
    ui::SetBackend(nullptr);
    return code;
}
