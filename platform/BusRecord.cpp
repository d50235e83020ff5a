#include "platform/BusRecord.h"

#include <chrono>

namespace platform::bus_record {
namespace {

constexpr uint32_t kMagic = 0x425A3454;  // "T4ZB" read as little-endian
constexpr uint16_t kVersion = 2;
constexpr uint16_t kKindPosted = 1;
constexpr uint16_t kKindCopyData = 2;

void Put(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint64_t Get(std::string_view in, size_t at, int bytes) {
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint64_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
    return value;
}

std::optional<BusMessage> Reject(std::string* why, const char* reason) {
    if (why)
        *why = reason;
    return std::nullopt;
}

}  // namespace

std::string Encode(const BusMessage& message) {
    bool copyData = message.kind == BusMessage::Kind::CopyData;
    std::string out;
    out.reserve(kHeaderBytes + message.data.size());
    Put(out, kMagic, 4);
    Put(out, kVersion, 2);
    Put(out, copyData ? kKindCopyData : kKindPosted, 2);
    Put(out, copyData ? kCopyDataMessage : message.message, 4);
    Put(out, copyData ? message.tag : 0, 4);
    Put(out, message.wParam, 8);
    Put(out, static_cast<uint64_t>(message.lParam), 8);
    Put(out, copyData ? message.data.size() : 0, 4);
    Put(out, 0, 4);
    Put(out, copyData ? message.deadlineMs : 0, 8);
    if (copyData)
        out += message.data;
    return out;
}

std::optional<BusMessage> Decode(std::string_view packet, std::string* why) {
    if (packet.size() < kHeaderBytes)
        return Reject(why, "shorter than a record header");
    if (packet.size() > kMaxRecordBytes)
        return Reject(why, "larger than the record limit");
    if (Get(packet, 0, 4) != kMagic || Get(packet, 4, 2) != kVersion)
        return Reject(why, "not a bus record");
    uint64_t kind = Get(packet, 6, 2);
    uint64_t length = Get(packet, 32, 4);
    if (Get(packet, 36, 4) != 0)
        return Reject(why, "reserved field set");
    if (length > kMaxCopyDataBytes)
        return Reject(why, "data longer than the copy-data limit");
    if (packet.size() != kHeaderBytes + length)
        return Reject(why, "length does not match the packet");

    BusMessage message;
    message.message = static_cast<uint32_t>(Get(packet, 8, 4));
    message.wParam = Get(packet, 16, 8);
    message.lParam = static_cast<int64_t>(Get(packet, 24, 8));
    if (kind == kKindPosted) {
        if (length != 0 || message.message == kCopyDataMessage)
            return Reject(why, "posted record with data");
        if (Get(packet, 40, 8) != 0)
            return Reject(why, "posted record with a deadline");
        message.kind = BusMessage::Kind::Posted;
        return message;
    }
    if (kind == kKindCopyData) {
        if (message.message != kCopyDataMessage)
            return Reject(why, "copy-data record with another message");
        message.kind = BusMessage::Kind::CopyData;
        message.tag = static_cast<uint32_t>(Get(packet, 12, 4));
        message.deadlineMs = Get(packet, 40, 8);
        message.data.assign(packet.substr(kHeaderBytes, length));
        return message;
    }
    return Reject(why, "unknown record kind");
}

}  // namespace platform::bus_record

namespace platform {

uint64_t SteadyMs() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

}  // namespace platform
