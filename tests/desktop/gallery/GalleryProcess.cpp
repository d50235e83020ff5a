#include "GalleryProcess.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/FileIO.h"

namespace desktop {
namespace {

constexpr int kStartMs = 10000;

std::string StatePath(const std::string& folder) {
    return folder + "/state.txt";
}

}  // namespace

Box ParseBox(const std::string& text) {
    Box box;
    if (std::sscanf(text.c_str(), "%d,%d,%d,%d", &box.left, &box.top, &box.right, &box.bottom) != 4)
        return {};
    return box;
}

std::unique_ptr<GalleryProcess> GalleryProcess::Start(DesktopSession& desktop,
                                                      std::string& failure) {
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("t418-desktop" + desktop.DisplayName()))
            .string();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    std::unique_ptr<GalleryProcess> gallery(new GalleryProcess(desktop, folder));

    // The real platform of the desktop, and the program's files kept away from the user's.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    for (const char* variable : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        setenv(variable, folder.c_str(), 1);
    // In the sanitizer build: the X keyboard library that Qt's X platform loads at start hands
    // strndup a longer bound than its string, which the strict string checks report.
    if (const char* asan = std::getenv("ASAN_OPTIONS"); asan != nullptr)
        setenv("ASAN_OPTIONS", (std::string(asan) + ":strict_string_checks=0").c_str(), 1);
    gallery->process_ = platform::StartProcess(T418_GALLERY_BIN, {"--state", StatePath(folder)});
    if (!gallery->process_) {
        failure = std::string("cannot start ") + T418_GALLERY_BIN;
        return nullptr;
    }
    const bool up = DesktopSession::WaitUntil(
        [&] {
            if (!gallery->process_->IsRunning())
                return true;
            // The window is shown before it is centred: wait until X has it where the
            // program put it, or clicks land beside their controls.
            auto window = desktop.FindWindow(kTitle);
            return window.has_value() && window->rect == ParseBox(gallery->Value("window"));
        },
        kStartMs);
    if (!up || !gallery->process_->IsRunning()) {
        failure = "the gallery did not come up: exit code " +
                  std::to_string(gallery->process_->ExitCode()) + ", state " +
                  (gallery->Read().empty() ? "unwritten" : "written") + ", windows:";
        for (const WindowInfo& window : desktop.Windows())
            failure += " \"" + window.name + "\"";
        return nullptr;
    }
    return gallery;
}

GalleryProcess::~GalleryProcess() {
    if (process_) {
        process_->Kill();
        process_->Wait(3000);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

State GalleryProcess::Read() const {
    std::string text;
    State state;
    if (!platform::ReadWholeFile(StatePath(folder_), text, 1 << 20))
        return state;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        size_t equals = line.find('=');
        if (equals != std::string::npos)
            state[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return state;
}

std::string GalleryProcess::Value(const std::string& key) const {
    State state = Read();
    auto it = state.find(key);
    return it == state.end() ? std::string() : it->second;
}

bool GalleryProcess::WaitFor(const std::string& key, const std::string& value,
                             int timeoutMs) const {
    return DesktopSession::WaitUntil([&] { return Value(key) == value; }, timeoutMs);
}

WindowInfo GalleryProcess::Window() {
    return desktop_.FindWindow(kTitle).value_or(WindowInfo{});
}

Box GalleryProcess::ScreenRect(const std::string& control) {
    return ClientBox("rect." + control);
}

Box GalleryProcess::StateBox(const std::string& key) const {
    return ParseBox(Value(key));
}

Box GalleryProcess::ClientBox(const std::string& key) {
    Box client = ParseBox(Value(key));
    const Box window = Window().rect;
    return Box{client.left + window.left, client.top + window.top, client.right + window.left,
               client.bottom + window.top};
}

}  // namespace desktop
