#include "platform/LocalTime.h"

#include <sys/time.h>
#include <time.h>

namespace platform {

LocalTime CurrentLocalTime() {
    struct timeval now {};
    ::gettimeofday(&now, nullptr);
    struct tm parts {};
    time_t seconds = now.tv_sec;
    ::localtime_r(&seconds, &parts);
    LocalTime t;
    t.year = parts.tm_year + 1900;
    t.month = parts.tm_mon + 1;
    t.day = parts.tm_mday;
    t.hour = parts.tm_hour;
    t.minute = parts.tm_min;
    t.second = parts.tm_sec;
    t.millisecond = static_cast<int>(now.tv_usec / 1000);
    return t;
}

}  // namespace platform
