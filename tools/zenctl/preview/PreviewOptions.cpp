#include "tools/zenctl/preview/PreviewOptions.h"

#include <charconv>

namespace zenctl::preview {
namespace {

bool ToInt(const std::string& text, int low, int high, int& out) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return false;
    out = value;
    return true;
}

bool ToColour(std::string text, PreviewOptions& options) {
    if (!text.empty() && text[0] == '#')
        text.erase(0, 1);
    if (text.size() != 6)
        return false;
    unsigned value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size())
        return false;
    options.red = static_cast<uint8_t>(value >> 16);
    options.green = static_cast<uint8_t>(value >> 8);
    options.blue = static_cast<uint8_t>(value);
    return true;
}

}  // namespace

bool ParsePreviewOptions(const std::vector<std::string>& args, PreviewOptions& options,
                         std::string& error) {
    bool haveMode = false;
    std::string lightOption;  // a light option given, refused with --profile
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--mode" || name == "--colour" || name == "--color" || name == "--brightness" ||
            name == "--speed" || name == "--direction" || name == "--multicolour")
            lightOption = name;
        if (name == "--multicolour") {
            options.multiColour = true;
            continue;
        }
        if (name == "--page") {
            options.wholePage = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error =
                name.rfind("--", 0) == 0 ? name + " needs a value" : "unexpected '" + name + "'";
            return false;
        }
        const std::string& value = args[++i];
        int n = 0;
        if (name == "--mode") {
            // Any whole number; which modes exist is checked when the preview runs.
            if (!ToInt(value, -1000000, 1000000, n)) {
                error = "--mode takes a number";
                return false;
            }
            options.mode = n;
            haveMode = true;
        } else if (name == "--colour" || name == "--color") {
            if (!ToColour(value, options)) {
                error = "--colour takes six hexadecimal digits RRGGBB";
                return false;
            }
        } else if (name == "--brightness" || name == "--speed") {
            if (!ToInt(value, 0, 4, n)) {
                error = name + " takes 0 to 4";
                return false;
            }
            (name == "--speed" ? options.speed : options.brightness) = static_cast<uint8_t>(n);
        } else if (name == "--direction") {
            if (!ToInt(value, 0, 1, n)) {
                error = "--direction takes 0 or 1";
                return false;
            }
            options.direction = static_cast<uint8_t>(n);
        } else if (name == "--frames") {
            if (!ToInt(value, 1, 100000, n)) {
                error = "--frames takes 1 to 100000";
                return false;
            }
            options.frames = n;
        } else if (name == "--every-ms") {
            if (!ToInt(value, 0, 3600000, n)) {
                error = "--every-ms takes 0 to 3600000";
                return false;
            }
            options.everyMs = n;
        } else if (name == "--out") {
            options.outFolder = value;
        } else if (name == "--profile") {
            options.profileFile = value;
        } else if (name == "--apng") {
            options.apngFile = value;
        } else if (name == "--strip") {
            options.stripFile = value;
        } else {
            error = "unknown option '" + name + "'";
            return false;
        }
    }
    if (!options.profileFile.empty() && !lightOption.empty()) {
        error = "--profile gives the light; " + lightOption + " cannot be given with it";
        return false;
    }
    if ((!haveMode && options.profileFile.empty()) || options.frames == 0) {
        error = "--mode (or --profile) and --frames are required";
        return false;
    }
    if (options.outFolder.empty() && options.apngFile.empty() && options.stripFile.empty()) {
        error = "--out, --apng or --strip says where the frames go";
        return false;
    }
    return true;
}

}  // namespace zenctl::preview
