#pragma once
// Joins PNG pictures of one size into one animated PNG, frame by frame as they come, so that
// a long preview never sits in memory whole: the first picture's header and its image data
// become the default image (IDAT), every later picture's image data a frame data chunk
// (fdAT), each frame announced by a frame control chunk (fcTL) with its delay; sequence
// numbers and checksums are made anew.
// Threads: one thread at a time per writer.
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace zenctl::preview {

// The PNG checksum (CRC-32 of ISO 3309) of bytes, as chunks carry it over type and data.
uint32_t PngCrc(std::string_view bytes);

class ApngWriter {
  public:
    static constexpr uint32_t kMaxFrames = 1u << 20;

    // frameCount: the frames the animation announces (1 to kMaxFrames); it plays forever.
    ApngWriter(std::ostream& out, uint32_t frameCount);

    // One whole PNG file and how long the frame shows. Refused (false, Error() says why) for
    // bytes that are not a sound PNG, a picture whose header or palette differs from the
    // first one's, a frame past the count, or after a failure.
    bool AddFrame(std::string_view png, uint32_t delayMs);
    // Ends the file; false unless every announced frame came and the stream took all bytes.
    bool Finish();

    const std::string& Error() const { return error_; }
    uint32_t FramesWritten() const { return frames_; }

  private:
    bool Fail(std::string message);
    void WriteChunk(std::string_view type, std::string_view data);
    void WriteFrameControl(uint32_t width, uint32_t height, uint32_t delayMs);

    std::ostream& out_;
    uint32_t frameCount_;
    uint32_t frames_ = 0;
    uint32_t sequence_ = 0;
    std::string header_;   // the first picture's IHDR data
    std::string palette_;  // its PLTE and tRNS chunks' data, which every frame must share
    std::string transparency_;
    std::string error_;
};

}  // namespace zenctl::preview
