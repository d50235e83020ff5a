#pragma once
// The options of `t418-zenctl preview`, read and checked. Any thread.
#include <cstdint>
#include <string>
#include <vector>

namespace zenctl::preview {

struct PreviewOptions {
    int mode = -1;
    uint8_t red = 255, green = 255, blue = 255;
    uint8_t brightness = 4;
    uint8_t speed = 2;
    uint8_t direction = 1;
    bool multiColour = false;
    int frames = 0;
    int everyMs = -1;  // -1: the pace of the program's preview at the speed
    std::string outFolder;
    bool wholePage = false;
};

// False with a message when an option is missing, unknown or out of range.
bool ParsePreviewOptions(const std::vector<std::string>& args, PreviewOptions& options,
                         std::string& error);

}  // namespace zenctl::preview
