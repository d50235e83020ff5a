#include "platform/linux/ProcessScan.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace platform::linux_proc {
namespace {

constexpr size_t kMaxCommandLine = 8192;

// Reads at most max bytes of file `name` below dirFd; false when it cannot be opened.
bool ReadSmallFile(int dirFd, const std::string& name, size_t max, std::string& out) {
    const int fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    out.resize(max);
    size_t total = 0;
    while (total < max) {
        const ssize_t n = ::read(fd, out.data() + total, max - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        total += static_cast<size_t>(n);
    }
    ::close(fd);
    out.resize(total);
    return true;
}

std::string BaseNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Control bytes would make a name or a command line print badly.
std::string Printable(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
    return text;
}

void AddName(std::vector<std::string>& names, std::string name) {
    name = Printable(std::move(name));
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
        names.push_back(std::move(name));
}

// Field 22 of /proc/<pid>/stat, counted after the name's closing parenthesis (the name may
// hold spaces and parentheses itself).
uint64_t StartTicksOf(const std::string& stat) {
    const size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return 0;
    const char* p = stat.c_str() + close + 1;
    for (int field = 3; field < 22; ++field) {
        p = std::strchr(p + 1, ' ');
        if (p == nullptr)
            return 0;
    }
    return std::strtoull(p + 1, nullptr, 10);
}

bool IsPidName(const char* name, int& pid) {
    if (*name < '1' || *name > '9')
        return false;
    long value = 0;
    for (const char* c = name; *c; ++c) {
        if (*c < '0' || *c > '9' || value > 100000000)
            return false;
        value = value * 10 + (*c - '0');
    }
    pid = static_cast<int>(value);
    return true;
}

}  // namespace

ProcessScan::ProcessScan(std::string root, uid_t uid) : root_(std::move(root)), uid_(uid) {}

bool ProcessScan::Read(int dirFd, const char* name, int pid, Known& known) {
    struct stat st {};
    if (::fstatat(dirFd, name, &st, 0) != 0)
        return false;
    known.own = st.st_uid == uid_;
    if (!known.own)
        return true;
    const int fd = ::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    RunningProgram program;
    program.pid = pid;
    std::string exe(4096, '\0');
    const ssize_t length = ::readlinkat(fd, "exe", exe.data(), exe.size() - 1);
    if (length > 0) {
        exe.resize(static_cast<size_t>(length));
        constexpr std::string_view kDeleted = " (deleted)";
        if (exe.ends_with(kDeleted))
            exe.resize(exe.size() - kDeleted.size());
        AddName(program.names, BaseNameOf(exe));
    }
    std::string text;
    if (ReadSmallFile(fd, "comm", 64, text)) {
        while (!text.empty() && (text.back() == '\n' || text.back() == '\0'))
            text.pop_back();
        AddName(program.names, text);
    }
    if (ReadSmallFile(fd, "cmdline", kMaxCommandLine, text) && !text.empty()) {
        AddName(program.names, BaseNameOf(std::string(text.c_str())));
        while (!text.empty() && text.back() == '\0')
            text.pop_back();
        std::replace(text.begin(), text.end(), '\0', ' ');
        program.commandLine = Printable(std::move(text));
    }
    if (ReadSmallFile(fd, "stat", 1024, text))
        program.started = StartTicksOf(text);
    ::close(fd);
    if (program.names.empty())
        return false;  // gone while it was read
    known.program = std::move(program);
    return true;
}

bool ProcessScan::Look(uint64_t nowMs) {
    ++look_;
    lastReads_ = 0;
    lastEntries_ = 0;
    DIR* dir = ::opendir(root_.c_str());
    readable_ = dir != nullptr;
    if (dir == nullptr)
        return false;
    const int dirFd = ::dirfd(dir);
    bool changed = false;
    while (const dirent* entry = ::readdir(dir)) {
        int pid = 0;
        if (!IsPidName(entry->d_name, pid))
            continue;
        ++lastEntries_;
        auto found = known_.find(pid);
        if (found != known_.end()) {
            Known& known = found->second;
            known.seen = look_;
            if (!known.own || nowMs - known.firstSeenMs >= kYoungMs)
                continue;
            Known again = known;
            ++lastReads_;
            if (Read(dirFd, entry->d_name, pid, again) && again.own &&
                (again.program.names != known.program.names ||
                 again.program.commandLine != known.program.commandLine)) {
                known.program = std::move(again.program);
                changed = true;
            }
            continue;
        }
        Known known;
        known.firstSeenMs = nowMs;
        known.seen = look_;
        ++lastReads_;
        if (!Read(dirFd, entry->d_name, pid, known))
            continue;
        changed = changed || known.own;
        known_.emplace(pid, std::move(known));
    }
    ::closedir(dir);
    for (auto it = known_.begin(); it != known_.end();) {
        if (it->second.seen != look_) {
            changed = changed || it->second.own;
            it = known_.erase(it);
        } else {
            ++it;
        }
    }
    return changed;
}

std::vector<RunningProgram> ProcessScan::Programs() const {
    std::vector<RunningProgram> programs;
    for (const auto& [pid, known] : known_) {
        if (known.own)
            programs.push_back(known.program);
    }
    return programs;
}

}  // namespace platform::linux_proc
