#include "ui/shell/SessionBusBridge.h"

#include <atomic>

#include "platform/MessageBus.h"
#include "ui/core/MessageModel.h"

namespace ui {

// Shared with the bus listener and with the records queued for the window.
struct SessionBusBridge::Shared {
    HWND window = nullptr;
    std::atomic<bool> open{true};
};

namespace {

// Window thread: the record's turn in the window's queue.
void HandleRecord(SessionBusBridge::Shared& shared, const platform::BusMessage& message) {
    // Left the bus, or the sender stopped waiting: dropped, and the sender knows it.
    if (!shared.open.load() || !message.receipt->Begin())
        return;
    COPYDATASTRUCT record;
    record.dwData = message.tag;
    record.cbData = static_cast<DWORD>(message.data.size());
    record.lpData = message.data.data();
    SendMessage(shared.window, WM_COPYDATA, static_cast<WPARAM>(message.senderId),
                reinterpret_cast<LPARAM>(&record));
    message.receipt->Finish();
}

// Messages whose parameters point into this process: from another process they would be
// pointers to nowhere, so the bus never delivers them.
bool CarriesPointer(uint32_t message) {
    return message == WM_CREATE || message == WM_PAINT || message == WM_COPYDATA ||
           message == WM_MENUCLICK || message == WM_APP_NOTIFY;
}

// Listener thread: hands the message on to the window thread, never waits for it.
void Deliver(const std::shared_ptr<SessionBusBridge::Shared>& shared,
             const platform::BusMessage& message) {
    if (!shared->open.load())
        return;
    if (message.kind == platform::BusMessage::Kind::Posted) {
        if (CarriesPointer(message.message))
            return;
        PostMessage(shared->window, message.message, static_cast<WPARAM>(message.wParam),
                    static_cast<LPARAM>(message.lParam));
        return;
    }
    message.receipt->Defer();
    // The queued task keeps the record and its receipt; a task dropped with the window
    // answers "not delivered" as it goes.
    auto record = std::make_shared<platform::BusMessage>(message);
    PostTask(shared->window, [shared, record] { HandleRecord(*shared, *record); });
}

}  // namespace

std::unique_ptr<SessionBusBridge> SessionBusBridge::Join(HWND window, const std::string& title) {
    if (!IsWindow(window))
        return nullptr;
    std::unique_ptr<SessionBusBridge> bridge(new SessionBusBridge());
    bridge->shared_ = std::make_shared<Shared>();
    bridge->shared_->window = window;
    std::shared_ptr<Shared> shared = bridge->shared_;
    bridge->endpoint_ = platform::JoinBus(
        title, [shared](const platform::BusMessage& message) { Deliver(shared, message); });
    if (!bridge->endpoint_)
        return nullptr;
    return bridge;
}

SessionBusBridge::~SessionBusBridge() {
    shared_->open.store(false);
    endpoint_.reset();  // the listener waits for nobody: it ends at once
}

}  // namespace ui
