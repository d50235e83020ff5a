#pragma once
// COrvaneKeyboardDevice: the device object of a keyboard, on its cable (kind 1) or through a
// receiver (kind 9). Split by concern: reading (KeyboardRead.cpp), writing
// (KeyboardWrite.cpp), threads and notifications (KeyboardThreads.cpp), the preview
// (KeyboardPreview.cpp) and the page (KeyboardPanel.cpp), over the pure rules of
// KeyboardLayout, KeyboardBlock, KeyboardAudio and KeyboardEffects.
//
// Threads: everything runs on the window thread except the preview pass (the preview
// thread), HandleNotification (the notification channels' threads) and FeedAudioSpectrum's
// trigger, which touch only atomics, the LED colours and state under its locks, and hand
// everything else to the window thread.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "devices/HostLink.h"
#include "devices/OrvaneUSBDevice.h"
#include "devices/keyboard/KeyboardAudio.h"
#include "devices/keyboard/KeyboardBlock.h"
#include "devices/keyboard/KeyboardEffects.h"
#include "devices/keyboard/KeyboardLayout.h"
#include "platform/StoppableThread.h"
#include "profile/KeyboardProfiledata.h"

namespace devices {

class COrvaneKeyboardDevice : public COrvaneUSBDevice, public HostLink {
  public:
    static constexpr const char* kClassName = "OrvaneKeyboardDevice";
    static constexpr uint32_t kPreviewStopWaitMs = 1000;
    // The key button the key page disables while the summary page shows.
    static constexpr int kFunctionKeyButton = 110;

    explicit COrvaneKeyboardDevice(platform::HidTransport* transport = nullptr);
    ~COrvaneKeyboardDevice() override;
    std::string GetClass() const override { return kClassName; }

    // --- overrides -----------------------------------------------------------------------
    void BindPanelControls() override;
    int LoadLightSettings() override;
    void ConnectDevice() override;
    void RefreshFromDevice() override;
    void QueryPowerState() override;
    bool ProbeWirelessLink() override;
    int LoadProfile() override;
    void RefreshPanel() override;
    bool ValidateMacroReferences() override;
    void ResetToDefaultData() override;
    std::vector<int> GetUsedMacroIndices() override;
    int WriteKeyAssignments(int profileIndex,
                            const std::vector<profile::KeyRecord>& records) override;
    int WriteCurrentKeyAssignments(int profileIndex) override;
    int WriteMacros(const std::vector<int>& macroIndices) override;
    int WriteSettings(int profileIndex, int firstByte, int flag, int extra1, int extra2) override;
    void LoadNameLists() override;
    void ShowFunctionPage(int page) override;
    void BuildProfilePaths() override;
    std::string GetProfilePath() const override { return profile_.GetProfilePath(); }
    void SaveProfile() override { profile_.Save(); }
    void SetLightListIndex(int index) override;
    void SetLightSettings(uint32_t a, uint32_t b, uint32_t c, uint32_t d) override;
    void SelectKey(int index) override;
    // `data` holds `length` bytes: 32-bit band values, at most 500 of them.
    void FeedAudioSpectrum(const uint8_t* data, size_t length) override;
    void FeedAudioColours(const uint8_t* colours, size_t count) override;

    // --- reading (KeyboardRead.cpp) --------------------------------------------------------
    // True when the key tables were read and the maps rebuilt.
    bool ReadDeviceData();
    // 1 when the block was read and stored in the profile; 0 (nothing changed) otherwise.
    int ReadSettingsBlock(uint8_t* onboardProfile = nullptr);
    // Whether the last ReadSettingsBlock read the block.
    bool SettingsRead() const { return settingsRead_; }
    void BuildPanel();

    // --- threads (KeyboardThreads.cpp) -----------------------------------------------------
    void StartPreviewThread();
    void StopPreviewThread();
    bool PreviewThreadRunning() const { return previewThread_.Running(); }
    void HandleNotification(int kind, uint16_t code);
    // HostLink: the power item's record, and the preview thread's end.
    PowerState PowerRecord() const override { return powerRecord_; }
    void StopDeviceThreads() override { StopPreviewThread(); }
    // One pass of the preview thread's loop (counter and tick are its own).
    void PreviewPass(uint32_t& lastTick, uint32_t& counter);

    // --- preview (KeyboardPreview.cpp) -----------------------------------------------------
    // The per-key steps; each computes a frame and hands it to the LED colours.
    void PreviewKeyboardStep(uint8_t mode);
    void PlayCustomEffect();
    // The reactive trigger: lights the key at a position (flag 1: from the music light).
    void TriggerReactiveKey(int position, int flag);

    // --- the keyboard controls of the performance page (KeyboardPanel.cpp) -----------------
    // Options outside 0-3 show option 0. Setters raise no notification; missing controls
    // are skipped (getters answer 0).
    void SetReportRateOption(int n);
    void SetRepeatDelayOption(int n);
    void SetRepeatRate(int position);
    int GetRepeatRate();
    void SetFlagCheck(const char* name, bool on);
    int GetFlagCheck(const char* name);
    // Empties the repeat test box.
    void ClearRepeatTestBox();

    // --- data ----------------------------------------------------------------------------
    profile::CKeyboardProfiledata& Profile() { return profile_; }
    const std::array<uint8_t, hid::kInfoBlockLength>& InfoBlock() const { return infoBlock_; }
    const std::array<uint8_t, hid::kMaxBlockSize>& KeyData() const { return keyData_; }
    const std::array<uint8_t, hid::kMaxBlockSize>& KeyByteData() const { return keyByteData_; }
    const keyboard::PositionMap& KeySlotMap() const { return keySlotMap_; }
    const keyboard::PositionMap& KeyByteMap() const { return keyByteMap_; }
    const keyboard::SettingsBlock& SettingsMirror() const { return settingsBlock_; }
    uint8_t OnboardProfile() const { return onboardProfile_.load(); }
    int ReloadPending() const { return reloadPending_.load(); }
    const std::vector<profile::KeyRecord>& GetKeyRecords() const { return keyRecords_; }
    void SetKeyRecords(const std::vector<profile::KeyRecord>& records);
    const profile::KeyboardSystemRecord& GetSystemWords() const { return keyboardSystem_; }
    void SetSystemWords(const profile::KeyboardSystemRecord& words);
    const std::array<uint32_t, keyboard::kAudioBandsHeld>& AudioBands() const {
        return audioBands_;
    }
    const std::array<uint8_t, 6>& AudioColours() const { return audioColours_; }
    uint32_t AudioTriggers() const { return audioTriggers_.load(); }
    const std::vector<std::string>& MacroNames() const { return macroNames_; }
    const std::vector<int>& LightValues() const { return lightValues_; }

  private:
    bool LinkUp();
    void RequestRefresh();
    void PreviewThreadBody(platform::Event& stop);
    // The light record into the preview's copy (mode and speed the thread reads).
    void UpdatePreviewLight();
    // The profile's key list, completed with factory records up to every position.
    std::vector<profile::KeyRecord> CompleteKeyList(std::vector<profile::KeyRecord> records) const;
    int MacroCount(Json::Value* config = nullptr) const;
    ui::CControlUI* PageControl(const std::string& name);
    std::string Translate(const std::string& key);
    void RefreshKeyboardControls();

    std::vector<profile::KeyRecord> keyRecords_;
    std::vector<profile::KeyRecord> secondKeyRecords_;
    profile::CKeyboardProfiledata profile_;
    profile::KeyboardSystemRecord keyboardSystem_{};
    std::array<uint8_t, hid::kMaxBlockSize> keyData_{};
    std::array<uint8_t, hid::kMaxBlockSize> keyByteData_{};
    keyboard::PositionMap keySlotMap_{};
    keyboard::PositionMap keyByteMap_{};
    keyboard::SettingsBlock settingsBlock_{};
    keyboard::SettingsBlock previousBlock_{};
    std::atomic<uint8_t> onboardProfile_{0};
    std::atomic<int32_t> reloadPending_{0};
    bool settingsRead_ = false;
    std::array<uint32_t, keyboard::kAudioBandsHeld> audioBands_{};
    std::array<uint8_t, 6> audioColours_{};
    std::map<std::string, ui::CControlUI*, std::less<>> pageControls_;
    std::array<uint8_t, 6> powerRecord_{};
    platform::StoppableThread previewThread_;
    // What the preview thread animates: a copy of the light record under its lock, and the
    // per-key state that only the preview thread touches (triggers go through the lock).
    mutable platform::RecursiveLock previewLock_;
    profile::LightRecord previewLight_;
    keyboard::EffectState effects_;
    keyboard::Frame frame_{};
    std::array<uint32_t, keyboard::kAudioBandsHeld> previewBands_{};
    std::atomic<uint32_t> audioTriggers_{0};
    std::vector<profile::CustomKeyColour> customColours_;  // under previewLock_
    uint32_t customStep_ = 0;                              // preview thread
};

}  // namespace devices
