#pragma once
// CMpDevicePowerUI: the power item of one device object, a page of the main window's
// "device_power_switch": battery level, charge state, the wireless logo of a mouse and the
// phone lying on a mouse pad.
//
// Threads: window thread only.
#include <cstddef>
#include <cstdint>

#include "ui/layout/VerticalLayoutUI.h"

namespace app {

class CMpDevicePowerUI : public ui::CVerticalLayoutUI {
  public:
    static constexpr const char* kClassName = "MpDevicePower";
    static constexpr size_t kRecordLength = 64;

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;

    void SetKind(int kind) { kind_ = kind; }
    int GetKind() const { return kind_; }

    // The device's power record: byte 0 the battery level, 1 the charge state, 3 the
    // receiver flag of a mouse, 5 the phone on a pad. At most 64 bytes are read; what is
    // missing counts as zero.
    void UpdatePower(const uint8_t* bytes, size_t length);
    // Shown only for a device that has a battery.
    void ShowPowerLayout(bool show);

  private:
    int kind_ = 0;
};

}  // namespace app
