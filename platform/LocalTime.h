#pragma once
// The wall-clock local time, broken down the way log stamps and file identifiers need it.
// Threads: any.
namespace platform {

struct LocalTime {
    int year = 0;
    int month = 0;  // 1-12
    int day = 0;    // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

LocalTime CurrentLocalTime();

}  // namespace platform
