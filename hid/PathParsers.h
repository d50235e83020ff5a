#pragma once
// Numbers read from an interface path such as "...#vid_320f&pid_22a4&mi_01&col02". Each
// finds its key without regard to case and reads the hexadecimal number after it; a missing
// key gives 0.
#include <cstdint>
#include <string_view>

namespace hid {

uint16_t VendorFromPath(std::string_view path);      // "vid_"
uint16_t ProductFromPath(std::string_view path);     // "pid_"
uint16_t InterfaceFromPath(std::string_view path);   // "&mi_"
uint16_t CollectionFromPath(std::string_view path);  // "&col"

}  // namespace hid
