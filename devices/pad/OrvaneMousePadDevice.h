#pragma once
// COrvaneMousePadDevice: the device object of the lighted mouse pad (kind 3). It reads its
// information block and onboard block at connection, follows the pad's own changes
// (notification 0x0401 -> the block read again), previews its light mode on the page's 15
// LEDs and sends every lighting change as its 21-byte block. Its power query reads which
// phone lies on the pad. Split by concern: reading (PadRead.cpp), writing (PadWrite.cpp),
// the page (PadPanel.cpp), threads (PadThreads.cpp) and the preview (PadPreview.cpp).
//
// Threads: everything runs on the window thread except the preview steps and PreviewPass
// (the preview thread) and HandleNotification (the notification channel's thread), which
// touch only atomics and the LED state and hand everything else to the window thread.
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "devices/DeviceMessages.h"
#include "devices/HostLink.h"
#include "devices/OrvaneUSBDevice.h"
#include "devices/pad/PadBlock.h"
#include "platform/StoppableThread.h"
#include "profile/BasicProfiledata.h"

namespace devices {

class COrvaneMousePadDevice : public COrvaneUSBDevice, public HostLink {
  public:
    static constexpr const char* kClassName = "OrvaneMousePadDevice";
    static constexpr uint32_t kPreviewStopWaitMs = 1000;
    // Preview passes between two steps by speed 0-4, in every mode.
    static constexpr std::array<uint32_t, 5> kStepThresholds = {28, 23, 18, 13, 7};

    // What one preview pass ran (tests and the trace see it).
    enum class PreviewStep {
        None,  // waiting for the threshold, held, or no LEDs
        Neon,
        ColourCycle,
        Breathe,
        Static,
        Flash,
        Custom,
        Reactive,
        Wave,
        Off,
    };

    explicit COrvaneMousePadDevice(platform::HidTransport* transport = nullptr);
    ~COrvaneMousePadDevice() override;
    std::string GetClass() const override { return kClassName; }

    // --- overrides -----------------------------------------------------------------------
    void BindPanelControls() override { BuildPanel(); }
    int LoadLightSettings() override;
    void ConnectDevice() override;
    void RefreshFromDevice() override;
    void QueryPowerState() override;
    int LoadProfile() override;
    void RefreshPanel() override;
    void ResetToDefaultData() override;
    int WriteSettings(int profileIndex, int firstByte, int flag, int extra1, int extra2) override;
    void LoadNameLists() override;
    void BuildProfilePaths() override;
    std::string GetProfilePath() const override { return profile_.GetProfilePath(); }
    void SaveProfile() override { profile_.Save(); }
    void SetLightListIndex(int index) override;
    void SetLightSettings(uint32_t a, uint32_t b, uint32_t c, uint32_t d) override;
    // --- HostLink --------------------------------------------------------------------------
    PowerState PowerRecord() const override { return powerRecord_; }
    void StopDeviceThreads() override { StopPreviewThread(); }

    // --- class operations ----------------------------------------------------------------
    void BuildPanel();
    // Reads the information block (begin, read, end); false when closed or unanswered.
    bool ReadInfoBlock();
    // Reads the current onboard profile's block into the mirror; 1 when read. A closed
    // channel or a failed read changes nothing and answers 0.
    int ReadSettingsBlock(uint8_t* onboardProfile = nullptr);

    // --- threads (PadThreads.cpp) ----------------------------------------------------------
    void StartPreviewThread();
    void StopPreviewThread();
    bool PreviewThreadRunning() const { return previewThread_.Running(); }
    void HandleNotification(int kind, uint16_t code);
    // One pass of the preview thread: counts it and runs the step of the mirror's mode once
    // the speed's threshold is reached (the custom player on every pass).
    PreviewStep PreviewPass(uint32_t& counter);

    // --- preview steps (PadPreview.cpp; preview thread) ----------------------------------
    void PreviewNeon();      // a rainbow running round the pad
    void PreviewWave();      // a bright band running round the pad over a dim ring
    void PreviewReactive();  // ripples starting at the front and spreading both ways
    void PlayCustomEffect();

    // --- data ----------------------------------------------------------------------------
    profile::CBasicProfiledata& Profile() { return profile_; }
    const std::array<uint8_t, hid::kInfoBlockLength>& InfoBlock() const { return infoBlock_; }
    const pad::Block& SettingsMirror() const { return settingsBlock_; }
    const pad::Block& PreviousMirror() const { return previousBlock_; }
    bool BlockRead() const { return blockRead_; }
    uint8_t OnboardProfile() const { return onboardProfile_.load(); }
    const std::vector<int>& LightValues() const { return lightValues_; }
    const std::vector<std::string>& LightNames() const { return lightNames_; }
    const std::vector<std::string>& MacroNames() const { return macroNames_; }
    size_t EffectStepCount() const {
        platform::LockGuard guard(effectLock_);
        return effectList_.size();
    }

  private:
    // The mirror changed: the preview thread's copies follow.
    void MirrorChanged();
    void PreviewThreadBody(platform::Event& stop);
    void LoadEffects(const profile::LightRecord& light);

    profile::CBasicProfiledata profile_;
    pad::Block settingsBlock_{};
    pad::Block previousBlock_{};
    bool blockRead_ = false;
    std::atomic<uint8_t> onboardProfile_{0};
    // What the preview thread reads of the mirror.
    std::atomic<uint8_t> previewMode_{0};
    std::atomic<uint8_t> previewSpeed_{0};
    PowerState powerRecord_{};
    platform::StoppableThread previewThread_;
    // Preview thread only.
    uint32_t rippleStep_ = 0;
    size_t effectPosition_ = 0;
    uint32_t effectStart_ = 0;
    uint32_t effectFrame_ = 0;
    bool effectStarted_ = false;
};

}  // namespace devices
