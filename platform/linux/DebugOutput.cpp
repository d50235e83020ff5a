#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <string>

#include "platform/Trace.h"

namespace platform::detail {

void WriteDebugOutput(std::string_view text) {
    static const bool enabled = std::getenv("T418_ZEN_TRACE") != nullptr;
    if (!enabled)
        return;
    static std::mutex mutex;
    std::string line(text);
    line.push_back('\n');
    std::lock_guard<std::mutex> lock(mutex);
    size_t done = 0;
    while (done < line.size()) {
        ssize_t n = ::write(STDERR_FILENO, line.data() + done, line.size() - done);
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
}

}  // namespace platform::detail
