#include "ui/shell/SessionBusBridge.h"

#include <mutex>
#include <thread>

#include "platform/MessageBus.h"
#include "ui/core/MessageModel.h"

namespace ui {

// Shared with the bus listener, which may outlive the bridge by one record.
struct SessionBusBridge::Shared {
    HWND window = nullptr;
    std::mutex mutex;
    bool open = true;
    bool sending = false;  // the listener waits in SendMessage for the window thread
};

namespace {

void Deliver(SessionBusBridge::Shared& shared, const platform::BusMessage& message) {
    if (message.kind == platform::BusMessage::Kind::Posted) {
        std::lock_guard<std::mutex> lock(shared.mutex);
        if (shared.open)
            PostMessage(shared.window, message.message, static_cast<WPARAM>(message.wParam),
                        static_cast<LPARAM>(message.lParam));
        return;
    }
    {
        std::lock_guard<std::mutex> lock(shared.mutex);
        if (!shared.open)
            return;
        shared.sending = true;
    }
    COPYDATASTRUCT record;
    record.dwData = message.tag;
    record.cbData = static_cast<DWORD>(message.data.size());
    record.lpData = message.data.data();
    // Sent, not posted: the record lives on this thread's stack until the window has it.
    SendMessage(shared.window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
    std::lock_guard<std::mutex> lock(shared.mutex);
    shared.sending = false;
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
        title, [shared](const platform::BusMessage& message) { Deliver(*shared, message); });
    if (!bridge->endpoint_)
        return nullptr;
    return bridge;
}

SessionBusBridge::~SessionBusBridge() {
    bool sending;
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->open = false;
        sending = shared_->sending;
    }
    if (!sending) {
        endpoint_.reset();  // the listener starts no new delivery, so it ends at once
        return;
    }
    // The listener waits for this (window) thread: let it finish that send later, when the
    // window thread runs its loop again or the window is destroyed, and close the endpoint
    // then.
    std::thread([endpoint = std::move(endpoint_)]() mutable { endpoint.reset(); }).detach();
}

}  // namespace ui
