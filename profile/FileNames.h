#pragma once
// Names derived from time and paths.
#include <string>

namespace profile {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

LocalTime CurrentLocalTime();

// "%d_%02d_%02d_%02d_%02d_%02d_%03d" of the local time: the identifier of new profiles and
// macros. Two calls within the same millisecond give the same name.
std::string MakeTimestampName();
std::string MakeTimestampName(const LocalTime& time);

// The last component of path ('/' or '\' separated) without the text from its last dot.
std::string GetFileTitle(const std::string& path);

}  // namespace profile
