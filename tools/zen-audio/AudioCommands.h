#pragma once
// What the audio-capture process keeps of the program's commands: the registered message
// "...EBE19" with wParam a command (0 main window known, 3 open capture, 1 start sending,
// 2 stop sending, 4 close capture, 5 end, 6/7/8 red/green/blue gain 0-100 %) and the style
// colour record (copy-data tag 10: u32 red, green, blue, 0-9 each). Pure; one thread.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "FrequencyBins.h"

namespace zenaudio {

inline constexpr const char* kBusTitle = "Draxmoor T418-ZENAUDIORECORD";
inline constexpr const char* kLockName = "Draxmoor T418-ZENAudioRecord";
inline constexpr const char* kProgramTitle = "T418-ZEN";
inline constexpr const char* kCommandMessage = "{4695579F-999A-41d4-9FAF-EFFCE93EBE19}";
inline constexpr uint32_t kTagSpectrum = 1;
inline constexpr uint32_t kTagKeyboard = 2;
inline constexpr uint32_t kTagStyle = 10;
inline constexpr uint32_t kTagState = 11;

enum class CaptureState : uint8_t { Capturing = 0, NoServer = 1, StreamLost = 2, TestSource = 3 };

struct CommandState {
    bool windowKnown = false;  // command 0 came: records go to "T418-ZEN"
    bool captureWanted = false;
    bool sending = false;
    bool end = false;
    Gains gains;
    StyleColour colour;
};

// False for a command number it does not know (nothing changes then). Gains outside 0-100
// are clamped.
bool ApplyCommand(CommandState& state, uint64_t command, int64_t value);

// The tag-10 record: at least three u32 (little-endian); colours above 9 count as 9. False
// (nothing changes) when it is shorter.
bool ApplyStyleRecord(CommandState& state, std::string_view data);

// The tag-11 record: the state byte, then the text (UTF-8, at most 200 bytes).
std::string StateRecord(CaptureState state, std::string_view text);

// The tag-1 record: the 500 values as u32 little-endian.
std::string SpectrumRecord(const Spectrum& spectrum);

}  // namespace zenaudio
