#pragma once
// Result codes of every device command.
namespace hid {

constexpr int kResultOk = 1;
constexpr int kResultNoAnswer = 0;  // channel not open, or no answer read
constexpr int kResultWriteFailed = -1;
constexpr int kResultNotLinked = -101;       // the receiver answered 0xAA: its mouse is not linked
constexpr int kResultStatusFailed = -102;    // status byte 0xFF
constexpr int kResultStatusRejected = -103;  // status byte 0xFE
constexpr int kResultInvalidBank = -201;

// A short English description for tools and logs.
const char* ResultText(int result);

}  // namespace hid
