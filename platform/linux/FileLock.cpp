#include "platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Trace.h"

namespace platform {

FileLock::FileLock(const std::string& path, Mode mode) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        TraceF("FileLock: cannot open %s: %s", path.c_str(), std::strerror(errno));
        return;
    }
    int operation = LOCK_EX | (mode == Mode::Try ? LOCK_NB : 0);
    int rc;
    do {
        rc = ::flock(fd, operation);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        busy_ = errno == EWOULDBLOCK;
        if (!busy_)
            TraceF("FileLock: cannot lock %s: %s", path.c_str(), std::strerror(errno));
        ::close(fd);
        return;
    }
    handle_ = fd;
}

bool FileLock::WriteContent(const std::string& text) {
    if (handle_ < 0 || ::ftruncate(handle_, 0) != 0)
        return false;
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n =
            ::pwrite(handle_, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

FileLock::~FileLock() {
    Release();
}

void FileLock::Release() {
    if (handle_ >= 0) {
        ::flock(handle_, LOCK_UN);
        ::close(handle_);
        handle_ = -1;
    }
}

}  // namespace platform
