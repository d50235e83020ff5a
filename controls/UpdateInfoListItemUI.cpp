#include "controls/UpdateInfoListItemUI.h"

#include <array>

#include "ui/controls/LabelUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ProgressUI.h"
#include "ui/core/PaintManager.h"
#include "ui/core/StringUtil.h"
#include "ui/render/RenderEngine.h"

namespace controls {
namespace {

constexpr uint32_t kUpdateRowWhite = 0xFFFFFFFF;
constexpr uint32_t kUpdateRowGrey = 0xFF666666;
constexpr uint32_t kUpdateRowBlue = 0xFF0099FF;
constexpr uint32_t kUpdateRowDarkBlue = 0xFF0078C8;

// Indexed by status.
constexpr std::array<UpdateStatusLook, kUpdateStatusCount> kUpdateStatusLooks = {{
    {"LessUpdateText", false, false, false, kUpdateRowWhite, kUpdateRowWhite, kUpdateRowGrey},
    {"NeedUpdateText", false, false, true, kUpdateRowBlue, kUpdateRowBlue, kUpdateRowDarkBlue},
    {"NeedUpdateText", false, false, true, kUpdateRowBlue, kUpdateRowBlue, kUpdateRowDarkBlue},
    {"DownloadWaitText", false, false, false, kUpdateRowBlue, kUpdateRowBlue, kUpdateRowDarkBlue},
    {"DownloadIngText", true, false, false, kUpdateRowBlue, kUpdateRowBlue, kUpdateRowDarkBlue},
    {"DownloadOkText", false, true, false, kUpdateRowBlue, kUpdateRowBlue, kUpdateRowDarkBlue},
    {"UpdateIngText", true, false, false, kUpdateRowBlue, kUpdateRowBlue, kUpdateRowDarkBlue},
    {"UpdateOkText", false, false, false, kUpdateRowWhite, kUpdateRowWhite, kUpdateRowGrey},
    {"UpdateFailText", false, false, true, kUpdateRowBlue, kUpdateRowBlue, kUpdateRowDarkBlue},
}};

ui::CControlUI* UpdateRowChildByName(ui::CControlUI* control, void* data) {
    const auto* name = static_cast<const std::string_view*>(data);
    return ui::EqualsNoCase(control->GetName(), *name) ? control : nullptr;
}

}  // namespace

const UpdateStatusLook* LookOfStatus(int status) {
    if (status < 0 || status >= kUpdateStatusCount)
        return nullptr;
    return &kUpdateStatusLooks[static_cast<size_t>(status)];
}

std::string ProgressText(int value) {
    return std::to_string(value) + "%";
}

CUpdateInfoListItemUI::CUpdateInfoListItemUI() {
    SetFixedHeight(kRowHeight);
}

void* CUpdateInfoListItemUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return this;
    return CListContainerElementUI::GetInterface(name);
}

ui::CControlUI* CUpdateInfoListItemUI::Child(const char* name) {
    std::string_view wanted = name;
    // Below this row only: every row has children of the same names.
    for (int i = 0; i < GetCount(); ++i) {
        if (ui::CControlUI* found =
                GetItemAt(i)->FindControl(UpdateRowChildByName, &wanted, ui::UIFIND_ALL))
            return found;
    }
    return nullptr;
}

ui::COptionUI* CUpdateInfoListItemUI::Check() {
    if (check_ == nullptr) {
        if (ui::CControlUI* control = Child("check_name_select"))
            check_ = static_cast<ui::COptionUI*>(control->GetInterface("Option"));
    }
    return check_;
}

void CUpdateInfoListItemUI::SetRowName(const std::string& name) {
    if (ui::COptionUI* check = Check())
        check->SetText(name);
}

void CUpdateInfoListItemUI::SetCurrentVersion(const std::string& text) {
    if (ui::CControlUI* label = Child("OldRev"))
        label->SetText(text);
}

void CUpdateInfoListItemUI::SetOfferedVersion(const std::string& text) {
    if (ui::CControlUI* label = Child("updateRev")) {
        label->SetText(text);
        label->SetVisible(!text.empty());
    }
}

void CUpdateInfoListItemUI::ShowProgress(bool show) {
    if (ui::CControlUI* progress = Child("update_status_ing")) {
        progress->SetVisible(show);
        if (auto* bar = static_cast<ui::CProgressUI*>(progress->GetInterface("Progress")))
            bar->SetValue(progress_);
    }
    if (ui::CControlUI* value = Child("update_progress_value")) {
        value->SetVisible(show);
        if (show)
            value->SetText(ProgressText(progress_));
    }
}

void CUpdateInfoListItemUI::SetStatus(int status) {
    const UpdateStatusLook* look = LookOfStatus(status);
    if (look == nullptr || status == status_)
        return;
    status_ = status;
    if (ui::CControlUI* text = Child("update_status_text")) {
        text->SetResourceText(true);
        text->SetText(look->textKey);
    }
    ShowProgress(look->progress);
    if (ui::CControlUI* done = Child("update_status_ok"))
        done->SetVisible(look->done);
    if (ui::COptionUI* check = Check()) {
        check->SetTextColor(look->textColour);
        check->SetSelectedTextColor(look->selectedTextColour);
        check->SetDisabledTextColor(look->disabledTextColour);
        check->SetEnabled(look->checkEnabled);
    }
    Invalidate();
}

void CUpdateInfoListItemUI::SetProgress(int value) {
    progress_ = value;
    const UpdateStatusLook* look = LookOfStatus(status_);
    if (look != nullptr && look->progress)
        ShowProgress(true);
}

bool CUpdateInfoListItemUI::IsChecked() {
    ui::COptionUI* check = Check();
    return check != nullptr && check->IsSelected();
}

void CUpdateInfoListItemUI::SetChecked(bool checked) {
    if (ui::COptionUI* check = Check())
        check->Selected(checked, true);
}

void CUpdateInfoListItemUI::EnableCheck(bool enable) {
    if (ui::COptionUI* check = Check())
        check->SetEnabled(enable);
}

void CUpdateInfoListItemUI::DrawItemBk(ui::RenderTarget& target, const ui::RECT& rcItem) {
    CListContainerElementUI::DrawItemBk(target, rcItem);
    if (IsChecked() || !IsHot())
        return;
    const ui::TListInfoUI* info = GetOwner() != nullptr ? GetOwner()->GetListInfo() : nullptr;
    if (info == nullptr || info->sHotImage.empty())
        return;
    // The frame takes the list's hot text colour: it stands out on the hot background.
    ui::CRenderEngine::DrawRect(target, m_rcItem, 1, info->dwHotTextColor);
}

}  // namespace controls
