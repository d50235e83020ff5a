// The mouse's reading: the connect sequence, the settings block, the power state, and the
// profile files and name lists the page is filled from.
#include <algorithm>

#include "devices/LightEffectFiles.h"
#include "devices/mouse/InfoBlock.h"
#include "devices/mouse/MouseKeys.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "hid/ResultCode.h"
#include "platform/Log.h"
#include "platform/Trace.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "ui/core/MessageModel.h"

namespace devices {
namespace {

constexpr uint16_t kMouseVendor = 0x320F;
constexpr uint16_t kMouseCableProduct = 0x22A4;
constexpr uint16_t kFirstCurrentFirmware = 0x0103;

static_assert(mouse::kMouseKeys.size() == COrvaneMouseDevice::kPageKeys);

}  // namespace

COrvaneMouseDevice::COrvaneMouseDevice(platform::HidTransport* transport)
    : COrvaneUSBDevice(transport) {
    kind_ = hid::kKindMouseCable;
    dataFolderName_ = "mouse";
    configBaseName_ = "kesta_light";
    reactive_.Clear();
    reactive_.ring[0] = 1;
    keySlotMap_.fill(kNoSlot);
    profile_.SetDefaultDocumentPath(GetDefaultDocumentPath());
    SetNotificationHandler([this](int kind, uint16_t code) { HandleNotification(kind, code); });
}

COrvaneMouseDevice::~COrvaneMouseDevice() {
    // The threads use this object: they end before any member goes.
    StopPreviewThread();
    notifyChannelWired_.Shutdown();
    notifyChannelReceiver_.Shutdown();
}

bool COrvaneMouseDevice::LinkUp() {
    if (!channel_.IsOpen())
        return false;
    return !channel_.Wireless() || channel_.ProbeLink();
}

bool COrvaneMouseDevice::ProbeWirelessLink() {
    return channel_.IsOpen() && channel_.Wireless() && channel_.ProbeLink();
}

intptr_t COrvaneMouseDevice::SendToMain(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (messageSink_)
        return messageSink_(msg, wParam, lParam);
    if (mainWindow_ == nullptr)
        return 0;
    return static_cast<intptr_t>(ui::SendMessage(mainWindow_, msg, wParam, lParam));
}

void COrvaneMouseDevice::ConnectDevice() {
    // Each step checks the channel itself; a failed one does not stop the later ones. After
    // the upgrade question nothing is read: the channel may be suspended by then, and a block
    // "read" through it would be saved over the user's profile.
    ReadDeviceData();
    if (upgradeAsked_)
        return;
    LoadProfile();
    ReadSettingsBlock();
    RefreshPanel();
    StartPreviewThread();
}

void COrvaneMouseDevice::RefreshFromDevice() {
    ReadSettingsBlock();
    RefreshPanel();
}

bool COrvaneMouseDevice::ReadDeviceData() {
    upgradeAsked_ = false;
    channel_.SetSuspended(false);
    if (!LinkUp())
        return false;
    std::array<uint8_t, hid::kInfoBlockLength> block = infoBlock_;
    channel_.BeginTransaction();
    if (channel_.ReadInfoBlock(block.data()) != hid::kResultOk)
        return false;
    channel_.EndTransaction();
    infoBlock_ = block;
    const uint16_t signature = static_cast<uint16_t>(infoBlock_[0] | infoBlock_[1] << 8);
    if (infoBlock_[7] != kInitialisedMark) {
        if (infoBlock_[7] == 0 && signature == kInfoSignature) {
            // A new device: mark it as initialised by the program.
            infoBlock_[7] = kInitialisedMark;
            channel_.BeginTransaction();
            channel_.WriteInfoBlock(infoBlock_.data());
            channel_.EndTransaction();
        } else {
            SendToMain(WM_USB_MAINMESS_DEVICE_IS_INITUI, 0, 0);
            platform::Log("ReadDeviceData>WM_USB_MAINMESS_DEVICE_IS_INITUI    0");
            return false;
        }
    }
    SendToMain(WM_USB_MAINMESS_DEVICE_IS_INITUI, 1, 0);
    platform::Log("ReadDeviceData>WM_USB_MAINMESS_DEVICE_IS_INITUI    1");

    channel_.BeginTransaction();
    if (!channel_.SetBlockSize(static_cast<uint16_t>(3 * infoBlock_[5])))
        return false;
    std::array<uint8_t, hid::kMaxBlockSize> keys = keyData_;
    if (channel_.ReadKeyTable(keys.data()) != hid::kResultOk)
        return false;
    keyData_ = keys;
    channel_.EndTransaction();

    const platform::HidAttributes wired = channel_.CableDevice().Attributes();
    if (wired.vendorId == kMouseVendor && wired.productId == kMouseCableProduct &&
        wired.version < kFirstCurrentFirmware && channel_.CableDevice().IsOpen()) {
        upgradeAsked_ = true;
        SendToMain(WM_USB_MAINMESS_FIRMWARE_UPGRADE, wired.productId, wired.version);
        return false;
    }
    BuildKeySlotMap();
    ApplySliderRanges();
    return true;
}

void COrvaneMouseDevice::BuildKeySlotMap() {
    keySlotMap_.fill(kNoSlot);
    const size_t slots = std::min<size_t>(infoBlock_[5], hid::kMaxBlockSize / 3);
    for (size_t key = 0; key < kPageKeys; ++key) {
        for (size_t slot = 0; slot < slots; ++slot) {
            const mouse::MouseKey& factory = mouse::kMouseKeys[key];
            const uint8_t* code = &keyData_[3 * slot];
            if (code[0] == factory.type && code[1] == factory.p1 && code[2] == factory.p2) {
                keySlotMap_[key] = static_cast<uint8_t>(slot);
                break;
            }
        }
    }
}

int COrvaneMouseDevice::ReadSettingsBlock(uint8_t* onboardProfile) {
    channel_.SetHold(0);
    // A suspended channel answers every exchange without the device: nothing to read.
    if (channel_.Suspended() || !LinkUp())
        return 0;
    uint8_t current = 0;
    if (channel_.ReadMemory(&current, 1, 0) != hid::kResultOk)
        return 0;
    mouse::SettingsBlock block{};
    if (channel_.ReadMemory(block.data(), block.size(),
                            static_cast<uint16_t>(current * mouse::kProfileStride)) !=
        hid::kResultOk) {
        return 0;
    }
    if (onboardProfile != nullptr)
        *onboardProfile = current;
    onboardProfile_ = current;
    block[0] = current;
    const mouse::SettingsReadBack read = mouse::DecodeSettingsBlock(block, lightValues_);
    block[1] = read.mode;
    block[9] = 0;
    settingsBlock_ = block;
    activeStageByte_ = block[12];

    profile::LightRecord light = profile_.GetLightRecord();
    light.mode = mouse::MergeLightMode(read, light.mode);
    light.brightness = read.brightness;
    light.speed = read.speed;
    light.multiColour = read.multiColour;
    light.red = read.red;
    light.green = read.green;
    light.blue = read.blue;
    lightSettings_ = light;
    previewLight_ = light;

    const Json::Value before = profile_.Document();
    systemWords_ = mouse::MergeSystemWords(block, systemWords_);
    profile_.SetSystemRecord(systemWords_);
    profile_.SetActiveStage(read.activeStage);
    profile_.SetLightRecord(light);
    // A reconnection usually finds what the file holds: the synced write is then skipped.
    if (profile_.Document() != before)
        profile_.Save();
    ShowLightStatus();
    return 1;
}

void COrvaneMouseDevice::QueryPowerState() {
    if (!channel_.IsOpen() || powerQueryOff_ != 0 || !LinkUp())
        return;
    uint8_t state[2] = {};
    if (channel_.ReadShort(state, sizeof state, 0) != hid::kResultOk)
        return;
    UpdatePower(state);
}

void COrvaneMouseDevice::UpdatePower(const uint8_t* state) {
    powerRecord_ = {state[0], state[1], 0, static_cast<uint8_t>(channel_.Wireless() ? 1 : 0), 0, 0};
    // The power item shows it once the device list gives one (it reads PowerRecord).
    SendToMain(WM_USB_MAINMESS_POWER, 0, 0);
}

int COrvaneMouseDevice::GetKeepAliveMinutes() {
    const int sleep1 = profile::LowHalf(systemWords_[6]);
    const int sleep2 = profile::HighHalf(systemWords_[6]);
    return std::min(sleep1, sleep2);
}

void COrvaneMouseDevice::BuildProfilePaths() {
    const std::string folder = GetUserDataFolder();
    profile_.SetDefaultDocumentPath(GetDefaultDocumentPath());
    profile_.SetProfilePath(folder + profileBaseName_ + ".Json");
    profile_.SetConfigPath(folder + configBaseName_ + ".config");
}

int COrvaneMouseDevice::LoadProfile() {
    BuildProfilePaths();
    profile_.LoadDocument(profile_.GetProfilePath());
    keyRecords_ = profile_.GetKeyList();
    LoadLightSettings();
    stageRecords_ = profile_.GetDpiStages();
    systemWords_ = profile_.GetSystemRecord();
    return 1;
}

void COrvaneMouseDevice::ResetToDefaultData() {
    profile_.LoadDocument(GetDefaultDocumentPath());
    keyRecords_ = profile_.GetKeyList();
    LoadLightSettings();
    stageRecords_ = profile_.GetDpiStages();
    systemWords_ = profile_.GetSystemRecord();
    SaveProfile();
    RefreshPanel();
}

std::vector<LightEffectStep> COrvaneMouseDevice::LoadEffectSteps(uint8_t mode) const {
    if (mode < mouse::kFirstCustomMode)
        return {};
    return devices::LoadEffectSteps(GetUserDataFolder(), lightListIndex_,
                                    mode - mouse::kFirstCustomMode);
}

int COrvaneMouseDevice::LoadLightSettings() {
    const profile::LightRecord light = profile_.GetLightRecord();
    const uint8_t previousMode = previewLight_.mode;
    lightSettings_ = light;
    previewLight_ = light;
    if (light.mode != previousMode) {
        ClearReactiveState();
        reactive_.ring[0] = 1;
    }
    {
        platform::LockGuard guard(ledListLock_);
        ledList_ = profile_.GetLedList();
    }
    std::vector<LightEffectStep> effects = LoadEffectSteps(light.mode);
    {
        platform::LockGuard guard(effectLock_);
        effectList_ = std::move(effects);
        effectCount_ = static_cast<int32_t>(effectList_.size());
    }
    LoadAudioLight();
    ShowLightStatus();
    return 1;
}

void COrvaneMouseDevice::LoadNameLists() {
    ReadNameLists("macro.config", true, true);
}

bool COrvaneMouseDevice::ValidateMacroReferences() {
    LoadNameLists();
    bool changed = false;
    for (profile::KeyRecord& record : keyRecords_) {
        const uint8_t type = record.current.type;
        if ((type == 0x70 || type == 0x71) && record.current.param1 >= macroNames_.size()) {
            // Back to the key's factory assignment.
            record.current = record.defaults;
            changed = true;
        }
    }
    if (changed) {
        SetKeyRecords(keyRecords_);
        RefreshKeyNames();
    }
    return changed;
}

void COrvaneMouseDevice::SetKeyRecords(const std::vector<profile::KeyRecord>& records) {
    keyRecords_ = records;
    profile_.SetKeyList(records);
}

void COrvaneMouseDevice::SetStageRecords(const std::vector<profile::DpiStageRecord>& records) {
    stageRecords_ = records;
    profile_.SetDpiStages(records);
}

void COrvaneMouseDevice::SetSystemWords(const profile::SystemRecord& words) {
    systemWords_ = words;
    profile_.SetSystemRecord(words);
}

void COrvaneMouseDevice::SetLightListIndex(int index) {
    lightListIndex_ = index;
    profile_.SetDocumentIndex(0);
}

void COrvaneMouseDevice::SetLightSettings(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    COrvaneUSBDevice::SetLightSettings(a, b, c, d);
    if (previewLight_.mode != lightSettings_.mode) {
        ClearReactiveState();
        reactive_.ring[0] = 1;
    }
    previewLight_ = lightSettings_;
    profile_.SetLightRecord(lightSettings_);
}

}  // namespace devices
