#include "hid/Packet.h"

#include <algorithm>
#include <cstdio>

namespace hid {

uint16_t PacketChecksum(const Packet& packet) {
    uint32_t sum = 0;
    for (size_t i = kOffsetCode; i < kPacketSize; ++i)
        sum += packet[i];
    return static_cast<uint16_t>(sum & 0xFFFF);
}

void StoreChecksum(Packet& packet) {
    const uint16_t sum = PacketChecksum(packet);
    packet[kOffsetChecksum] = static_cast<uint8_t>(sum & 0xFF);
    packet[kOffsetChecksum + 1] = static_cast<uint8_t>(sum >> 8);
}

bool ChecksumMatches(const Packet& packet) {
    const uint16_t stored =
        static_cast<uint16_t>(packet[kOffsetChecksum] | (packet[kOffsetChecksum + 1] << 8));
    return stored == PacketChecksum(packet);
}

Packet PadRequest(std::span<const uint8_t> bytes) {
    Packet packet{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), kPacketSize), packet.begin());
    return packet;
}

Packet BuildRequest(Command code, uint8_t length, uint16_t address, std::span<const uint8_t> data) {
    Packet packet{};
    packet[kOffsetReportId] = kCommandReportId;
    packet[kOffsetCode] = static_cast<uint8_t>(code);
    packet[kOffsetLength] = length;
    packet[kOffsetAddress] = static_cast<uint8_t>(address & 0xFF);
    packet[kOffsetAddress + 1] = static_cast<uint8_t>(address >> 8);
    packet[kOffsetStatus] = 0;
    std::copy_n(data.begin(), std::min(data.size(), kMaxPacketData), packet.begin() + kOffsetData);
    StoreChecksum(packet);
    return packet;
}

size_t AnswerBytesNeeded(const Packet& request) {
    switch (static_cast<Command>(request[kOffsetCode])) {
        case Command::ReadInfoBlock:
        case Command::ReadMemory:
        case Command::ReadKeyTable:
        case Command::ReadProfileKeys:
        case Command::ReadShort:
        case Command::ReadKeyByteTable:
            return kOffsetData + std::min<size_t>(request[kOffsetLength], kMaxPacketData);
        case Command::ProbeLink:
            return kOffsetData + 1;
        default:
            return kOffsetData;
    }
}

std::string FormatPacketHalf(const uint8_t* b) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "%02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x "
                  "%02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x  "
                  "%02x %02x %02x %02x",
                  b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12],
                  b[13], b[14], b[15], b[16], b[17], b[18], b[19], b[20], b[21], b[22], b[23],
                  b[24], b[25], b[26], b[27], b[28], b[29], b[30], b[31]);
    return line;
}

std::array<std::string, 2> FormatPacketTrace(const Packet& packet) {
    return {FormatPacketHalf(packet.data()), FormatPacketHalf(packet.data() + 32)};
}

}  // namespace hid
