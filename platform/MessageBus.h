#pragma once
// The session message bus: how windows of different processes of the same user talk.
// - Registered messages: a name maps to a number in 0xC000-0xFFFF that is the same in every
//   process of the session (a session-wide name table, like an atom table).
// - Endpoints: a window joins the bus under its title and receives, through its handler,
//   messages posted to that title, broadcasts, and copy-data records (a 32-bit tag and bytes).
// The handler runs on the endpoint's own listener thread and must not block: a GUI hands each
// message on to its window thread (post it into that window's queue), a copy-data record
// with its receipt (CopyDataReceipt), so that a busy window holds up nobody.
//
// Threads: every function here may be called from any thread; an endpoint is destroyed by
// the thread that made it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

constexpr uint32_t kCopyDataMessage = 0x004A;  // WM_COPYDATA
constexpr uint32_t kFirstRegisteredMessage = 0xC000;
constexpr uint32_t kLastRegisteredMessage = 0xFFFF;
constexpr size_t kMaxCopyDataBytes = 64 * 1024;
constexpr size_t kMaxMessageNameBytes = 255;
constexpr uint32_t kDefaultSendTimeoutMs = 1500;
constexpr uint32_t kCopyDataHandlingWaitMs = 5000;

// The session-wide number of the name (names compare without regard to ASCII case);
// registering again returns the same number. 0 when the name is empty, too long, holds a
// control character, the table is full, or the table cannot be used.
uint32_t RegisterMessage(std::string_view name);

// The answer a copy-data record owes its sender, who waits for it (SendCopyData). A handler
// that handles the record on its own thread (the listener's) just returns: the record counts
// as handled then. A handler that hands it on to another thread calls Defer before it
// returns and passes the receipt along; that thread calls Begin right before it handles the
// record and Finish after. Begin is false when the sender's deadline has passed: the sender
// has been told "not delivered", so the record must be dropped, not handled. A deferred
// receipt that nobody keeps or that is destroyed before Begin answers "not delivered".
// Any thread.
class CopyDataReceipt {
  public:
    virtual ~CopyDataReceipt() = default;
    virtual void Defer() = 0;
    virtual bool Begin() = 0;
    virtual void Finish() = 0;
};

struct BusMessage {
    enum class Kind { Posted, CopyData };
    Kind kind = Kind::Posted;
    uint32_t message = 0;  // kCopyDataMessage for a copy-data record
    uint64_t wParam = 0;
    int64_t lParam = 0;
    uint32_t tag = 0;         // copy-data only (dwData)
    std::string data;         // copy-data only
    uint64_t deadlineMs = 0;  // copy-data only: when its sender stops waiting (SteadyMs)
    // Receiving side only: the id of the process that sent it, as the system reports the
    // peer of the connection (not something the sender writes); 0 when unknown.
    int64_t senderId = 0;
    std::shared_ptr<CopyDataReceipt> receipt;  // copy-data only, on the receiving side
};

// Milliseconds of the steady clock, which every process of the machine shares (the deadline
// of a copy-data record is one of its instants).
uint64_t SteadyMs();

using BusHandler = std::function<void(const BusMessage&)>;

// A window's place on the bus; it leaves the bus when destroyed: nobody finds it from then
// on, copy-data records deferred and not begun yet are answered "not delivered", and its
// listener thread is joined (after the handler call in progress, if any). Should
// a handler still not have returned after kLeaveBusTimeoutMs, the thread is left to end on
// its own (it owns everything it touches) and the destructor returns.
constexpr uint32_t kLeaveBusTimeoutMs = 2000;
class BusEndpoint {
  public:
    virtual ~BusEndpoint() = default;
    virtual const std::string& Title() const = 0;
};

// Joins the bus under the title; empty when the bus folder is unusable. Several endpoints
// may share a title; a message to the title reaches one of them.
std::unique_ptr<BusEndpoint> JoinBus(const std::string& title, BusHandler handler);

// Queues the message for the window with that title; false when no live endpoint has it.
bool PostToWindow(const std::string& title, uint32_t message, uint64_t wParam, int64_t lParam);

// Posts the message to every endpoint on the bus; returns how many it reached.
int Broadcast(uint32_t message, uint64_t wParam, int64_t lParam);

// Delivers a copy-data record to the window with that title and waits until its handler has
// handled it. True exactly when the record was handled; false when no such window answers,
// the data is larger than kMaxCopyDataBytes, or the window did not begin to handle it within
// timeoutMs, in which case it never will. A record begun in time is waited for up to
// kCopyDataHandlingWaitMs more (and reported as handled even if it takes longer).
bool SendCopyData(const std::string& title, uint32_t tag, std::string_view data,
                  uint32_t timeoutMs = kDefaultSendTimeoutMs);

// True when a live endpoint has that title.
bool WindowExists(const std::string& title);

// The folder that holds the endpoints and the name table.
std::string BusFolder();

namespace testing {
// Sends raw bytes as one record to the window with that title (to check what it rejects).
bool SendRawRecord(const std::string& title, const std::string& bytes);
}  // namespace testing

}  // namespace platform
