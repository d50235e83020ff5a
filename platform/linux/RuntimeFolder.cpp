#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Folders.h"
#include "platform/SingleInstance.h"
#include "platform/Trace.h"

namespace platform {

bool EnsureRuntimeFolder() {
    std::string folder = RuntimeFolder();
    if (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        TraceF("runtime folder %s cannot be created: %s", folder.c_str(), std::strerror(errno));
        return false;
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
        TraceF("runtime folder %s is not a folder of this user", folder.c_str());
        return false;
    }
    return true;
}

}  // namespace platform
