// The keyboard's reading: the connect sequence, its key tables and maps, the settings block,
// the power state, and the profile files and name lists the page is filled from.
#include <algorithm>

#include "devices/DeviceMessages.h"
#include "devices/keyboard/OrvaneKeyboardDevice.h"
#include "hid/ResultCode.h"
#include "platform/Log.h"
#include "platform/Trace.h"
#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "ui/core/MessageModel.h"

namespace devices {
COrvaneKeyboardDevice::COrvaneKeyboardDevice(platform::HidTransport* transport)
    : COrvaneUSBDevice(transport) {
    kind_ = hid::kKindKeyboard;
    dataFolderName_ = "keyboard";
    configBaseName_ = "kesta_light";
    keySlotMap_.fill(keyboard::kNoSlot);
    keyByteMap_.fill(keyboard::kNoSlot);
    profile_.SetDefaultDocumentPath(GetDefaultDocumentPath());
    SetNotificationHandler([this](int kind, uint16_t code) { HandleNotification(kind, code); });
}

COrvaneKeyboardDevice::~COrvaneKeyboardDevice() {
    // The threads use this object: they end before any member goes.
    StopPreviewThread();
    notifyChannelWired_.Shutdown();
    notifyChannelReceiver_.Shutdown();
}

bool COrvaneKeyboardDevice::LinkUp() {
    if (!channel_.IsOpen())
        return false;
    return !channel_.Wireless() || channel_.ProbeLink();
}

bool COrvaneKeyboardDevice::ProbeWirelessLink() {
    return channel_.IsOpen() && channel_.Wireless() && channel_.ProbeLink();
}

void COrvaneKeyboardDevice::ConnectDevice() {
    // Each step checks the channel itself; a failed one does not stop the later ones.
    ReadDeviceData();
    LoadProfile();
    ReadSettingsBlock();
    RefreshPanel();
    StartPreviewThread();
}

void COrvaneKeyboardDevice::RefreshFromDevice() {
    if (reloadPending_.exchange(0) != 0) {
        if (auto* lights = dynamic_cast<ILightPanel*>(lightPanel_))
            lights->SetLayoutFamily(kind_);
        LoadProfile();
    }
    ReadSettingsBlock();
    RefreshPanel();
}

bool COrvaneKeyboardDevice::ReadDeviceData() {
    channel_.SetSuspended(false);
    if (!LinkUp())
        return false;
    std::array<uint8_t, hid::kInfoBlockLength> block = infoBlock_;
    channel_.BeginTransaction();
    if (channel_.ReadInfoBlock(block.data()) != hid::kResultOk) {
        channel_.EndTransaction();
        return false;
    }
    infoBlock_ = block;
    const size_t slots = infoBlock_[5];
    // A key table past 512 bytes is refused: the maps stay as they were. The transaction
    // begun is still closed, so that the keyboard is not left waiting in it.
    if (!channel_.SetBlockSize(static_cast<uint16_t>(3 * slots))) {
        channel_.EndTransaction();
        platform::Log("ReadDeviceData>key table too large    " + std::to_string(slots));
        return false;
    }
    std::array<uint8_t, hid::kMaxBlockSize> keys{};
    std::array<uint8_t, hid::kMaxBlockSize> bytes{};
    const bool read = channel_.ReadKeyTable(keys.data()) == hid::kResultOk &&
                      channel_.ReadKeyByteTable(bytes.data()) == hid::kResultOk;
    channel_.EndTransaction();
    if (!read)
        return false;
    keyData_ = keys;
    keyByteData_ = bytes;
    const keyboard::KeyMaps maps =
        keyboard::BuildKeyMaps(keyData_.data(), keyByteData_.data(), keyData_.size(), slots);
    keySlotMap_ = maps.slot;
    keyByteMap_ = maps.keyByte;
    return true;
}

int COrvaneKeyboardDevice::ReadSettingsBlock(uint8_t* onboardProfile) {
    channel_.SetHold(0);
    previousBlock_ = settingsBlock_;
    settingsRead_ = false;
    // A closed channel or a failed read changes nothing: the profile keeps the user's
    // settings rather than taking an old mirror.
    if (!LinkUp())
        return 0;
    uint8_t current = 0;
    if (channel_.ReadMemory(&current, 1, 0) != hid::kResultOk)
        return 0;
    keyboard::SettingsBlock block{};
    if (channel_.ReadMemory(block.data(), block.size(),
                            static_cast<uint16_t>(current * keyboard::kProfileStride)) !=
        hid::kResultOk) {
        return 0;
    }
    if (onboardProfile != nullptr)
        *onboardProfile = current;
    onboardProfile_ = current;
    block[0] = current;
    const keyboard::BlockReadBack read =
        keyboard::DecodeBlock(block, lightValues_, profile_.GetLightRecord(), keyboardSystem_);
    block[1] = read.modePosition;
    block[16] = 0;
    settingsBlock_ = block;

    // A new mode (or the keyboard's own) starts its animation afresh.
    if (block[1] != previousBlock_[1] || block[1] == keyboard::kOnboardMode) {
        ClearReactiveState();
        platform::LockGuard guard(previewLock_);
        effects_ = keyboard::EffectState{};
    }
    lightSettings_ = read.light;
    keyboardSystem_ = read.system;
    UpdatePreviewLight();

    // A reconnection usually finds what the file holds: the records are compared rather
    // than the whole (large) document, and an unchanged profile is not written again.
    if (profile_.GetLightRecord() != lightSettings_ ||
        profile_.GetKeyboardSystemRecord() != keyboardSystem_) {
        profile_.SetKeyboardSystemRecord(keyboardSystem_[0], keyboardSystem_[1],
                                         keyboardSystem_[2]);
        profile_.SetLightRecord(lightSettings_);
        profile_.Save();
    }
    settingsRead_ = true;
    return 1;
}

void COrvaneKeyboardDevice::QueryPowerState() {
    // Quietly nothing when the query is off or the keyboard cannot be reached.
    if (!channel_.IsOpen() || powerQueryOff_ != 0 || !LinkUp())
        return;
    std::array<uint8_t, 6> state{};
    if (channel_.ReadShort(state.data(), state.size(), 0) != hid::kResultOk)
        return;
    state[3] = channel_.Wireless() ? 1 : 0;
    powerRecord_ = state;
    SendToMain(mainWindow_, WM_USB_MAINMESS_POWER, state[4], 0);
}

void COrvaneKeyboardDevice::BuildProfilePaths() {
    const std::string folder = GetUserDataFolder();
    profile_.SetDefaultDocumentPath(GetDefaultDocumentPath());
    profile_.SetProfilePath(folder + profileBaseName_ + ".Json");
    profile_.SetConfigPath(folder + configBaseName_ + ".config");
}

std::vector<profile::KeyRecord> COrvaneKeyboardDevice::CompleteKeyList(
    std::vector<profile::KeyRecord> records) const {
    // A document without a key list (the factory one has none) means factory keys.
    for (int position = static_cast<int>(records.size()); position < keyboard::kPositions;
         ++position) {
        profile::KeyRecord record;
        record.current = keyboard::FactoryCode(position);
        record.defaults = record.current;
        records.push_back(record);
    }
    return records;
}

int COrvaneKeyboardDevice::LoadProfile() {
    // The mode codes the block is read and written with (a page binds them earlier).
    if (lightValues_.empty())
        LoadNameLists();
    BuildProfilePaths();
    profile_.LoadDocument(profile_.GetProfilePath());
    keyRecords_ = CompleteKeyList(profile_.GetKeyList());
    LoadLightSettings();
    keyboardSystem_ = profile_.GetKeyboardSystemRecord();
    return 1;
}

void COrvaneKeyboardDevice::ResetToDefaultData() {
    profile_.LoadDocument(GetDefaultDocumentPath());
    keyRecords_ = CompleteKeyList(profile_.GetKeyList());
    LoadLightSettings();
    keyboardSystem_ = profile_.GetKeyboardSystemRecord();
    SaveProfile();
    RefreshPanel();
}

int COrvaneKeyboardDevice::LoadLightSettings() {
    lightSettings_ = profile_.GetLightRecord();
    {
        platform::LockGuard guard(ledListLock_);
        ledList_ = profile_.GetLedList();
    }
    const profile::AudioLightRecord audio = profile_.GetAudioLightRecord();
    const std::array<uint8_t, profile::AudioLightRecord::kSize> a = audio.ToBytes();
    audioLight_ =
        AudioLightWords{static_cast<uint32_t>(a[0] | a[1] << 8 | a[2] << 16 | a[3] << 24),
                        static_cast<uint32_t>(a[4] | a[5] << 8 | a[6] << 16 | a[7] << 24), a[8]};
    std::vector<profile::CustomKeyColour> colours =
        profile_.GetCustomColours(profile_.GetCustomLightGroupIndex());
    {
        platform::LockGuard guard(previewLock_);
        customColours_ = std::move(colours);
    }
    UpdatePreviewLight();
    return 1;
}

void COrvaneKeyboardDevice::UpdatePreviewLight() {
    platform::LockGuard guard(previewLock_);
    previewLight_ = lightSettings_;
}

void COrvaneKeyboardDevice::LoadNameLists() {
    ReadNameLists("macro.config", true, false);
}

bool COrvaneKeyboardDevice::ValidateMacroReferences() {
    LoadNameLists();
    bool changed = false;
    for (profile::KeyRecord& record : keyRecords_) {
        const uint8_t type = record.current.type;
        if ((type == 0x70 || type == 0x71) && record.current.param1 >= macroNames_.size()) {
            record.current = record.defaults;
            changed = true;
        }
    }
    if (changed)
        SetKeyRecords(keyRecords_);
    return changed;
}

void COrvaneKeyboardDevice::SetKeyRecords(const std::vector<profile::KeyRecord>& records) {
    keyRecords_ = CompleteKeyList(records);
    profile_.SetKeyList(keyRecords_);
}

void COrvaneKeyboardDevice::SetSystemWords(const profile::KeyboardSystemRecord& words) {
    keyboardSystem_ = words;
    profile_.SetKeyboardSystemRecord(words[0], words[1], words[2]);
}

void COrvaneKeyboardDevice::SetLightListIndex(int index) {
    lightListIndex_ = index;
    profile_.SetDocumentIndex(0);
}

void COrvaneKeyboardDevice::SetLightSettings(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    const uint8_t previous = lightSettings_.mode;
    COrvaneUSBDevice::SetLightSettings(a, b, c, d);
    if (lightSettings_.mode != previous) {
        ClearReactiveState();
        platform::LockGuard guard(previewLock_);
        effects_ = keyboard::EffectState{};
    }
    UpdatePreviewLight();
    profile_.SetLightRecord(lightSettings_);
}

}  // namespace devices
