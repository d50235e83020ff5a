#pragma once
// COptionUI: a button that stays selected. Options sharing a group name in one window are
// exclusive: selecting one unselects the others. A change raises "selectchanged" (by code
// only when asked to). CCheckBoxUI: an option without a group that the user toggles; a
// toggle by the user also raises "checkclick".
#include "ui/controls/ButtonUI.h"

namespace ui {

class COptionUI : public CButtonUI {
  public:
    ~COptionUI() override;
    std::string GetClass() const override { return "OptionUI"; }
    void* GetInterface(std::string_view name) override;

    const std::string& GetGroup() const { return m_sGroupName; }
    void SetGroup(const std::string& group);
    bool IsSelected() const { return m_bSelected; }
    // bTriggerEvent: raise "selectchanged" (as the user's click would).
    virtual void Selected(bool selected, bool bTriggerEvent = true);

    bool Activate() override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintBkColor(RenderTarget& target) override;
    void PaintStatusImage(RenderTarget& target) override;

    void SetSelectedImage(const std::string& image);
    const std::string& GetSelectedImage() const { return m_sSelectedImage; }
    void SetSelectedHotImage(const std::string& image);
    void SetSelectedPushedImage(const std::string& image);
    void SetSelectedDisabledImage(const std::string& image);
    void SetSelectedForeImage(const std::string& image);
    void SetSelectedTextColor(Color c) { m_dwSelectedTextColor = c; }
    Color GetSelectedTextColor() const { return m_dwSelectedTextColor; }
    void SetSelectedBkColor(Color c) { m_dwSelectedBkColor = c; }
    Color GetSelectedBkColor() const { return m_dwSelectedBkColor; }

  protected:
    Color CurrentTextColor() const override;

    bool m_bSelected = false;
    std::string m_sGroupName;
    std::string m_sSelectedImage;
    std::string m_sSelectedHotImage;
    std::string m_sSelectedPushedImage;
    std::string m_sSelectedDisabledImage;
    std::string m_sSelectedForeImage;
    Color m_dwSelectedTextColor = 0;
    Color m_dwSelectedBkColor = 0;
};

class CCheckBoxUI : public COptionUI {
  public:
    std::string GetClass() const override { return "CheckBoxUI"; }
    void* GetInterface(std::string_view name) override;

    bool GetCheck() const { return IsSelected(); }
    void SetCheck(bool check, bool bTriggerEvent = true) { Selected(check, bTriggerEvent); }
    bool Activate() override;
    void SetAttribute(std::string_view name, std::string_view value) override;
};

}  // namespace ui
