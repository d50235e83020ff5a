#include "panels/hook/GlobalInput.h"

#include <utility>

#include "panels/hook/HookTranslate.h"
#include "platform/Trace.h"
#include "ui/core/Backend.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowWnd.h"

namespace panels::hook {
namespace {

constexpr ui::UINT kGlobalInputEventMessage = ui::WM_APP + 0x41;
constexpr uint32_t kGlobalInputStopMs = 500;

}  // namespace

// Receives the reader thread's events on the window thread; never shown. It deletes itself
// once destroyed and no longer busy, so the source may go while it delivers.
class GlobalInput::Receiver final : public ui::CWindowWnd {
  public:
    explicit Receiver(std::weak_ptr<GlobalInput> owner) : owner_(std::move(owner)) {}
    std::string GetWindowClassName() const override { return "T418InputReceiver"; }
    void OnFinalMessage(ui::HWND) override { DeleteSelf(); }
    ui::LRESULT HandleMessage(ui::UINT msg, ui::WPARAM w, ui::LPARAM l) override {
        if (msg == kGlobalInputEventMessage && l != 0) {
            // Held for the call: a sink may drop the source's last owner.
            if (std::shared_ptr<GlobalInput> owner = owner_.lock())
                owner->OnRawEvent(*reinterpret_cast<const platform::RawInputEvent*>(l));
            return 1;
        }
        return ui::CWindowWnd::HandleMessage(msg, w, l);
    }

  private:
    std::weak_ptr<GlobalInput> owner_;
};

GlobalInput::GlobalInput(std::string folder) : reader_(std::move(folder)) {}

GlobalInput::~GlobalInput() {
    End();
}

int GlobalInput::CountReadable() {
    if (reader_.Running())
        return reader_.OpenCount();
    const int count = reader_.Open();
    reader_.Stop(0);  // closes them again
    return count;
}

bool GlobalInput::Begin() {
    if (reader_.Open() == 0) {
        platform::Trace("GlobalInput: no readable input device");
        return false;
    }
    auto* receiver = new Receiver(weak_from_this());
    const ui::HWND hwnd = receiver->Create(nullptr, "input", ui::WS_POPUP, 0, 0, 0, 0, 0);
    if (hwnd == nullptr) {
        delete receiver;
        reader_.Stop(0);
        return false;
    }
    receiver_ = hwnd;
    // The reader waits until the window thread has handled each event; the event lives on
    // its stack for that time.
    if (!reader_.Start([hwnd](const platform::RawInputEvent& raw) {
            ui::SendMessage(hwnd, kGlobalInputEventMessage, 0, reinterpret_cast<ui::LPARAM>(&raw));
        })) {
        ui::DestroyWindow(receiver_);
        receiver_ = nullptr;
        reader_.Stop(0);
        return false;
    }
    platform::TraceF("GlobalInput: reading %d input devices", reader_.OpenCount());
    return true;
}

void GlobalInput::End() {
    // The receiver goes first: a reader waiting in SendMessage is released at once, and
    // every later send returns at once, so the reader sees its stop signal.
    if (receiver_ != nullptr && ui::IsWindow(receiver_))
        ui::DestroyWindow(receiver_);
    receiver_ = nullptr;
    if (!reader_.Stop(kGlobalInputStopMs))
        platform::Trace("GlobalInput: the reader did not stop in time");
}

void GlobalInput::OnRawEvent(const platform::RawInputEvent& raw) {
    if (!Producing())
        return;
    const ui::Point cursor = ui::GetBackend().CursorPos();
    const auto timeMs = static_cast<uint32_t>((raw.timeUs / 1000) & 0xFFFFFFFF);
    const std::optional<HookInputEvent> hooked =
        TranslateEvdevEvent(raw.type, raw.code, raw.value, cursor.x, cursor.y, timeMs);
    if (!hooked)
        return;
    deliveringUs_ = raw.timeUs;
    if (hooked->isMouse)
        DeliverMouse(hooked->message, hooked->mouse);
    else
        DeliverKey(hooked->message, hooked->key);
}

}  // namespace panels::hook
