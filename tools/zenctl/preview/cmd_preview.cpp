// preview: the mouse page's picture through the preview steps of a light mode, as PNG frames.
#include <cstdio>

#include "tools/zenctl/Command.h"
#include "tools/zenctl/preview/MousePagePreview.h"
#include "tools/zenctl/preview/PreviewOptions.h"

namespace zenctl {
namespace {

constexpr const char* kUsage =
    "usage: t418-zenctl preview --mode MODE [--colour RRGGBB] [--brightness 0-4]\n"
    "         [--speed 0-4] [--direction 0|1] [--multicolour] --frames COUNT\n"
    "         [--every-ms M] [--page] [--out DIR] [--apng FILE] [--strip FILE]\n"
    "       t418-zenctl preview --profile FILE --frames COUNT [--every-ms M] [--page]\n"
    "         [--out DIR] [--apng FILE] [--strip FILE]\n"
    "modes: 0 static, 1 breathe, 2 colour cycle, 3 breathe in four colours, 4 off,\n"
    "       5 wave, 6 flash, 7 reactive, 8 flash in four colours, 9 neon\n";

int RunPreview(const std::vector<std::string>& args, const Options&) {
    preview::PreviewOptions options;
    std::string error;
    if (!preview::ParsePreviewOptions(args, options, error)) {
        std::fprintf(stderr, "preview: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    return preview::RunMousePagePreview(options);
}

const CommandRegistration registration(
    {"preview", "preview --mode M|--profile F --frames N --out DIR|--apng F",
     "render the mouse page's lights through a light mode", RunPreview});

}  // namespace
}  // namespace zenctl
