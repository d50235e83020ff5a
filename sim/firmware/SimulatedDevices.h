#pragma once
// The simulator's devices as the bus sees them: one mouse firmware reached over the cable and
// through the receiver, the mouse pad (PadDevice.cpp), their command and event collections, the
// faults, the packet log and the exchange check. t418-zen-sim installs HandlerFor as its firmware
// factory.
#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "sim/BusDevices.h"
#include "sim/CollectionHandler.h"
#include "sim/firmware/AnswerScheduler.h"
#include "sim/firmware/CommandPath.h"

namespace sim::firmware {

// The event collection of one device: every open connection receives the notifications.
class EventCollection : public CollectionHandler {
  public:
    void OnOutputReport(const Report&, ReportSink&) override {}
    void OnConnectionOpened(ReportSink& host) override;
    void OnConnectionClosed(ReportSink& host) override;
    // Sends to every open connection; returns how many received it.
    int Notify(const Report& report);

  private:
    std::mutex mutex_;
    std::set<ReportSink*> hosts_;
};

// The command collection: hands each request to its path and sends the answer back.
class CommandCollection : public CollectionHandler {
  public:
    CommandCollection(CommandPath& path, AnswerScheduler& late) : path_(path), late_(late) {}
    void OnOutputReport(const Report& report, ReportSink& host) override;
    void OnConnectionOpened(ReportSink& host) override;
    void OnConnectionClosed(ReportSink& host) override;

  private:
    CommandPath& path_;
    AnswerScheduler& late_;
};

// Report ID of the event collections' notifications (their consumer collection).
constexpr uint8_t kNotificationReportId = 3;

class SimulatedDevices {
  public:
    SimulatedDevices();

    std::shared_ptr<CollectionHandler> HandlerFor(const BusDevice& device,
                                                  const BusInterface& iface,
                                                  const BusCollection& collection);

    DeviceFirmware& Mouse() { return mouse_; }
    DeviceFirmware& Pad() { return pad_; }
    FaultInjector& Faults() { return faults_; }
    PacketLog& Log() { return log_; }
    ExchangeMonitor& Monitor() { return monitor_; }
    void SetLinked(bool linked) { linked_ = linked; }
    bool Linked() const { return linked_.load(); }

    // A key press on the mouse: the next DPI stage (notification 0x11sp) or the next onboard
    // profile (0x10pp). Returns the number of event connections told.
    int PressDpi();
    int PressProfile();
    // Sends a raw notification code on the mouse's event collections.
    int NotifyMouse(uint16_t code);
    // The pad's light key: the next light mode code in the current onboard block, then
    // notification 0x0401 on the pad's event collection. Returns the connections told.
    int PressPadLight();
    int NotifyPad(uint16_t code);
    // The phone lying on the pad (power state byte 5).
    void SetPadPhone(uint8_t phone);

  private:
    DeviceFirmware mouse_;
    DeviceFirmware pad_;
    FaultInjector faults_;
    PacketLog log_;
    ExchangeMonitor monitor_;
    std::atomic<bool> linked_{true};
    CommandPath mouseCable_;
    CommandPath mouseReceiver_;
    CommandPath padPath_;
    std::shared_ptr<EventCollection> mouseCableEvents_;
    std::shared_ptr<EventCollection> mouseReceiverEvents_;
    std::shared_ptr<EventCollection> padEvents_;
    AnswerScheduler late_;  // last: its thread ends before the paths go
};

// The process's simulated devices.
SimulatedDevices& Devices();

}  // namespace sim::firmware
