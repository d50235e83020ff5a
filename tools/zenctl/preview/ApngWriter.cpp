#include "tools/zenctl/preview/ApngWriter.h"

#include <algorithm>
#include <array>
#include <vector>

namespace zenctl::preview {
namespace {

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);
constexpr size_t kHeaderBytes = 13;
// Chunk lengths are 31-bit; an fdAT adds its sequence number to the image data.
constexpr uint32_t kMaxChunkBytes = 0x7FFFFFFFu;

struct ApngChunk {
    std::string_view type;
    std::string_view data;
};

uint32_t ReadBigEndian(std::string_view bytes, size_t at) {
    return uint32_t{static_cast<uint8_t>(bytes[at])} << 24 |
           uint32_t{static_cast<uint8_t>(bytes[at + 1])} << 16 |
           uint32_t{static_cast<uint8_t>(bytes[at + 2])} << 8 |
           uint32_t{static_cast<uint8_t>(bytes[at + 3])};
}

void AppendBigEndian(std::string& out, uint32_t value, int bytes = 4) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

bool IsChunkLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The chunks of one PNG, every length and checksum checked; the picture must be still, with
// its header first, its image data in one run and nothing after its end.
bool SplitPng(std::string_view png, std::vector<ApngChunk>& chunks, std::string& error) {
    if (png.substr(0, kPngSignature.size()) != kPngSignature) {
        error = "not a PNG picture";
        return false;
    }
    size_t at = kPngSignature.size();
    bool ended = false, imageDataEnded = false;
    while (!ended) {
        if (png.size() - at < 12) {
            error = "the picture is cut short";
            return false;
        }
        const uint32_t length = ReadBigEndian(png, at);
        if (length > kMaxChunkBytes || length > png.size() - at - 12) {
            error = "a chunk runs past the end of the picture";
            return false;
        }
        const std::string_view typeAndData = png.substr(at + 4, 4 + length);
        const ApngChunk chunk{typeAndData.substr(0, 4), typeAndData.substr(4)};
        for (char c : chunk.type) {
            if (!IsChunkLetter(c)) {
                error = "a chunk has no valid type";
                return false;
            }
        }
        if (ReadBigEndian(png, at + 8 + length) != PngCrc(typeAndData)) {
            error = "the checksum of chunk " + std::string(chunk.type) + " is wrong";
            return false;
        }
        at += 12 + length;
        const bool imageData = chunk.type == "IDAT";
        if (chunks.empty() && (chunk.type != "IHDR" || length != kHeaderBytes)) {
            error = "the picture does not start with its header";
            return false;
        }
        if (chunk.type == "acTL" || chunk.type == "fcTL" || chunk.type == "fdAT") {
            error = "the picture is already animated";
            return false;
        }
        const bool known =
            chunk.type == "IHDR" || chunk.type == "PLTE" || imageData || chunk.type == "IEND";
        if (!known && chunk.type[0] >= 'A' && chunk.type[0] <= 'Z') {
            error = "the picture needs chunk " + std::string(chunk.type) + " to be read";
            return false;
        }
        if (imageData && imageDataEnded) {
            error = "the image data is split by other chunks";
            return false;
        }
        if (!imageData && !chunks.empty() && chunks.back().type == "IDAT")
            imageDataEnded = true;
        ended = chunk.type == "IEND";
        chunks.push_back(chunk);
    }
    if (at != png.size()) {
        error = "bytes follow the end of the picture";
        return false;
    }
    if (!imageDataEnded) {
        error = "the picture has no image data";
        return false;
    }
    return true;
}

std::string_view DataOf(const std::vector<ApngChunk>& chunks, std::string_view type) {
    for (const ApngChunk& chunk : chunks) {
        if (chunk.type == type)
            return chunk.data;
    }
    return {};
}

const std::array<uint32_t, 256>& CrcTable() {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

}  // namespace

uint32_t PngCrc(std::string_view bytes) {
    const std::array<uint32_t, 256>& table = CrcTable();
    uint32_t c = 0xFFFFFFFFu;
    for (char byte : bytes)
        c = table[(c ^ static_cast<uint8_t>(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

ApngWriter::ApngWriter(std::ostream& out, uint32_t frameCount)
    : out_(out), frameCount_(frameCount) {
    if (frameCount_ == 0 || frameCount_ > kMaxFrames)
        error_ = "an animation has 1 to " + std::to_string(kMaxFrames) + " frames";
}

bool ApngWriter::Fail(std::string message) {
    if (error_.empty())
        error_ = std::move(message);
    return false;
}

void ApngWriter::WriteChunk(std::string_view type, std::string_view data) {
    std::string bytes;
    bytes.reserve(12 + data.size());
    AppendBigEndian(bytes, static_cast<uint32_t>(data.size()));
    bytes.append(type);
    bytes.append(data);
    AppendBigEndian(bytes, PngCrc(std::string_view(bytes).substr(4)));
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void ApngWriter::WriteFrameControl(uint32_t width, uint32_t height, uint32_t delayMs) {
    // The delay as a fraction of 16-bit numbers: milliseconds, else hundredths, else seconds.
    uint32_t numerator = delayMs, denominator = 1000;
    if (numerator > 0xFFFF) {
        numerator = delayMs / 10;
        denominator = 100;
    }
    if (numerator > 0xFFFF) {
        numerator = std::min<uint32_t>(delayMs / 1000, 0xFFFF);
        denominator = 1;
    }
    std::string data;
    AppendBigEndian(data, sequence_++);
    AppendBigEndian(data, width);
    AppendBigEndian(data, height);
    AppendBigEndian(data, 0);  // at the top left
    AppendBigEndian(data, 0);
    AppendBigEndian(data, numerator, 2);
    AppendBigEndian(data, denominator, 2);
    data += '\0';  // the frame stays until the next one covers it
    data += '\0';  // and replaces the picture whole
    WriteChunk("fcTL", data);
}

bool ApngWriter::AddFrame(std::string_view png, uint32_t delayMs) {
    if (!error_.empty())
        return false;
    if (frames_ >= frameCount_)
        return Fail("more frames than the " + std::to_string(frameCount_) + " announced");
    std::vector<ApngChunk> chunks;
    std::string error;
    if (!SplitPng(png, chunks, error))
        return Fail("frame " + std::to_string(frames_ + 1) + ": " + error);
    const std::string_view header = chunks.front().data;
    if (frames_ == 0) {
        header_ = header;
        palette_ = DataOf(chunks, "PLTE");
        transparency_ = DataOf(chunks, "tRNS");
        out_.write(kPngSignature.data(), static_cast<std::streamsize>(kPngSignature.size()));
        WriteChunk("IHDR", header);
        std::string control;
        AppendBigEndian(control, frameCount_);
        AppendBigEndian(control, 0);  // played without end
        WriteChunk("acTL", control);
        // What the first picture says before its image data (palette, colour space, pixel
        // size) holds for every frame.
        for (const ApngChunk& chunk : chunks) {
            if (chunk.type == "IDAT")
                break;
            if (chunk.type != "IHDR")
                WriteChunk(chunk.type, chunk.data);
        }
    } else if (header != header_ || DataOf(chunks, "PLTE") != palette_ ||
               DataOf(chunks, "tRNS") != transparency_) {
        return Fail("frame " + std::to_string(frames_ + 1) +
                    ": its size or pixel format differs from the first frame's");
    }
    WriteFrameControl(ReadBigEndian(header, 0), ReadBigEndian(header, 4), delayMs);
    for (const ApngChunk& chunk : chunks) {
        if (chunk.type != "IDAT")
            continue;
        if (frames_ == 0) {
            WriteChunk("IDAT", chunk.data);
        } else {
            if (chunk.data.size() > kMaxChunkBytes - 4)
                return Fail("frame " + std::to_string(frames_ + 1) +
                            ": an image data chunk is "
                            "too large");
            std::string data;
            AppendBigEndian(data, sequence_++);
            data.append(chunk.data);
            WriteChunk("fdAT", data);
        }
    }
    ++frames_;
    if (!out_)
        return Fail("the animation cannot be written");
    return true;
}

bool ApngWriter::Finish() {
    if (!error_.empty())
        return false;
    if (frames_ != frameCount_)
        return Fail(std::to_string(frames_) + " of " + std::to_string(frameCount_) +
                    " frames came");
    WriteChunk("IEND", {});
    out_.flush();
    if (!out_)
        return Fail("the animation cannot be written");
    return true;
}

}  // namespace zenctl::preview
