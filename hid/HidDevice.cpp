#include "hid/HidDevice.h"

#include <algorithm>

#include "hid/PathParsers.h"
#include "platform/Trace.h"

namespace hid {

using platform::HidTransferResult;

CHidDevice::CHidDevice(platform::HidTransport* transport)
    : transport_(transport ? transport : &platform::DefaultHidTransport()) {}

CHidDevice::~CHidDevice() {
    Close();
    FreePaths();
}

bool CHidDevice::EnumeratePaths() {
    pathIndex_ = 0;
    if (!transport_->EnumeratePaths(paths_)) {
        paths_.clear();
        return false;
    }
    return true;
}

std::optional<std::string> CHidDevice::NextPath() {
    if (pathIndex_ >= paths_.size())
        return std::nullopt;
    return paths_[pathIndex_++];
}

void CHidDevice::FreePaths() {
    paths_.clear();
    paths_.shrink_to_fit();
    pathIndex_ = 0;
}

bool CHidDevice::Open(const std::string& path, bool read, bool write, bool overlapped,
                      bool exclusive) {
    std::unique_lock<std::mutex> lock(mutex_);
    CloseLocked(lock);
    options_ = {read, write, overlapped, exclusive};
    path_ = path;
    if (path.empty() || path.size() > kMaxHidPathLength)
        return false;
    // Opening may take a while on a real bus; transfers see the device as closed meanwhile.
    closing_ = true;
    lock.unlock();
    std::unique_ptr<platform::HidConnection> connection = transport_->Open(path, options_);
    lock.lock();
    closing_ = false;
    if (!connection)
        return false;
    if (!connection->Collection().refusal.empty()) {
        // As the class driver does with a collection it cannot parse: the open fails.
        platform::TraceF("CHidDevice: %s refused: %s", path.c_str(),
                         connection->Collection().refusal.c_str());
        return false;
    }

    attributes_ = connection->Attributes();
    collection_ = connection->Collection();
    buttonCaps_ = collection_.InputButtonCaps();
    valueCaps_ = collection_.InputValueCaps();
    caps_.Usage = collection_.usage;
    caps_.UsagePage = collection_.usagePage;
    caps_.InputReportByteLength = collection_.inputReportByteLength;
    caps_.OutputReportByteLength = collection_.outputReportByteLength;
    caps_.FeatureReportByteLength = collection_.featureReportByteLength;
    caps_.NumberInputButtonCaps = static_cast<uint16_t>(buttonCaps_.size());
    caps_.NumberInputValueCaps = static_cast<uint16_t>(valueCaps_.size());
    inputReport_.assign(caps_.InputReportByteLength, 0);
    BuildUsageList(collection_);
    interfaceNumber_ = InterfaceFromPath(path);
    collectionNumber_ = CollectionFromPath(path);
    connection_ = std::move(connection);
    return true;
}

void CHidDevice::BuildUsageList(const platform::HidCollection& collection) {
    usageList_.clear();
    for (const platform::HidButtonCaps& cap : buttonCaps_) {
        HidData d;
        d.IsButtonData = true;
        d.UsagePage = cap.usagePage;
        d.ReportID = cap.reportId;
        d.ButtonData.UsageMin = cap.usageMin;
        d.ButtonData.UsageMax = cap.isRange ? cap.usageMax : cap.usageMin;
        d.ButtonData.MaxUsageLength = platform::MaxInputUsageListLength(collection, cap.usagePage);
        d.ButtonData.Usages.assign(d.ButtonData.MaxUsageLength, 0);
        usageList_.push_back(std::move(d));
    }
    for (const platform::HidValueCaps& cap : valueCaps_) {
        uint16_t last = cap.isRange ? cap.usageMax : cap.usageMin;
        for (uint32_t usage = cap.usageMin; usage <= last; ++usage) {
            HidData d;
            d.UsagePage = cap.usagePage;
            d.ReportID = cap.reportId;
            d.ValueData.Usage = static_cast<uint16_t>(usage);
            usageList_.push_back(std::move(d));
        }
    }
}

void CHidDevice::Close() {
    std::unique_lock<std::mutex> lock(mutex_);
    CloseLocked(lock);
}

void CHidDevice::CloseLocked(std::unique_lock<std::mutex>& lock) {
    if (connection_) {
        // A reader blocked without limit must come back before the connection goes away.
        closing_ = true;
        connection_->Abort();
        transfersLeft_.wait(lock, [this] { return transfersInProgress_ == 0; });
        connection_.reset();
        closing_ = false;
    }
    attributes_ = {};
    caps_ = {};
    collection_ = {};
    inputReport_.clear();
    usageList_.clear();
    buttonCaps_.clear();
    valueCaps_.clear();
    interfaceNumber_ = 0;
    collectionNumber_ = 0;
}

bool CHidDevice::IsOpen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return connection_ != nullptr && !closing_;
}

platform::HidConnection* CHidDevice::BeginTransfer(Access access) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!connection_ || closing_)
        return nullptr;
    // As with a handle opened without that access right.
    if ((access == Access::Read && !options_.read) || (access == Access::Write && !options_.write))
        return nullptr;
    ++transfersInProgress_;
    return connection_.get();
}

void CHidDevice::EndTransfer() {
    std::lock_guard<std::mutex> lock(mutex_);
    --transfersInProgress_;
    transfersLeft_.notify_all();
}

bool CHidDevice::Read(uint8_t* buffer, uint32_t length, uint32_t& transferred, uint32_t timeoutMs) {
    transferred = 0;
    if (!buffer || length == 0)
        return false;
    platform::HidConnection* connection = BeginTransfer(Access::Read);
    if (!connection)
        return false;
    HidTransferResult result = connection->Read(buffer, length, transferred, timeoutMs);
    EndTransfer();
    if (result != HidTransferResult::Ok)
        transferred = 0;
    return result == HidTransferResult::Ok;
}

bool CHidDevice::Write(const uint8_t* buffer, uint32_t length, uint32_t& transferred,
                       uint32_t timeoutMs) {
    transferred = 0;
    if (!buffer || length == 0)
        return false;
    platform::HidConnection* connection = BeginTransfer(Access::Write);
    if (!connection)
        return false;
    HidTransferResult result = connection->Write(buffer, length, transferred, timeoutMs);
    EndTransfer();
    if (result != HidTransferResult::Ok)
        transferred = 0;
    return result == HidTransferResult::Ok;
}

bool CHidDevice::FlushQueue() {
    platform::HidConnection* connection = BeginTransfer(Access::Any);
    if (!connection)
        return false;
    bool ok = connection->Flush();
    EndTransfer();
    return ok;
}

bool CHidDevice::SendOutputReport(const uint8_t* report, uint32_t length) {
    if (!report || length == 0)
        return false;
    platform::HidConnection* connection = BeginTransfer(Access::Any);
    if (!connection)
        return false;
    bool ok = connection->SendOutputReport(report, length);
    EndTransfer();
    return ok;
}

bool CHidDevice::UnpackInputReport(const uint8_t* report, uint32_t length) {
    if (!report || length == 0)
        return false;
    // Decoding touches no device and ends quickly: holding the lock throughout keeps Close
    // from freeing the list and the collection under it.
    std::lock_guard<std::mutex> lock(mutex_);
    if (!connection_)
        return false;
    std::vector<uint16_t> usages;
    for (HidData& d : usageList_) {
        if (d.ReportID != report[0])
            continue;
        if (d.IsButtonData) {
            d.Status = platform::GetInputUsages(collection_, d.UsagePage, report, length,
                                                d.ButtonData.MaxUsageLength, usages);
            std::fill(d.ButtonData.Usages.begin(), d.ButtonData.Usages.end(), 0);
            size_t kept = 0;
            for (uint16_t usage : usages) {
                if (usage >= d.ButtonData.UsageMin && usage <= d.ButtonData.UsageMax &&
                    kept < d.ButtonData.Usages.size())
                    d.ButtonData.Usages[kept++] = usage;
            }
        } else {
            d.Status = platform::GetInputUsageValue(collection_, d.UsagePage, d.ValueData.Usage,
                                                    report, length, d.ValueData.Value);
            // A value wider than 32 bits (a pen's serial number) has no entry value: it is
            // passed over, the rest of the report still decodes.
            if (d.Status == platform::kHidStatusValueTooWide)
                continue;
            if (d.Status != platform::kHidStatusSuccess)
                return false;
            d.Status =
                platform::GetInputScaledUsageValue(collection_, d.UsagePage, d.ValueData.Usage,
                                                   report, length, d.ValueData.ScaledValue);
        }
        d.IsDataSet = true;
    }
    return true;
}

std::vector<HidData> CHidDevice::InputUsageList() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return usageList_;
}

std::vector<platform::HidButtonCaps> CHidDevice::InputButtonCaps() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return buttonCaps_;
}

std::vector<platform::HidValueCaps> CHidDevice::InputValueCaps() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return valueCaps_;
}

platform::HidAttributes CHidDevice::Attributes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return attributes_;
}

HidCaps CHidDevice::Capabilities() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return caps_;
}

std::string CHidDevice::Path() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return path_;
}

uint16_t CHidDevice::InterfaceNumber() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return interfaceNumber_;
}

uint16_t CHidDevice::CollectionNumber() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return collectionNumber_;
}

}  // namespace hid
