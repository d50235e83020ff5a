#include "sim/firmware/DeviceFirmware.h"

#include <algorithm>

#include "hid/Packet.h"

namespace sim::firmware {
namespace {

using hid::kOffsetAddress;
using hid::kOffsetCode;
using hid::kOffsetData;
using hid::kOffsetLength;
using hid::kOffsetStatus;

constexpr uint8_t kOk = 0x00;

Report AnswerHeader(const Report& request, uint8_t status) {
    Report answer(hid::kPacketSize, 0);
    answer[0] = hid::kCommandReportId;
    // Bytes 1-2 are not checked by the host: they carry the request's checksum back so a
    // trace shows which request an answer belongs to.
    for (size_t i = 1; i <= 6 && i < request.size(); ++i)
        answer[i] = request[i];
    answer[kOffsetStatus] = status;
    return answer;
}

}  // namespace

DeviceFirmware::DeviceFirmware(DeviceModel model)
    : model_(std::move(model)),
      keyMap_(kKeyBanks * kKeyTableSize, 0),
      profileKeys_(kMemorySize, 0),
      macroArea_(kAreaSize, 0),
      shootArea_(kAreaSize, 0),
      lightStream_(kLightStreamSize, 0) {
    model_.memory.resize(kMemorySize, 0);
    model_.keyIdentity.resize(kKeyTableSize, 0);
    model_.keyByteTable.resize(kKeyTableSize, 0);
    // The active map starts as the factory assignment of every slot.
    std::copy(model_.keyIdentity.begin(), model_.keyIdentity.end(), keyMap_.begin());
}

Report DeviceFirmware::Refusal(const Report& request, uint8_t status) {
    return AnswerHeader(request, status);
}

Report DeviceFirmware::Answer(const Report& request) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++counters_.requests;
    hid::Packet packet{};
    const bool wellFormed =
        request.size() == hid::kPacketSize && request[0] == hid::kCommandReportId;
    if (wellFormed)
        std::copy(request.begin(), request.end(), packet.begin());
    if (!wellFormed || !hid::ChecksumMatches(packet)) {
        ++counters_.rejected;
        return AnswerHeader(request, hid::kStatusFailed);
    }
    Report answer = AnswerHeader(request, kOk);
    const uint8_t status =
        Execute(packet[kOffsetCode], packet[kOffsetLength], hid::PacketAddress(packet),
                packet.data() + kOffsetData, answer.data() + kOffsetData);
    if (status != kOk) {
        ++counters_.rejected;
        std::fill(answer.begin() + kOffsetData, answer.end(), 0);
    }
    answer[kOffsetStatus] = status;
    return answer;
}

uint8_t DeviceFirmware::CopyOut(const std::vector<uint8_t>& from, size_t at, size_t length,
                                uint8_t* out) {
    if (at + length > from.size())
        return hid::kStatusRejected;
    std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(at), length, out);
    return kOk;
}

uint8_t DeviceFirmware::CopyIn(std::vector<uint8_t>& to, size_t at, size_t length,
                               const uint8_t* in) {
    if (at + length > to.size())
        return hid::kStatusRejected;
    std::copy_n(in, length, to.begin() + static_cast<std::ptrdiff_t>(at));
    return kOk;
}

uint8_t DeviceFirmware::Execute(uint8_t code, uint8_t length, uint16_t address, const uint8_t* in,
                                uint8_t* out) {
    if (length > hid::kMaxPacketData)
        return hid::kStatusRejected;
    switch (static_cast<hid::Command>(code)) {
        case hid::Command::BeginTransaction:
            inTransaction_ = true;
            ++counters_.transactionsBegun;
            return kOk;
        case hid::Command::EndTransaction:
            inTransaction_ = false;
            ++counters_.transactionsEnded;
            return kOk;
        case hid::Command::ReadInfoBlock: {
            if (address + length > kInfoBlockSize)
                return hid::kStatusRejected;
            std::copy_n(model_.infoBlock.begin() + address, length, out);
            return kOk;
        }
        case hid::Command::WriteInfoBlock: {
            if (address + length > kInfoBlockSize)
                return hid::kStatusRejected;
            std::copy_n(in, length, model_.infoBlock.begin() + address);
            return kOk;
        }
        case hid::Command::ReadMemory:
            return CopyOut(model_.memory, address, length, out);
        case hid::Command::WriteMemory:
            return CopyIn(model_.memory, address, length, in);
        case hid::Command::ReadKeyTable:
            return CopyOut(model_.keyIdentity, address, length, out);
        case hid::Command::WriteKeyTable:
            return CopyIn(keyMap_, address, length, in);
        case hid::Command::ReadProfileKeys:
            return CopyOut(profileKeys_, address, length, out);
        case hid::Command::WriteProfileKeys:
            return CopyIn(profileKeys_, address, length, in);
        case hid::Command::WriteLightStream:
            ++counters_.lightChunks;
            return CopyIn(lightStream_, address, length, in);
        case hid::Command::WriteMacroData: {
            const size_t limit = std::min<size_t>(macroArea_.size(), model_.infoBlock[6] * 128u);
            if (address + length > limit)
                return hid::kStatusRejected;
            return CopyIn(macroArea_, address, length, in);
        }
        case hid::Command::WriteShootBlock:
            return CopyIn(shootArea_, address, length, in);
        case hid::Command::ReadShort: {
            // Bytes past the stored state read as zero.
            for (size_t i = 0; i < length; ++i) {
                const size_t at = address + i;
                out[i] = at < model_.powerState.size() ? model_.powerState[at] : 0;
            }
            return kOk;
        }
        case hid::Command::ReadKeyByteTable:
            return CopyOut(model_.keyByteTable, address, length, out);
        case hid::Command::TakeLightControl:
            lightControl_ = true;
            return kOk;
        case hid::Command::ProbeLink:
            out[0] = 0xFF;  // reached the device itself: linked
            return kOk;
    }
    return hid::kStatusFailed;
}

std::array<uint8_t, kInfoBlockSize> DeviceFirmware::InfoBlock() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.infoBlock;
}

void DeviceFirmware::SetInfoByte(size_t offset, uint8_t value) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (offset < kInfoBlockSize)
        model_.infoBlock[offset] = value;
}

namespace {
std::vector<uint8_t> Slice(const std::vector<uint8_t>& from, size_t at, size_t length) {
    if (at >= from.size())
        return {};
    length = std::min(length, from.size() - at);
    return {from.begin() + static_cast<std::ptrdiff_t>(at),
            from.begin() + static_cast<std::ptrdiff_t>(at + length)};
}
}  // namespace

std::vector<uint8_t> DeviceFirmware::Memory(size_t address, size_t length) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return Slice(model_.memory, address, length);
}

std::vector<uint8_t> DeviceFirmware::ActiveKeyMap(size_t bank) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return Slice(keyMap_, bank * kKeyTableSize, kKeyTableSize);
}

std::vector<uint8_t> DeviceFirmware::ProfileKeys(size_t address, size_t length) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return Slice(profileKeys_, address, length);
}

std::vector<uint8_t> DeviceFirmware::MacroArea(size_t length) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return Slice(macroArea_, 0, length);
}

std::vector<uint8_t> DeviceFirmware::ShootArea(size_t length) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return Slice(shootArea_, 0, length);
}

std::vector<uint8_t> DeviceFirmware::LightStream(size_t length) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return Slice(lightStream_, 0, length);
}

void DeviceFirmware::SetPowerState(std::vector<uint8_t> state) {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.powerState = std::move(state);
}

void DeviceFirmware::SetPowerByte(size_t offset, uint8_t value) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (offset >= model_.powerState.size())
        model_.powerState.resize(offset + 1, 0);
    model_.powerState[offset] = value;
}

void DeviceFirmware::SetMemoryByte(size_t address, uint8_t value) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (address < model_.memory.size())
        model_.memory[address] = value;
}

std::vector<uint8_t> DeviceFirmware::PowerState() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.powerState;
}

bool DeviceFirmware::LightControlTaken() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lightControl_;
}

bool DeviceFirmware::InTransaction() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return inTransaction_;
}

FirmwareCounters DeviceFirmware::Counters() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return counters_;
}

uint8_t DeviceFirmware::CurrentProfile() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return model_.memory[0];
}

uint8_t DeviceFirmware::ActiveStage() const {
    std::lock_guard<std::mutex> lock(mutex_);
    const size_t profile = model_.memory[0] % kProfileCount;
    return model_.memory[profile * kMouseProfileStride + 12];
}

uint8_t DeviceFirmware::CycleProfile() {
    std::lock_guard<std::mutex> lock(mutex_);
    const uint8_t next = static_cast<uint8_t>((model_.memory[0] + 1) % kProfileCount);
    model_.memory[0] = next;
    return next;
}

uint8_t DeviceFirmware::CycleStage() {
    std::lock_guard<std::mutex> lock(mutex_);
    const size_t profile = model_.memory[0] % kProfileCount;
    uint8_t& stage = model_.memory[profile * kMouseProfileStride + 12];
    const uint8_t count = model_.dpiStages == 0 ? 1 : model_.dpiStages;
    stage = static_cast<uint8_t>((stage + 1) % count);
    return stage;
}

}  // namespace sim::firmware
