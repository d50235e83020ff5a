#pragma once
// The receiving side of a copy-data record's answer (CopyDataReceipt) on a bus connection.
// The connection is the receipt's from the moment the record arrived: it writes the answer
// and closes it. Answers, one packet each: "TKN" when the handling begins (the sender then
// knows it is delivered), "ACK" once it is handled, "NAK" when it is dropped. Any thread.
#include <cstdint>
#include <mutex>

#include "platform/MessageBus.h"

namespace platform::bus_answer {

constexpr char kTaken[] = "TKN";
constexpr char kHandled[] = "ACK";
constexpr char kDropped[] = "NAK";
constexpr size_t kAnswerBytes = sizeof kTaken;

// The longest a receiver keeps a record for its window, whatever deadline it carries.
constexpr uint64_t kMaxDeadlineAheadMs = 60'000;

class ConnectionReceipt : public CopyDataReceipt {
  public:
    // Takes the connection; deadlineMs 0 (a sender that gave none) means the default time-out.
    ConnectionReceipt(int fd, uint64_t deadlineMs);
    ~ConnectionReceipt() override;  // answers "NAK" unless handled or begun

    void Defer() override;
    bool Begin() override;
    void Finish() override;

    // The listener, after the handler returned: a receipt not deferred is handled now.
    // True when it is answered (nothing left to watch).
    bool AfterHandler();
    // The listener, now and then while a deferred receipt waits: drops it once its deadline
    // passed or once nobody but the caller keeps it (held: the caller's own reference is the
    // last one). True when it is answered.
    bool Expire(uint64_t nowMs, bool heldOnlyByCaller);
    uint64_t DeadlineMs() const { return deadlineMs_; }

  private:
    enum class State { Received, Deferred, Taken, Answered };
    void AnswerLocked(const char* answer, bool close);

    std::mutex mutex_;
    int fd_;
    const uint64_t deadlineMs_;
    State state_ = State::Received;
    bool deferred_ = false;
};

}  // namespace platform::bus_answer
