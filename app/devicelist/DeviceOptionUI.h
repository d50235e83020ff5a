#pragma once
// CDeviceOptionUI: one item of the device list. It shows one device object (its icon and
// name, its selection and synchronisation marks), knows the pages of that device in the main
// window's tab containers, and drives the device through its control timers: preview
// refresh, connect, refresh, power query, link watch and keep-alive.
//
// Threads: window thread only.
#include <cstdint>
#include <string>

#include "ui/layout/HorizontalLayoutUI.h"

namespace devices {
class COrvaneUSBDevice;
}
namespace ui {
class COptionUI;
}

namespace app {

// The list item's timers.
constexpr uint32_t kTimerPreview = 1000;
constexpr uint32_t kTimerConnect = 1001;
constexpr uint32_t kTimerRefresh = 1002;
constexpr uint32_t kTimerHook1003 = 1003;
constexpr uint32_t kTimerHook1004 = 1004;
constexpr uint32_t kTimerPower = 1005;
constexpr uint32_t kTimerLinkWatch = 1007;
constexpr uint32_t kTimerKeepAlive = 1008;

// Preview refresh periods: on the cable, through the receiver, and while nobody sees the
// window (the device's preview-active flag is 0).
constexpr uint32_t kPreviewCableMs = 5;
constexpr uint32_t kPreviewReceiverMs = 500;
constexpr uint32_t kPreviewIdleMs = 1000;
constexpr uint32_t kConnectDelayMs = 500;
constexpr uint32_t kConnectRetryMs = 5000;
constexpr int kConnectRetryWrap = 20;
constexpr uint32_t kLinkWatchFirstMs = 2000;
constexpr uint32_t kLinkWatchMs = 3000;
constexpr uint32_t kPowerFirstMs = 50;
constexpr uint32_t kPowerRepeatMs = 3000;
constexpr uint32_t kKeepAliveFirstMs = 50;

// Whether the power timer queries the device: those with a battery, and the mouse pad, whose
// power record says which phone lies on it.
bool QueriesPower(const devices::COrvaneUSBDevice& device);

class CDeviceOptionUI : public ui::CHorizontalLayoutUI {
  public:
    static constexpr const char* kClassName = "DeviceOption";

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;
    void DoEvent(ui::TEventUI& event) override;
    // Activating the item selects its device (the option raises "selectchanged").
    bool Activate() override;

    // The icons and the name key of the kind; a mouse pad of an unknown sub-kind keeps what
    // it has.
    void SetIcons(int kind, int subKind);
    int GetKind() const { return kind_; }
    int GetSubKind() const { return subKind_; }
    bool IsSelected();
    // Raises "selectchanged" when the state changes, as a click would.
    void Select(bool selected);
    bool IsSynchro();
    void SetSynchro(bool synchro);
    void ShowSynchro(bool show);
    void SetGroup(const std::string& group);
    // The tab container (by name) and the page index of the device object there.
    void BindTab(const std::string& layoutName, int index);
    int TabIndex() const { return tabIndex_; }
    const std::string& TabName() const { return tabName_; }
    void SetPowerTab(const std::string& name, int index);
    const std::string& PowerTabName() const { return powerName_; }
    int PowerTabIndex() const { return powerIndex_; }
    void SetName(const std::string& text);
    void Link(devices::COrvaneUSBDevice* device, ui::CControlUI* picture);
    devices::COrvaneUSBDevice* Device() const { return device_; }
    // The item's place in the device list; the link-state messages carry it.
    void SetListIndex(int index) { listIndex_ = index; }
    int ListIndex() const { return listIndex_; }
    // Shown: the item counts as a present device.
    void SetVisible(bool visible = true) override;
    bool IsShown() const { return shown_ != 0; }
    int ConnectFailures() const { return retry_; }

    // (Re)starts one of the timers above; false without a window.
    bool StartTimer(uint32_t id, uint32_t ms);
    void StopTimer(uint32_t id);
    void StopAllTimers();
    bool HasTimer(uint32_t id) const;
    void OnTimer(uint32_t id);

  private:
    ui::COptionUI* SelectOption();
    ui::COptionUI* SynchroOption();
    void ApplyImages();
    void SendLinkState(int linked);

    void OnPreview();
    void OnConnect();
    void OnPowerQuery();
    void OnLinkWatch();
    void OnKeepAlive();

    devices::COrvaneUSBDevice* device_ = nullptr;
    ui::CControlUI* picture_ = nullptr;
    ui::COptionUI* select_ = nullptr;
    ui::COptionUI* synchro_ = nullptr;
    ui::CControlUI* nameLabel_ = nullptr;
    int kind_ = 0;
    int subKind_ = 0;
    std::string synchroNormalImage_;
    std::string synchroSelectedImage_;
    std::string selectedImage_;
    std::string normalImage_;
    std::string tabName_;
    int tabIndex_ = -1;
    std::string powerName_;
    int powerIndex_ = -1;
    int shown_ = 1;
    int retry_ = 0;
    int listIndex_ = -1;
};

}  // namespace app
