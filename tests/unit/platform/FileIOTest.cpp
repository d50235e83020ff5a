#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>

#include "TestFolders.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "platform/Trace.h"

namespace fs = std::filesystem;

namespace {

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "t418-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

TEST(FileIO, AtomicWriteReplacesAndReadsBackExactly) {
    TempFolder dir;
    std::string file = dir / "a.json";
    std::string bytes("one\0two\n", 8);
    ASSERT_TRUE(platform::WriteFileAtomic(file, bytes));
    ASSERT_TRUE(platform::WriteFileAtomic(file, bytes + "more"));
    std::string back;
    ASSERT_TRUE(platform::ReadWholeFile(file, back));
    EXPECT_EQ(back, bytes + "more");
    // No temporary files are left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(FileIO, FailedWriteLeavesTheOldFileWholeAndIsTraced) {
    TempFolder dir;
    std::string file = dir / "profile.Json";
    ASSERT_TRUE(platform::WriteFileAtomic(file, "old contents"));
    platform::TraceCapture trace;
    platform::testing::FailNextAtomicWriteBeforeRename();
    EXPECT_FALSE(platform::WriteFileAtomic(file, "new contents"));
    std::string back;
    ASSERT_TRUE(platform::ReadWholeFile(file, back));
    EXPECT_EQ(back, "old contents");
    EXPECT_TRUE(trace.Contains("profile.Json"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(FileIO, WriteIntoAMissingFolderFailsAndReadOfAFolderFails) {
    TempFolder dir;
    EXPECT_FALSE(platform::WriteFileAtomic(dir / "missing/x", "x"));
    std::string out = "stale";
    EXPECT_FALSE(platform::ReadWholeFile(dir.path(), out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(platform::ReadWholeFile(dir / "none", out));
}

TEST(FileIO, ReadRefusesFilesAboveTheLimit) {
    TempFolder dir;
    ASSERT_TRUE(platform::WriteFileAtomic(dir / "big", std::string(100, 'x')));
    std::string out;
    EXPECT_FALSE(platform::ReadWholeFile(dir / "big", out, 99));
    EXPECT_TRUE(platform::ReadWholeFile(dir / "big", out, 100));
}

TEST(Folders, UserAndDeviceFoldersAreCreatedUnderXdgDataHome) {
    TempFolder dir;
    const char* old = std::getenv("XDG_DATA_HOME");
    std::string saved = old ? old : "";
    ::setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    EXPECT_EQ(platform::UserFolder(), dir.path() + "/T418-ZEN/");
    EXPECT_EQ(platform::DeviceDataFolder("MousePad"), dir.path() + "/T418-ZEN/MousePad/");
    EXPECT_TRUE(platform::FolderExists(dir.path() + "/T418-ZEN/MousePad"));
    if (old) {
        ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_DATA_HOME");
    }
}

TEST(Folders, ConfigAndProgramFoldersFollowTheirRules) {
    t418test::TempFolder dir;
    {
        t418test::ScopedEnv config("XDG_CONFIG_HOME", dir.path());
        EXPECT_EQ(platform::ConfigFolder(), dir.path() + "/T418-ZEN/");
    }
    {
        // The override wins and gains its trailing slash.
        t418test::ScopedEnv program("T418_ZEN_PROGRAM_DIR", dir.path());
        EXPECT_EQ(platform::ProgramFolder(), dir.path() + "/");
        EXPECT_EQ(platform::DefaultDataFolder(), dir.path() + "/DefaultData/");
    }
    t418test::ScopedEnv noOverride("T418_ZEN_PROGRAM_DIR", "");
    std::string exe = platform::ExecutableFolder();
    ASSERT_FALSE(exe.empty());
    EXPECT_EQ(exe.back(), '/');
    // Without DefaultData/ beside the binary nor installed, the binary's folder is used.
    std::string program = platform::ProgramFolder();
    EXPECT_TRUE(program == exe || platform::FolderExists(program + "DefaultData")) << program;
    EXPECT_EQ(platform::WithTrailingSlash(""), "/");
    EXPECT_EQ(platform::WithTrailingSlash("a/"), "a/");
}

TEST(Trace, CaptureSeesLinesWhileItLives) {
    platform::Trace("before");
    platform::TraceCapture capture;
    platform::TraceF("value %d", 42);
    EXPECT_EQ(capture.Lines(), std::vector<std::string>{"value 42"});
}

}  // namespace
