#pragma once
// RenderTarget over a QPainter, anti-aliased. Used for window painting and screenshots.
#include <QPainter>
#include <vector>

#include "ui/core/RenderTarget.h"

namespace ui::qt {

class QtRenderTarget : public RenderTarget {
  public:
    // The painter must be active and outlive the target.
    QtRenderTarget(QPainter& painter, Size pixelSize);

    Size PixelSize() const override { return size_; }
    void PushClip(const Rect& rect) override;
    void PopClip() override;
    void FillRect(const Rect& rect, Color color) override;
    void FillRoundRect(const Rect& rect, int radius, Color color) override;
    void FillEllipse(const Rect& rect, Color color) override;
    void FillPie(const Rect& rect, double startDegrees, double sweepDegrees, Color color) override;
    void DrawRectOutline(const Rect& rect, int width, Color color) override;
    void DrawRoundRectOutline(const Rect& rect, int radius, int width, Color color) override;
    void DrawEllipseOutline(const Rect& rect, int width, Color color) override;
    void DrawArc(const Rect& rect, double startDegrees, double sweepDegrees, int width,
                 Color color) override;
    void DrawLine(Point from, Point to, int width, Color color) override;
    void DrawImage(const Image& image, const Rect& dest, const Rect& source, uint8_t alpha,
                   std::optional<Color> tint) override;
    void DrawText(const std::string& utf8, const Rect& rect, const FontSpec& font, Color color,
                  uint32_t format) override;
    Size MeasureText(const std::string& utf8, const FontSpec& font, uint32_t format,
                     int maxWidth) override;

  private:
    void Fill(Color color);
    void Stroke(int width, Color color);

    QPainter& p_;
    Size size_;
    std::vector<Rect> clips_;
};

}  // namespace ui::qt
