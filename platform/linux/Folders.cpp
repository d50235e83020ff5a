// The folder rules of a Linux desktop: the XDG base directories and the /usr-style install.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/Folders.h"

namespace platform {
namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    if (value && *value)
        return value;
    return fallback;
}

std::string HomeFolder() {
    return EnvOr("HOME", "/tmp");
}

}  // namespace

std::string ExecutableFolder() {
    char buffer[4096];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return "./";
    std::string path(buffer, static_cast<size_t>(n));
    auto slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string LocalAppDataFolder() {
    return WithTrailingSlash(EnvOr("XDG_DATA_HOME", HomeFolder() + "/.local/share"));
}

std::string RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime)
        return WithTrailingSlash(runtime);
    return "/tmp/t418-zen-" + std::to_string(::getuid()) + "/";
}

std::string TempFolder() {
    return WithTrailingSlash(EnvOr("TMPDIR", "/tmp"));
}

namespace detail {

std::string InstalledDataFolder() {
    // <prefix>/bin/t418-zen next to <prefix>/share/t418-zen/.
    return ExecutableFolder() + "../share/t418-zen/";
}

std::string UserConfigFolder() {
    return WithTrailingSlash(EnvOr("XDG_CONFIG_HOME", HomeFolder() + "/.config"));
}

}  // namespace detail
}  // namespace platform
