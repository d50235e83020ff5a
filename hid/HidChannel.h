#pragma once
// A device's command channel: every device command is one of its operations. Each command is
// one or more exchanges of a 64-byte request and a 64-byte answer on the command interface,
// over the cable or through the 2.4 GHz receiver, and returns a result code (ResultCode.h).
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "hid/HidDevice.h"
#include "hid/Packet.h"
#include "platform/RecursiveLock.h"

namespace hid {

constexpr uint16_t kMaxBlockSize = 512;
constexpr size_t kInfoBlockLength = 34;
constexpr uint8_t kWirelessChunkSize = 24;
constexpr uint8_t kCableChunkSize = 56;
constexpr int kConnectionCable = 1;
constexpr int kConnectionReceiver = 2;

// Time-outs of one transfer, in milliseconds.
constexpr uint32_t kCableTimeoutMs = 1000;
constexpr uint32_t kReceiverTimeoutMs = 5000;
constexpr uint32_t kReceiverFastTimeoutMs = 500;
// The device needs this long between taking a request and having its answer ready.
constexpr uint32_t kAnswerLeadMs = 10;

class CHidChannel {
  public:
    // Both devices use `transport` (the process's own when null).
    explicit CHidChannel(platform::HidTransport* transport = nullptr);
    ~CHidChannel();
    CHidChannel(const CHidChannel&) = delete;
    CHidChannel& operator=(const CHidChannel&) = delete;

    // Connection: 2 is the receiver (chunks of 24 bytes); anything else the cable (56).
    void SetConnection(int type);
    // Refused (false, nothing changes) above 512.
    bool SetBlockSize(uint16_t size);

    uint16_t BlockSize() const { return blockSize_; }
    bool Busy() const { return busy_.load() != 0; }
    bool IsOpen() const { return open_.load(); }
    void SetOpen(bool open) { open_ = open; }
    uint32_t Hold() const { return hold_.load(); }
    void SetHold(uint32_t hold) { hold_ = hold; }
    bool Wireless() const { return wireless_.load(); }
    uint8_t ChunkSize() const { return chunkSize_.load(); }
    bool Suspended() const { return suspended_.load(); }
    void SetSuspended(bool suspended) { suspended_ = suspended; }

    CHidDevice& CableDevice() { return cable_; }
    CHidDevice& ReceiverDevice() { return receiver_; }
    // Held while the devices are opened, closed or switched; always taken after the command
    // or light lock, never before.
    platform::RecursiveLock& IoLock() { return ioLock_; }
    platform::RecursiveLock& CommandLock() { return commandLock_; }
    platform::RecursiveLock& LightLock() { return lightLock_; }

    // The traced exchange (every command but the light stream). An answer shorter than what
    // the request's command reads (Packet.h, AnswerBytesNeeded) is taken as no answer.
    int SendPacket(const uint8_t* request, size_t requestLength, uint8_t* answer,
                   size_t answerLength, uint32_t& answerBytes);
    // The untraced exchange of the light stream: shorter time-outs, no queue flush, and a
    // mismatching answer is followed by one more read instead of a second request.
    int SendPacketFast(const uint8_t* request, size_t requestLength, uint8_t* answer,
                       size_t answerLength, uint32_t& answerBytes);

    // Commands. Buffers are caller-owned and at least as long as stated.
    int BeginTransaction();
    int EndTransaction();
    int ReadInfoBlock(uint8_t* destination);    // 34 bytes
    int WriteInfoBlock(const uint8_t* source);  // 34 bytes
    int ReadMemory(uint8_t* destination, size_t length, uint16_t address);
    int WriteMemory(const uint8_t* source, size_t length, uint16_t address);
    int ReadKeyTable(uint8_t* destination);              // block size bytes
    int WriteKeyTable(const uint8_t* source, int bank);  // block size bytes; bank 0 only
    int ReadProfileKeys(uint8_t* destination, size_t length, int profile, int stride);
    int WriteProfileKeys(const uint8_t* source, size_t length, int profile, int stride);
    int WriteLightStream(const uint8_t* source, size_t length);
    int WriteMacroData(const uint8_t* source, size_t length);
    int WriteShootBlock(const uint8_t* source, size_t length);
    int ReadShort(uint8_t* destination, size_t length, uint16_t address);  // at most 56
    int ReadKeyByteTable(uint8_t* destination);                            // block size / 3 bytes
    int TakeLightControl();
    // True over the cable; through the receiver true only when the mouse answers linked.
    bool ProbeLink();

  private:
    enum class LockKind { Command, Light, None };
    struct Chunked {
        Command code;
        LockKind lock;
        size_t total;
        uint32_t base;
        size_t chunk;
        const uint8_t* source;  // writes
        uint8_t* destination;   // reads
        bool fast;              // the light stream: drop chunks while busy, SendPacketFast
    };

    int RunChunked(const Chunked& command);
    int RunSingle(Command code, const uint8_t* data, size_t dataLength, uint8_t length);
    int Exchange(const Packet& request, Packet& answer, uint32_t& answerBytes, bool fast);
    static int StatusResult(const Packet& answer);
    platform::RecursiveLock* LockFor(LockKind kind);

    // Fields in the order of the system's design.
    std::atomic<uint16_t> blockSize_{kMaxBlockSize};
    std::atomic<int> busy_{0};  // exchanges in progress
    std::atomic<bool> open_{false};
    std::atomic<uint32_t> hold_{0};
    CHidDevice cable_;
    CHidDevice receiver_;
    platform::RecursiveLock ioLock_;
    platform::RecursiveLock commandLock_;
    platform::RecursiveLock lightLock_;
    std::atomic<bool> wireless_{false};
    std::atomic<uint8_t> chunkSize_{kWirelessChunkSize};
    std::atomic<bool> suspended_{false};
};

}  // namespace hid
