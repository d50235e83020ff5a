// Pictures joined into an animated PNG: the chunks a viewer reads, their order, sequence
// numbers, delays and checksums, and the frames' image data carried over unchanged.
#include <gtest/gtest.h>
#include <zlib.h>

#include <sstream>
#include <string>
#include <vector>

#include "tools/zenctl/preview/ApngWriter.h"

namespace {

using zenctl::preview::ApngWriter;

void PutBigEndian(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>(v >> shift);
}

uint32_t GetBigEndian(const std::string& s, size_t at) {
    return uint32_t{static_cast<uint8_t>(s[at])} << 24 |
           uint32_t{static_cast<uint8_t>(s[at + 1])} << 16 |
           uint32_t{static_cast<uint8_t>(s[at + 2])} << 8 |
           uint32_t{static_cast<uint8_t>(s[at + 3])};
}

uint32_t ZlibCrc(const std::string& bytes) {
    return static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

std::string Chunk(const std::string& type, const std::string& data) {
    std::string out;
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    out += type + data;
    PutBigEndian(out, ZlibCrc(type + data));
    return out;
}

// The rows of a width x height RGBA picture of one colour, each after its filter byte.
std::string Pixels(uint32_t width, uint32_t height, uint8_t r, uint8_t g, uint8_t b) {
    std::string raw;
    for (uint32_t y = 0; y < height; ++y) {
        raw += '\0';
        for (uint32_t x = 0; x < width; ++x)
            raw += std::string{static_cast<char>(r), static_cast<char>(g), static_cast<char>(b),
                               '\xff'};
    }
    return raw;
}

struct TestPng {
    std::string bytes;
    std::string header;     // IHDR data
    std::string imageData;  // the zlib stream, whatever the IDAT chunks it was split into
};

// A PNG of one colour; its image data split into `parts` IDAT chunks; `before` goes between
// the header and the image data.
TestPng MakePng(uint32_t width, uint32_t height, uint8_t r, uint8_t g, uint8_t b, int parts = 1,
                const std::string& before = "") {
    TestPng png;
    PutBigEndian(png.header, width);
    PutBigEndian(png.header, height);
    png.header += std::string("\x08\x06\x00\x00\x00", 5);
    const std::string raw = Pixels(width, height, r, g, b);
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &size,
             reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()));
    packed.resize(size);
    png.imageData = packed;
    png.bytes = std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", png.header) + before;
    const size_t step = packed.size() / static_cast<size_t>(parts) + 1;
    for (size_t at = 0; at < packed.size(); at += step)
        png.bytes += Chunk("IDAT", packed.substr(at, step));
    png.bytes += Chunk("IEND", "");
    return png;
}

struct ReadChunk {
    std::string type, data;
    bool crcGood = false;
};

std::vector<ReadChunk> TakeApart(const std::string& file) {
    std::vector<ReadChunk> chunks;
    for (size_t at = 8; at + 12 <= file.size();) {
        const uint32_t length = GetBigEndian(file, at);
        ReadChunk c{file.substr(at + 4, 4), file.substr(at + 8, length), false};
        c.crcGood = GetBigEndian(file, at + 8 + length) == ZlibCrc(c.type + c.data);
        chunks.push_back(c);
        at += 12 + length;
    }
    return chunks;
}

std::string Inflate(const std::string& stream, size_t size) {
    std::string out(size, '\0');
    uLongf got = static_cast<uLongf>(size);
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &got,
                         reinterpret_cast<const Bytef*>(stream.data()),
                         static_cast<uLong>(stream.size())),
              Z_OK);
    out.resize(got);
    return out;
}

TEST(ApngWriterTest, FramesBecomeOneAnimationAViewerCanRead) {
    const std::string gamma = Chunk("gAMA", std::string("\x00\x00\xb1\x8f", 4));
    const TestPng first = MakePng(4, 3, 255, 0, 0, 1, gamma);
    const TestPng second = MakePng(4, 3, 0, 255, 0, 2);
    const TestPng third = MakePng(4, 3, 0, 0, 255, 1, Chunk("tEXt", std::string("k\0v", 3)));
    std::ostringstream out;
    ApngWriter writer(out, 3);
    ASSERT_TRUE(writer.AddFrame(first.bytes, 40)) << writer.Error();
    ASSERT_TRUE(writer.AddFrame(second.bytes, 70000)) << writer.Error();
    ASSERT_TRUE(writer.AddFrame(third.bytes, 5000000)) << writer.Error();
    ASSERT_TRUE(writer.Finish()) << writer.Error();
    const std::string file = out.str();

    ASSERT_EQ(file.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    const std::vector<ReadChunk> chunks = TakeApart(file);
    std::vector<std::string> types;
    for (const ReadChunk& c : chunks) {
        EXPECT_TRUE(c.crcGood) << c.type;
        types.push_back(c.type);
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "acTL", "gAMA", "fcTL", "IDAT", "fcTL",
                                               "fdAT", "fdAT", "fcTL", "fdAT", "IEND"}));
    EXPECT_EQ(chunks[0].data, first.header);
    // Three frames, played without end.
    EXPECT_EQ(GetBigEndian(chunks[1].data, 0), 3u);
    EXPECT_EQ(GetBigEndian(chunks[1].data, 4), 0u);

    // One sequence through frame controls and frame data, from 0; every frame control covers
    // the whole picture with its delay as a fraction that fits 16 bits.
    std::vector<uint32_t> sequence;
    std::vector<std::pair<uint32_t, uint32_t>> delays;
    std::string frameData[3];
    int frame = -1;
    for (const ReadChunk& c : chunks) {
        if (c.type == "fcTL") {
            ASSERT_EQ(c.data.size(), 26u);
            sequence.push_back(GetBigEndian(c.data, 0));
            EXPECT_EQ(c.data.substr(4, 8), first.header.substr(0, 8));
            EXPECT_EQ(c.data.substr(12, 8), std::string(8, '\0'));
            delays.push_back({GetBigEndian(c.data, 20) >> 16, GetBigEndian(c.data, 20) & 0xFFFF});
            EXPECT_EQ(c.data.substr(24, 2), std::string(2, '\0'));
            ++frame;
        } else if (c.type == "fdAT") {
            sequence.push_back(GetBigEndian(c.data, 0));
            frameData[frame] += c.data.substr(4);
        } else if (c.type == "IDAT") {
            frameData[frame] += c.data;
        }
    }
    EXPECT_EQ(sequence, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(delays,
              (std::vector<std::pair<uint32_t, uint32_t>>{{40, 1000}, {7000, 100}, {5000, 1}}));
    // Each frame's image data is its picture's, whole and in order.
    EXPECT_EQ(frameData[0], first.imageData);
    EXPECT_EQ(frameData[1], second.imageData);
    EXPECT_EQ(Inflate(frameData[2], 100), Pixels(4, 3, 0, 0, 255));
    EXPECT_EQ(writer.FramesWritten(), 3u);
}

TEST(ApngWriterTest, PicturesThatCannotJoinAreRefusedAndTheWriterStops) {
    const TestPng good = MakePng(4, 3, 1, 2, 3);
    auto refused = [&](const std::string& second, const std::string& reason) {
        std::ostringstream out;
        ApngWriter writer(out, 2);
        EXPECT_TRUE(writer.AddFrame(good.bytes, 10));
        EXPECT_FALSE(writer.AddFrame(second, 10)) << reason;
        EXPECT_NE(writer.Error().find(reason), std::string::npos) << writer.Error();
        EXPECT_FALSE(writer.AddFrame(good.bytes, 10));  // stopped for good
        EXPECT_FALSE(writer.Finish());
    };
    refused(MakePng(5, 3, 1, 2, 3).bytes, "differs");
    std::string badCrc = good.bytes;
    badCrc[badCrc.size() - 13] ^= 1;  // the last IDAT's checksum
    refused(badCrc, "checksum");
    refused(good.bytes.substr(0, good.bytes.size() - 5), "cut short");
    refused(good.bytes + "x", "follow the end");
    refused("GIF89a", "not a PNG");
    refused(MakePng(4, 3, 1, 2, 3, 1, Chunk("acTL", std::string(8, '\0'))).bytes, "animated");
    refused(MakePng(4, 3, 1, 2, 3, 1, Chunk("ZZZZ", "")).bytes, "ZZZZ");
    std::string noData =
        std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", good.header) + Chunk("IEND", "");
    refused(noData, "no image data");
    std::string split = std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", good.header) +
                        Chunk("IDAT", "a") + Chunk("tEXt", "x") + Chunk("IDAT", "b") +
                        Chunk("IEND", "");
    refused(split, "split");

    std::ostringstream out;
    ApngWriter counted(out, 1);
    EXPECT_TRUE(counted.AddFrame(good.bytes, 10));
    EXPECT_FALSE(counted.AddFrame(good.bytes, 10));
    ApngWriter short_(out, 2);
    EXPECT_TRUE(short_.AddFrame(good.bytes, 10));
    EXPECT_FALSE(short_.Finish());
    EXPECT_NE(short_.Error().find("1 of 2"), std::string::npos);
    ApngWriter none(out, 0);
    EXPECT_FALSE(none.AddFrame(good.bytes, 10));
}

TEST(ApngWriterTest, ChecksumIsThePngOne) {
    EXPECT_EQ(zenctl::preview::PngCrc("IEND"), 0xAE426082u);
    const std::string text = "IDAT and some bytes \x01\xff";
    EXPECT_EQ(zenctl::preview::PngCrc(text), ZlibCrc(text));
}

}  // namespace
