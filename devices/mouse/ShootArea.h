#pragma once
// The shoot area: the mouse's four shoot-data sets as one event area, item i holding every
// event of the user data folder's "ShootData_<i>.Shoot" in file order. Built from the files
// as they are on disk, so the upload, t418-zenctl and the tests send the same bytes.
// Threads: any (reads files only).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace devices::mouse {

inline constexpr int kShootSetCount = 4;

// "ShootData_<set>.Shoot".
std::string ShootSetFileName(int set);

struct ShootArea {
    // Events encoded per set (a missing or unusable file gives none).
    std::vector<size_t> eventCounts;
    // The size the area needs; above 0xFFFF it cannot be described by its 16-bit header.
    size_t size = 0;
    // The area's bytes; nothing when it does not fit the format.
    std::optional<std::vector<uint8_t>> bytes;
};

// userDataFolder ends with the path separator.
ShootArea BuildShootArea(const std::string& userDataFolder);

}  // namespace devices::mouse
