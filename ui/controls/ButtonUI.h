#pragma once
// CButtonUI: a label that the user clicks. The state bits (UISTATE_HOT, _PUSHED, _CAPTURED,
// _FOCUSED, _DISABLED) follow the mouse and keyboard; each state has an image and colours.
// A click (button released over it, Space or Return while focused) raises "click".
#include "ui/controls/LabelUI.h"

namespace ui {

class CButtonUI : public CLabelUI {
  public:
    CButtonUI();
    std::string GetClass() const override { return "ButtonUI"; }
    void* GetInterface(std::string_view name) override;
    UINT GetControlFlags() const override;

    bool Activate() override;
    void SetEnabled(bool enabled = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintBkColor(RenderTarget& target) override;
    void PaintStatusImage(RenderTarget& target) override;

    UINT GetButtonState() const { return m_uButtonState; }
    const std::string& GetNormalImage() const { return m_sNormalImage; }
    void SetNormalImage(const std::string& image);
    const std::string& GetHotImage() const { return m_sHotImage; }
    void SetHotImage(const std::string& image);
    const std::string& GetPushedImage() const { return m_sPushedImage; }
    void SetPushedImage(const std::string& image);
    const std::string& GetFocusedImage() const { return m_sFocusedImage; }
    void SetFocusedImage(const std::string& image);
    const std::string& GetDisabledImage() const { return m_sDisabledImage; }
    void SetDisabledImage(const std::string& image);
    // Drawn over the state image (an icon on the button).
    const std::string& GetForeImage() const { return m_sForeImage; }
    void SetForeImage(const std::string& image);
    void SetHotForeImage(const std::string& image);
    void SetHotTextColor(Color c) { m_dwHotTextColor = c; }
    Color GetHotTextColor() const { return m_dwHotTextColor; }
    void SetPushedTextColor(Color c) { m_dwPushedTextColor = c; }
    Color GetPushedTextColor() const { return m_dwPushedTextColor; }
    void SetFocusedTextColor(Color c) { m_dwFocusedTextColor = c; }
    Color GetFocusedTextColor() const { return m_dwFocusedTextColor; }
    void SetHotBkColor(Color c) { m_dwHotBkColor = c; }
    Color GetHotBkColor() const { return m_dwHotBkColor; }
    void SetPushedBkColor(Color c) { m_dwPushedBkColor = c; }
    Color GetPushedBkColor() const { return m_dwPushedBkColor; }
    void SetDisabledBkColor(Color c) { m_dwDisabledBkColor = c; }

  protected:
    Color CurrentTextColor() const override;

    UINT m_uButtonState = 0;
    std::string m_sNormalImage;
    std::string m_sHotImage;
    std::string m_sPushedImage;
    std::string m_sFocusedImage;
    std::string m_sDisabledImage;
    std::string m_sForeImage;
    std::string m_sHotForeImage;
    Color m_dwHotTextColor = 0;
    Color m_dwPushedTextColor = 0;
    Color m_dwFocusedTextColor = 0;
    Color m_dwHotBkColor = 0;
    Color m_dwPushedBkColor = 0;
    Color m_dwDisabledBkColor = 0;
};

}  // namespace ui
