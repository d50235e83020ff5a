#pragma once
// COrvaneMouseDevice: the device object of the mouse, on its cable (kind 2) or through its
// 2.4 GHz receiver (kind 6). Split by concern: reading (MouseRead.cpp), the page
// (MousePanel.cpp), writing (MouseWrite.cpp), threads (MouseThreads.cpp) and the preview
// (MousePreview.cpp), keys (MouseKeyList.cpp).
//
// Threads: everything runs on the window thread except the preview steps (the preview
// thread) and HandleNotification (the notification channels' threads), which touch only
// atomics and the LED state and hand everything else to the window thread.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "devices/DeviceMessages.h"
#include "devices/KeyPanel.h"
#include "devices/OrvaneUSBDevice.h"
#include "devices/mouse/DpiConversion.h"
#include "devices/mouse/SettingsBlock.h"
#include "platform/StoppableThread.h"
#include "profile/MouseProfiledata.h"

namespace devices {

class COrvaneMouseDevice : public COrvaneUSBDevice {
  public:
    static constexpr const char* kClassName = "OrvaneMouseDevice";
    static constexpr int kPageKeys = 11;
    static constexpr uint8_t kNoSlot = 0xAA;
    static constexpr uint32_t kPreviewStopWaitMs = 1000;
    // Sends a message to the main window; the default sends to mainWindow (nothing without one).
    using MessageSink = std::function<intptr_t(uint32_t msg, uintptr_t wParam, intptr_t lParam)>;
    // Runs a task on the window thread. Without one, work is done where it is asked for
    // (tools without a window).
    using WindowPoster = std::function<void(std::function<void()>)>;

    explicit COrvaneMouseDevice(platform::HidTransport* transport = nullptr);
    ~COrvaneMouseDevice() override;
    std::string GetClass() const override { return kClassName; }

    // --- overrides -----------------------------------------------------------------------
    void BindPanelControls() override { BuildPanel(); }
    int LoadLightSettings() override;
    void RefreshPreview() override;
    void ConnectDevice() override;
    void RefreshFromDevice() override;
    void QueryPowerState() override;
    bool ProbeWirelessLink() override;
    int GetKeepAliveMinutes() override;
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
    // Also writes the document's "AudioLightInfo" (MouseLight.cpp).
    void SetAudioLightSettings(uint32_t a, uint32_t b, uint32_t c) override;
    void SelectKey(int index) override;

    // --- keys (MouseKeyList.cpp) -----------------------------------------------------------
    // Replaces the record of key `index` (nothing outside the key list) and writes the whole
    // key list to the profile document.
    void SetKeyRecord(int index, const profile::KeyRecord& record);
    // The key list beside the picture and the key buttons' texts, from the current records.
    void RefreshKeyNames();
    // The page's key panel (null without one).
    IKeyPanel* KeyPanel() const;

    // --- lighting (MouseLight.cpp) ------------------------------------------------------------
    // The audio light record as the device keeps it (loaded with the light settings).
    profile::AudioLightRecord AudioLightRecord() const;
    // The current light mode's name, translated (empty when the lists do not have it); the
    // logo button's tooltip shows it.
    std::string LightModeStatus() const;
    void ShowLightStatus();

    // --- reading -------------------------------------------------------------------------
    // The first part of ConnectDevice; true when the key table was read.
    bool ReadDeviceData();
    // Reads the current onboard profile's settings block into the profile; 1 when read.
    int ReadSettingsBlock(uint8_t* onboardProfile = nullptr);
    void BuildPanel();

    // --- writing -------------------------------------------------------------------------
    int WriteShootData();
    int ReinitialiseDevice();
    // Begin and end; answers the period until the next keep-alive in ms (0: none).
    uint32_t KeepAlive();
    static uint32_t KeepAlivePeriodMs(int64_t minutes);

    // --- threads -------------------------------------------------------------------------
    void StartPreviewThread();
    void StopPreviewThread();
    bool PreviewThreadRunning() const { return previewThread_.Running(); }
    // The notification channels' handler (their threads).
    void HandleNotification(int kind, uint16_t code);
    void SetMessageSink(MessageSink sink) { messageSink_ = std::move(sink); }
    void SetWindowPoster(WindowPoster poster) { windowPoster_ = std::move(poster); }
    // The timer a notification asks the list item for (1002, after 50 ms); tests and tools
    // without a list item see it here. Window thread.
    void SetTimerRequest(std::function<void(int id, uint32_t ms)> request) {
        timerRequest_ = std::move(request);
    }

    // --- preview steps (preview thread) --------------------------------------------------
    void PreviewNeon();
    void PreviewWave();
    void PreviewReactive();
    void PlayCustomEffect();
    // One pass of the preview thread's loop (counter and tick are its own).
    void PreviewPass(uint32_t& lastTick, uint32_t& counter);

    // --- data ----------------------------------------------------------------------------
    profile::CMouseProfiledata& Profile() { return profile_; }
    const std::array<uint8_t, hid::kInfoBlockLength>& InfoBlock() const { return infoBlock_; }
    // The information block as read elsewhere (tools reading it on their own, tests); the
    // stage sliders take the sensor's range.
    void SetInfoBlock(const std::array<uint8_t, hid::kInfoBlockLength>& block);
    const std::array<uint8_t, hid::kMaxBlockSize>& KeyData() const { return keyData_; }
    const std::array<uint8_t, kPageKeys>& KeySlotMap() const { return keySlotMap_; }
    const mouse::SettingsBlock& SettingsMirror() const { return settingsBlock_; }
    uint8_t OnboardProfile() const { return onboardProfile_.load(); }
    uint8_t MirrorActiveStage() const { return activeStageByte_.load(); }
    const std::vector<profile::KeyRecord>& GetKeyRecords() const { return keyRecords_; }
    void SetKeyRecords(const std::vector<profile::KeyRecord>& records);
    const std::vector<profile::DpiStageRecord>& GetStageRecords() const { return stageRecords_; }
    void SetStageRecords(const std::vector<profile::DpiStageRecord>& records);
    const profile::SystemRecord& GetSystemWords() const { return systemWords_; }
    void SetSystemWords(const profile::SystemRecord& words);
    void SetActiveStage(int index);
    const std::array<uint8_t, 6>& PowerRecord() const { return powerRecord_; }
    const std::vector<std::string>& MacroNames() const { return macroNames_; }
    // The mode list as LoadNameLists read it: the built-in modes' language keys, whether
    // the list shows them and their device codes, and the custom effects' names (mode 12 +
    // position).
    const std::vector<std::string>& LightNames() const { return lightNames_; }
    const std::vector<bool>& LightVisible() const { return lightVisible_; }
    const std::vector<int>& LightValues() const { return lightValues_; }
    const std::vector<std::string>& CustomLightNames() const { return customLightNames_; }
    uint32_t ReactiveRequests() const { return reactiveRequests_.load(); }
    size_t EffectStepCount() const {
        platform::LockGuard guard(effectLock_);
        return effectList_.size();
    }
    int GetLogoLedSource() const { return logoLedSource_; }
    void SetLogoLedSource(int index) { logoLedSource_ = index; }
    // Slider ranges the sensor gives (minimum, maximum); the edit boxes take 0-10000.
    using SliderRange = mouse::SliderRange;
    SliderRange StageSliderRange() const { return mouse::StageSliderRange(Sensor()); }
    // The sensor as the information block describes it (all zero before it was read).
    mouse::SensorParams Sensor() const { return mouse::SensorOf(infoBlock_); }

    // --- the performance and system pages (MousePerformance.cpp) -------------------------
    // Setters called here raise no notification. A missing control is skipped (getters
    // answer 0, -1 for combo indexes, "" for user data) and looked up again next time.
    static constexpr int kReportRateOptions = 5;
    // The stage's row enabled and its enable check selected; switching a stage off leaves
    // the last selected enable check disabled, so that one stage always stays on.
    void SetStageEnabled(int stage, bool on);
    int IsStageEnableChecked(int stage);
    // The slider at the position and the edit at its DPI number; the active stage's enable
    // check is disabled and its select check selected, the others' enabled and unselected.
    void ShowStageValue(int stage, int position);
    int GetStagePosition(int stage);
    bool HasStageSlider(int stage);
    // The position for the number typed in the stage's edit, within the slider's range;
    // the slider's own position when the sensor cannot convert (step 0).
    int ParseStageEdit(int stage);
    uint32_t GetStageColour(int stage);
    void SetStageColour(int stage, uint32_t colour);
    // Options outside 0..kReportRateOptions-1 show option 0.
    void SetReportRateOption(int n);
    // Values other than 0 and 1 show option 0.
    void SetSilentAltitudeOption(int n);
    void SetLinearCalibrationOption(int n);
    void SetRippleOption(int n);
    void SelectDebounce(int index);
    void SelectLogoLedMode(int index);
    void SelectBleSleep1(int value);
    void SelectBleSleep2(int value);
    void SelectDeviceSleep1(int value);
    void SelectDeviceSleep2(int value);
    int GetDebounceIndex();
    int GetLogoLedMode();
    std::string GetBleSleep1();
    std::string GetBleSleep2();
    std::string GetDeviceSleep1();
    std::string GetDeviceSleep2();
    int GetPointerSpeed();
    int GetScrollLines();
    int GetDoubleClickPosition();
    int GetPointerPrecision();
    int GetScrollPage();
    void SetScrollControls(int page, int lines);
    // Page n of "mouse_device_seting_layout" (0 when it has no page n) and its option.
    void ShowPerformancePage(int n);

  private:
    // The link check every sequence starts with: open, and on the receiver linked.
    bool LinkUp();
    intptr_t SendToMain(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    void OnWindowThread(std::function<void()> task);
    void UpdatePower(const uint8_t* state);
    void BuildKeySlotMap();
    void ApplySliderRanges();
    void RefreshStageControls();
    void RefreshSystemControls();
    // The performance control cache: a control below the page by name, remembered once
    // found. Forgotten when the page is bound again.
    ui::CControlUI* PageControl(const std::string& name);
    template <typename T>
    T* PageControlAs(const std::string& name) {
        return dynamic_cast<T*>(PageControl(name));
    }
    void SelectByUserData(const char* combo, int value);
    int ComboIndex(const char* combo);
    std::string ComboUserData(const char* combo);
    void SelectPairOption(const char* prefix, int n);
    void BindKeyPanel();
    void BindMacroPanel();
    // The shoot panel: its folders, its start-up rule, set 0 and bullet 0 selected.
    void BindShootPanel();
    // Macro entries of "macro.config" ("MacroInfo"); -1 when the file is unusable.
    int MacroCount(Json::Value* config = nullptr) const;
    void PreviewThreadBody(platform::Event& stop);
    // The document's audio light record into the device's (MouseLight.cpp).
    void LoadAudioLight();
    // The steps of the custom effect a mode of 12 or more names ("kesta_light.config" and
    // its ".light" file); none for the device's own modes or a missing or unusable file.
    std::vector<LightEffectStep> LoadEffectSteps(uint8_t mode) const;

    std::array<uint8_t, hid::kMaxBlockSize> keyData_{};
    std::atomic<uint8_t> onboardProfile_{0};
    std::atomic<uint8_t> activeStageByte_{0};
    profile::LightRecord previewLight_;
    mouse::SettingsBlock settingsBlock_{};
    std::vector<profile::KeyRecord> keyRecords_;
    std::vector<profile::DpiStageRecord> stageRecords_;
    profile::SystemRecord systemWords_{};
    std::vector<profile::KeyRecord> secondKeyRecords_;
    profile::CMouseProfiledata profile_;
    std::array<uint8_t, kPageKeys> keySlotMap_{};
    std::array<uint8_t, 6> powerRecord_{};
    std::map<std::string, ui::CControlUI*, std::less<>> pageControls_;
    uint8_t scrollPage_ = 0;  // the scroll settings last shown
    uint8_t scrollLines_ = 0;
    std::vector<ui::CControlUI*> keyLedButtons_;
    ui::CControlUI* logoLed_ = nullptr;
    ui::CControlUI* keyLedPanel_ = nullptr;
    ui::CControlUI* keyPanel_ = nullptr;
    int32_t logoLedSource_ = -1;
    std::string profilePath_;
    std::string configPath_;
    platform::StoppableThread previewThread_;
    MessageSink messageSink_;
    WindowPoster windowPoster_;
    std::function<void(int, uint32_t)> timerRequest_;
    // Reactive flashes the wired interface asked for; the preview thread starts them.
    std::atomic<uint32_t> reactiveRequests_{0};
    uint32_t reactiveSeen_ = 0;                                  // preview thread
    std::array<uint8_t, ReactiveState::kKeys> reactivePhase_{};  // preview thread
    uint32_t randomState_ = 0x418u;                              // preview thread
};

}  // namespace devices
