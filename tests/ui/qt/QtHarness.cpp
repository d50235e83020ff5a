#include "QtHarness.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace qt_test {

ui::qt::QtBackend& Backend() {
    static ui::qt::QtBackend* backend = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        auto runtime = std::filesystem::temp_directory_path() / "t418-ui-qt-test-runtime";
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setenv("XDG_CONFIG_HOME", runtime.c_str(), 1);
        setenv("XDG_DATA_HOME", runtime.c_str(), 1);
        static int argc = 1;
        static char name[] = "ui_qt_tests";
        static char* argv[] = {name, nullptr};
        auto* b = new ui::qt::QtBackend(argc, argv);
        ui::SetBackend(b);
        return b;
    }();
    return *backend;
}

}  // namespace qt_test
