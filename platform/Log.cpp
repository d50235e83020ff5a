#include "platform/Log.h"

#include <cstdio>
#include <mutex>

#include "platform/Folders.h"

namespace platform {
namespace {

std::mutex& LogMutex() {
    static std::mutex m;
    return m;
}

std::function<LocalTime()>& Clock() {
    static std::function<LocalTime()> clock;
    return clock;
}

LocalTime Now() {
    return Clock() ? Clock()() : CurrentLocalTime();
}

}  // namespace

std::string LogFilePath() {
    return LocalAppDataFolder() + "R207QX-ACE/Linkhive.log";
}

std::string LogStamp(const LocalTime& t) {
    char buffer[96];
    int n = std::snprintf(buffer, sizeof buffer, "%4d-%02d-%02d-%02d-%02d-%02d:", t.year, t.month,
                          t.day, t.hour, t.minute, t.second);
    if (n < 0)
        return std::string();
    return std::string(buffer, static_cast<size_t>(n) < sizeof buffer ? static_cast<size_t>(n)
                                                                      : sizeof buffer - 1);
}

void Log(std::string_view message) {
    std::lock_guard<std::mutex> lock(LogMutex());
    const std::string path = LogFilePath();
    std::string line = LogStamp(Now());
    line.append(message);
    line.push_back('\n');

    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file) {
        std::fputs("unable to open log file\n", stdout);
        std::fflush(stdout);
        return;
    }
    if (std::fseek(file, 0, SEEK_END) == 0 && std::ftell(file) > kLogSizeLimit) {
        // Start again from empty: the file then holds the new line alone.
        std::FILE* emptied = std::freopen(path.c_str(), "wb", file);
        if (!emptied) {
            std::fputs("unable to open log file\n", stdout);
            std::fflush(stdout);
            return;
        }
        file = emptied;
    }
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
}

namespace testing {
void SetLogClock(std::function<LocalTime()> clock) {
    std::lock_guard<std::mutex> lock(LogMutex());
    Clock() = std::move(clock);
}
}  // namespace testing

}  // namespace platform
