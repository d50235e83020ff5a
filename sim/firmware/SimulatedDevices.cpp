#include "sim/firmware/SimulatedDevices.h"

#include "sim/firmware/KeyboardModel.h"

namespace sim::firmware {

void EventCollection::OnConnectionOpened(ReportSink& host) {
    std::lock_guard<std::mutex> lock(mutex_);
    hosts_.insert(&host);
}

void EventCollection::OnConnectionClosed(ReportSink& host) {
    std::lock_guard<std::mutex> lock(mutex_);
    hosts_.erase(&host);
}

int EventCollection::Notify(const Report& report) {
    // Held while sending so that a connection cannot close and go away meanwhile.
    std::lock_guard<std::mutex> lock(mutex_);
    for (ReportSink* host : hosts_)
        host->SendInputReport(report);
    return static_cast<int>(hosts_.size());
}

void CommandCollection::OnOutputReport(const Report& report, ReportSink& host) {
    const PathOutcome outcome = path_.Handle(report, &host);
    if (!outcome.answered)
        return;
    if (outcome.delayMs == 0) {
        host.SendInputReport(outcome.answer);
        return;
    }
    late_.Schedule(std::chrono::milliseconds(outcome.delayMs), host, outcome.answer,
                   [path = &path_, sink = &host] { path->OnAnswerSent(sink); });
}

void CommandCollection::OnConnectionOpened(ReportSink& host) {
    // A new connection may reuse the address of a closed one: start its history afresh.
    path_.OnConnectionClosed(&host);
}

void CommandCollection::OnConnectionClosed(ReportSink& host) {
    late_.Forget(host);
    path_.OnConnectionClosed(&host);
}

SimulatedDevices::SimulatedDevices()
    : mouse_(MouseModel()),
      pad_(MousePadModel()),
      mouseCable_("mouse-cable", mouse_, faults_, log_, monitor_, nullptr),
      mouseReceiver_("mouse-receiver", mouse_, faults_, log_, monitor_, &linked_),
      padPath_("pad", pad_, faults_, log_, monitor_, nullptr),
      mouseCableEvents_(std::make_shared<EventCollection>()),
      mouseReceiverEvents_(std::make_shared<EventCollection>()),
      padEvents_(std::make_shared<EventCollection>()),
      keyboard_(KeyboardModel()),
      keyboardCable_("keyboard", keyboard_, faults_, log_, monitor_, nullptr),
      keyboardReceiver_("keyboard-receiver", keyboard_, faults_, log_, monitor_, &linked_),
      keyboardCableEvents_(std::make_shared<EventCollection>()),
      keyboardReceiverEvents_(std::make_shared<EventCollection>()) {}

std::shared_ptr<CollectionHandler> SimulatedDevices::HandlerFor(const BusDevice& device,
                                                                const BusInterface&,
                                                                const BusCollection& collection) {
    CommandPath* path = nullptr;
    std::shared_ptr<EventCollection> events;
    if (device.name == "mouse-cable") {
        path = &mouseCable_;
        events = mouseCableEvents_;
    } else if (device.name == "mouse-receiver") {
        path = &mouseReceiver_;
        events = mouseReceiverEvents_;
    } else if (device.name == "pad") {
        path = &padPath_;
        events = padEvents_;
    } else if (device.name == "keyboard") {
        path = &keyboardCable_;
        events = keyboardCableEvents_;
    } else if (device.name == "keyboard-receiver") {
        path = &keyboardReceiver_;
        events = keyboardReceiverEvents_;
    } else {
        return nullptr;
    }
    switch (collection.role) {
        case CollectionRole::Command:
            return std::make_shared<CommandCollection>(*path, late_);
        case CollectionRole::Event:
            return events;
        case CollectionRole::Other:
            break;
    }
    return nullptr;
}

int SimulatedDevices::NotifyMouse(uint16_t code) {
    const Report report = {kNotificationReportId, static_cast<uint8_t>(code & 0xFF),
                           static_cast<uint8_t>(code >> 8)};
    int told = mouseCableEvents_->Notify(report);
    // The receiver passes the mouse's notifications on only while it is linked.
    if (linked_)
        told += mouseReceiverEvents_->Notify(report);
    return told;
}

int SimulatedDevices::NotifyKeyboard(uint16_t code) {
    // A consumer array report: the first 16-bit usage in bytes 1-2.
    const Report report = {kNotificationReportId, static_cast<uint8_t>(code & 0xFF),
                           static_cast<uint8_t>(code >> 8)};
    int told = keyboardCableEvents_->Notify(report);
    if (linked_)
        told += keyboardReceiverEvents_->Notify(report);
    return told;
}

int SimulatedDevices::PressDpi() {
    const uint8_t stage = mouse_.CycleStage();
    const uint8_t profile = mouse_.CurrentProfile();
    return NotifyMouse(static_cast<uint16_t>(0x1100 | ((stage & 0x0F) << 4) | (profile & 0x0F)));
}

int SimulatedDevices::PressProfile() {
    const uint8_t profile = mouse_.CycleProfile();
    return NotifyMouse(static_cast<uint16_t>(0x1000 | (profile & 0x0F)));
}

SimulatedDevices& Devices() {
    static SimulatedDevices devices;
    return devices;
}

}  // namespace sim::firmware
