#pragma once
// CColorPaletteUI: picks a colour from a hue/saturation pane (hue left to right, saturation
// top to bottom) and a brightness bar beside it. Dragging shows the colour as it goes;
// releasing the pointer after a change raises "colorchanged".
#include <string>

#include "ui/core/ControlUI.h"
#include "ui/render/ColorMath.h"

namespace ui {

class CColorPaletteUI : public CControlUI {
  public:
    CColorPaletteUI();
    ~CColorPaletteUI() override;

    std::string GetClass() const override { return "ColorPaletteUI"; }
    void* GetInterface(std::string_view name) override;

    // The picked colour, opaque 0xFFRRGGBB.
    Color GetSelectColor() const { return m_selected; }
    // Shows a colour (its alpha is ignored); "colorchanged" when it changed and notify is set.
    // A grey keeps the hue (and black the saturation) the pane showed before.
    void SetSelectColor(Color color, bool notify = true);
    const Hsv& GetHsv() const { return m_hsv; }

    // The two surfaces (window pixels).
    RECT GetPaneRect() const;
    RECT GetBarRect() const;

    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintBkImage(RenderTarget& target) override;
    void PaintStatusImage(RenderTarget& target) override;

  private:
    enum class Drag { None, Pane, Bar };
    void PickAt(POINT pt);
    void UpdateSelected();

    Hsv m_hsv{0, 1, 1};
    Color m_selected = 0xFFFF0000;
    Color m_colorAtPress = 0;
    Drag m_drag = Drag::None;
    int m_nBarWidth = 20;  // 96-DPI pixels
    int m_nBarGap = 8;
    Color m_dwDisabledMask = 0xA0808080;  // laid over both surfaces while disabled
    std::string m_sPaneThumbImage;
    std::string m_sBarThumbImage;
};

}  // namespace ui
