#pragma once
// A render target that writes down what is drawn, for checking exact geometry.
#include <string>
#include <vector>

#include "ui/core/RenderTarget.h"

namespace testing_render {

struct Op {
    std::string kind;
    ui::Rect rect;
    ui::Rect source;
    ui::Color color = 0;
    int alpha = 255;
    bool tinted = false;
    std::string text;
    ui::FontSpec font;
};

class FakeImage : public ui::Image {
  public:
    FakeImage(int w, int h) : w_(w), h_(h) {}
    int Width() const override { return w_; }
    int Height() const override { return h_; }
    ui::Color PixelAt(int, int) const override { return 0xFFFFFFFF; }

  private:
    int w_, h_;
};

// Text is measured as 7 pixels a byte wide and font.size + 2 high (bold adds 1 a byte).
class RecordingTarget : public ui::RenderTarget {
  public:
    std::vector<Op> ops;
    int clipDepth = 0;

    ui::Size PixelSize() const override { return {1000, 1000}; }
    void PushClip(const ui::Rect& r) override {
        ++clipDepth;
        Add("clip", r, 0);
    }
    void PopClip() override { --clipDepth; }
    void FillRect(const ui::Rect& r, ui::Color c) override { Add("fill", r, c); }
    void FillRoundRect(const ui::Rect& r, int, ui::Color c) override { Add("roundfill", r, c); }
    void FillEllipse(const ui::Rect& r, ui::Color c) override { Add("ellipse", r, c); }
    void FillPie(const ui::Rect& r, double, double, ui::Color c) override { Add("pie", r, c); }
    void DrawRectOutline(const ui::Rect& r, int, ui::Color c) override { Add("rect", r, c); }
    void DrawRoundRectOutline(const ui::Rect& r, int, int, ui::Color c) override {
        Add("roundrect", r, c);
    }
    void DrawEllipseOutline(const ui::Rect& r, int, ui::Color c) override { Add("oval", r, c); }
    void DrawArc(const ui::Rect& r, double, double, int, ui::Color c) override { Add("arc", r, c); }
    void DrawLine(ui::Point a, ui::Point b, int, ui::Color c) override {
        Add("line", {a.x, a.y, b.x, b.y}, c);
    }
    void DrawImage(const ui::Image&, const ui::Rect& dest, const ui::Rect& source, uint8_t alpha,
                   std::optional<ui::Color> tint) override {
        Op op = Make("image", dest, tint.value_or(0));
        op.source = source;
        op.alpha = alpha;
        op.tinted = tint.has_value();
        ops.push_back(op);
    }
    void DrawText(const std::string& s, const ui::Rect& r, const ui::FontSpec& f, ui::Color c,
                  uint32_t) override {
        Op op = Make("text", r, c);
        op.text = s;
        op.font = f;
        ops.push_back(op);
    }
    ui::Size MeasureText(const std::string& s, const ui::FontSpec& f, uint32_t, int) override {
        return {static_cast<int>(s.size()) * (f.bold ? 8 : 7), f.size + 2};
    }

    std::vector<Op> Of(const std::string& kind) const {
        std::vector<Op> out;
        for (const Op& op : ops)
            if (op.kind == kind)
                out.push_back(op);
        return out;
    }

  private:
    static Op Make(const char* kind, const ui::Rect& r, ui::Color c) {
        Op op;
        op.kind = kind;
        op.rect = r;
        op.color = c;
        return op;
    }
    void Add(const char* kind, const ui::Rect& r, ui::Color c) { ops.push_back(Make(kind, r, c)); }
};

}  // namespace testing_render
