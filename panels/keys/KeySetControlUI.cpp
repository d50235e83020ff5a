#include "panels/keys/KeySetControlUI.h"

#include "panels/keys/KeyNames.h"
#include "platform/Trace.h"
#include "ui/controls/ButtonUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/ListElementUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/PaintManager.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/skin/ResourceManager.h"

namespace panels {
namespace {

// Function pages a keyboard does not offer.
constexpr int kKeyboardHiddenPages[] = {keys::kPageDpi, keys::kPageGun};

int ComboSelection(const ui::CComboUI* combo) {
    return combo != nullptr ? combo->GetCurSel() : -1;
}

void ShowComboSelection(ui::CComboUI* combo, int index) {
    if (combo == nullptr)
        return;
    // An index the combo lacks selects nothing, as a row nobody matches would.
    if (index < -1 || index >= combo->GetCount())
        index = -1;
    combo->SelectItem(index, false, false);
}

std::string EditText(const ui::CEditUI* edit) {
    return edit != nullptr ? edit->GetText() : std::string();
}

void ShowEditText(ui::CEditUI* edit, const std::string& text) {
    if (edit != nullptr)
        edit->SetText(text, false);
}

bool OwnVisible(const ui::CControlUI* control) {
    return control != nullptr && control->IsOwnVisible();
}

void ShowVisible(ui::CControlUI* control, bool visible) {
    if (control != nullptr)
        control->SetVisible(visible);
}

}  // namespace

CKeySetControlUI::CKeySetControlUI() = default;
CKeySetControlUI::~CKeySetControlUI() = default;

void* CKeySetControlUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

void CKeySetControlUI::DoInit() {
    CHorizontalLayoutUI::DoInit();
    BindControls();
}

ui::CControlUI* CKeySetControlUI::FindChild(const char* name) const {
    if (m_pManager == nullptr)
        return nullptr;
    return m_pManager->FindSubControlByName(const_cast<CKeySetControlUI*>(this), name);
}

void CKeySetControlUI::BindControls() {
    auto combo = [this](const char* name) { return dynamic_cast<ui::CComboUI*>(FindChild(name)); };
    auto edit = [this](const char* name) { return dynamic_cast<ui::CEditUI*>(FindChild(name)); };
    auto button = [this](const char* name) {
        return dynamic_cast<ui::CButtonUI*>(FindChild(name));
    };
    Controls found;
    found.layout = FindChild(kLayoutName);
    found.function = combo(kFunctionComboName);
    found.defaultButton = button(kDefaultButtonName);
    found.saveButton = button(kSaveButtonName);
    found.cancelButton = button(kCancelButtonName);
    found.applyButton = button(kApplyButtonName);
    found.pages = dynamic_cast<ui::CTabLayoutUI*>(FindChild(kPagesName));
    found.mouseKey = combo(kMouseKeyComboName);
    found.tilt = combo(kTiltComboName);
    found.tiltCount = edit(kTiltCountEditName);
    found.tiltDelay = edit(kTiltDelayEditName);
    found.tiltSpeed = edit(kTiltSpeedEditName);
    found.wheel = combo(kWheelComboName);
    found.wheelCount = edit(kWheelCountEditName);
    found.wheelDelay = edit(kWheelDelayEditName);
    found.wheelSpeed = edit(kWheelSpeedEditName);
    found.dpi = combo(kDpiComboName);
    found.fireInterval = edit(kFireIntervalEditName);
    found.fireShots = edit(kFireShotsEditName);
    found.keyboardText = edit(kKeyboardTextEditName);
    found.media = combo(kMediaComboName);
    found.system = combo(kSystemComboName);
    found.macro = combo(kMacroComboName);
    found.macroOver = combo(kMacroOverComboName);
    found.cycleLayout = FindChild(kCycleLayoutName);
    found.cycleEdit = edit(kCycleEditName);
    found.gun = combo(kGunComboName);
    found.combination = combo(kCombinationComboName);
    for (int i = 0; i < keys::kModifierOptions; ++i) {
        const std::string name = kModifierOptionPrefix + std::to_string(i);
        found.modifiers[static_cast<size_t>(i)] =
            dynamic_cast<ui::COptionUI*>(FindChild(name.c_str()));
    }
    found.textProbe = FindChild(kTextProbeName);
    // The probe translates only as a resource-text control.
    if (found.textProbe != nullptr)
        found.textProbe->SetResourceText(true);
    if (found.function == nullptr || found.pages == nullptr)
        platform::Trace("KeySetControl: the layout lacks the function combo or its pages\n");
    c_ = found;
}

// --- the selected key --------------------------------------------------------------------

void CKeySetControlUI::ShowKeyRecord(const profile::KeyRecord& record) {
    current_ = record.current;
    default_ = record.defaults;
    ShowAssignment(current_);
}

void CKeySetControlUI::ShowDefault() {
    // The default is shown as the default page; nothing stored changes.
    profile::KeyAssignment untouched = current_;
    keys::KeyPanelState state = ReadState();
    keys::DecodeAssignment(default_, default_, GetMacroItemCount(), state, untouched);
    ShowState(state);
}

void CKeySetControlUI::ShowCurrent() {
    ShowAssignment(current_);
}

void CKeySetControlUI::ShowAssignment(const profile::KeyAssignment& shown) {
    keys::KeyPanelState state = ReadState();
    keys::DecodeAssignment(shown, default_, GetMacroItemCount(), state, current_);
    ShowState(state);
}

profile::KeyRecord CKeySetControlUI::BuildKeyRecord() {
    keys::KeyPanelState state = ReadState();
    current_ = keys::EncodeAssignment(state, GetMacroItemCount(), current_, default_);
    // Encoding may bring a number into range: the edit shows what was stored.
    ShowEditText(c_.fireInterval, state.fireInterval);
    return profile::KeyRecord{current_, default_};
}

void CKeySetControlUI::SetCapturedAssignment(const profile::KeyAssignment& assignment) {
    current_ = assignment;
}

keys::KeyPanelState CKeySetControlUI::ReadState() const {
    keys::KeyPanelState state;
    state.page = SelectedPage();
    state.layoutVisible = OwnVisible(c_.layout);
    state.mouseButton = ComboSelection(c_.mouseKey);
    state.tiltDirection = ComboSelection(c_.tilt);
    state.tiltCount = EditText(c_.tiltCount);
    state.tiltDelay = EditText(c_.tiltDelay);
    state.tiltSpeed = EditText(c_.tiltSpeed);
    state.wheelDirection = ComboSelection(c_.wheel);
    state.wheelCount = EditText(c_.wheelCount);
    state.wheelDelay = EditText(c_.wheelDelay);
    state.wheelSpeed = EditText(c_.wheelSpeed);
    state.dpi = ComboSelection(c_.dpi);
    state.fireInterval = EditText(c_.fireInterval);
    state.fireShots = EditText(c_.fireShots);
    state.modifier = GetModifier();
    // The edit shows a translation; the state carries the key behind it.
    const std::string text = EditText(c_.keyboardText);
    if (!text.empty())
        state.keyName = keyName_.empty() ? text : keyName_;
    state.media = ComboSelection(c_.media);
    state.system = ComboSelection(c_.system);
    state.macro = ComboSelection(c_.macro);
    state.macroOver = ComboSelection(c_.macroOver);
    state.cycleVisible = OwnVisible(c_.cycleLayout);
    state.cycleCount = EditText(c_.cycleEdit);
    state.gun = ComboSelection(c_.gun);
    state.combination = ComboSelection(c_.combination);
    return state;
}

void CKeySetControlUI::ShowState(const keys::KeyPanelState& state) {
    ShowComboSelection(c_.mouseKey, state.mouseButton);
    ShowComboSelection(c_.tilt, state.tiltDirection);
    ShowEditText(c_.tiltCount, state.tiltCount);
    ShowEditText(c_.tiltDelay, state.tiltDelay);
    ShowEditText(c_.tiltSpeed, state.tiltSpeed);
    ShowComboSelection(c_.wheel, state.wheelDirection);
    ShowEditText(c_.wheelCount, state.wheelCount);
    ShowEditText(c_.wheelDelay, state.wheelDelay);
    ShowEditText(c_.wheelSpeed, state.wheelSpeed);
    ShowComboSelection(c_.dpi, state.dpi);
    ShowEditText(c_.fireInterval, state.fireInterval);
    ShowEditText(c_.fireShots, state.fireShots);
    SelectModifier(state.modifier);
    SetKeyText(state.keyName);
    ShowComboSelection(c_.media, state.media);
    ShowComboSelection(c_.system, state.system);
    ShowComboSelection(c_.macro, state.macro);
    ShowComboSelection(c_.macroOver, state.macroOver);
    ShowVisible(c_.cycleLayout, state.cycleVisible);
    ShowEditText(c_.cycleEdit, state.cycleCount);
    ShowComboSelection(c_.gun, state.gun);
    ShowComboSelection(c_.combination, state.combination);

    // The page last: an assignment without a page (or whose page the combo lacks) hides the
    // panel's function part and leaves nothing selected, so that storing keeps it.
    bool shown = false;
    if (state.layoutVisible && state.page != keys::kPageNone && c_.function != nullptr &&
        c_.function->UserDataSetSelectItem(state.page, false, false)) {
        shown = true;
        if (c_.pages != nullptr)
            c_.pages->SelectItem(state.page, false);
    } else if (c_.function != nullptr) {
        c_.function->SelectItem(-1, false, false);
    }
    ShowVisible(c_.layout, shown);
}

int CKeySetControlUI::SelectedPage() const {
    if (c_.function == nullptr || c_.function->GetCurSel() < 0)
        return keys::kPageNone;
    return keys::LeadingNumber(c_.function->GetItemUserData(c_.function->GetCurSel()));
}

// --- handlers' needs -------------------------------------------------------------------------

void CKeySetControlUI::OnFunctionItemSelected() {
    const int page = SelectedPage();
    if (page == keys::kPageNone)
        return;
    if (c_.pages != nullptr)
        c_.pages->SelectItem(page, false);
    if (page == keys::kPageKeyboard) {
        SetKeyText("");
        SelectModifier(-1);
    }
}

void CKeySetControlUI::OnMacroOverSelected() {
    ShowVisible(c_.cycleLayout, ComboSelection(c_.macroOver) == keys::kMacroOverRepeat);
}

void CKeySetControlUI::SetCaptured(const keys::CapturedKey& captured) {
    SelectModifier(captured.modifier);
    SetKeyText(captured.keyName);
    SetCapturedAssignment(captured.assignment);
}

// --- set-up ----------------------------------------------------------------------------------

void CKeySetControlUI::SetDeviceType(int type) {
    deviceType_ = type;
    if (c_.function == nullptr)
        return;
    for (int i = 0; i < c_.function->GetCount(); ++i) {
        ui::CControlUI* item = c_.function->GetItemAt(i);
        const int page = keys::LeadingNumber(item->GetUserData());
        bool hidden = false;
        if (type == kDeviceKeyboard) {
            for (int p : kKeyboardHiddenPages)
                hidden = hidden || page == p;
        }
        item->SetVisible(!hidden);
    }
}

// --- macros ------------------------------------------------------------------------------------

void CKeySetControlUI::SetMacroNames(const std::vector<std::string>& names) {
    if (c_.macro == nullptr)
        return;
    c_.macro->RemoveAll();
    for (const std::string& name : names)
        AddMacroItem(name);
    c_.macro->SelectItem(-1, false, false);
}

void CKeySetControlUI::AddMacroItem(const std::string& name) {
    if (c_.macro == nullptr)
        return;
    auto* item = new ui::CListLabelElementUI;
    item->SetFixedHeight(kMacroItemHeight);
    item->SetText(name);
    item->SetToolTip(name);
    c_.macro->Add(item);
}

void CKeySetControlUI::RenameMacroItem(int index, const std::string& name) {
    if (c_.macro == nullptr || index == -1 || name.empty())
        return;
    if (ui::CControlUI* item = c_.macro->GetItemAt(index)) {
        item->SetText(name);
        item->SetToolTip(name);
        c_.macro->Invalidate();
    }
}

void CKeySetControlUI::RemoveMacroItem(int index) {
    if (c_.macro == nullptr || index == -1)
        return;
    c_.macro->RemoveAt(index);
}

int CKeySetControlUI::GetMacroItemCount() const {
    return c_.macro != nullptr ? c_.macro->GetCount() : 0;
}

// --- keyboard page ---------------------------------------------------------------------------

void CKeySetControlUI::SelectModifier(int i) {
    for (ui::COptionUI* option : c_.modifiers) {
        if (option != nullptr)
            option->Selected(false, false);
    }
    if (i >= 0 && i < keys::kModifierOptions && c_.modifiers[static_cast<size_t>(i)] != nullptr)
        c_.modifiers[static_cast<size_t>(i)]->Selected(true, false);
}

int CKeySetControlUI::GetModifier() const {
    for (int i = 0; i < keys::kModifierOptions; ++i) {
        const ui::COptionUI* option = c_.modifiers[static_cast<size_t>(i)];
        if (option != nullptr && option->IsSelected())
            return i;
    }
    return -1;
}

void CKeySetControlUI::SetKeyText(const std::string& nameKey) {
    keyName_ = nameKey;
    ShowEditText(c_.keyboardText, nameKey.empty() ? std::string() : LanguageText(nameKey));
}

std::string CKeySetControlUI::LanguageText(const std::string& nameKey) {
    if (c_.textProbe == nullptr)
        return ui::CResourceManager::GetInstance()->GetText(nameKey);
    c_.textProbe->SetText(nameKey);
    return c_.textProbe->GetText();
}

void CKeySetControlUI::SetPendingButtons(bool enabled) {
    for (ui::CButtonUI* button : {c_.saveButton, c_.cancelButton, c_.applyButton}) {
        if (button != nullptr)
            button->SetEnabled(enabled);
    }
}

std::optional<std::string> CKeySetControlUI::FunctionText(const profile::KeyAssignment& assignment,
                                                          std::span<const std::string> macroNames) {
    const keys::FunctionName name = keys::NameOfAssignment(assignment, macroNames);
    switch (name.kind) {
        case keys::FunctionName::Kind::Keys: {
            std::string joined;
            for (const std::string& key : name.keys)
                joined += (joined.empty() ? "" : "+") + LanguageText(key);
            return joined;
        }
        case keys::FunctionName::Kind::Text:
            return name.text;
        case keys::FunctionName::Kind::Unchanged:
            break;
    }
    return std::nullopt;
}

}  // namespace panels
