#pragma once
// The program's start-up and shutdown around the main window: private fonts, the
// product-title message, the single instance (a second start hands over to the first and
// ends), the skin and the control classes, the companion messages, the main window, the
// message loop, and the teardown in reverse order. The caller has installed the GUI
// realisation. Every path ends with 0.
// Threads: the window thread.
#include <cstdint>
#include <string>

namespace app {

struct StartupOptions {
    // Screenshot run: write the windows as PNG into this folder, then end (empty: none).
    std::string screenshotFolder;
    uint32_t screenshotWaitMs = 5000;
    // Started with the session: stay in the tray (MainWndOptions::startHidden).
    bool startHidden = false;
    // The command line that starts the audio-capture process (MainWndOptions::audioProgram).
    std::string audioProgram;
};

int RunProgram(const StartupOptions& options);

}  // namespace app
