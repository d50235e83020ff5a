#pragma once
// A render target that draws nothing and records every primitive with its geometry, so that
// tests can check what a control painted and where.
#include <string>
#include <vector>

#include "platform/WindowsMacros.h"
#include "ui/core/RenderTarget.h"

namespace ui::headless {

enum class OpKind {
    PushClip,
    PopClip,
    FillRect,
    FillRoundRect,
    FillEllipse,
    FillPie,
    RectOutline,
    RoundRectOutline,
    EllipseOutline,
    Arc,
    Line,
    Image,
    Text
};

struct DrawOp {
    OpKind kind = OpKind::FillRect;
    Rect rect;        // destination (line: from = left/top, to = right/bottom)
    Rect source;      // images
    Rect clip;        // the clip in force when drawn
    Color color = 0;  // fills, outlines, text, image tint (when tinted)
    bool tinted = false;
    int width = 0;  // outlines, lines; image: the image's width
    int radius = 0;
    double start = 0;  // pies, arcs
    double sweep = 0;
    uint8_t alpha = 255;  // images
    std::string text;
    FontSpec font;
    uint32_t format = 0;
};

class RecordingRenderTarget : public RenderTarget {
  public:
    explicit RecordingRenderTarget(Size size = Size{1000, 640}) : size_(size) {}

    const std::vector<DrawOp>& Ops() const { return ops_; }
    void Clear() { ops_.clear(); }
    // The text operations whose text equals text (empty: all of them).
    std::vector<DrawOp> Texts(const std::string& text = "") const;
    std::vector<DrawOp> OfKind(OpKind kind) const;

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
    void DrawImage(const Image& image, const Rect& dest, const Rect& source, uint8_t alpha = 255,
                   std::optional<Color> tint = std::nullopt) override;
    void DrawText(const std::string& utf8, const Rect& rect, const FontSpec& font, Color color,
                  uint32_t format) override;
    Size MeasureText(const std::string& utf8, const FontSpec& font, uint32_t format,
                     int maxWidth) override;

    // The measuring rule of the headless realisation: every code point is half the font
    // size wide, a line is the font size high; word breaking wraps at maxWidth.
    static Size Measure(const std::string& utf8, const FontSpec& font, uint32_t format,
                        int maxWidth);

  private:
    Rect CurrentClip() const;
    DrawOp& Add(OpKind kind, const Rect& rect, Color color);

    Size size_;
    std::vector<Rect> clips_;
    std::vector<DrawOp> ops_;
};

}  // namespace ui::headless
