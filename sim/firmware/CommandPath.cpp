#include "sim/firmware/CommandPath.h"

#include "hid/Packet.h"

namespace sim::firmware {

CommandPath::CommandPath(std::string name, DeviceFirmware& firmware, FaultInjector& faults,
                         PacketLog& log, ExchangeMonitor& monitor, const std::atomic<bool>* link)
    : name_(std::move(name)),
      firmware_(firmware),
      faults_(faults),
      log_(log),
      monitor_(monitor),
      link_(link) {}

Report CommandPath::NotLinkedAnswer(const Report& request) {
    Report answer(hid::kPacketSize, 0);
    answer[0] = hid::kCommandReportId;
    if (request.size() > 2) {
        answer[1] = request[1];
        answer[2] = request[2];
    }
    answer[hid::kOffsetCode] = hid::kNotLinkedEcho;
    return answer;
}

PathOutcome CommandPath::Handle(const Report& request, const void* connection) {
    log_.Record(name_, true, request);
    monitor_.OnRequest(connection);
    const FaultDecision fault = faults_.Next();
    PathOutcome outcome;
    outcome.delayMs = fault.delayMs;
    if (fault.drop)
        return outcome;
    if (link_ && (!link_->load() || fault.unlinked)) {
        outcome.answer = NotLinkedAnswer(request);
    } else if (fault.status != 0) {
        outcome.answer = DeviceFirmware::Refusal(request, fault.status);
    } else {
        outcome.answer = firmware_.Answer(request);
    }
    if (fault.wrongEcho)
        outcome.answer[hid::kOffsetCode] ^= 0x80;
    if (fault.cutTo > 0 && fault.cutTo < outcome.answer.size())
        outcome.answer.resize(fault.cutTo);
    outcome.answered = true;
    if (outcome.delayMs > 0)
        monitor_.OnAnswerPending(connection);
    log_.Record(name_, false, outcome.answer);
    return outcome;
}

void CommandPath::OnAnswerSent(const void* connection) {
    monitor_.OnAnswerSent(connection);
}

void CommandPath::OnConnectionClosed(const void* connection) {
    monitor_.OnConnectionClosed(connection);
}

}  // namespace sim::firmware
