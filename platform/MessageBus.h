#pragma once
// The session message bus: how windows of different processes of the same user talk.
// - Registered messages: a name maps to a number in 0xC000-0xFFFF that is the same in every
//   process of the session (a session-wide name table, like an atom table).
// - Endpoints: a window joins the bus under its title and receives, through its handler,
//   messages posted to that title, broadcasts, and copy-data records (a 32-bit tag and bytes).
// The handler runs on the endpoint's own listener thread; a GUI hands each message on to its
// window thread (post it into that window's queue).
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

// The session-wide number of the name (names compare without regard to ASCII case);
// registering again returns the same number. 0 when the name is empty, too long, holds a
// control character, the table is full, or the table cannot be used.
uint32_t RegisterMessage(std::string_view name);

struct BusMessage {
    enum class Kind { Posted, CopyData };
    Kind kind = Kind::Posted;
    uint32_t message = 0;  // kCopyDataMessage for a copy-data record
    uint64_t wParam = 0;
    int64_t lParam = 0;
    uint32_t tag = 0;  // copy-data only (dwData)
    std::string data;  // copy-data only
};

using BusHandler = std::function<void(const BusMessage&)>;

// A window's place on the bus; it leaves the bus when destroyed (after its listener thread
// has finished the handler call in progress, if any).
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
// taken it (at most timeoutMs). False when no such window answers, or the data is larger than
// kMaxCopyDataBytes.
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
