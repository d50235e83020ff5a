// From the kernel's time stamp of an input event to its delivery to the hook's sink on the
// window thread (reader thread, synchronous hand-over, translation), for 1000 key events of
// a virtual keyboard: median and worst. Needs a writable /dev/uinput; says so when it has none.
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <linux/input-event-codes.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "panels/hook/GlobalInput.h"
#include "platform/InputDevices.h"
#include "ui/headless/HeadlessBackend.h"

int main() {
    constexpr int kEvents = 1000;
    if (access("/dev/uinput", W_OK) != 0) {
        std::printf("hook_latency_bench: no writable /dev/uinput; could not run\n");
        return 0;
    }
    libevdev* dev = libevdev_new();
    libevdev_set_name(dev, "t418 bench keyboard");
    libevdev_enable_event_type(dev, EV_KEY);
    libevdev_enable_event_code(dev, EV_KEY, KEY_A, nullptr);
    libevdev_uinput* uinput = nullptr;
    const int rc = libevdev_uinput_create_from_device(dev, LIBEVDEV_UINPUT_OPEN_MANAGED, &uinput);
    libevdev_free(dev);
    if (rc != 0) {
        std::printf("hook_latency_bench: no virtual device (%d); could not run\n", rc);
        return 0;
    }
    usleep(200 * 1000);

    ui::headless::HeadlessBackend backend;
    backend.Install();
    auto global = std::make_shared<panels::hook::GlobalInput>();
    auto keys = panels::hook::MakeKeyHook(global);
    std::vector<int64_t> latencies;
    latencies.reserve(kEvents);
    keys->Start([&](uint32_t, const platform::HookKeyboardRecord&) {
        latencies.push_back(platform::InputClockNowUs() - global->DeliveringTimeUs());
        return false;
    });
    for (int i = 0; i < kEvents; ++i) {
        libevdev_uinput_write_event(uinput, EV_KEY, KEY_A, (i % 2) == 0 ? 1 : 0);
        libevdev_uinput_write_event(uinput, EV_SYN, SYN_REPORT, 0);
        const size_t want = static_cast<size_t>(i + 1);
        if (!backend.PumpUntil([&] { return latencies.size() >= want; }, 2000))
            break;
    }
    keys->Stop();
    libevdev_uinput_destroy(uinput);
    if (latencies.size() < static_cast<size_t>(kEvents)) {
        std::printf("hook_latency_bench: only %zu of %d events arrived\n", latencies.size(),
                    kEvents);
        return 1;
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf(
        "hook_latency_bench: %d key events, kernel time stamp to delivery: median %lld us, "
        "worst %lld us\n",
        kEvents, static_cast<long long>(latencies[latencies.size() / 2]),
        static_cast<long long>(latencies.back()));
    return 0;
}
