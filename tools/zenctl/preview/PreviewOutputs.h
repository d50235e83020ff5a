#pragma once
// Where the preview's frames go: one PNG a frame in a folder, one animated PNG, one strip of
// the frames side by side. The animation is written as the frames come and appears under its
// name only when whole.
// Threads: the preview's thread only.
#include <QImage>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "tools/zenctl/preview/ApngWriter.h"
#include "tools/zenctl/preview/PreviewOptions.h"

namespace zenctl::preview {

class PreviewOutputs {
  public:
    // The strip is at most this wide (what a picture file can hold).
    static constexpr int kMaxStripWidth = 32767;

    explicit PreviewOutputs(const PreviewOptions& options);
    ~PreviewOutputs();

    // Frame `index` (from 0) of the options' count, shown for delayMs; false with Error().
    bool Add(const QImage& frame, int index, uint32_t delayMs);
    // Completes the animation and the strip; false with Error().
    bool Finish();
    const std::string& Error() const { return error_; }

  private:
    bool Fail(const std::string& message);

    const PreviewOptions& options_;
    std::string apngPart_;  // the animation while it is written
    std::ofstream apngStream_;
    std::unique_ptr<ApngWriter> apng_;
    QImage strip_;
    std::string error_;
};

}  // namespace zenctl::preview
