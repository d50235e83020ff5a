// The program's private fonts: loaded from bytes, a missing or broken file skipped, released
// once the last one is unloaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/FontLoader.h"
#include "platform/Folders.h"
#include "ui/headless/HeadlessBackend.h"

namespace app {
namespace {

namespace fs = std::filesystem;

TEST(FontLoader, MissingFilesAreSkippedAndTheLastUnloadReleases) {
    ui::headless::HeadlessBackend backend;
    backend.Install();
    const fs::path folder =
        fs::temp_directory_path() / ("t418-fonts-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "Font");
    std::ofstream(folder / "Font" / "a.ttf") << "0123456789abcdef-font-bytes";
    std::ofstream(folder / "Font" / "b.otf") << "0123456789abcdef-other-font";
    std::ofstream(folder / "Font" / "empty.otf");

    FontLoader a(folder.string()), b(folder.string()), missing(folder.string()),
        empty(folder.string());
    EXPECT_TRUE(a.Load("Font/a.ttf"));
    EXPECT_TRUE(b.Load("Font/b.otf"));
    EXPECT_FALSE(missing.Load("Font/none.ttf"));
    EXPECT_FALSE(empty.Load("Font/empty.otf"));
    EXPECT_FALSE(missing.Loaded());
    EXPECT_EQ(backend.PrivateFontFamilies().size(), 2u);

    // Reverse order; unloading one that did not load does nothing.
    missing.Unload();
    b.Unload();
    EXPECT_EQ(backend.PrivateFontFamilies().size(), 2u);  // still held by a
    a.Unload();
    EXPECT_TRUE(backend.PrivateFontFamilies().empty());
    a.Unload();
    fs::remove_all(folder);
}

// The names the start-up loads are the names the build puts in Font/ (from system packages).
TEST(FontLoader, EveryProgramFontNameIsAFileTheBuildProvides) {
    const fs::path fonts = fs::path(platform::ProgramFolder()) / "Font";
    if (!fs::is_directory(fonts))
        GTEST_SKIP() << "no Font/ folder beside this build's programs";
    for (const char* name : kProgramFonts)
        EXPECT_TRUE(fs::exists(fs::path(platform::ProgramFolder()) / name)) << name;
}

}  // namespace
}  // namespace app
