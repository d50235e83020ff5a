#pragma once
// The simulated firmware of one device: what it stores and how it answers each 64-byte
// request of its command interface. Pure request -> answer; no sockets, no timing.
// Thread-safe: the bus thread answers while control commands inspect or change the state.
#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "sim/CollectionHandler.h"
#include "sim/firmware/DeviceModel.h"

namespace sim::firmware {

struct FirmwareCounters {
    uint64_t requests = 0;
    uint64_t rejected = 0;  // bad report ID, bad checksum, bad length or range
    uint64_t transactionsBegun = 0;
    uint64_t transactionsEnded = 0;
    uint64_t lightChunks = 0;
};

class DeviceFirmware {
  public:
    explicit DeviceFirmware(DeviceModel model);

    // Answers one request (any length; only a 64-byte report with ID 4 and a correct
    // checksum is executed, anything else is answered with status 0xFF).
    Report Answer(const Report& request);
    // The answer the device gives when it refuses a request with `status` without acting.
    static Report Refusal(const Report& request, uint8_t status);

    // Inspection and control (tests, control commands, notifications).
    std::array<uint8_t, kInfoBlockSize> InfoBlock() const;
    void SetInfoByte(size_t offset, uint8_t value);
    std::vector<uint8_t> Memory(size_t address, size_t length) const;
    std::vector<uint8_t> ActiveKeyMap(size_t bank) const;
    std::vector<uint8_t> ProfileKeys(size_t address, size_t length) const;
    std::vector<uint8_t> MacroArea(size_t length) const;
    std::vector<uint8_t> ShootArea(size_t length) const;
    std::vector<uint8_t> LightStream(size_t length) const;
    void SetPowerState(std::vector<uint8_t> state);
    // One byte of the power state (it grows to reach it) / of the memory (ignored outside).
    void SetPowerByte(size_t offset, uint8_t value);
    void SetMemoryByte(size_t address, uint8_t value);
    std::vector<uint8_t> PowerState() const;
    bool LightControlTaken() const;
    bool InTransaction() const;
    FirmwareCounters Counters() const;

    // Onboard profile and DPI stage as a key press on the device changes them.
    uint8_t CurrentProfile() const;
    uint8_t ActiveStage() const;  // of the current profile
    // The next profile (wrapping) / the next enabled stage; return the new value.
    uint8_t CycleProfile();
    uint8_t CycleStage();

  private:
    // Executes one validated request; returns the status byte and fills `data`.
    uint8_t Execute(uint8_t code, uint8_t length, uint16_t address, const uint8_t* in,
                    uint8_t* out);
    static uint8_t CopyOut(const std::vector<uint8_t>& from, size_t at, size_t length,
                           uint8_t* out);
    static uint8_t CopyIn(std::vector<uint8_t>& to, size_t at, size_t length, const uint8_t* in);

    mutable std::mutex mutex_;
    DeviceModel model_;
    std::vector<uint8_t> keyMap_;       // kKeyBanks x 512, written by 0x09
    std::vector<uint8_t> profileKeys_;  // 64 KiB, 0x0A / 0x0B
    std::vector<uint8_t> macroArea_;
    std::vector<uint8_t> shootArea_;
    std::vector<uint8_t> lightStream_;
    bool lightControl_ = false;
    bool inTransaction_ = false;
    FirmwareCounters counters_;
};

}  // namespace sim::firmware
