#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/FileIO.h"
#include "platform/Trace.h"

namespace platform {
namespace {

std::atomic<bool> failNextBeforeRename{false};

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

}  // namespace

bool WriteFileAtomic(const std::string& path, const std::string& bytes) {
    std::string temp = path + ".tmp-XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        TraceF("WriteFileAtomic: cannot create a temporary file for %s: %s", path.c_str(),
               std::strerror(errno));
        return false;
    }
    // mkstemp makes the file 0600: keep the old file's mode, or the usual 0644 for a new one.
    struct stat old {};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);

    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int savedErrno = errno;
    if (::close(fd) != 0)
        ok = false;
    if (ok && failNextBeforeRename.exchange(false)) {
        ok = false;
        savedErrno = EIO;
    }
    if (!ok) {
        TraceF("WriteFileAtomic: writing %s failed: %s", path.c_str(), std::strerror(savedErrno));
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        TraceF("WriteFileAtomic: replacing %s failed: %s", path.c_str(), std::strerror(errno));
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

namespace testing {
void FailNextAtomicWriteBeforeRename() {
    failNextBeforeRename = true;
}
}  // namespace testing

}  // namespace platform
