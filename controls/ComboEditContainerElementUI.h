#pragma once
// CComboEditContainerElementUI: a row of a drop-down list that carries two labels and a delay
// edit, built from kItemLayout when it joins its window. Its "text1", "text2" and
// "delay_edit" are looked up below the row itself, so that every row of a list points at its
// own children.
//
// Events: double click or Return activate (Return also raises "return"); a left press selects
// (with Ctrl held: toggles the row in a multi-selection); a left release raises "itemclick";
// timers raise "timer" and, with the "menu" attribute on, context-menu events raise "menu"
// (both with the event's wParam and lParam); entering and leaving set and clear hot. The
// row draws no state image: "normalimage", "hotimage" and "selectedimage" are dropped.
//
// As a notification listener it marks itself changed on "selectchanged" and on "return" from
// its delay edit; nothing registers it by default.
//
// Skin tag "ComboEditContainerElement".
// Threads: window thread only.
#include "ui/controls/ListElementUI.h"
#include "ui/core/Notify.h"

namespace controls {

class CComboEditContainerElementUI : public ui::CListContainerElementUI, public ui::INotifyUI {
  public:
    static constexpr const char* kClassName = "ComboEditContainerElement";
    static constexpr const char* kItemLayout = "XML/CustomControlXML/ComboEditElementItem.xml";

    std::string GetClass() const override { return kClassName; }
    void* GetInterface(std::string_view name) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void DoInit() override;
    void DoEvent(ui::TEventUI& event) override;
    void PaintStatusImage(ui::RenderTarget& target) override;
    void Notify(ui::TNotifyUI& msg) override;

    ui::CControlUI* Text1() const { return text1_; }
    ui::CControlUI* Text2() const { return text2_; }
    ui::CControlUI* DelayEdit() const { return delayEdit_; }
    bool IsChanged() const { return changed_; }
    void ClearChanged() { changed_ = false; }

  private:
    void PassOn(ui::TEventUI& event);

    ui::CControlUI* text1_ = nullptr;
    ui::CControlUI* text2_ = nullptr;
    ui::CControlUI* delayEdit_ = nullptr;
    bool changed_ = false;
};

}  // namespace controls
