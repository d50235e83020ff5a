#include "GalleryState.h"

#include <cstdio>
#include <sstream>

#include "GalleryWindow.h"
#include "platform/FileIO.h"
#include "ui/controls/ColorPaletteUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/ListUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ScrollBarUI.h"
#include "ui/controls/SliderUI.h"
#include "ui/core/MessageModel.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/shell/MenuWnd.h"

namespace gallery {
namespace {

// Often enough that a test waiting for an effect sees it within a frame or two.
constexpr uint32_t kPollMs = 25;

std::string RectText(const ui::Rect& r) {
    char text[64];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", r.left, r.top, r.right, r.bottom);
    return text;
}

ui::Rect Offset(const ui::Rect& r, const ui::Rect& window) {
    return ui::Rect{r.left + window.left, r.top + window.top, r.right + window.left,
                    r.bottom + window.top};
}

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

template <typename T>
T* Find(ui::CPaintManagerUI& pm, const char* name) {
    return dynamic_cast<T*>(pm.FindControl(name));
}

void DescribeControls(ui::CPaintManagerUI& pm, std::ostringstream& out) {
    for (const char* name : {"chk_tray", "chk_start", "opt_125", "opt_500", "opt_1000"}) {
        if (auto* option = Find<ui::COptionUI>(pm, name))
            out << name << '=' << (option->IsSelected() ? 1 : 0) << '\n';
    }
    if (auto* tabs = Find<ui::CTabLayoutUI>(pm, "tabs"))
        out << "tab=" << tabs->GetCurSel() << '\n';
    if (auto* slider = Find<ui::CSliderUI>(pm, "slider")) {
        out << "slider=" << slider->GetValue() << '\n';
        out << "slider.thumb=" << RectText(slider->GetThumbRect()) << '\n';
    }
    if (ui::CControlUI* label = pm.FindControl("slider_value"))
        out << "slider_value=" << label->GetText() << '\n';
    for (const char* name : {"edit_name", "edit_digits"}) {
        if (auto* edit = Find<ui::CEditUI>(pm, name)) {
            const ui::TextEditModel& model = edit->GetModel();
            out << name << '=' << OneLine(edit->GetText()) << '\n';
            out << name << ".sel=" << model.SelectionBegin() << ',' << model.SelectionEnd() << '\n';
        }
    }
    if (auto* combo = Find<ui::CComboUI>(pm, "combo_rate")) {
        out << "combo=" << combo->GetCurSel() << '\n';
        out << "combo.text=" << combo->GetText() << '\n';
        out << "combo.open=" << (combo->IsDropDownOpen() ? 1 : 0) << '\n';
        if (ui::CComboWnd* drop = combo->GetDropDownWindow()) {
            const ui::Rect at = drop->GetWindowRect();
            out << "combo.list=" << RectText(at) << '\n';
            for (int i = 0; i < combo->GetCount(); ++i) {
                if (ui::CControlUI* item = combo->GetItemAt(i))
                    out << "combo.item" << i << '=' << RectText(Offset(item->GetPos(), at)) << '\n';
            }
        }
    }
    if (auto* list = Find<ui::CListUI>(pm, "profile_list")) {
        out << "list=" << list->GetCurSel() << '\n';
        out << "list.scroll=" << list->GetScrollPos().cy << '\n';
        if (ui::CListBodyUI* body = list->GetList()) {
            if (ui::CControlUI* bar = body->GetVerticalScrollBar()) {
                if (auto* scroll = dynamic_cast<ui::CScrollBarUI*>(bar))
                    out << "list.thumb=" << RectText(scroll->GetThumbRect()) << '\n';
            }
            for (int i = 0; i < list->GetCount(); ++i) {
                if (ui::CControlUI* row = list->GetItemAt(i))
                    out << "list.row" << i << '=' << RectText(row->GetPos()) << '\n';
            }
        }
    }
    if (auto* palette = Find<ui::CColorPaletteUI>(pm, "palette")) {
        char colour[16];
        std::snprintf(colour, sizeof colour, "%08X", palette->GetSelectColor());
        out << "palette=" << colour << '\n';
    }
}

void DescribeMenu(std::ostringstream& out) {
    ui::HWND hwnd = ui::FindWindow("MenuWnd", "");
    auto* menu = dynamic_cast<ui::CMenuWnd*>(ui::GetWindowObject(hwnd));
    out << "menu.open=" << (menu != nullptr ? 1 : 0) << '\n';
    if (menu == nullptr || menu->GetMenuUI() == nullptr)
        return;
    const ui::Rect at = menu->GetWindowRect();
    out << "menu.rect=" << RectText(at) << '\n';
    ui::CMenuUI* root = menu->GetMenuUI();
    for (int i = 0; i < root->GetCount(); ++i) {
        ui::CControlUI* item = root->GetItemAt(i);
        if (item != nullptr && !item->GetName().empty())
            out << "menu.item." << item->GetName() << '=' << RectText(Offset(item->GetPos(), at))
                << '\n';
    }
}

}  // namespace

std::string DescribeState(GalleryWindow& window) {
    ui::CPaintManagerUI& pm = *window.GetPaintManager();
    std::ostringstream out;
    out << "window=" << RectText(window.GetWindowRect()) << '\n';
    out << "enabled=" << (window.IsWindowEnabled() ? 1 : 0) << '\n';
    ui::CControlUI* focus = pm.GetFocus();
    out << "focus=" << (focus ? focus->GetName() : std::string()) << '\n';
    DescribeControls(pm, out);
    DescribeMenu(out);
    const GalleryWindow::Events& events = window.GetEvents();
    out << "clicks=" << events.clicks << '\n';
    out << "last_click=" << events.lastClick << '\n';
    out << "activated=" << events.activated << '\n';
    out << "menu.chosen=" << events.menuChosen << '\n';
    out << "menu.opened=" << events.menusOpened << '\n';
    out << "dialog.open=" << (events.dialogOpen ? 1 : 0) << '\n';
    out << "dialog.result=" << events.dialogResult << '\n';
    out << "key.last=" << events.lastKey << '\n';
    if (!events.dialogRect.IsEmpty())
        out << "dialog.rect=" << RectText(events.dialogRect) << '\n';
    for (const char* name :
         {"btn_apply", "btn_cancel", "chk_tray", "chk_start", "opt_125", "opt_500", "opt_1000",
          "slider", "tab_perf", "tab_light", "tab_keys", "edit_name", "edit_digits", "combo_rate",
          "combo_space", "profile_list", "palette", "header"}) {
        if (ui::CControlUI* control = pm.FindControl(name))
            out << "rect." << name << '=' << RectText(control->GetPos()) << '\n';
    }
    return out.str();
}

StateFile::StateFile(GalleryWindow& window, std::string path)
    : window_(window), path_(std::move(path)) {
    timer_ = ui::GetBackend().StartTimer(kPollMs, [this] { Update(); });
}

StateFile::~StateFile() {
    if (timer_ != 0 && ui::HasBackend())
        ui::GetBackend().StopTimer(timer_);
}

void StateFile::Update() {
    std::string text = DescribeState(window_);
    if (text == written_)
        return;
    if (platform::WriteFileAtomic(path_, text))
        written_ = std::move(text);
}

}  // namespace gallery
