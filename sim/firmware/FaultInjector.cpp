#include "sim/firmware/FaultInjector.h"

#include <cstdio>

namespace sim::firmware {

void FaultInjector::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    noAnswer_ = echoOnce_ = echoAlways_ = false;
    status_ = 0;
    statusCountdown_ = 0;
    delayMs_ = 0;
    cutTo_ = 0;
    unlinkCountdown_ = 0;
    unlinked_ = false;
}

void FaultInjector::SetNoAnswer(bool on) {
    std::lock_guard<std::mutex> lock(mutex_);
    noAnswer_ = on;
}

void FaultInjector::SetWrongEcho(bool always) {
    std::lock_guard<std::mutex> lock(mutex_);
    echoAlways_ = always;
    echoOnce_ = !always;
}

void FaultInjector::SetStatusAt(uint8_t status, uint32_t packetNumber) {
    std::lock_guard<std::mutex> lock(mutex_);
    status_ = status;
    statusCountdown_ = packetNumber;
}

void FaultInjector::SetSlow(uint32_t delayMs) {
    std::lock_guard<std::mutex> lock(mutex_);
    delayMs_ = delayMs;
}

void FaultInjector::SetShortAnswer(uint32_t bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    cutTo_ = bytes;
}

void FaultInjector::SetUnlinkFrom(uint32_t packetNumber) {
    std::lock_guard<std::mutex> lock(mutex_);
    unlinkCountdown_ = packetNumber;
    unlinked_ = false;
}

FaultDecision FaultInjector::Next() {
    std::lock_guard<std::mutex> lock(mutex_);
    FaultDecision decision;
    decision.delayMs = delayMs_;
    decision.cutTo = cutTo_;
    if (unlinkCountdown_ > 0 && --unlinkCountdown_ == 0)
        unlinked_ = true;
    decision.unlinked = unlinked_;
    if (noAnswer_) {
        decision.drop = true;
        return decision;
    }
    if (statusCountdown_ > 0 && --statusCountdown_ == 0) {
        decision.status = status_;
        status_ = 0;
    }
    if (echoAlways_ || echoOnce_) {
        decision.wrongEcho = true;
        echoOnce_ = false;
    }
    return decision;
}

std::string FaultInjector::Describe() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string text;
    if (noAnswer_)
        text += " noanswer";
    if (echoAlways_)
        text += " echo-always";
    if (echoOnce_)
        text += " echo-once";
    if (statusCountdown_ > 0) {
        char buffer[48];
        std::snprintf(buffer, sizeof buffer, " status-0x%02X-in-%u", status_, statusCountdown_);
        text += buffer;
    }
    if (delayMs_ > 0)
        text += " slow-" + std::to_string(delayMs_) + "ms";
    if (cutTo_ > 0)
        text += " short-" + std::to_string(cutTo_) + "-bytes";
    if (unlinked_)
        text += " unlinked";
    else if (unlinkCountdown_ > 0)
        text += " unlink-in-" + std::to_string(unlinkCountdown_);
    return text.empty() ? "none" : text.substr(1);
}

}  // namespace sim::firmware
