#include "panels/shoot/ShootControlUI.h"

#include <algorithm>
#include <vector>

#include "controls/ShootPatternUI.h"
#include "platform/Trace.h"
#include "profile/JsonAccess.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/PaintManager.h"
#include "ui/layout/TabLayoutUI.h"

namespace panels {
namespace {

// What the mouse does with a stored amount: its low byte, in the stored direction.
int ShootStepOf(int amount, bool negative) {
    const int moved = amount & 0xFF;
    return negative ? -moved : moved;
}

void ShootSetOptionQuietly(ui::COptionUI* option, bool selected) {
    if (option != nullptr)
        option->Selected(selected, false);
}

void ShootShowNumber(ui::CEditUI* edit, int value) {
    if (edit != nullptr)
        edit->SetText(std::to_string(value), false);
}

std::string ShootEditText(const ui::CEditUI* edit) {
    return edit != nullptr ? edit->GetText() : std::string();
}

}  // namespace

CShootControlUI::CShootControlUI() = default;
CShootControlUI::~CShootControlUI() = default;

void* CShootControlUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

void CShootControlUI::DoInit() {
    CHorizontalLayoutUI::DoInit();
    BindControls();
}

ui::CControlUI* CShootControlUI::FindChild(const std::string& name) const {
    if (m_pManager == nullptr)
        return nullptr;
    return m_pManager->FindSubControlByName(const_cast<CShootControlUI*>(this), name);
}

void CShootControlUI::BindControls() {
    auto option = [this](const char* name) {
        return dynamic_cast<ui::COptionUI*>(FindChild(name));
    };
    auto edit = [this](const char* name) { return dynamic_cast<ui::CEditUI*>(FindChild(name)); };
    Controls found;
    found.importButton = FindChild(kImportButtonName);
    found.exportButton = FindChild(kExportButtonName);
    found.uploadButton = FindChild(kUploadButtonName);
    found.resetButton = FindChild(kResetButtonName);
    found.pages = dynamic_cast<ui::CTabLayoutUI*>(FindChild(kPagesName));
    found.editLayout = FindChild(kEditLayoutName);
    found.indexLabel = FindChild(kIndexLabelName);
    found.previousButton = FindChild(kPreviousButtonName);
    found.nextButton = FindChild(kNextButtonName);
    found.horizontal = option(kHorizontalCheckName);
    found.vertical = option(kVerticalCheckName);
    found.x = edit(kHorizontalEditName);
    found.y = edit(kVerticalEditName);
    found.delay = edit(kDelayEditName);
    if (found.x == nullptr || found.y == nullptr || found.delay == nullptr)
        platform::Trace("ShootControl: the layout lacks a bullet edit\n");
    c_ = found;
}

std::string CShootControlUI::SetPath(int set) const {
    return dataFolder_ + shoot::SetFileName(set);
}

ui::COptionUI* CShootControlUI::SetOption(int set) const {
    return dynamic_cast<ui::COptionUI*>(FindChild(kSetOptionPrefix + std::to_string(set)));
}

ui::COptionUI* CShootControlUI::BulletOption(int bullet) const {
    return dynamic_cast<ui::COptionUI*>(FindChild(kBulletOptionPrefix + std::to_string(bullet)));
}

controls::CShootPatternUI* CShootControlUI::Pattern(int set) const {
    return dynamic_cast<controls::CShootPatternUI*>(
        FindChild(kPatternPrefix + std::to_string(set)));
}

void CShootControlUI::Init() {
    BindControls();
    const int copied = shoot::EnsureUserSets(dataFolder_, defaultFolder_);
    if (copied > 0)
        platform::TraceF("ShootControl: %d set(s) taken from the factory sets\n", copied);
    for (int set = 0; set < shoot::kSetCount; ++set)
        PlotSet(set, shoot::LoadSet(SetPath(set)).root, set == currentSet_ ? currentBullet_ : -1);
}

void CShootControlUI::SelectSet(int set) {
    for (int i = 0; i < shoot::kSetCount; ++i)
        ShootSetOptionQuietly(SetOption(i), false);
    currentSet_ = std::clamp(set, 0, shoot::kSetCount - 1);
    ShootSetOptionQuietly(SetOption(currentSet_), true);
    if (c_.pages != nullptr)
        c_.pages->SelectItem(currentSet_, false);
}

void CShootControlUI::SelectBullet(int bullet) {
    for (int i = 0; i < shoot::kBulletCount; ++i)
        ShootSetOptionQuietly(BulletOption(i), false);
    currentBullet_ = std::clamp(bullet, 0, shoot::kBulletCount - 1);
    ShootSetOptionQuietly(BulletOption(currentBullet_), true);
    if (c_.indexLabel != nullptr)
        c_.indexLabel->SetText(std::to_string(currentBullet_ + 1));
    ShowBullet(currentSet_, currentBullet_);
}

void CShootControlUI::ShowBullet(int set, int bullet) {
    if (set < 0 || set >= shoot::kSetCount || bullet < 0 || bullet >= shoot::kBulletCount)
        return;
    const shoot::SetDocument document = shoot::LoadSet(SetPath(set));
    const shoot::Bullet shown = shoot::ReadBullet(document.root, bullet);
    ShootSetOptionQuietly(c_.horizontal, shown.left);
    ShootSetOptionQuietly(c_.vertical, shown.up);
    ShowHorizontalDirection();
    ShowVerticalDirection();
    ShootShowNumber(c_.x, shown.x);
    ShootShowNumber(c_.y, shown.y);
    ShootShowNumber(c_.delay, shown.delay);
    PlotSet(set, document.root, bullet);
}

bool CShootControlUI::SaveBullet(int set, int bullet, std::string* error) {
    if (set < 0 || set >= shoot::kSetCount || bullet < 0 || bullet >= shoot::kBulletCount) {
        if (error != nullptr)
            *error = "no bullet selected";
        return false;
    }
    shoot::Bullet value;
    value.x = shoot::LeadingNumber(ShootEditText(c_.x));
    value.y = shoot::LeadingNumber(ShootEditText(c_.y));
    value.delay = shoot::LeadingNumber(ShootEditText(c_.delay));
    value.left = c_.horizontal != nullptr && c_.horizontal->IsSelected();
    value.up = c_.vertical != nullptr && c_.vertical->IsSelected();
    const std::string path = SetPath(set);
    const bool saved = shoot::SaveBullet(path, bullet, value, error);
    if (!saved)
        platform::TraceF("ShootControl: bullet %d of set %d not saved\n", bullet + 1, set);
    PlotSet(set, shoot::LoadSet(path).root, bullet);
    return saved;
}

bool CShootControlUI::ResetSet(int set, std::string* error) {
    if (set < 0 || set >= shoot::kSetCount) {
        if (error != nullptr)
            *error = "no such set";
        return false;
    }
    const bool copied =
        shoot::CopySetFile(defaultFolder_ + shoot::SetFileName(set), SetPath(set), error);
    if (set != currentSet_)
        PlotSet(set, shoot::LoadSet(SetPath(set)).root, -1);
    SelectBullet(currentBullet_);
    return copied;
}

bool CShootControlUI::ImportSet(const std::string& path, std::string* error) {
    if (path.empty())
        return true;
    const bool copied = shoot::CopySetFile(path, SetPath(currentSet_), error);
    SelectBullet(currentBullet_);
    return copied;
}

bool CShootControlUI::ExportSet(const std::string& path, std::string* error) const {
    if (path.empty())
        return true;
    return shoot::CopySetFile(SetPath(currentSet_), path, error);
}

void CShootControlUI::ShowHorizontalDirection() {
    if (c_.horizontal != nullptr)
        c_.horizontal->SetText(c_.horizontal->IsSelected() ? kLeftText : kRightText);
}

void CShootControlUI::ShowVerticalDirection() {
    if (c_.vertical != nullptr)
        c_.vertical->SetText(c_.vertical->IsSelected() ? kUpText : kDownText);
}

void CShootControlUI::PlotSet(int set, const Json::Value& root, int selected) const {
    controls::CShootPatternUI* pattern = Pattern(set);
    if (pattern == nullptr)
        return;
    // The bullets the file holds (a short set ends early), at most the set's 30.
    const uint32_t events = profile::json::ArraySize(profile::json::Member(root, "Events"));
    const int bullets = std::min<int>(
        shoot::kBulletCount,
        static_cast<int>((events + shoot::kEventsPerBullet - 1) / shoot::kEventsPerBullet));
    std::vector<controls::CShootPatternUI::Step> steps;
    steps.reserve(static_cast<size_t>(bullets));
    for (int b = 0; b < bullets; ++b) {
        const shoot::Bullet bullet = shoot::ReadBullet(root, b);
        steps.push_back({ShootStepOf(bullet.x, bullet.left), ShootStepOf(bullet.y, bullet.up)});
    }
    pattern->SetPattern(std::move(steps), selected);
}

}  // namespace panels
