#pragma once
// The mouse pad's device object against the simulated pad on a real simulated bus, with its
// user files in a temporary folder and the factory documents of the source tree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "devices/pad/OrvaneMousePadDevice.h"
#include "tests/integration/proto/BusFixture.h"

namespace padtest {

struct SentMessage {
    uint32_t msg;
    uintptr_t wParam;
    intptr_t lParam;
};

// One request as the pad received it.
struct Request {
    uint8_t code;
    uint8_t length;
    uint16_t address;
    std::vector<uint8_t> data;
};

class PadTest : public prototest::BusTest {
  protected:
    void SetUp() override {
        BusTest::SetUp();
        ASSERT_TRUE(simulator->Plug("pad"));
        ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        ::setenv("T418_ZEN_PROGRAM_DIR", T418_RESOURCES_DIR, 1);
    }

    void TearDown() override {
        pad.reset();
        BusTest::TearDown();
    }

    // A pad object whose channel is open on the pad's command collection, as the device
    // list opens it.
    devices::COrvaneMousePadDevice& MakePad() {
        pad = std::make_unique<devices::COrvaneMousePadDevice>(transport.get());
        hid::CHidChannel& channel = pad->Channel();
        EXPECT_TRUE(channel.CableDevice().Open(PathOf("pad-if1-col4"), true, true, true, false));
        channel.SetOpen(true);
        hid::DeviceIdentity identity;
        identity.Kind = hid::kKindMousePad;
        pad->SetIdentity(identity);
        pad->SetProfileBaseName("profile_test");
        pad->SetLedCount(15);
        pad->SetMessageSink([this](uint32_t msg, uintptr_t w, intptr_t l) -> intptr_t {
            messages.push_back({msg, w, l});
            return 0;
        });
        return *pad;
    }

    // The requests the simulator received since the last call.
    std::vector<Request> TakeRequests() {
        std::vector<Request> requests;
        for (const auto& entry : devices.Log().Entries()) {
            if (!entry.request || entry.bytes.size() < 8)
                continue;
            Request r{entry.bytes[3],
                      entry.bytes[4],
                      static_cast<uint16_t>(entry.bytes[5] | entry.bytes[6] << 8),
                      {}};
            const size_t end = std::min<size_t>(entry.bytes.size(), 8u + r.length);
            r.data.assign(entry.bytes.begin() + 8, entry.bytes.begin() + end);
            requests.push_back(std::move(r));
        }
        devices.Log().Clear();
        return requests;
    }
    static std::vector<uint8_t> Codes(const std::vector<Request>& requests) {
        std::vector<uint8_t> codes;
        for (const Request& r : requests)
            codes.push_back(r.code);
        return codes;
    }

    // The pad's stored block of onboard profile p.
    std::vector<uint8_t> StoredBlock(size_t p) {
        return devices.Pad().Memory(p * devices::pad::kProfileStride, devices::pad::kBlockSize);
    }

    std::unique_ptr<devices::COrvaneMousePadDevice> pad;
    std::vector<SentMessage> messages;
};

}  // namespace padtest
