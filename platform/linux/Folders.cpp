#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/Folders.h"

namespace platform {

std::string ExecutableFolder() {
    char buffer[4096];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return "./";
    std::string path(buffer, static_cast<size_t>(n));
    auto slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) {
        std::string folder(runtime);
        if (folder.back() != '/')
            folder.push_back('/');
        return folder;
    }
    return "/tmp/t418-zen-" + std::to_string(::getuid()) + "/";
}

}  // namespace platform
