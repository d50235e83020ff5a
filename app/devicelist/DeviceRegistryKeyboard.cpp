// The keyboard's device object wired to the window: work handed to the window thread, the
// list item's timers, and the power item fed from each power record it reads.
#include "app/devicelist/DeviceOptionUI.h"
#include "app/devicelist/DeviceRegistry.h"
#include "app/devicelist/MpDevicePowerUI.h"
#include "devices/keyboard/OrvaneKeyboardDevice.h"
#include "ui/core/MessageModel.h"

namespace app {
namespace {

constexpr uint32_t kKeyboardPowerMessage = 3329;

}  // namespace

bool DeviceRegistry::WireKeyboard(Entry& entry) {
    auto* keyboard = dynamic_cast<devices::COrvaneKeyboardDevice*>(entry.device);
    if (keyboard == nullptr)
        return false;
    const ui::HWND window = host_.Window();
    CDeviceOptionUI* item = entry.item;
    CMpDevicePowerUI* power = entry.power;
    keyboard->SetWindowPoster(
        [window](std::function<void()> task) { ui::PostTask(window, std::move(task)); });
    keyboard->SetTimerRequest(
        [item](int id, uint32_t ms) { item->StartTimer(static_cast<uint32_t>(id), ms); });
    auto showPower = [keyboard, power] {
        const auto& record = keyboard->PowerRecord();
        power->UpdatePower(record.data(), record.size());
    };
    keyboard->SetMessageSink(
        [window, showPower](uint32_t msg, uintptr_t wParam, intptr_t lParam) -> intptr_t {
            if (msg == kKeyboardPowerMessage) {
                if (ui::IsWindowThread())
                    showPower();
                else
                    ui::PostTask(window, showPower);
            }
            if (window == nullptr)
                return 0;
            return static_cast<intptr_t>(ui::SendMessage(window, msg, wParam, lParam));
        });
    return true;
}

}  // namespace app
