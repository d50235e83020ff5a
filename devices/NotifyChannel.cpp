#include "devices/NotifyChannel.h"

#include <vector>

#include "platform/Trace.h"

namespace devices {
namespace {
// After the usual wait a read should long be aborted; this bounds the rest.
constexpr uint32_t kLastResortWaitMs = 5000;
}  // namespace

NotifyChannel::NotifyChannel(platform::HidTransport* transport) : device_(transport) {}

NotifyChannel::~NotifyChannel() {
    Shutdown();
}

void NotifyChannel::Shutdown() {
    Close();
    // A thread left from an open that failed idles until stopped.
    thread_.Stop(kLastResortWaitMs);
}

bool NotifyChannel::Open(const std::string& path, Handler handler) {
    // The old thread must be gone before the handler changes.
    thread_.RequestStop();
    device_.Close();
    if (!thread_.Join(kLastResortWaitMs))
        platform::Trace("notification thread: still running, not reopened\n");
    bool opened = false;
    {
        platform::LockGuard guard(lock_);
        device_.Close();
        open_ = false;
        opened = device_.Open(path, true, true, true, false);
        open_ = opened;
    }
    handler_ = std::move(handler);
    thread_.Start([this](platform::Event& stop) { Run(stop); });
    return opened;
}

void NotifyChannel::Close() {
    if (!open_.load())
        return;
    thread_.RequestStop();
    {
        platform::LockGuard guard(lock_);
        open_ = false;
        // Cuts a read in progress short.
        device_.Close();
    }
    if (!thread_.Join(kStopWaitMs)) {
        platform::Trace("notification thread: no end within the wait\n");
        thread_.Join(kLastResortWaitMs);
    }
}

void NotifyChannel::Run(platform::Event& stop) {
    std::vector<uint8_t> report;
    while (!stop.IsSet()) {
        if (!open_.load()) {
            // Only a new Open (which starts a new thread) can open it again.
            stop.Wait(platform::kInfinite);
            break;
        }
        uint32_t length = device_.Capabilities().InputReportByteLength;
        report.assign(length > 0 ? length : 64, 0);
        uint32_t got = 0;
        // Blocks until a report comes or the interface is closed: no wake-ups while idle.
        if (!device_.Read(report.data(), static_cast<uint32_t>(report.size()), got,
                          platform::kInfinite)) {
            // Closed (the stop follows at once) or failed (a device going away): no spinning.
            stop.Wait(kRetryMs);
            continue;
        }
        if (got < 3)
            continue;
        uint16_t code = static_cast<uint16_t>(report[1] | (report[2] << 8));
        platform::TraceF("notification 0x%04X\n", code);
        if (handler_)
            handler_(code);
    }
}

}  // namespace devices
