// t418-zen: the configuration utility. It reads no command line. With T418_ZEN_SCREENSHOTS
// naming a folder it writes its window there as PNG once the mouse page is filled (or after a
// few seconds with no device) and ends.
#include <cstdlib>

#include "app/Startup.h"
#include "ui/core/Backend.h"
#include "ui/qt/QtBackend.h"

int main(int argc, char** argv) {
    ui::qt::QtBackend backend(argc, argv);
    ui::SetBackend(&backend);
    app::StartupOptions options;
    if (const char* folder = std::getenv("T418_ZEN_SCREENSHOTS"); folder && *folder)
        options.screenshotFolder = folder;
    int code = app::RunProgram(options);
    ui::SetBackend(nullptr);
    return code;
}
