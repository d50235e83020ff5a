// The /proc look of the program watcher: on a made-up /proc, and the real one against child
// processes this test starts.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <thread>

#include "platform/Event.h"
#include "platform/FileIO.h"
#include "platform/Process.h"
#include "platform/ProcessWatcher.h"
#include "platform/linux/ProcessScan.h"
#include "tests/unit/platform/TestFolders.h"

namespace {

namespace fs = std::filesystem;
using platform::linux_proc::ProcessScan;

// One made-up process folder: comm, cmdline (arguments joined by NUL), stat and the exe link.
void WriteFakeProcess(const std::string& root, int pid, const std::string& comm,
                      const std::vector<std::string>& argv, const std::string& exe,
                      uint64_t started) {
    const std::string folder = root + "/" + std::to_string(pid);
    fs::create_directories(folder);
    platform::WriteFileAtomic(folder + "/comm", comm + "\n");
    std::string line;
    for (const std::string& arg : argv)
        line += arg + '\0';
    platform::WriteFileAtomic(folder + "/cmdline", line);
    std::string stat = std::to_string(pid) + " (" + comm + ") S";
    for (int field = 4; field < 22; ++field)
        stat += " 0";
    stat += " " + std::to_string(started) + " 0 0\n";
    platform::WriteFileAtomic(folder + "/stat", stat);
    std::error_code ec;
    fs::remove(folder + "/exe", ec);
    fs::create_symlink(exe, folder + "/exe");
}

const platform::RunningProgram* FindPid(const std::vector<platform::RunningProgram>& programs,
                                        int pid) {
    auto found = std::find_if(programs.begin(), programs.end(),
                              [pid](const auto& p) { return p.pid == pid; });
    return found == programs.end() ? nullptr : &*found;
}

TEST(ProcessScan, ReadsNewProcessesAgainWhileYoungThenOnlyListsThem) {
    t418test::TempFolder proc;
    WriteFakeProcess(proc.path(), 123, "launcher", {"/bin/sh", "-c", "exec game"}, "/bin/sh", 500);
    fs::create_directories(proc / "self");
    fs::create_directories(proc / "0123");
    ProcessScan scan(proc.path());
    EXPECT_TRUE(scan.Look(0));
    std::vector<platform::RunningProgram> programs = scan.Programs();
    ASSERT_EQ(programs.size(), 1u);
    EXPECT_EQ(programs[0].names, (std::vector<std::string>{"sh", "launcher"}));
    EXPECT_EQ(programs[0].commandLine, "/bin/sh -c exec game");
    EXPECT_EQ(programs[0].started, 500u);
    EXPECT_FALSE(scan.Look(1000)) << "nothing changed";

    // The launcher replaces itself with the game (same pid) while still young.
    WriteFakeProcess(proc.path(), 123, "game", {"/opt/game/game", "-fullscreen"},
                     "/opt/game/game (deleted)", 500);
    EXPECT_TRUE(scan.Look(2000));
    EXPECT_EQ(scan.Programs()[0].Name(), "game");

    // Old now: a look lists the folder and reads nothing.
    WriteFakeProcess(proc.path(), 124, "other", {"other"}, "/usr/bin/other", 600);
    EXPECT_TRUE(scan.Look(ProcessScan::kYoungMs + 1000));
    EXPECT_EQ(scan.LastReads(), 1u) << "only the new one is read";
    EXPECT_FALSE(scan.Look(2 * ProcessScan::kYoungMs + 1000));
    EXPECT_EQ(scan.LastReads(), 0u);
    EXPECT_EQ(scan.LastEntries(), 2u);

    fs::remove_all(proc / "123");
    EXPECT_TRUE(scan.Look(3 * ProcessScan::kYoungMs));
    ASSERT_EQ(scan.Programs().size(), 1u);
    EXPECT_EQ(scan.Programs()[0].pid, 124);
}

TEST(ProcessScan, ProcessesOfAnotherUserAreNeitherListedNorRead) {
    t418test::TempFolder proc;
    WriteFakeProcess(proc.path(), 77, "theirs", {"theirs"}, "/usr/bin/theirs", 1);
    ProcessScan scan(proc.path(), ::getuid() + 1);
    EXPECT_FALSE(scan.Look(0)) << "another user's process is no change of ours";
    EXPECT_TRUE(scan.Programs().empty());
    EXPECT_FALSE(scan.Look(1));
    EXPECT_EQ(scan.LastReads(), 0u) << "remembered as someone else's";
}

TEST(ProcessScan, AMissingProcFolderIsReportedNotCrashed) {
    ProcessScan scan("/nonexistent-proc-folder");
    EXPECT_FALSE(scan.Look(0));
    EXPECT_FALSE(scan.Readable());
}

// A copy of sleep under a name of our own, so that the watcher can tell it apart.
std::string CopyOfSleep(const t418test::TempFolder& folder, const std::string& name) {
    const std::string path = folder / name;
    for (const char* sleep : {"/bin/sleep", "/usr/bin/sleep"}) {
        std::error_code ec;
        if (fs::copy_file(sleep, path, ec))
            return path;
    }
    return {};
}

bool Sees(const platform::ProcessWatcher& watcher, const std::string& name) {
    const std::vector<platform::RunningProgram> programs = watcher.Running();
    return std::any_of(programs.begin(), programs.end(), [&](const auto& p) {
        return std::find(p.names.begin(), p.names.end(), name) != p.names.end();
    });
}

// Milliseconds until seen (or not) by the watcher; -1 after 6 s.
long WaitUntil(const platform::ProcessWatcher& watcher, const std::string& name, bool seen) {
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(6)) {
        if (Sees(watcher, name) == seen)
            return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                         std::chrono::steady_clock::now() - start)
                                         .count());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

// The watcher looks every 2 s, so a quiet machine sees a start or an end within 3 s (about 2 s
// here); the bound allows one more second for a machine that runs other tests beside this one.
constexpr long kSeenWithinMs = 4000;

TEST(ProcessWatcher, SeesARealProgramStartAndEndWithinThreeSeconds) {
    t418test::TempFolder folder;
    const std::string name = "t418game" + std::to_string(std::random_device()() % 100000);
    const std::string program = CopyOfSleep(folder, name);
    ASSERT_FALSE(program.empty());
    std::unique_ptr<platform::ProcessWatcher> watcher = platform::MakeProcessWatcher();
    platform::Event changed(true, false);
    ASSERT_TRUE(watcher->Start([&changed] { changed.Set(); }));
    EXPECT_FALSE(Sees(*watcher, name));

    std::unique_ptr<platform::ChildProcess> child = platform::StartProcess(program, {"30"});
    ASSERT_TRUE(child);
    const long startSeen = WaitUntil(*watcher, name, true);
    EXPECT_GE(startSeen, 0);
    EXPECT_LT(startSeen, kSeenWithinMs);
    // The watcher tells of the change after its list holds it.
    EXPECT_TRUE(changed.Wait(1000));

    child->Kill();
    child->Wait(2000);
    const long endSeen = WaitUntil(*watcher, name, false);
    EXPECT_GE(endSeen, 0);
    EXPECT_LT(endSeen, kSeenWithinMs);
    watcher->Stop();
}

TEST(ProcessWatcher, IgnoresAProgramOfAnotherUser) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "a process of another user can only be made as root; not checked";
    const std::string name = "t418other" + std::to_string(std::random_device()() % 100000);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        ::execl("/bin/sleep", name.c_str(), "30", static_cast<char*>(nullptr));
        ::_exit(4);
    }
    // Our own look, and the same look as if we were that user: there it is seen.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const std::vector<platform::RunningProgram> ours = platform::ListRunningPrograms();
    ProcessScan theirs("/proc", 65534);
    theirs.Look(0);
    const std::vector<platform::RunningProgram> seenByThem = theirs.Programs();
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    EXPECT_EQ(FindPid(ours, pid), nullptr);
    const platform::RunningProgram* other = FindPid(seenByThem, pid);
    ASSERT_NE(other, nullptr) << "the child did not run as the other user";
    EXPECT_NE(std::find(other->names.begin(), other->names.end(), name), other->names.end());
}

}  // namespace
