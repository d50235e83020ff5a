#pragma once
// CChartViewUI: named values drawn as a pie with a legend, or as bars (pictures standing on a
// shadow picture) with their names below.
//
// Pie: the largest circle that fits left of the legend, on two soft shadows, one slice per
// item clockwise from three o'clock in the colours of ChartPalette; the legend lists a
// coloured square and the name of each item, centred in height. Bars: each item's picture
// scaled to its share of the largest value, spaced by twice the number of bar widths that
// fit across the control. Values that sum to 0 or less (pie), a largest value of 0 or less or
// a bar width of 0 or less (bars) leave the items undrawn. Lengths are window pixels.
//
// Skin tag "ChartView". Attributes: "view" ("pie" or "histpgram", spelled so), "shadowimage",
// "shadowimageheight", "pillarimage", "pillarimagewidth", "showhtml", "showtext", "font" and
// "textcolor" (the legend and names, black by default).
// Threads: window thread only.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/core/ControlUI.h"

namespace controls {

// Slice colour of item index.
ui::Color ChartPalette(size_t index);

class CChartViewUI : public ui::CControlUI {
  public:
    static constexpr const char* kClassName = "ChartView";
    static constexpr int kViewPie = 0;
    static constexpr int kViewHistogram = 1;
    static constexpr int kLegendWidth = 100;  // pie, with text
    static constexpr int kLegendSquare = 18;  // pie
    static constexpr int kLegendGap = 4;      // pie, between legend lines
    static constexpr int kLabelHeight = 25;   // bars, with text
    static constexpr ui::Color kOuterShadow = 0x1E1E1E1E;
    static constexpr ui::Color kInnerShadow = 0x64646464;

    struct Item {
        std::string name;
        double value = 0;
    };

    // The class keeps the base's name; the interface answers "ChartView".
    void* GetInterface(std::string_view name) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    bool DoPaint(ui::RenderTarget& target, const ui::RECT& rcPaint,
                 ui::CControlUI* pStopControl) override;

    // Appends an item; false (and nothing added) for a value that is not a finite number.
    // Repaints.
    bool AddItem(const std::string& name, double value);
    void RemoveAllItems();
    const std::vector<Item>& Items() const { return items_; }

    int GetView() const { return view_; }
    const std::string& GetShadowImage() const { return shadowImage_; }
    const std::string& GetPillarImage() const { return pillarImage_; }
    int GetPillarImageWidth() const { return pillarImageWidth_; }
    bool IsShowText() const { return showText_; }
    bool IsShowHtml() const { return showHtml_; }

    virtual void DoPaintPie(ui::RenderTarget& target);
    virtual void DoPaintHistogram(ui::RenderTarget& target);

  private:
    void DrawLabel(ui::RenderTarget& target, ui::Rect rc, const std::string& text, uint32_t format);

    std::vector<Item> items_;
    int view_ = kViewPie;
    std::string shadowImage_;
    int shadowImageHeight_ = 0;
    std::string pillarImage_;
    int pillarImageWidth_ = 0;
    ui::Color textColour_ = 0xFF000000;
    bool showHtml_ = false;
    bool showText_ = true;
    int font_ = -1;
};

}  // namespace controls
