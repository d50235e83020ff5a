#include "panels/profiles/DeviceProfileUI.h"

#include <array>

#include "panels/FunctionTabs.h"
#include "platform/Trace.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/ListElementUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/PaintManager.h"

namespace panels {
namespace {

struct KindTabs {
    int kind;
    std::array<const char*, 4> hidden;  // nullptr ends the row
    bool headsetTabs;                   // shows the headset's own tabs
};

// The tabs a device kind has no page for. The mouse (kinds 2 and 6) has them all.
constexpr std::array kKindTabs = std::to_array<KindTabs>({
    {1, {"cursor_Op_tab", nullptr, nullptr, nullptr}, false},
    {3, {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"}, false},
    {4, {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"}, false},
    {5, {"cursor_Op_tab", "macro_Op_tab", "key_Op_tab", nullptr}, false},
    {7, {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"}, true},
});

constexpr std::array kHeadsetTabs = {"6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"};

}  // namespace

CDeviceProfileUI::CDeviceProfileUI() = default;
CDeviceProfileUI::~CDeviceProfileUI() = default;

void* CDeviceProfileUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

void CDeviceProfileUI::SetFolders(const std::string& userDataFolder,
                                  const std::string& defaultDocumentPath) {
    folder_ = userDataFolder;
    defaultDocumentPath_ = defaultDocumentPath;
    list_ = std::make_unique<ProfileListFile>(folder_, defaultDocumentPath_);
}

void CDeviceProfileUI::LoadList() {
    if (!list_) {
        platform::Trace("DeviceProfile: the list is loaded before its folder is known\n");
        return;
    }
    list_->Load();
    FillCombo();
    SelectProfile(list_->Selected(), false);
    ApplyKindTabs();
}

void CDeviceProfileUI::SelectProfile(int index, bool notify) {
    if (index == -1 || !list_)
        return;
    if (ui::CComboUI* combo = Combo())
        combo->SelectItem(index, false, notify);
    CopyNameToEdit();
    if (list_->Select(index))
        currentFileId_ = list_->SelectedId();
    else
        platform::TraceF("DeviceProfile: profile %d cannot be selected\n", index);
}

bool CDeviceProfileUI::ShowProfileOf(const std::string& id) {
    if (!list_ || !list_->Load())
        return false;
    const std::vector<ProfileEntry>& entries = list_->Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].id != id)
            continue;
        ShowList(static_cast<int>(i));
        CopyNameToEdit();
        currentFileId_ = id;
        return true;
    }
    return false;
}

int CDeviceProfileUI::GetCurrentIndex() const {
    ui::CComboUI* combo = Combo();
    return combo ? combo->GetCurSel() : -1;
}

std::string CDeviceProfileUI::GetNameEditText() const {
    ui::CEditUI* edit = NameEdit();
    return edit ? edit->GetText() : std::string();
}

void CDeviceProfileUI::SetNameEditText(const std::string& text) {
    if (ui::CEditUI* edit = NameEdit())
        edit->SetText(text, false);
}

void CDeviceProfileUI::CopyNameToEdit() {
    SetNameEditText(GetCurrentProfileName());
}

std::string CDeviceProfileUI::GetCurrentProfileName() const {
    ui::CComboUI* combo = Combo();
    ui::CControlUI* item = combo ? combo->GetCurItem() : nullptr;
    return item ? item->GetText() : std::string();
}

void CDeviceProfileUI::ShowMenu(bool show) {
    if (ui::CControlUI* menu = Find(kMenuName))
        menu->SetVisible(show);
}

bool CDeviceProfileUI::IsMenuVisible() const {
    ui::CControlUI* menu = Find(kMenuName);
    return menu != nullptr && menu->IsVisible();
}

int CDeviceProfileUI::GetProfileCount() {
    if (!list_)
        return 0;
    list_->Load();
    return list_->Count();
}

std::string CDeviceProfileUI::GetProfilePathAt(int index) {
    if (!list_)
        return {};
    list_->Load();
    return list_->ProfilePath(index);
}

ProfileListFile::Outcome CDeviceProfileUI::AddProfile() {
    if (!list_)
        return {};
    ProfileListFile::Outcome outcome = list_->Add();
    if (outcome.result == ProfileListFile::Result::kDone) {
        ShowList(outcome.index);
        CopyNameToEdit();
        currentFileId_ = list_->SelectedId();
    }
    return outcome;
}

ProfileListFile::Outcome CDeviceProfileUI::DeleteProfile() {
    if (!list_)
        return {};
    ProfileListFile::Outcome outcome = list_->Delete(GetCurrentIndex());
    if (outcome.result == ProfileListFile::Result::kDone) {
        ShowList(outcome.index);
        CopyNameToEdit();
        currentFileId_ = list_->SelectedId();
    }
    return outcome;
}

ProfileListFile::Outcome CDeviceProfileUI::CopyProfile() {
    if (!list_)
        return {};
    const int current = GetCurrentIndex();
    ProfileListFile::Outcome outcome = list_->Copy(current);
    if (outcome.result == ProfileListFile::Result::kDone) {
        ShowList(current);
    }
    return outcome;
}

ProfileListFile::Outcome CDeviceProfileUI::ImportProfile(const std::string& path) {
    if (!list_)
        return {};
    const int current = GetCurrentIndex();
    ProfileListFile::Outcome outcome = list_->Import(path);
    if (outcome.result == ProfileListFile::Result::kDone) {
        ShowList(current);
    }
    return outcome;
}

bool CDeviceProfileUI::ExportProfile(const std::string& path) {
    return list_ && list_->Export(GetCurrentIndex(), path);
}

int CDeviceProfileUI::RenameProfile(const std::string& name) {
    if (!list_)
        return static_cast<int>(ProfileListFile::RenameResult::kFailed);
    const int current = GetCurrentIndex();
    const ProfileListFile::RenameResult result = list_->Rename(current, name);
    if (result == ProfileListFile::RenameResult::kDone) {
        if (ui::CComboUI* combo = Combo()) {
            if (ui::CControlUI* item = combo->GetItemAt(current)) {
                item->SetText(name);
                item->SetUserData(name);
                item->SetToolTip(name);
            }
            combo->Invalidate();
        }
    }
    return static_cast<int>(result);
}

void CDeviceProfileUI::ResetCurrentProfile() {
    if (list_ && !list_->Reset(GetCurrentIndex()))
        platform::Trace("DeviceProfile: the profile could not be reset\n");
}

void CDeviceProfileUI::SelectTab(int page) {
    const std::optional<std::string_view> tab = TabOfPage(page);
    if (!tab)
        return;
    if (auto* option = dynamic_cast<ui::COptionUI*>(Find(std::string(*tab).c_str())))
        option->Selected(true, false);
}

ui::CControlUI* CDeviceProfileUI::Find(const char* name) const {
    if (m_pManager == nullptr)
        return nullptr;
    return m_pManager->FindSubControlByName(const_cast<CDeviceProfileUI*>(this), name);
}

void CDeviceProfileUI::ShowList(int selected) {
    FillCombo();
    if (ui::CComboUI* combo = Combo())
        combo->SelectItem(selected, false, false);
}

ui::CComboUI* CDeviceProfileUI::Combo() const {
    return dynamic_cast<ui::CComboUI*>(Find(kComboName));
}

ui::CEditUI* CDeviceProfileUI::NameEdit() const {
    return dynamic_cast<ui::CEditUI*>(Find(kNameEditName));
}

void CDeviceProfileUI::FillCombo() {
    ui::CComboUI* combo = Combo();
    if (combo == nullptr || !list_)
        return;
    combo->RemoveAll();
    for (const ProfileEntry& entry : list_->Entries()) {
        auto* item = new ui::CListLabelElementUI;
        item->SetFixedHeight(kItemHeight);
        item->SetText(entry.name);
        item->SetUserData(entry.name);
        item->SetToolTip(entry.name);
        combo->Add(item);
    }
}

void CDeviceProfileUI::ApplyKindTabs() {
    for (const KindTabs& row : kKindTabs) {
        if (row.kind != kind_)
            continue;
        for (const char* name : row.hidden) {
            if (name == nullptr)
                break;
            if (ui::CControlUI* tab = Find(name))
                tab->SetVisible(false);
        }
        if (row.headsetTabs) {
            for (const char* name : kHeadsetTabs) {
                if (ui::CControlUI* tab = Find(name))
                    tab->SetVisible(true);
            }
        }
    }
}

}  // namespace panels
