#include "platform/Process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/Trace.h"

extern char** environ;

namespace platform {
namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// Spawns the program; -1 (traced) when it cannot be started.
pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments,
            const std::string& folder, bool ownSession) {
    std::string resolved = program;
    if (program.find('/') == std::string::npos && !folder.empty()) {
        std::string local = folder + (folder.back() == '/' ? "" : "/") + program;
        if (IsExecutableFile(local))
            resolved = local;
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawnattr_init(&attributes);
    if (!folder.empty())
        ::posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    // The child starts with default signal handling and an empty signal mask.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (ownSession)
        flags |= POSIX_SPAWN_SETSID;
    ::posix_spawnattr_setflags(&attributes, flags);
    ::posix_spawnattr_setsigmask(&attributes, &none);
    ::posix_spawnattr_setsigdefault(&attributes, &all);

    pid_t pid = -1;
    int rc = ::posix_spawnp(&pid, resolved.c_str(), &actions, &attributes, argv.data(), environ);
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        TraceF("Process: cannot start %s: %s", program.c_str(), std::strerror(rc));
        return -1;
    }
    return pid;
}

// Waits for the process in the background so that it never lingers as a zombie.
void ReapInBackground(pid_t pid) {
    std::thread([pid] {
        int status;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

class LinuxChildProcess : public ChildProcess {
  public:
    explicit LinuxChildProcess(pid_t pid) : pid_(pid) {}
    ~LinuxChildProcess() override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!reaped_ && !Reap(WNOHANG))
            ReapInBackground(pid_);
    }

    int Id() const override { return pid_; }

    bool IsRunning() override {
        std::lock_guard<std::mutex> lock(mutex_);
        return !reaped_ && !Reap(WNOHANG);
    }

    bool Wait(uint32_t timeoutMs) override {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (reaped_ || Reap(WNOHANG))
                    return true;
            }
            if (timeoutMs != kInfinite && std::chrono::steady_clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    int ExitCode() const override {
        std::lock_guard<std::mutex> lock(mutex_);
        return exitCode_;
    }

    void Kill() override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!reaped_)
            ::kill(pid_, SIGKILL);
    }

  private:
    // Caller holds mutex_. True when the process has ended and was reaped now.
    bool Reap(int options) {
        int status = 0;
        pid_t rc;
        do {
            rc = ::waitpid(pid_, &status, options);
        } while (rc < 0 && errno == EINTR);
        if (rc == 0)
            return false;
        reaped_ = true;
        if (rc < 0)
            exitCode_ = -1;
        else if (WIFEXITED(status))
            exitCode_ = WEXITSTATUS(status);
        else if (WIFSIGNALED(status))
            exitCode_ = 128 + WTERMSIG(status);
        return true;
    }

    const pid_t pid_;
    mutable std::mutex mutex_;
    bool reaped_ = false;
    int exitCode_ = -1;
};

}  // namespace

int CurrentProcessId() {
    return static_cast<int>(::getpid());
}

bool ShellOpen(const std::string& program, const std::string& parameters,
               const std::string& folder) {
    if (program.empty())
        return false;
    pid_t pid = Spawn(program, SplitCommandLine(parameters), folder, true);
    if (pid < 0)
        return false;
    ReapInBackground(pid);
    return true;
}

std::unique_ptr<ChildProcess> StartProcess(const std::string& program,
                                           const std::vector<std::string>& arguments,
                                           const std::string& folder) {
    if (program.empty())
        return nullptr;
    pid_t pid = Spawn(program, arguments, folder, false);
    if (pid < 0)
        return nullptr;
    return std::make_unique<LinuxChildProcess>(pid);
}

}  // namespace platform
