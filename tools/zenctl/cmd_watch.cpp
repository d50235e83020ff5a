// watch: the scan thread of the program, printing each arrival and removal until interrupted.
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <map>
#include <mutex>

#include "hid/DeviceScanThread.h"
#include "hid/DeviceSlotList.h"
#include "tools/zenctl/Command.h"
#include "tools/zenctl/SlotFormat.h"

namespace zenctl {
namespace {

class PrintingReporter : public hid::ScanReporter {
  public:
    explicit PrintingReporter(hid::DeviceSlotList& slots) : slots_(slots) {}
    void Send(uint32_t message, uintptr_t slot, intptr_t) override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (message == hid::WM_USB_MAINMESS_DEVICE_ADD) {
            if (auto identity = slots_.Slot(slot))
                lines_[slot] = FormatSlot(slot, *identity);
            std::printf("+ %s\n", lines_[slot].c_str());
        } else if (message == hid::WM_USB_MAINMESS_DEVICE_REMOVE) {
            std::printf("- %s\n", lines_[slot].c_str());
            lines_.erase(slot);
        }
        std::fflush(stdout);
    }
    void Post(uint32_t, uintptr_t, intptr_t) override {
        std::printf("# first scan done\n");
        std::fflush(stdout);
    }

  private:
    hid::DeviceSlotList& slots_;
    std::mutex mutex_;
    std::map<uintptr_t, std::string> lines_;  // removal prints what arrived
};

int RunWatch(const std::vector<std::string>& args, const Options&) {
    if (!args.empty()) {
        std::fprintf(stderr, "usage: t418-zenctl watch\n");
        return 2;
    }
    // Taken here with sigwait, so the scan thread is never interrupted.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    hid::DeviceSlotList slots;
    slots.FillFromMatchTable();
    PrintingReporter reporter(slots);
    hid::DeviceScanThread scanner(slots, reporter, 0);
    scanner.Start();
    int signal = 0;
    sigwait(&signals, &signal);
    scanner.Stop(5000);
    return 0;
}

const CommandRegistration registration({"watch", "watch",
                                        "print device arrivals and removals until interrupted",
                                        RunWatch});

}  // namespace
}  // namespace zenctl
