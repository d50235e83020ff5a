#pragma once
// The keyboard device object against the simulated keyboard on a real simulated bus. Its
// interfaces are claimed by a real scan: with the program's own match table (rows 0-1, kind
// 1), or with a test table whose rows 2-3 (kind 9) name the simulator's test-only keyboard
// receiver, since both pairs of rows are alike on a bus.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "devices/keyboard/OrvaneKeyboardDevice.h"
#include "hid/DeviceMatchTable.h"
#include "hid/DeviceScanThread.h"
#include "hid/DeviceSlotList.h"
#include "sim/BusDevices.h"
#include "tests/integration/proto/BusFixture.h"

namespace keyboardtest {

struct SentMessage {
    uint32_t msg;
    uintptr_t wParam;
    intptr_t lParam;
};

class NoReporter : public hid::ScanReporter {
  public:
    void Send(uint32_t, uintptr_t, intptr_t) override {}
    void Post(uint32_t, uintptr_t, intptr_t) override {}
};

class KeyboardTest : public prototest::BusTest {
  protected:
    void SetUp() override {
        BusTest::SetUp();
        ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        ::setenv("T418_ZEN_PROGRAM_DIR", T418_RESOURCES_DIR, 1);
        std::filesystem::create_directories(UserFolder());
        ASSERT_TRUE(simulator->Plug("keyboard"));
        ASSERT_TRUE(simulator->Plug("keyboard-receiver"));
    }

    void TearDown() override {
        keyboard.reset();
        BusTest::TearDown();
    }

    // The slots one scan claims: the real table, or the test table for the receiver.
    std::vector<hid::DeviceIdentity> Scan(bool testTable) {
        std::vector<hid::DeviceIdentity> rows = hid::DeviceMatchTable();
        if (testTable) {
            rows[2].ProductID = sim::kTestKeyboardReceiverProduct;
            rows[3].ProductID = sim::kTestKeyboardReceiverProduct;
        }
        hid::DeviceSlotList slots;
        slots.Fill(rows);
        NoReporter reporter;
        hid::DeviceScanThread scan(slots, reporter, 0, transport.get());
        scan.RunPass();
        std::vector<hid::DeviceIdentity> claimed;
        for (size_t i : slots.ClaimedSlots())
            claimed.push_back(*slots.Slot(i));
        return claimed;
    }

    // A keyboard object whose channel is open on the command interface the scan claimed for
    // the kind; its event interface path in eventPath.
    devices::COrvaneKeyboardDevice& MakeKeyboard(uint16_t kind) {
        keyboard = std::make_unique<devices::COrvaneKeyboardDevice>(transport.get());
        const bool receiver = kind == hid::kKindKeyboardReceiver;
        for (const hid::DeviceIdentity& slot : Scan(receiver)) {
            if (slot.Kind != kind)
                continue;
            if (slot.Role == hid::kRoleEvent) {
                eventPath = slot.Path;
                continue;
            }
            hid::CHidChannel& channel = keyboard->Channel();
            hid::CHidDevice& device = receiver ? channel.ReceiverDevice() : channel.CableDevice();
            EXPECT_TRUE(device.Open(slot.Path, true, true, true, false));
            channel.SetOpen(true);
            channel.SetConnection(receiver ? hid::kConnectionReceiver : hid::kConnectionCable);
            keyboard->SetIdentity(slot);
        }
        EXPECT_TRUE(keyboard->Channel().IsOpen()) << "no command interface of kind " << kind;
        keyboard->SetProfileBaseName("profile_test");
        keyboard->SetMessageSink([this](uint32_t msg, uintptr_t w, intptr_t l) -> intptr_t {
            messages.push_back({msg, w, l});
            return 0;
        });
        return *keyboard;
    }

    // The command codes of the requests the devices received since the last call.
    std::vector<uint8_t> TakeRequestCodes() {
        std::vector<uint8_t> codes;
        for (const auto& entry : devices.Log().Entries())
            if (entry.request && entry.bytes.size() > 3)
                codes.push_back(entry.bytes[3]);
        devices.Log().Clear();
        return codes;
    }

    // The slot the simulated keyboard keeps a key code in.
    size_t SlotOfCode(uint8_t code) {
        for (size_t slot = 0; slot < 104; ++slot)
            if (keyboard->KeyData()[3 * slot + 2] == code)
                return slot;
        ADD_FAILURE() << "no slot holds " << int{code};
        return 0;
    }

    std::string UserFolder() const {
        return (folder / "data" / "T418-ZEN" / "keyboard").string() + "/";
    }

    std::unique_ptr<devices::COrvaneKeyboardDevice> keyboard;
    std::vector<SentMessage> messages;
    std::string eventPath;
};

}  // namespace keyboardtest
