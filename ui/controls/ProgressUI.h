#pragma once
// CProgressUI: a value between a minimum and a maximum shown as a filled part (foreground
// colour and/or image) over the background, horizontally or from the bottom up.
#include "ui/controls/LabelUI.h"

namespace ui {

class CProgressUI : public CLabelUI {
  public:
    CProgressUI();
    std::string GetClass() const override { return "ProgressUI"; }
    void* GetInterface(std::string_view name) override;

    bool IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(bool horizontal = true);
    int GetMinValue() const { return m_nMin; }
    void SetMinValue(int value);
    int GetMaxValue() const { return m_nMax; }
    void SetMaxValue(int value);
    int GetValue() const { return m_nValue; }
    // Clamped to the range. Progress bars raise no notification.
    void SetValue(int value);
    const std::string& GetForeImage() const { return m_sForeImage; }
    void SetForeImage(const std::string& image);
    Color GetForeColor() const { return m_dwForeColor; }
    void SetForeColor(Color color);
    bool IsStretchForeImage() const { return m_bStretchForeImage; }
    void SetStretchForeImage(bool stretch = true);

    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintForeColor(RenderTarget& target) override;
    void PaintForeImage(RenderTarget& target) override;

  protected:
    // The filled part of the control rectangle for the current value.
    RECT FilledRect() const;

    bool m_bHorizontal = true;
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nValue = 0;
    std::string m_sForeImage;
    Color m_dwForeColor = 0;
    bool m_bStretchForeImage = true;
};

}  // namespace ui
