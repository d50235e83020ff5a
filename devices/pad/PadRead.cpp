// The pad's reading: the connect sequence, the onboard block, the power state, and the
// profile files and name lists its page is filled from.
#include "devices/LightEffectFiles.h"
#include "devices/pad/OrvaneMousePadDevice.h"
#include "hid/ResultCode.h"
#include "platform/Trace.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"

namespace devices {
namespace {

// The pad's custom light mode: it plays one of the custom effects.
constexpr uint8_t kPadCustomMode = 5;

}  // namespace

COrvaneMousePadDevice::COrvaneMousePadDevice(platform::HidTransport* transport)
    : COrvaneUSBDevice(transport) {
    kind_ = hid::kKindMousePad;
    dataFolderName_ = "MousePad";
    configBaseName_ = "kesta_light";
    lightListIndex_ = 2;
    profile_.SetDefaultDocumentPath(GetDefaultDocumentPath());
    SetNotificationHandler([this](int kind, uint16_t code) { HandleNotification(kind, code); });
}

COrvaneMousePadDevice::~COrvaneMousePadDevice() {
    // The threads use this object: they end before any member goes.
    StopPreviewThread();
    notifyChannelWired_.Shutdown();
    notifyChannelReceiver_.Shutdown();
}

void COrvaneMousePadDevice::ConnectDevice() {
    ReadInfoBlock();
    // Read before anything is sent: a write carries the bytes the program does not set as
    // the pad holds them.
    ReadSettingsBlock();
    LoadProfile();
    RefreshPanel();
    StartPreviewThread();
}

void COrvaneMousePadDevice::RefreshFromDevice() {
    uint8_t onboard = 0;
    if (ReadSettingsBlock(&onboard) == 1) {
        // A change made on the pad: the page and the profile follow it.
        const profile::LightRecord light = pad::TakeLight(settingsBlock_, lightSettings_);
        if (!(light == lightSettings_)) {
            lightSettings_ = light;
            profile_.SetLightRecord(light);
            profile_.Save();
            LoadEffects(light);
            RefreshPanel();
        }
    }
    SendToMain(mainWindow_, WM_USB_MAINMESS_ONBOARD_PROFILE, onboard, 0);
}

bool COrvaneMousePadDevice::ReadInfoBlock() {
    if (!channel_.IsOpen())
        return false;
    std::array<uint8_t, hid::kInfoBlockLength> block = infoBlock_;
    channel_.BeginTransaction();
    const int read = channel_.ReadInfoBlock(block.data());
    channel_.EndTransaction();
    if (read != hid::kResultOk)
        return false;
    infoBlock_ = block;
    return true;
}

int COrvaneMousePadDevice::ReadSettingsBlock(uint8_t* onboardProfile) {
    channel_.SetSuspended(false);
    if (!channel_.IsOpen())
        return 0;
    // The codes turn back into positions of the mode list.
    if (lightValues_.empty())
        LoadNameLists();
    uint8_t current = 0;
    if (channel_.ReadMemory(&current, 1, 0) != hid::kResultOk)
        return 0;
    // Where the pad writes its blocks; for profile 0 the same address as any other layout.
    std::array<uint8_t, pad::kReadLength> read{};
    if (channel_.ReadMemory(read.data(), read.size(),
                            static_cast<uint16_t>(current * pad::kProfileStride)) !=
        hid::kResultOk) {
        platform::Trace("mouse pad: the onboard block was not read; the mirror stays\n");
        return 0;
    }
    previousBlock_ = settingsBlock_;
    settingsBlock_ = pad::DecodeBlock(read.data(), current, lightValues_);
    blockRead_ = true;
    onboardProfile_ = current;
    MirrorChanged();
    if (onboardProfile != nullptr)
        *onboardProfile = current;
    return 1;
}

void COrvaneMousePadDevice::QueryPowerState() {
    if (!channel_.IsOpen())
        return;
    PowerState state{};
    if (channel_.ReadShort(state.data(), state.size(), 0) != hid::kResultOk)
        return;
    state[3] = 0;  // on its cable
    powerRecord_ = state;
    SendToMain(mainWindow_, WM_USB_MAINMESS_POWER, state[4], 0);
}

void COrvaneMousePadDevice::BuildProfilePaths() {
    const std::string folder = GetUserDataFolder();
    profile_.SetDefaultDocumentPath(GetDefaultDocumentPath());
    profile_.SetProfilePath(folder + profileBaseName_ + ".Json");
    profile_.SetConfigPath(folder + configBaseName_ + ".config");
}

int COrvaneMousePadDevice::LoadProfile() {
    BuildProfilePaths();
    profile_.LoadDocument(profile_.GetProfilePath());
    LoadLightSettings();
    return 1;
}

void COrvaneMousePadDevice::ResetToDefaultData() {
    profile_.LoadDocument(GetDefaultDocumentPath());
    LoadLightSettings();
    SaveProfile();
    RefreshPanel();
}

void COrvaneMousePadDevice::LoadEffects(const profile::LightRecord& light) {
    std::vector<LightEffectStep> steps;
    if (light.mode == kPadCustomMode)
        steps = devices::LoadEffectSteps(GetUserDataFolder(), lightListIndex_, light.customGroup);
    platform::LockGuard guard(effectLock_);
    effectList_ = std::move(steps);
    effectCount_ = static_cast<int32_t>(effectList_.size());
}

int COrvaneMousePadDevice::LoadLightSettings() {
    const profile::LightRecord light = profile_.GetLightRecord();
    lightSettings_ = light;
    pad::PutLight(settingsBlock_, light);
    MirrorChanged();
    {
        platform::LockGuard guard(ledListLock_);
        ledList_ = profile_.GetLedList();
    }
    LoadEffects(light);
    if (auto* panel = dynamic_cast<ILightPanel*>(lightPanel_)) {
        const std::array<uint32_t, 4> words = light.ToWords();
        panel->SetLightInfo(words[0], words[1], words[2], words[3]);
    }
    return 1;
}

void COrvaneMousePadDevice::SetLightSettings(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    COrvaneUSBDevice::SetLightSettings(a, b, c, d);
    profile_.SetLightRecord(lightSettings_);
}

void COrvaneMousePadDevice::SetLightListIndex(int index) {
    lightListIndex_ = index;
    profile_.SetDocumentIndex(0);
}

void COrvaneMousePadDevice::MirrorChanged() {
    previewMode_ = settingsBlock_[1];
    previewSpeed_ = settingsBlock_[3];
}

void COrvaneMousePadDevice::LoadNameLists() {
    // The custom mode plays the folder's custom effects.
    ReadNameLists("kesta_macro.config", false, true);
}

}  // namespace devices
