#pragma once
// The mouse device object against the simulated devices on a real simulated bus, with its
// user files in a temporary folder and the factory documents of the source tree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "devices/mouse/OrvaneMouseDevice.h"
#include "tests/integration/proto/BusFixture.h"

namespace mousetest {

struct SentMessage {
    uint32_t msg;
    uintptr_t wParam;
    intptr_t lParam;
};

class MouseTest : public prototest::BusTest {
  protected:
    void SetUp() override {
        BusTest::SetUp();
        ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        ::setenv("T418_ZEN_PROGRAM_DIR", T418_RESOURCES_DIR, 1);
        std::filesystem::create_directories(UserFolder());
    }

    void TearDown() override {
        mouse.reset();
        BusTest::TearDown();
    }

    // A mouse object whose channel is open on the cable or the receiver.
    devices::COrvaneMouseDevice& MakeMouse(bool receiver) {
        mouse = std::make_unique<devices::COrvaneMouseDevice>(transport.get());
        hid::CHidChannel& channel = mouse->Channel();
        hid::CHidDevice& device = receiver ? channel.ReceiverDevice() : channel.CableDevice();
        EXPECT_TRUE(
            device.Open(PathOf(receiver ? "mouse-receiver-if1-col2" : "mouse-cable-if1-col2"), true,
                        true, true, false));
        channel.SetOpen(true);
        channel.SetConnection(receiver ? hid::kConnectionReceiver : hid::kConnectionCable);
        hid::DeviceIdentity identity;
        identity.Kind = receiver ? hid::kKindMouseReceiver : hid::kKindMouseCable;
        mouse->SetIdentity(identity);
        mouse->SetProfileBaseName("profile_test");
        mouse->SetMessageSink([this](uint32_t msg, uintptr_t w, intptr_t l) -> intptr_t {
            messages.push_back({msg, w, l});
            return 0;
        });
        return *mouse;
    }

    // The command codes of the requests the mouse received since the last call.
    std::vector<uint8_t> TakeRequestCodes() {
        std::vector<uint8_t> codes;
        for (const auto& entry : devices.Log().Entries())
            if (entry.request && entry.bytes.size() > 3)
                codes.push_back(entry.bytes[3]);
        devices.Log().Clear();
        return codes;
    }

    std::string UserFolder() const {
        return (folder / "data" / "T418-ZEN" / "mouse").string() + "/";
    }

    std::unique_ptr<devices::COrvaneMouseDevice> mouse;
    std::vector<SentMessage> messages;
};

}  // namespace mousetest
