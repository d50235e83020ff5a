#pragma once
// Renders the mouse page offscreen through the preview steps of one light mode and writes
// one PNG per step. Runs on the calling thread, which becomes the window thread.
#include "tools/zenctl/preview/PreviewOptions.h"

namespace zenctl::preview {

// The exit code: 0 written, 1 failed (unknown or unavailable mode, page or files).
int RunMousePagePreview(const PreviewOptions& options);

}  // namespace zenctl::preview
