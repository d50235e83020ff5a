#pragma once
// A command channel wired to the simulated mouse inside the process.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "hid/HidChannel.h"
#include "hid/Packet.h"
#include "sim/firmware/CommandPath.h"
#include "sim/firmware/InProcessTransport.h"

namespace prototest {

class ChannelTest : public ::testing::Test {
  protected:
    ChannelTest() {
        transport.AddPath("cable", cable);
        transport.AddPath("receiver", receiver);
    }

    void OpenCable() {
        ASSERT_TRUE(channel.CableDevice().Open("cable", true, true, true, false));
        channel.SetOpen(true);
        channel.SetConnection(hid::kConnectionCable);
    }
    void OpenReceiver() {
        ASSERT_TRUE(channel.ReceiverDevice().Open("receiver", true, true, true, false));
        channel.SetOpen(true);
        channel.SetConnection(hid::kConnectionReceiver);
    }

    // Every request the device received, in order.
    std::vector<hid::Packet> Requests() const {
        std::vector<hid::Packet> out;
        for (const auto& entry : log.Entries()) {
            if (!entry.request)
                continue;
            hid::Packet p{};
            std::copy_n(entry.bytes.begin(), std::min(entry.bytes.size(), p.size()), p.begin());
            out.push_back(p);
        }
        return out;
    }

    sim::firmware::DeviceFirmware firmware{sim::firmware::MouseModel()};
    sim::firmware::FaultInjector faults;
    sim::firmware::PacketLog log;
    sim::firmware::ExchangeMonitor monitor;
    std::atomic<bool> linked{true};
    sim::firmware::CommandPath cable{"cable", firmware, faults, log, monitor, nullptr};
    sim::firmware::CommandPath receiver{"receiver", firmware, faults, log, monitor, &linked};
    sim::firmware::InProcessTransport transport;
    hid::CHidChannel channel{&transport};
};

}  // namespace prototest
