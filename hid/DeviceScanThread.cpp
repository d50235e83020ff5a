#include "hid/DeviceScanThread.h"

#include "platform/Trace.h"

namespace hid {

DeviceScanThread::DeviceScanThread(DeviceSlotList& slots, ScanReporter& reporter,
                                   uint32_t productTitleMessage, platform::HidTransport* transport)
    : slots_(slots),
      reporter_(reporter),
      productTitleMessage_(productTitleMessage),
      transport_(transport ? transport : &platform::DefaultHidTransport()) {}

DeviceScanThread::~DeviceScanThread() {
    // The loop touches this object: wait for it, however long its last pass takes (every
    // wait in a pass is bounded or released when the window goes).
    while (!Stop(kStopWaitMs))
        platform::Trace("DeviceScanThread: still waiting for the scan loop to end");
}

bool DeviceScanThread::Start() {
    return thread_.Start([this](platform::Event& stop) { Run(stop); });
}

bool DeviceScanThread::Stop(uint32_t timeoutMs) {
    return thread_.Stop(timeoutMs);
}

void DeviceScanThread::Run(platform::Event& stop) {
    for (;;) {
        if (stop.Wait(1))
            break;
        if (!RunPass())
            return;
        if (stop.Wait(kPassIntervalMs))
            break;
    }
    platform::Trace("抓取设备线程设定退出");
}

bool DeviceScanThread::RunPass() {
    if (slots_.AnyFree() && !ScanBus())
        return false;
    CheckPresence();
    ++passes_;
    return true;
}

bool DeviceScanThread::ScanBus() {
    if (!device_)
        device_ = std::make_unique<CHidDevice>(transport_);
    if (!device_->EnumeratePaths())
        return false;
    while (std::optional<std::string> path = device_->NextPath())
        TryClaim(*path);
    if (!titlePosted_) {
        titlePosted_ = true;
        reporter_.Post(productTitleMessage_, 0, 0);
    }
    device_->FreePaths();
    return true;
}

void DeviceScanThread::TryClaim(const std::string& path) {
    DeviceIdentity candidate = IdentityFromPath(path);
    // Only paths a free slot could take are worth opening. The slots are the match table's
    // rows (or, in tests, rows of their own): a slot gives the kind and role it claims for.
    if (!slots_.FindFree(candidate, false))
        return;
    if (!device_->Open(path, true, false, true, false))
        return;
    platform::HidAttributes attributes = device_->Attributes();
    HidCaps caps = device_->Capabilities();
    candidate.VendorID = attributes.vendorId;
    candidate.ProductID = attributes.productId;
    candidate.UsagePage = caps.UsagePage;
    candidate.Usage = caps.Usage;
    std::optional<size_t> slot = slots_.FindFree(candidate, true);
    // The slot is written before the message, and the lock is not held while the window
    // handles it.
    if (slot && slots_.Claim(*slot, path))
        reporter_.Send(WM_USB_MAINMESS_DEVICE_ADD, *slot, 0);
    device_->Close();
}

void DeviceScanThread::CheckPresence() {
    for (size_t index : slots_.ClaimedSlots()) {
        std::optional<DeviceIdentity> slot = slots_.Slot(index);
        if (!slot || transport_->IsPresent(slot->Path))
            continue;
        if (slots_.Release(index))
            reporter_.Send(WM_USB_MAINMESS_DEVICE_REMOVE, index, 0);
    }
}

}  // namespace hid
