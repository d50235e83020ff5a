#pragma once
// The program's rules for the audio-capture process of the music light, without GUI types:
// its names on the bus, the records it sends (checked before use), the 25 bands made of its
// spectrum, the style-colour record sent to it, and how often it may be restarted.
// Pure; any thread.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace app::audio {

inline constexpr const char* kAudioProgramName = "t418-zen-audio";
// Its window on the bus (titles compare without regard to case) and its instance lock.
inline constexpr const char* kAudioWindowTitle = "Draxmoor T418-ZENAUDIORECORD";
inline constexpr const char* kAudioLockName = "Draxmoor T418-ZENAudioRecord";

// Commands (wParam of the audio command message).
enum AudioCommand : uint32_t {
    kAudioWindowKnown = 0,
    kAudioStartSending = 1,
    kAudioStopSending = 2,
    kAudioOpenCapture = 3,
    kAudioCloseCapture = 4,
    kAudioEnd = 5,
    kAudioRedGain = 6,
    kAudioGreenGain = 7,
    kAudioBlueGain = 8,
};

// Copy-data tags.
inline constexpr uint32_t kTagSpectrum = 1;
inline constexpr uint32_t kTagKeyboard = 2;
inline constexpr uint32_t kTagStyleColour = 10;
inline constexpr uint32_t kTagState = 11;

inline constexpr size_t kSpectrumValues = 500;
inline constexpr size_t kSpectrumBytes = kSpectrumValues * 4;
inline constexpr size_t kKeyboardBytes = 6;
inline constexpr size_t kStyleColourBytes = 40;
inline constexpr size_t kBands = 25;
inline constexpr uint32_t kGraphFullScale = 8192;     // a full-scale sine; the graph's height
inline constexpr uint32_t kKeyboardFullScale = 2000;  // FeedAudioSpectrum's scale

using SpectrumValues = std::array<uint32_t, kSpectrumValues>;
using Bands = std::array<uint32_t, kBands>;

// The capture state the process reports (tag 11), and what the program adds.
enum class AudioState : int {
    Capturing = 0,
    NoServer = 1,
    StreamLost = 2,
    TestSource = 3,
    Missing = 4,     // the process is not running (or gave up being restarted)
    NotStarted = 5,  // no program to start is configured
};

// The language key of the status text for a state.
std::string StatusKey(AudioState state);

// Tag 1: exactly 2000 bytes of 500 u32 little-endian.
std::optional<SpectrumValues> DecodeSpectrum(std::string_view data);
// Tag 2: exactly six bytes (red, green, blue, low, middle, high).
std::optional<std::array<uint8_t, kKeyboardBytes>> DecodeKeyboard(std::string_view data);
// Tag 11: a known state byte (0-3), then at most 200 bytes of text.
struct StateRecord {
    AudioState state;
    std::string text;
};
std::optional<StateRecord> DecodeState(std::string_view data);

// The 25 bands, log-spaced over the 500 values (value i is 43 Hz x (i + 1)): each band the
// strongest value in it, on the spectrum's scale.
Bands SpectrumBands(const SpectrumValues& values);
// A band on FeedAudioSpectrum's 0-2000 scale (a full-scale sine is 2000; louder stays above).
uint32_t KeyboardScale(uint32_t value);
// The bands as FeedAudioSpectrum takes them: 25 u32 little-endian.
std::array<uint8_t, kBands * 4> BandBytes(const Bands& bands);

// Tag 10: red, green, blue (0-9, clamped) as the first three u32 of 40 bytes; a green of 0
// is sent as 1.
std::array<uint8_t, kStyleColourBytes> StyleColourRecord(int red, int green, int blue);

// At most kMaxRestarts restarts within any kRestartWindowMs.
class RestartLimiter {
  public:
    static constexpr size_t kMaxRestarts = 3;
    static constexpr uint64_t kRestartWindowMs = 60000;
    // True (and counted) when one more restart is allowed at nowMs.
    bool Allow(uint64_t nowMs);

  private:
    std::deque<uint64_t> times_;
};

}  // namespace app::audio
