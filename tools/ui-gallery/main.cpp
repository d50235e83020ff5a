// ui-gallery: shows every standard control of the GUI library. With --screenshot PATH it
// renders the window (and its open pop-ups) to a PNG and exits 0. --pose puts the controls
// into a state first; --state FILE keeps the controls' state in a file for tests that drive
// the window with real input.
#include <cstdio>
#include <cstring>
#include <string>

#include "GalleryWindow.h"
#include "Screenshot.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/qt/QtBackend.h"

namespace {

constexpr const char* kUsage =
    "usage: ui-gallery [--pose plain|combo|showcase] [--state FILE] [--screenshot PATH]\n"
    "  --pose        controls' state at start (default: plain; showcase with --screenshot)\n"
    "  --state       write the controls' state to FILE whenever it changes\n"
    "  --screenshot  render the window with its pop-ups to PATH (PNG) and exit\n";

}  // namespace

int main(int argc, char** argv) {
    std::string screenshot;
    std::string pose;
    std::string stateFile;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (std::strcmp(argv[i], "--pose") == 0 && i + 1 < argc) {
            pose = argv[++i];
            if (!gallery::GalleryWindow::IsPose(pose)) {
                std::fprintf(stderr, "ui-gallery: unknown pose \"%s\"\n%s", pose.c_str(), kUsage);
                return 2;
            }
        } else if (std::strcmp(argv[i], "--state") == 0 && i + 1 < argc) {
            stateFile = argv[++i];
        } else if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("%s", kUsage);
            return 0;
        } else {
            std::fprintf(stderr, "ui-gallery: unknown argument \"%s\"\n%s", argv[i], kUsage);
            return 2;
        }
    }
    if (pose.empty())
        pose = screenshot.empty() ? "plain" : "showcase";

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
    // Let the posted start-up work ("windowinit", layout) run, then set the pose.
    auto settle = [&backend] {
        int timer = backend.StartTimer(50, [&backend] { backend.QuitLoop(0); });
        backend.RunLoop();
        backend.StopTimer(timer);
    };
    settle();
    window->Pose(pose);
    if (!stateFile.empty())
        window->WriteStateTo(stateFile);

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
