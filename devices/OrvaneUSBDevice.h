#pragma once
// COrvaneUSBDevice: the common base of every device object. It is at once the device's
// settings page (a horizontal layout built from the device's page file), the notify
// receiver of that page's controls, the owner of the device's command channel and its two
// notification channels, and the holder of the device's mirrors, LED preview state and name
// lists. Device classes override the virtual operations, which keep this slot order.
//
// Threads: everything runs on the window thread except the preview steps (the device's
// preview thread: PreviewBreathe ... PreviewOff, the reactive and ring operations) and the
// notification handler (the notification channels' threads).
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "devices/LedColours.h"
#include "devices/LightEffectStep.h"
#include "devices/LightPanel.h"
#include "devices/NotifyChannel.h"
#include "devices/PreviewEngine.h"
#include "devices/ReactiveState.h"
#include "hid/DeviceIdentity.h"
#include "hid/HidChannel.h"
#include "platform/Event.h"
#include "platform/RecursiveLock.h"
#include "profile/LightRecords.h"
#include "profile/Records.h"
#include "ui/core/Notify.h"
#include "ui/layout/HorizontalLayoutUI.h"

namespace ui {
class CTabLayoutUI;
class CContainerUI;
}  // namespace ui

namespace devices {

class COrvaneUSBDevice : public ui::CHorizontalLayoutUI,
                         public ui::CNotifyPump,
                         public ui::INotifyUI {
  public:
    static constexpr const char* kClassName = "OrvaneUSBDevice";
    // Keys and LEDs a page can have (the per-LED reactive arrays hold this many).
    static constexpr int kMaxButtons = ReactiveState::kKeys;

    // transport: for the command and notification channels (the process's when null).
    explicit COrvaneUSBDevice(platform::HidTransport* transport = nullptr);
    ~COrvaneUSBDevice() override;

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;
    // Passes a notification to the message map only when its sender lies in this page.
    void Notify(ui::TNotifyUI& msg) override;

    // --- virtual operations, in slot order ----------------------------------------------
    virtual void BindPanelControls();
    virtual int LoadLightSettings() { return 0; }
    virtual void PreviewBreathe();
    virtual void PreviewBreatheFourColours();
    virtual void PreviewStatic();
    virtual void PreviewColourCycle();
    virtual void PreviewFlash();
    virtual void PreviewFlashFourColours();
    virtual void PreviewOff();
    // Gives each visible LED button its preview colour (while the program controls the
    // lights). Allocates nothing.
    virtual void RefreshPreview();
    // Out-of-range indexes are ignored (set) or answer zero (get).
    virtual void SetLedColour(int index, LedColour colour);
    virtual LedColour GetLedColour(int index) const;
    virtual void ConnectDevice() {}
    virtual void RefreshFromDevice() {}
    virtual void TimerHook1003() {}
    virtual void TimerHook1004() {}
    virtual void QueryPowerState() {}
    virtual bool ProbeWirelessLink() { return true; }
    virtual int GetKeepAliveMinutes() { return 1; }
    virtual int LoadProfile() { return 0; }
    virtual void RefreshPanel() {}
    // True when a key assignment had to be changed.
    virtual bool ValidateMacroReferences() { return false; }
    virtual void ResetToDefaultData() {}
    virtual std::vector<int> GetUsedMacroIndices() { return {}; }
    virtual int WriteKeyAssignments(int /*profile*/, const std::vector<profile::KeyRecord>&) {
        return 0;
    }
    virtual int WriteCurrentKeyAssignments(int /*profile*/) { return 0; }
    virtual int WriteMacros(const std::vector<int>& /*macroIndices*/) { return 0; }
    virtual int WriteSettings(int /*profile*/, int /*firstByte*/, int /*flag*/, int /*extra1*/,
                              int /*extra2*/) {
        return 0;
    }
    virtual void LoadNameLists() {}
    virtual void SetAuxKeyMap(const std::map<int, int>& map) { auxKeyMap_ = map; }
    virtual void FadeReactiveKey(int index, int mode);
    virtual void LightPressedKeys();
    virtual void RotateRing(bool forward);
    virtual void ClearReactiveState();
    virtual void ShowFunctionPage(int page);
    virtual int GetFunctionPage() const { return functionPage_; }
    virtual void BuildProfilePaths() {}
    virtual std::string GetProfilePath() const { return {}; }
    virtual void SaveProfile() {}
    virtual void SetLightListIndex(int index) { lightListIndex_ = index; }
    virtual int GetLightListIndex() const { return lightListIndex_; }
    // a: bytes 0-3, b: bytes 4-7, c: bytes 8-11, d: bytes 12-13 of the light record.
    virtual void SetLightSettings(uint32_t a, uint32_t b, uint32_t c, uint32_t d);
    virtual void SetAudioLightSettings(uint32_t a, uint32_t b, uint32_t c);
    virtual AudioLightWords GetAudioLightSettings(bool colourFlag);
    virtual void SelectKey(int index) { selectedKey_ = index; }
    virtual void FeedAudioSpectrum(const uint8_t* /*data*/, size_t /*length*/) {}
    virtual void FeedAudioColours(const uint8_t* /*colours*/, size_t /*count*/) {}

    // --- non-virtual operations ----------------------------------------------------------
    // The light record as the four words of SetLightSettings.
    std::array<uint32_t, 4> GetLightSettings() const { return lightSettings_.ToWords(); }
    const profile::LightRecord& LightSettings() const { return lightSettings_; }
    // Positions of the device's mode list: its built-in modes, then its custom effects.
    int GetLightModeCount() const {
        return static_cast<int>(lightNames_.size() + customLightNames_.size());
    }

    // Counts are limited to [0, kMaxButtons]. SetKeyCount of the same count does nothing;
    // SetLedCount always zeroes the preview colours and the per-LED list.
    void SetKeyCount(int count);
    void SetLedCount(int count);
    int GetKeyCount() const { return keyCount_; }
    int GetLedCount() const { return ledCount_; }
    void SetSkinFile(const std::string& file) { skinFile_ = file; }
    const std::string& GetSkinFile() const { return skinFile_; }
    void SetMainWindow(ui::HWND window) { mainWindow_ = window; }
    ui::HWND GetMainWindow() const { return mainWindow_; }
    void SetProfileBaseName(const std::string& name) { profileBaseName_ = name; }
    const std::string& GetProfileBaseName() const { return profileBaseName_; }
    void SetConfigBaseName(const std::string& name) { configBaseName_ = name; }
    const std::string& GetConfigBaseName() const { return configBaseName_; }
    void SetDataFolderName(const std::string& name) { dataFolderName_ = name; }
    const std::string& GetDataFolderName() const { return dataFolderName_; }
    void SetModelIndex(int index) { modelIndex_ = index; }
    int GetModelIndex() const { return modelIndex_; }
    void SetListItem(ui::CControlUI* item) { listItem_ = item; }
    ui::CControlUI* GetListItem() const { return listItem_; }
    void SetPowerItem(ui::CControlUI* item) { powerItem_ = item; }
    ui::CControlUI* GetPowerItem() const { return powerItem_; }
    void SetHasBattery(bool flag) { hasBattery_ = flag ? 1 : 0; }
    bool HasBattery() const { return hasBattery_ != 0; }
    // Only for a device with a battery.
    void SetPowerQueryOff(int value);
    int GetPowerQueryOff() const { return powerQueryOff_; }
    // Stores the identity; the kind and the interface code (its role) come from it.
    void SetIdentity(const hid::DeviceIdentity& identity);
    const hid::DeviceIdentity& GetIdentity() const { return identity_; }
    int GetKind() const { return kind_; }
    int GetInterfaceCode() const { return interfaceCode_; }
    // Setting 1 on a keyboard also takes the light control on the device.
    void SetLightControl(int flag);
    int GetLightControl() const { return lightControl_.load(); }
    // 0 while nobody sees the picture (window hidden, minimised or left): the preview
    // thread then sleeps; 1 wakes it at once. Any thread.
    void SetPreviewActive(int flag) {
        previewActive_ = flag;
        if (flag != 0)
            previewResume_.Set();
    }
    int GetPreviewActive() const { return previewActive_.load(); }
    int GetSelectedKey() const { return selectedKey_; }

    // The default-data folder, the device's default document in it, and the device's user
    // data folder (made, with the user folder, whenever missing). New strings each time.
    std::string GetDefaultDataFolder() const;
    std::string GetDefaultDocumentPath() const;
    std::string GetUserDataFolder() const;

    // The event interfaces: kind 2 (the wired mouse) and 6 (the receiver); other kinds are
    // ignored. Open answers whether the interface opened.
    bool OpenNotifyChannel(const std::string& path, int kind);
    bool ReopenNotifyChannel(const std::string& path, int kind);
    void CloseNotifyChannel(int kind);
    bool IsNotifyChannelOpen(int kind) const;
    // What a device class does with a notification; runs on the channel's thread. Set it
    // before a channel opens.
    void SetNotificationHandler(std::function<void(int kind, uint16_t code)> handler);
    // The handler the device class set (to wrap it, as a tool that prints each code does).
    std::function<void(int kind, uint16_t code)> GetNotificationHandler() const {
        return notificationHandler_;
    }

    // The clock of the flash steps (the system's by default); it must outlive the device.
    void SetTickClock(TickClock* clock) { clock_ = clock ? clock : &SystemTickClock(); }
    TickClock& GetTickClock() const { return *clock_; }
    const PreviewState& GetPreviewState() const { return preview_; }
    const ReactiveState& GetReactiveState() const { return reactive_; }

    hid::CHidChannel& Channel() { return channel_; }
    ui::CControlUI* GetKeyButton(int index) const;
    ui::CControlUI* GetLedButton(int index) const;
    ui::CControlUI* GetSelectPanel() const { return selectPanel_; }
    std::vector<profile::LedEntry> GetLedList() const;

  protected:
    // Binds the key and LED buttons among the panel's children by the base rules: a name
    // "key_N" is key N, a user data "light_N" is LED N (lit white at level 255); numbers
    // outside the counts are left alone.
    void BindSelectPanel(ui::CContainerUI& panel);
    void FillLeds(LedColour colour);
    // Fills the name lists the page and the uploads use: the macro names of the user's
    // `macroFileName`, the effect list `lightListIndex_` of "default_light.json" (and its area
    // names when asked), and the custom effects, which a new data folder gets from the
    // program's own when asked.
    void ReadNameLists(const std::string& macroFileName, bool withAreaNames,
                       bool withCustomEffects);
    NotifyChannel* ChannelForKind(int kind);
    const NotifyChannel* ChannelForKind(int kind) const;

    hid::CHidChannel channel_;
    NotifyChannel notifyChannelWired_;
    NotifyChannel notifyChannelReceiver_;
    std::array<uint8_t, hid::kInfoBlockLength> infoBlock_{};
    ui::CControlUI* lightPanel_ = nullptr;
    ui::CControlUI* profilePanel_ = nullptr;
    ui::CControlUI* selectPanel_ = nullptr;
    ui::CControlUI* listItem_ = nullptr;
    ui::CControlUI* powerItem_ = nullptr;
    ui::CTabLayoutUI* functionSwitch_ = nullptr;
    ui::CTabLayoutUI* keyFunctionSwitch_ = nullptr;
    std::string skinFile_;
    ui::HWND mainWindow_ = nullptr;
    std::string profileBaseName_;
    std::string configBaseName_;
    std::string dataFolderName_;
    int32_t kind_ = 0;
    int32_t interfaceCode_ = 0;
    int32_t keyCount_ = 0;
    int32_t ledCount_ = 0;
    int32_t modelIndex_ = -1;
    int32_t selectedKey_ = -1;
    int32_t functionPage_ = 1;
    std::vector<ui::CControlUI*> keyButtons_;
    std::vector<ui::CControlUI*> ledButtons_;
    std::map<int, int> keySlotMap_;
    LedColourList ledColours_;
    profile::LightRecord lightSettings_;
    mutable platform::RecursiveLock effectLock_;
    mutable platform::RecursiveLock ledListLock_;
    std::vector<LightEffectStep> effectList_;
    std::vector<profile::LedEntry> ledList_;
    int32_t effectCount_ = 0;
    std::atomic<int32_t> lightControl_{1};
    std::atomic<int32_t> previewActive_{1};
    platform::Event previewResume_;  // auto-reset: set when the preview turns active
    PreviewState preview_;
    ReactiveState reactive_;
    std::vector<std::string> macroNames_;
    std::vector<std::string> lightNames_;
    std::vector<bool> lightVisible_;
    std::vector<int> lightValues_;
    std::vector<std::string> areaLightNames_;
    std::vector<std::string> customLightNames_;
    int32_t hasBattery_ = 0;
    int32_t powerQueryOff_ = 0;
    hid::DeviceIdentity identity_;
    int32_t lightListIndex_ = 0;
    AudioLightWords audioLight_;

  private:
    std::map<int, int> auxKeyMap_;
    TickClock* clock_ = &SystemTickClock();
    std::function<void(int, uint16_t)> notificationHandler_;
};

}  // namespace devices
