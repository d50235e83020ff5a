// list: one scan of the bus, then every claimed slot.
#include <cstdio>

#include "hid/DeviceMatchTable.h"
#include "hid/DeviceScanThread.h"
#include "hid/DeviceSlotList.h"
#include "platform/HidAccess.h"
#include "platform/HidTransport.h"
#include "tools/zenctl/Command.h"
#include "tools/zenctl/SlotFormat.h"

namespace zenctl {
namespace {

class QuietReporter : public hid::ScanReporter {
  public:
    void Send(uint32_t, uintptr_t, intptr_t) override {}
    void Post(uint32_t, uintptr_t, intptr_t) override {}
};

int RunList(const std::vector<std::string>& args, const Options&) {
    if (!args.empty()) {
        std::fprintf(stderr, "usage: t418-zenctl list\n");
        return 2;
    }
    hid::DeviceSlotList slots;
    slots.FillFromMatchTable();
    QuietReporter reporter;
    hid::DeviceScanThread scanner(slots, reporter, 0);
    if (!scanner.ScanBus()) {
        std::fprintf(stderr, "t418-zenctl: cannot list the %s bus\n",
                     platform::DefaultHidTransport().Name());
        return 1;
    }
    std::vector<hid::DeviceIdentity> snapshot = slots.Snapshot();
    int found = 0;
    for (size_t i = 0; i < snapshot.size(); ++i) {
        if (snapshot[i].Connected == 0)
            continue;
        if (found++ == 0)
            std::printf("slot kind              role    vid:pid    if    col    page:usage path\n");
        std::printf("%s\n", FormatSlot(i, snapshot[i]).c_str());
    }
    if (found == 0) {
        std::vector<platform::HidAccessProblem> locked =
            platform::InaccessibleHidDevices(hid::ClaimedProductIds());
        for (const platform::HidAccessProblem& p : locked)
            std::fprintf(stderr, "%s (%04x:%04x) is present but cannot be opened\n", p.node.c_str(),
                         p.vendorId, p.productId);
        if (!locked.empty()) {
            std::fprintf(stderr, "no permission for the device: %s\n", platform::HidAccessFix());
            return 1;
        }
        std::fprintf(stderr, "no supported device found (%s bus)\n",
                     platform::DefaultHidTransport().Name());
        return 1;
    }
    return 0;
}

const CommandRegistration registration({"list", "list",
                                        "scan once and list the claimed device slots", RunList});

}  // namespace
}  // namespace zenctl
