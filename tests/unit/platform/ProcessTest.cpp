#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "TestFolders.h"
#include "platform/FileIO.h"
#include "platform/Process.h"

using platform::SplitCommandLine;
using Args = std::vector<std::string>;

namespace {

TEST(CommandLine, SplitsLikeACommandLine) {
    EXPECT_EQ(SplitCommandLine("On the upgrade"), (Args{"On", "the", "upgrade"}));
    EXPECT_EQ(SplitCommandLine("  a\t\"b c\"  d\"e f\"g "), (Args{"a", "b c", "de fg"}));
    EXPECT_EQ(SplitCommandLine("\"\" x"), (Args{"", "x"}));
    EXPECT_EQ(SplitCommandLine(R"(C:\dir\file "q\"uote" tail\\")"),
              (Args{R"(C:\dir\file)", "q\"uote", "tail\\"}));
    EXPECT_EQ(SplitCommandLine(R"(a\\\"b)"), (Args{R"(a\"b)"}));
    EXPECT_TRUE(SplitCommandLine("   ").empty());
    EXPECT_EQ(SplitCommandLine("\"unterminated arg"), (Args{"unterminated arg"}));
}

bool WaitForFile(const std::string& path) {
    for (int i = 0; i < 500; ++i) {
        if (platform::FileExists(path))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(Process, ShellOpenStartsTheProgramInItsFolderWithSplitParameters) {
    t418test::TempFolder dir;
    // A program found in the working folder, given quoted parameters.
    std::string script = dir / "tool.sh";
    ASSERT_TRUE(platform::WriteFileAtomic(script,
                                          "#!/bin/sh\nprintf '%s|' \"$@\" > \"$PWD/args.tmp\"\n"
                                          "mv \"$PWD/args.tmp\" \"$PWD/args\"\n"));
    std::filesystem::permissions(script, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    ASSERT_TRUE(platform::ShellOpen("tool.sh", "On the \"big upgrade\"", dir.path()));
    ASSERT_TRUE(WaitForFile(dir / "args"));
    std::string args;
    ASSERT_TRUE(platform::ReadWholeFile(dir / "args", args));
    EXPECT_EQ(args, "On|the|big upgrade|");

    EXPECT_FALSE(platform::ShellOpen("no-such-program-t418", "", dir.path()));
    EXPECT_FALSE(platform::ShellOpen("", "", ""));
    EXPECT_FALSE(platform::ShellOpen("/bin/true", "", dir / "missing-folder"));
}

TEST(Process, AStartedProcessCanBeWatchedUntilItEnds) {
    auto quick = platform::StartProcess("sh", {"-c", "exit 3"});
    ASSERT_NE(quick, nullptr);
    ASSERT_TRUE(quick->Wait(5000));
    EXPECT_FALSE(quick->IsRunning());
    EXPECT_EQ(quick->ExitCode(), 3);

    auto slow = platform::StartProcess("sleep", {"30"});
    ASSERT_NE(slow, nullptr);
    EXPECT_TRUE(slow->IsRunning());
    EXPECT_FALSE(slow->Wait(50));
    EXPECT_EQ(slow->ExitCode(), -1);
    slow->Kill();
    ASSERT_TRUE(slow->Wait(5000));
    EXPECT_EQ(slow->ExitCode(), 128 + 9);

    EXPECT_EQ(platform::StartProcess("/no/such/program", {}), nullptr);
}

}  // namespace
