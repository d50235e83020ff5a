#pragma once
// The 64-byte command packet of the devices' vendor-defined command interface: layout,
// checksum, request building and the two-line trace form.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace hid {

constexpr size_t kPacketSize = 64;
constexpr uint8_t kCommandReportId = 0x04;

// Byte offsets shared by requests and answers.
constexpr size_t kOffsetReportId = 0;
constexpr size_t kOffsetChecksum = 1;  // request only, low byte first
constexpr size_t kOffsetCode = 3;      // answer: echo of the code
constexpr size_t kOffsetLength = 4;
constexpr size_t kOffsetAddress = 5;  // little-endian
constexpr size_t kOffsetStatus = 7;   // answer only
constexpr size_t kOffsetData = 8;
constexpr size_t kMaxPacketData = kPacketSize - kOffsetData;  // 56

// Answer status bytes that mean the device refused the request.
constexpr uint8_t kStatusFailed = 0xFF;
constexpr uint8_t kStatusRejected = 0xFE;
// Byte 3 of an answer from the receiver while its mouse is not linked.
constexpr uint8_t kNotLinkedEcho = 0xAA;

enum class Command : uint8_t {
    BeginTransaction = 0x01,
    EndTransaction = 0x02,
    ReadInfoBlock = 0x03,
    WriteInfoBlock = 0x04,
    ReadMemory = 0x05,
    WriteMemory = 0x06,
    ReadKeyTable = 0x07,
    WriteKeyTable = 0x09,
    ReadProfileKeys = 0x0A,
    WriteProfileKeys = 0x0B,
    WriteLightStream = 0x12,
    WriteMacroData = 0x15,
    WriteShootBlock = 0x17,
    ReadShort = 0x1A,
    ReadKeyByteTable = 0x1B,
    TakeLightControl = 0x1C,
    ProbeLink = 0xAA,
};

using Packet = std::array<uint8_t, kPacketSize>;

// Sum of bytes 3..63 taken as unsigned bytes, low 16 bits.
uint16_t PacketChecksum(const Packet& packet);
// Stores the checksum at offset 1, low byte first; call once every other byte is final.
void StoreChecksum(Packet& packet);
bool ChecksumMatches(const Packet& packet);

// Copies at most 64 caller bytes and zero-fills the rest.
Packet PadRequest(std::span<const uint8_t> bytes);

// A complete request: report ID, code, length, address, data (at most 56 bytes), checksum.
Packet BuildRequest(Command code, uint8_t length, uint16_t address,
                    std::span<const uint8_t> data = {});

// How many bytes an answer to the request must carry to be an answer at all: the header up
// to the status byte, and for a command that reads, the data it reads (bytes 8 to 8 + the
// request's length); the link probe reads byte 8. Shorter reports are not taken as answers.
size_t AnswerBytesNeeded(const Packet& request);

inline uint16_t PacketAddress(const Packet& p) {
    return static_cast<uint16_t>(p[kOffsetAddress] | (p[kOffsetAddress + 1] << 8));
}

// One trace line of 32 bytes in the system's fixed grouping.
std::string FormatPacketHalf(const uint8_t* bytes32);
// The two trace lines of a packet (bytes 0..31 and 32..63).
std::array<std::string, 2> FormatPacketTrace(const Packet& packet);

}  // namespace hid
