#include "profile/FileNames.h"

#include <cstdio>

#include "platform/FileIO.h"

namespace profile {

std::string MakeTimestampName(const platform::LocalTime& t) {
    char text[200];
    std::snprintf(text, sizeof text, "%d_%02d_%02d_%02d_%02d_%02d_%03d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, t.millisecond);
    return text;
}

std::string MakeTimestampName() {
    return MakeTimestampName(platform::CurrentLocalTime());
}

std::string GetFileTitle(const std::string& path) {
    auto slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string FreeBackupName(const std::string& path) {
    std::string stem = path + "." + MakeTimestampName();
    std::string name = stem + ".bad";
    for (int n = 1; platform::FileExists(name) || platform::FolderExists(name); ++n)
        name = stem + "-" + std::to_string(n) + ".bad";
    return name;
}

}  // namespace profile
