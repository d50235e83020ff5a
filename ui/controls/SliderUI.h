#pragma once
// CSliderUI: a value between a minimum and a maximum picked with a thumb on a rail.
// While the user drags, every change raises "movevaluechanged"; releasing the thumb after a
// change raises "valuechanged", as do the keyboard, the wheel and SetValue with notify.
#include <string>

#include "ui/controls/SliderModel.h"
#include "ui/core/ControlUI.h"

namespace ui {

class CSliderUI : public CControlUI {
  public:
    CSliderUI();
    ~CSliderUI() override;

    std::string GetClass() const override { return "SliderUI"; }
    void* GetInterface(std::string_view name) override;
    UINT GetControlFlags() const override;

    int GetMinValue() const { return m_model.Min(); }
    void SetMinValue(int value);
    int GetMaxValue() const { return m_model.Max(); }
    void SetMaxValue(int value);
    int GetValue() const { return m_model.Value(); }
    // Clamped to the range; "valuechanged" when it changed and notify is set.
    void SetValue(int value, bool notify = true);
    int GetChangeStep() const { return m_model.Step(); }
    void SetChangeStep(int step);
    bool IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(bool horizontal);
    bool IsDragging() const { return m_bDragging; }
    // Thumb size in 96-DPI pixels.
    void SetThumbSize(SIZE size);
    // Where the thumb is drawn now (window pixels).
    RECT GetThumbRect() const;

    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintBkColor(RenderTarget& target) override;
    void PaintForeImage(RenderTarget& target) override;
    void PaintStatusImage(RenderTarget& target) override;

  private:
    // The rail along which the thumb's centre runs (window pixels along the axis).
    int RailStart() const;
    int RailLength() const;
    int ValueAt(POINT pt) const;
    void ChangeByUser(int value, const char* notification);

    SliderModel m_model;
    bool m_bHorizontal = true;
    bool m_bDragging = false;
    bool m_bThumbHot = false;
    int m_nValueAtPress = 0;
    int m_nGrabOffset = 0;  // pointer minus thumb centre when the drag began
    SIZE m_szThumb{14, 14};

    Color m_dwRailColor = 0xFFD0D4DA;
    Color m_dwForeColor = 0xFF2F80ED;
    Color m_dwThumbColor = 0xFFFFFFFF;
    Color m_dwThumbBorderColor = 0xFF2F80ED;
    int m_nRailWidth = 4;
    std::string m_sForeImage;
    std::string m_sThumbImage;
    std::string m_sThumbHotImage;
    std::string m_sThumbPushedImage;
};

}  // namespace ui
