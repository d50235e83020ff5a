#include "hid/HidChannel.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "hid/ResultCode.h"
#include "platform/Log.h"
#include "platform/Trace.h"

namespace hid {
namespace {

void TracePacket(const char* heading, const Packet& packet) {
    platform::Trace(heading);
    const auto lines = FormatPacketTrace(packet);
    platform::Trace(lines[0]);
    platform::Trace(lines[1]);
}

void WaitForAnswer() {
    std::this_thread::sleep_for(std::chrono::milliseconds(kAnswerLeadMs));
}

// Reads one answer into reply after a request was written. True when the exchange is settled:
// the answer echoes the request's code, or the receiver says the device is not linked. A
// report too short to carry what the command reads is no answer: it counts as a failed read
// (the caller retries, then gives up with no answer), never as data padded with zeros.
bool ReadAnswer(CHidDevice& device, uint32_t timeout, bool wireless, const Packet& request,
                Packet& reply, int& result, uint32_t& answerBytes) {
    // A failed read must not leave a previous answer to be mistaken for this one.
    reply.fill(0);
    uint32_t read = 0;
    if (!device.Read(reply.data(), static_cast<uint32_t>(reply.size()), read, timeout))
        read = 0;
    const bool whole = read >= AnswerBytesNeeded(request);
    result = kResultOk;
    answerBytes = read;
    if (whole && reply[kOffsetCode] == request[kOffsetCode])
        return true;
    // The receiver's own answer carries no data of the command: its header is enough.
    if (wireless && read >= kOffsetData && reply[kOffsetCode] == kNotLinkedEcho) {
        result = kResultNotLinked;
        return true;
    }
    if (whole)
        return false;  // a wrong echo: on the last attempt it is taken as it is
    reply.fill(0);
    result = kResultNoAnswer;
    answerBytes = 0;
    return false;
}

// Counts an exchange as in progress for its whole extent.
class BusyScope {
  public:
    explicit BusyScope(std::atomic<int>& busy) : busy_(busy) { ++busy_; }
    ~BusyScope() { --busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    std::atomic<int>& busy_;
};

}  // namespace

CHidChannel::CHidChannel(platform::HidTransport* transport)
    : cable_(transport), receiver_(transport) {}

CHidChannel::~CHidChannel() {
    platform::LockGuard io(ioLock_);
    cable_.Close();
    receiver_.Close();
}

void CHidChannel::SetConnection(int type) {
    if (type == kConnectionReceiver) {
        wireless_ = true;
        chunkSize_ = kWirelessChunkSize;
    } else {
        wireless_ = false;
        chunkSize_ = kCableChunkSize;
    }
}

bool CHidChannel::SetBlockSize(uint16_t size) {
    if (size > kMaxBlockSize)
        return false;
    blockSize_ = size;
    return true;
}

int CHidChannel::SendPacket(const uint8_t* request, size_t requestLength, uint8_t* answer,
                            size_t answerLength, uint32_t& answerBytes) {
    answerBytes = 0;
    if (suspended_)
        return kResultOk;
    BusyScope busy(busy_);
    if (!open_)
        return kResultNoAnswer;

    const Packet packet = PadRequest({request, requestLength});
    TracePacket("命令", packet);

    Packet reply{};
    int result = kResultNoAnswer;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const bool wireless = wireless_;
        CHidDevice& device = wireless ? receiver_ : cable_;
        const uint32_t timeout = wireless ? kReceiverTimeoutMs : kCableTimeoutMs;
        // The I/O lock covers one request and its answer, so no other thread's request can
        // slip in between and take this answer; it is released before a retry starts.
        platform::LockGuard io(ioLock_);
        if (wireless)
            device.FlushQueue();
        uint32_t written = 0;
        if (!device.Write(packet.data(), static_cast<uint32_t>(packet.size()), written, timeout))
            return kResultWriteFailed;
        WaitForAnswer();
        if (ReadAnswer(device, timeout, wireless, packet, reply, result, answerBytes))
            break;
        // One retry: a second request and a second read; the second answer stands as it is.
    }
    std::copy_n(reply.begin(), std::min(answerLength, reply.size()), answer);
    TracePacket("返回", reply);
    return result;
}

int CHidChannel::SendPacketFast(const uint8_t* request, size_t requestLength, uint8_t* answer,
                                size_t answerLength, uint32_t& answerBytes) {
    answerBytes = 0;
    BusyScope busy(busy_);
    if (!open_)
        return kResultNoAnswer;

    const Packet packet = PadRequest({request, requestLength});
    const bool wireless = wireless_;
    CHidDevice& device = wireless ? receiver_ : cable_;
    const uint32_t timeout = wireless ? kReceiverFastTimeoutMs : kCableTimeoutMs;
    Packet reply{};
    int result = kResultNoAnswer;
    {
        platform::LockGuard io(ioLock_);
        uint32_t written = 0;
        if (!device.Write(packet.data(), static_cast<uint32_t>(packet.size()), written, timeout))
            return kResultWriteFailed;
        WaitForAnswer();
        // On a wrong echo the exchange reads once more rather than writing again.
        for (int read = 0; read < 2; ++read) {
            if (ReadAnswer(device, timeout, wireless, packet, reply, result, answerBytes))
                break;
        }
    }
    std::copy_n(reply.begin(), std::min(answerLength, reply.size()), answer);
    return result;
}

platform::RecursiveLock* CHidChannel::LockFor(LockKind kind) {
    switch (kind) {
        case LockKind::Command:
            return &commandLock_;
        case LockKind::Light:
            return &lightLock_;
        case LockKind::None:
            break;
    }
    return nullptr;
}

int CHidChannel::StatusResult(const Packet& answer) {
    if (answer[kOffsetStatus] == kStatusFailed)
        return kResultStatusFailed;
    if (answer[kOffsetStatus] == kStatusRejected)
        return kResultStatusRejected;
    return kResultOk;
}

int CHidChannel::Exchange(const Packet& request, Packet& answer, uint32_t& answerBytes, bool fast) {
    return fast ? SendPacketFast(request.data(), request.size(), answer.data(), answer.size(),
                                 answerBytes)
                : SendPacket(request.data(), request.size(), answer.data(), answer.size(),
                             answerBytes);
}

int CHidChannel::RunChunked(const Chunked& c) {
    for (size_t offset = 0; offset < c.total; offset += c.chunk) {
        const size_t n = std::min(c.chunk, c.total - offset);
        const uint16_t address = static_cast<uint16_t>((c.base + offset) & 0xFFFF);
        const Packet request = BuildRequest(
            c.code, static_cast<uint8_t>(n), address,
            c.source ? std::span<const uint8_t>(c.source + offset, n) : std::span<const uint8_t>());
        if (c.fast && Busy()) {
            // Another exchange is under way: this part of the frame is dropped, not delayed.
            platform::Trace("放弃灯光数据");
            continue;
        }
        Packet answer{};
        uint32_t answerBytes = 0;
        int result;
        {
            platform::RecursiveLock* lock = LockFor(c.lock);
            if (lock)
                lock->lock();
            result = Exchange(request, answer, answerBytes, c.fast);
            if (lock)
                lock->unlock();
        }
        if (result != kResultOk)
            return result;
        const int status = StatusResult(answer);
        if (status != kResultOk)
            return status;
        // Nothing was read while suspended: the destination keeps what it held.
        if (c.destination && answerBytes > 0)
            std::copy_n(answer.begin() + kOffsetData, n, c.destination + offset);
    }
    return kResultOk;
}

int CHidChannel::RunSingle(Command code, const uint8_t* data, size_t dataLength, uint8_t length) {
    const Packet request = BuildRequest(code, length, 0, {data, data ? dataLength : 0});
    Packet reply{};
    uint32_t answerBytes = 0;
    int result;
    {
        platform::LockGuard command(commandLock_);
        result =
            SendPacket(request.data(), request.size(), reply.data(), reply.size(), answerBytes);
    }
    if (result != kResultOk)
        return result;
    return StatusResult(reply);
}

int CHidChannel::BeginTransaction() {
    return RunSingle(Command::BeginTransaction, nullptr, 0, 0);
}

int CHidChannel::EndTransaction() {
    // The device needs a moment after the last command of the group.
    WaitForAnswer();
    return RunSingle(Command::EndTransaction, nullptr, 0, 0);
}

int CHidChannel::ReadInfoBlock(uint8_t* destination) {
    uint8_t block[kInfoBlockLength];
    std::copy_n(destination, kInfoBlockLength, block);
    const int result = RunChunked({Command::ReadInfoBlock, LockKind::Command, kInfoBlockLength, 0,
                                   chunkSize_, nullptr, block, false});
    // The caller sees the block only when every part of it arrived.
    if (result == kResultOk)
        std::copy_n(block, kInfoBlockLength, destination);
    return result;
}

int CHidChannel::WriteInfoBlock(const uint8_t* source) {
    return RunSingle(Command::WriteInfoBlock, source, kInfoBlockLength,
                     static_cast<uint8_t>(kInfoBlockLength));
}

int CHidChannel::ReadMemory(uint8_t* destination, size_t length, uint16_t address) {
    return RunChunked({Command::ReadMemory, LockKind::Command, length, address, chunkSize_, nullptr,
                       destination, false});
}

int CHidChannel::WriteMemory(const uint8_t* source, size_t length, uint16_t address) {
    return RunChunked({Command::WriteMemory, LockKind::Command, length, address, chunkSize_, source,
                       nullptr, false});
}

int CHidChannel::ReadKeyTable(uint8_t* destination) {
    return RunChunked({Command::ReadKeyTable, LockKind::Command, blockSize_, 0, chunkSize_, nullptr,
                       destination, false});
}

int CHidChannel::WriteKeyTable(const uint8_t* source, int bank) {
    if (bank != 0)
        return kResultInvalidBank;
    return RunChunked({Command::WriteKeyTable, LockKind::Command, blockSize_,
                       static_cast<uint32_t>(bank) * kMaxBlockSize, chunkSize_, source, nullptr,
                       false});
}

int CHidChannel::ReadProfileKeys(uint8_t* destination, size_t length, int profile, int stride) {
    return RunChunked({Command::ReadProfileKeys, LockKind::Command, length,
                       static_cast<uint32_t>(profile * stride), chunkSize_, nullptr, destination,
                       false});
}

int CHidChannel::WriteProfileKeys(const uint8_t* source, size_t length, int profile, int stride) {
    return RunChunked({Command::WriteProfileKeys, LockKind::Light, length,
                       static_cast<uint32_t>(profile * stride), chunkSize_, source, nullptr,
                       false});
}

int CHidChannel::WriteLightStream(const uint8_t* source, size_t length) {
    return RunChunked(
        {Command::WriteLightStream, LockKind::Light, length, 0, chunkSize_, source, nullptr, true});
}

int CHidChannel::WriteMacroData(const uint8_t* source, size_t length) {
    return RunChunked({Command::WriteMacroData, LockKind::Command, length, 0, chunkSize_, source,
                       nullptr, false});
}

int CHidChannel::WriteShootBlock(const uint8_t* source, size_t length) {
    return RunChunked({Command::WriteShootBlock, LockKind::None, length, 0, kMaxPacketData, source,
                       nullptr, false});
}

int CHidChannel::ReadShort(uint8_t* destination, size_t length, uint16_t address) {
    // One packet carries at most 56 data bytes; more would read past the answer.
    if (length > kMaxPacketData)
        return kResultNoAnswer;
    const Packet request = BuildRequest(Command::ReadShort, static_cast<uint8_t>(length), address);
    Packet reply{};
    uint32_t answerBytes = 0;
    int result;
    {
        platform::LockGuard command(commandLock_);
        result =
            SendPacket(request.data(), request.size(), reply.data(), reply.size(), answerBytes);
    }
    if (result != kResultOk)
        return result;
    result = StatusResult(reply);
    if (result == kResultOk && answerBytes > 0)
        std::copy_n(reply.begin() + kOffsetData, length, destination);
    return result;
}

int CHidChannel::ReadKeyByteTable(uint8_t* destination) {
    return RunChunked({Command::ReadKeyByteTable, LockKind::Command, blockSize_ / 3u, 0, chunkSize_,
                       nullptr, destination, false});
}

int CHidChannel::TakeLightControl() {
    return RunSingle(Command::TakeLightControl, nullptr, 0, 0);
}

bool CHidChannel::ProbeLink() {
    if (!wireless_)
        return true;
    const Packet request = BuildRequest(Command::ProbeLink, 0, 0);
    Packet reply{};
    uint32_t answerBytes = 0;
    int result;
    {
        platform::LockGuard command(commandLock_);
        result =
            SendPacket(request.data(), request.size(), reply.data(), reply.size(), answerBytes);
    }
    bool linked = reply[kOffsetData] == 0xFF;
    if (!linked)
        platform::Log("Hid2_4GDeviceIsLink>0xAA    false");
    if (result != kResultOk || StatusResult(reply) != kResultOk)
        linked = false;
    return linked;
}

}  // namespace hid
