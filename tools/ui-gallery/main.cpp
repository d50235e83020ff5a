// ui-gallery: shows every standard control of the GUI library. With --screenshot PATH it
// renders the window (and its open pop-ups) to a PNG and exits 0.
#include <cstdio>
#include <cstring>
#include <string>

#include "GalleryWindow.h"
#include "Screenshot.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/qt/QtBackend.h"

int main(int argc, char** argv) {
    std::string screenshot;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("usage: ui-gallery [--screenshot PATH]\n");
            return 0;
        } else {
            std::fprintf(stderr, "ui-gallery: unknown argument \"%s\"\n", argv[i]);
            return 2;
        }
    }

    ui::qt::QtBackend backend(argc, argv);
    ui::SetBackend(&backend);
    ui::CPaintManagerUI::SetResourcePath(ui::CPaintManagerUI::GetInstancePath() + "skin/gallery");

    auto* window = new gallery::GalleryWindow(screenshot.empty());
    if (!window->Create(nullptr, "T418-ZEN gallery", ui::WS_POPUP | ui::WS_VISIBLE, 0)) {
        std::fprintf(stderr, "ui-gallery: the window cannot be created\n");
        return 1;
    }
    window->CenterWindow();
    window->ShowWindow(true, true);
    // Let the posted start-up work ("windowinit", layout) run, then set the showcase states.
    auto settle = [&backend] {
        int timer = backend.StartTimer(50, [&backend] { backend.QuitLoop(0); });
        backend.RunLoop();
        backend.StopTimer(timer);
    };
    settle();
    window->ShowStates();

    if (screenshot.empty()) {
        int code = ui::CPaintManagerUI::MessageLoop();
        ui::SetBackend(nullptr);
        return code;
    }
    settle();
    bool written = gallery::WriteScreenshot(window->GetHWND(), screenshot);
    if (written)
        std::printf("%s\n", screenshot.c_str());
    ui::DestroyWindow(window->GetHWND());
    ui::SetBackend(nullptr);
    return written ? 0 : 1;
}
