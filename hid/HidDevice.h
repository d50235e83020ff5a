#pragma once
// One open HID interface (a top-level collection): reads and writes with time-outs that
// another thread can cut short, the interface's attributes and capabilities, and the decoding
// of its input reports into usages. The instance that scans also keeps a list of paths.
//
// Threads: Open, Close, Read, Write, FlushQueue, SendOutputReport, UnpackInputReport and every
// accessor may be called from any thread at any time, also while another thread is in one of
// them (Close cuts a transfer short and waits for it; it waits for an unpack to end). The
// accessors return copies taken under the lock. EnumeratePaths, NextPath and FreePaths belong
// to the one thread that scans.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "hid/HidData.h"
#include "platform/HidTransport.h"

namespace hid {

// The capability record of an open interface.
struct HidCaps {
    uint16_t Usage = 0;
    uint16_t UsagePage = 0;
    uint16_t InputReportByteLength = 0;
    uint16_t OutputReportByteLength = 0;
    uint16_t FeatureReportByteLength = 0;
    uint16_t NumberInputButtonCaps = 0;
    uint16_t NumberInputValueCaps = 0;
};

constexpr size_t kMaxHidPathLength = 260;

class CHidDevice {
  public:
    // The transport defaults to the process's (simulated bus or hidraw).
    explicit CHidDevice(platform::HidTransport* transport = nullptr);
    ~CHidDevice();
    CHidDevice(const CHidDevice&) = delete;
    CHidDevice& operator=(const CHidDevice&) = delete;

    bool EnumeratePaths();
    std::optional<std::string> NextPath();
    void FreePaths();

    // False also when the descriptor refused the path's collection (HidCollection::refusal).
    bool Open(const std::string& path, bool read, bool write, bool overlapped, bool exclusive);
    // Ends a transfer in progress (it returns false at once), waits until it has left, then
    // releases the interface. Safe to call from any thread, and when closed.
    void Close();
    bool IsOpen() const;

    // One report each; transferred is the byte count (0 on failure). timeoutMs kInfinite
    // (0xFFFFFFFF) waits without limit. False on time-out, abort, or a closed device.
    bool Read(uint8_t* buffer, uint32_t length, uint32_t& transferred, uint32_t timeoutMs);
    bool Write(const uint8_t* buffer, uint32_t length, uint32_t& transferred, uint32_t timeoutMs);

    // Decodes an input report (first byte its report ID) into the input usage list. False
    // when closed, or a value of the report cannot be read. A value wider than 32 bits keeps
    // the status kHidStatusValueTooWide and is not marked as set; the rest still decodes.
    bool UnpackInputReport(const uint8_t* report, uint32_t length);
    // Discards the input reports queued and not yet read.
    bool FlushQueue();
    bool SendOutputReport(const uint8_t* report, uint32_t length);

    // What Open found; zeroed while closed.
    platform::HidAttributes Attributes() const;
    HidCaps Capabilities() const;
    uint16_t VendorID() const { return Attributes().vendorId; }
    uint16_t ProductID() const { return Attributes().productId; }
    uint16_t UsagePage() const { return Capabilities().UsagePage; }
    uint16_t Usage() const { return Capabilities().Usage; }
    std::string Path() const;
    uint16_t InterfaceNumber() const;
    uint16_t CollectionNumber() const;
    // The usage list as the last UnpackInputReport left it (a copy: a Close on another thread
    // cannot pull it away from the caller).
    std::vector<HidData> InputUsageList() const;
    std::vector<platform::HidButtonCaps> InputButtonCaps() const;
    std::vector<platform::HidValueCaps> InputValueCaps() const;

  private:
    // Aborts and waits for the transfers in progress, then drops the connection and the
    // parse data. Caller holds mutex_.
    void CloseLocked(std::unique_lock<std::mutex>& lock);
    void BuildUsageList(const platform::HidCollection& collection);

    // Takes a reference on the connection for one transfer, or nullptr when closed/closing.
    enum class Access { Read, Write, Any };
    platform::HidConnection* BeginTransfer(Access access);
    void EndTransfer();

    platform::HidTransport* transport_;

    std::vector<std::string> paths_;
    size_t pathIndex_ = 0;

    platform::HidOpenOptions options_;
    std::string path_;
    mutable std::mutex mutex_;
    std::condition_variable transfersLeft_;
    std::unique_ptr<platform::HidConnection> connection_;
    int transfersInProgress_ = 0;
    bool closing_ = false;

    // Below: what Open found, guarded by mutex_ like the connection.
    platform::HidAttributes attributes_;
    HidCaps caps_;
    std::vector<uint8_t> inputReport_;
    std::vector<HidData> usageList_;
    std::vector<platform::HidButtonCaps> buttonCaps_;
    std::vector<platform::HidValueCaps> valueCaps_;
    platform::HidCollection collection_;
    uint16_t interfaceNumber_ = 0;
    uint16_t collectionNumber_ = 0;
};

}  // namespace hid
