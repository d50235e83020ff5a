#pragma once
// The Qt realisation on the offscreen platform, with the program's own controls registered,
// for the tests and benchmarks that render the program's pages. Made once per process; the
// first caller's name stands for the process.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "controls/ProgramControls.h"
#include "ui/core/Backend.h"
#include "ui/qt/QtBackend.h"

namespace t418test {

inline ui::qt::QtBackend& ProgramQtBackend(const char* programName) {
    static ui::qt::QtBackend* backend = [programName] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        const std::string name = programName;
        auto runtime = std::filesystem::temp_directory_path() / ("t418-" + name + "-runtime");
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        static std::string argv0 = name;
        static int argc = 1;
        static char* argv[] = {argv0.data(), nullptr};
        auto* b = new ui::qt::QtBackend(argc, argv);
        ui::SetBackend(b);
        controls::ControlCreators creators;
        controls::AddCustomControlCreators(creators);
        controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
        return b;
    }();
    return *backend;
}

}  // namespace t418test
