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
    int everyMs = -1;       // -1: the pace of the program's preview at the speed
    std::string outFolder;  // one PNG a frame; empty: none
    bool wholePage = false;
    // The light record, per-LED list and custom effect of this profile file's document
    // instead of the light options.
    std::string profileFile;
    std::string apngFile;   // one animated PNG of every frame
    std::string stripFile;  // one PNG of the frames side by side
};

// False with a message when an option is missing, unknown or out of range. --mode is needed
// without --profile and refused with it (so are the other light options); at least one of
// --out, --apng and --strip says where the frames go.
bool ParsePreviewOptions(const std::vector<std::string>& args, PreviewOptions& options,
                         std::string& error);

}  // namespace zenctl::preview
