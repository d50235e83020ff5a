// The audio-capture program's command rules and its WAV reading.
#include <gtest/gtest.h>

#include "AudioAgent.h"
#include "Sources.h"

namespace zenaudio {
namespace {

TEST(AgentCommands, TheStartAndStopSequencesAndTheGains) {
    AgentState s;
    for (uint64_t c : {0u, 3u, 1u})
        EXPECT_TRUE(ApplyCommand(s, c, 0));
    EXPECT_TRUE(s.windowKnown && s.captureWanted && s.sending);
    EXPECT_TRUE(ApplyCommand(s, 2, 0));
    EXPECT_FALSE(s.sending);
    EXPECT_TRUE(ApplyCommand(s, 1, 0));
    EXPECT_TRUE(ApplyCommand(s, 4, 0));
    EXPECT_FALSE(s.captureWanted);
    EXPECT_FALSE(s.sending) << "closing the capture also stops sending";
    EXPECT_FALSE(s.end);
    EXPECT_TRUE(ApplyCommand(s, 5, 0));
    EXPECT_TRUE(s.end);

    AgentState g;
    EXPECT_TRUE(ApplyCommand(g, 6, 40));
    EXPECT_TRUE(ApplyCommand(g, 7, 250));
    EXPECT_TRUE(ApplyCommand(g, 8, -9));
    EXPECT_EQ(g.gains.red, 40);
    EXPECT_EQ(g.gains.green, 100);
    EXPECT_EQ(g.gains.blue, 0);
    EXPECT_FALSE(ApplyCommand(g, 9, 1));
    EXPECT_FALSE(ApplyCommand(g, 0xFFFFFFFFFFull, 1));
}

TEST(AgentStyle, TheColourRecordIsCheckedAndClamped) {
    AgentState s;
    std::string record(40, '\0');
    record[0] = 3;
    record[4] = 1;
    record[8] = 42;
    record[9] = 1;  // 298
    EXPECT_TRUE(ApplyStyleRecord(s, record));
    EXPECT_EQ(s.colour.red, 3u);
    EXPECT_EQ(s.colour.green, 1u);
    EXPECT_EQ(s.colour.blue, 9u);
    EXPECT_FALSE(ApplyStyleRecord(s, record.substr(0, 11)));
    EXPECT_EQ(s.colour.red, 3u);
    EXPECT_EQ(StateRecord(CaptureState::NoServer, std::string(300, 'x')).size(), 201u);
    EXPECT_EQ(SpectrumRecord(Spectrum{}).size(), 2000u);
}

std::string WavTestFile(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits,
                        const std::vector<int16_t>& samples) {
    auto u32 = [](uint32_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8),
                           static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
    };
    auto u16 = [](uint16_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8)};
    };
    std::string data;
    for (int16_t s : samples)
        data += u16(static_cast<uint16_t>(s));
    std::string fmt = u16(format) + u16(channels) + u32(rate) + u32(rate * channels * bits / 8) +
                      u16(static_cast<uint16_t>(channels * bits / 8)) + u16(bits);
    std::string body = "WAVE" + std::string("fmt ") + u32(16) + fmt + "data" +
                       u32(static_cast<uint32_t>(data.size())) + data;
    return "RIFF" + u32(static_cast<uint32_t>(body.size())) + body;
}

TEST(WavDecode, MixesResamplesAndRefusesWhatItCannotPlay) {
    std::string why;
    // Stereo at 44 100 Hz: the channels are averaged.
    auto stereo = DecodeWav(WavTestFile(1, 2, 44100, 16, {16384, 0, -32768, -32768}), &why);
    ASSERT_TRUE(stereo) << why;
    ASSERT_EQ(stereo->size(), 2u);
    EXPECT_FLOAT_EQ((*stereo)[0], 0.25f);
    EXPECT_FLOAT_EQ((*stereo)[1], -1.0f);
    // 22 050 Hz doubles in length.
    std::vector<int16_t> ramp(100);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<int16_t>(i * 100);
    auto slow = DecodeWav(WavTestFile(1, 1, 22050, 16, ramp), &why);
    ASSERT_TRUE(slow) << why;
    EXPECT_EQ(slow->size(), 200u);
    EXPECT_NEAR((*slow)[3], 150.0f / 32768.0f, 1e-6) << "between samples 1 and 2";

    EXPECT_FALSE(DecodeWav(WavTestFile(1, 1, 44100, 8, {1, 2}), &why)) << "8-bit";
    EXPECT_FALSE(DecodeWav(WavTestFile(3, 1, 44100, 16, {1, 2}), &why)) << "float";
    EXPECT_FALSE(DecodeWav(WavTestFile(1, 0, 44100, 16, {1, 2}), &why)) << "no channels";
    EXPECT_FALSE(DecodeWav(WavTestFile(1, 1, 44100, 16, {}), &why)) << "no samples";
    EXPECT_FALSE(DecodeWav("RIFF", &why));
    // A data chunk that claims more than the file holds is read as far as it goes.
    std::string cut = WavTestFile(1, 1, 44100, 16, {1000, 2000, 3000});
    cut.resize(cut.size() - 2);
    auto partial = DecodeWav(cut, &why);
    ASSERT_TRUE(partial) << why;
    EXPECT_EQ(partial->size(), 2u);
}

}  // namespace
}  // namespace zenaudio
