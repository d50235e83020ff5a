#pragma once
// CLabelUI: text with alignment, font, colours, padding and end ellipsis (optionally the
// mark-up of CRenderEngine::DrawHtmlText). CTextUI: a label that wraps its words.
#include "ui/core/ControlUI.h"

namespace ui {

class CLabelUI : public CControlUI {
  public:
    CLabelUI();
    std::string GetClass() const override { return "LabelUI"; }
    void* GetInterface(std::string_view name) override;

    // kText* flags: horizontal (left/center/right), vertical (top/vcenter/bottom), single
    // line or word break, end ellipsis.
    UINT GetTextStyle() const { return m_uTextStyle; }
    void SetTextStyle(UINT style);
    Color GetTextColor() const { return m_dwTextColor; }
    void SetTextColor(Color color);
    Color GetDisabledTextColor() const { return m_dwDisabledTextColor; }
    void SetDisabledTextColor(Color color);
    int GetFont() const { return m_iFont; }  // font id of the paint manager, -1: default
    void SetFont(int id);
    RECT GetTextPadding() const;  // scaled
    void SetTextPadding(RECT padding);
    bool IsShowHtml() const { return m_bShowHtml; }
    void SetShowHtml(bool show = true);
    bool GetAutoCalcWidth() const { return m_bAutoCalcWidth; }
    void SetAutoCalcWidth(bool autoCalc);
    bool GetAutoCalcHeight() const { return m_bAutoCalcHeight; }
    void SetAutoCalcHeight(bool autoCalc);

    void SetText(const std::string& text) override;
    SIZE EstimateSize(SIZE szAvailable) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintText(RenderTarget& target) override;

  protected:
    // The colour the text has in the current state (buttons vary it).
    virtual Color CurrentTextColor() const;
    Size MeasureText(int maxWidth) const;

    UINT m_uTextStyle;
    Color m_dwTextColor = 0;
    Color m_dwDisabledTextColor = 0;
    int m_iFont = -1;
    RECT m_rcTextPadding;
    bool m_bShowHtml = false;
    bool m_bAutoCalcWidth = false;
    bool m_bAutoCalcHeight = false;
};

class CTextUI : public CLabelUI {
  public:
    CTextUI();
    std::string GetClass() const override { return "TextUI"; }
    void* GetInterface(std::string_view name) override;
};

// Parses "left"/"center"/"right" and "top"/"vcenter"/"bottom" into a text style.
UINT ApplyAlignAttribute(UINT style, std::string_view name, std::string_view value);

}  // namespace ui
