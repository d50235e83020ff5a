#pragma once
// The simulated devices served on a real simulated bus (sockets, the bus's serving thread) in
// a temporary folder, and command channels that reach them through the bus client.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "hid/HidChannel.h"
#include "platform/HidTransport.h"
#include "sim/Simulator.h"
#include "sim/firmware/SimulatedDevices.h"

namespace prototest {

class BusTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static int serial = 0;
        folder = std::filesystem::temp_directory_path() /
                 ("t418-proto-bus-" + std::to_string(std::random_device{}()) + "-" +
                  std::to_string(++serial));
        std::filesystem::remove_all(folder);
        simulator = std::make_unique<sim::Simulator>(folder.string());
        simulator->SetFirmwareFactory([this](const sim::BusDevice& device,
                                             const sim::BusInterface& iface,
                                             const sim::BusCollection& collection) {
            return devices.HandlerFor(device, iface, collection);
        });
        ASSERT_TRUE(simulator->Start());
        ASSERT_TRUE(simulator->Plug("mouse-cable"));
        ASSERT_TRUE(simulator->Plug("mouse-receiver"));
        transport = platform::MakeSimBusTransport(folder.string());
    }

    void TearDown() override {
        simulator->Stop();
        simulator.reset();
        std::filesystem::remove_all(folder);
    }

    // The bus path of a collection, e.g. ("mouse-cable-if1-col2").
    std::string PathOf(const std::string& id) {
        std::vector<std::string> paths;
        transport->EnumeratePaths(paths);
        for (const std::string& path : paths)
            if (path.find("/" + id + "#") != std::string::npos)
                return path;
        ADD_FAILURE() << "no collection " << id;
        return {};
    }

    // A channel open on the mouse's command collection over the cable or the receiver.
    std::unique_ptr<hid::CHidChannel> OpenChannel(bool receiver) {
        auto channel = std::make_unique<hid::CHidChannel>(transport.get());
        hid::CHidDevice& device = receiver ? channel->ReceiverDevice() : channel->CableDevice();
        const std::string path =
            PathOf(receiver ? "mouse-receiver-if1-col2" : "mouse-cable-if1-col2");
        EXPECT_TRUE(device.Open(path, true, true, true, false));
        channel->SetOpen(true);
        channel->SetConnection(receiver ? hid::kConnectionReceiver : hid::kConnectionCable);
        return channel;
    }

    std::filesystem::path folder;
    sim::firmware::SimulatedDevices devices;
    std::unique_ptr<sim::Simulator> simulator;
    std::unique_ptr<platform::HidTransport> transport;
};

}  // namespace prototest
