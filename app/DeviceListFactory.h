#pragma once
// Where the main window gets its device list: the device registry. Tests hand the window a
// list of their own; a list that holds no device stands in when none is given.
// Window thread.
#include <memory>

#include "app/devicelist/DeviceList.h"
#include "app/devicelist/DeviceListHost.h"

namespace app {

std::unique_ptr<IDeviceList> MakeDeviceList(IDeviceListHost& host);

// A list with no device: every report is accepted and forgotten.
class EmptyDeviceList : public IDeviceList {
  public:
    void CreateStartupDevices() override {}
    void OnDeviceAdd(size_t) override {}
    void OnDeviceRemove(size_t) override {}
    void OnLinkState(int, int) override {}
    void OnDeviceInitUI(int) override {}
    void RefreshNoDeviceLayout(const char*) override {}
    int ShownCount() const override { return 0; }
    void SelectPrevious() override {}
    void SelectNext() override {}
    void OnDeviceSelectChanged() override {}
    devices::COrvaneUSBDevice* SelectedDevice() const override { return nullptr; }
    int SelectedKind() const override { return 0; }
    const std::vector<devices::COrvaneUSBDevice*>& Mice() const override { return none_; }
    const std::vector<devices::COrvaneUSBDevice*>& Keyboards() const override { return none_; }
    const std::vector<devices::COrvaneUSBDevice*>& MousePads() const override { return none_; }
    const std::vector<devices::COrvaneUSBDevice*>& Headsets() const override { return none_; }
    void StopDevices() override {}

  private:
    std::vector<devices::COrvaneUSBDevice*> none_;
};

}  // namespace app
