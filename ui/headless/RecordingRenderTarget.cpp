#include "ui/headless/RecordingRenderTarget.h"

#include <algorithm>

#include "ui/core/StringUtil.h"

namespace ui::headless {

std::vector<DrawOp> RecordingRenderTarget::Texts(const std::string& text) const {
    std::vector<DrawOp> out;
    for (const DrawOp& op : ops_) {
        if (op.kind == OpKind::Text && (text.empty() || op.text == text))
            out.push_back(op);
    }
    return out;
}

std::vector<DrawOp> RecordingRenderTarget::OfKind(OpKind kind) const {
    std::vector<DrawOp> out;
    for (const DrawOp& op : ops_) {
        if (op.kind == kind)
            out.push_back(op);
    }
    return out;
}

Rect RecordingRenderTarget::CurrentClip() const {
    return clips_.empty() ? Rect{0, 0, size_.cx, size_.cy} : clips_.back();
}

DrawOp& RecordingRenderTarget::Add(OpKind kind, const Rect& rect, Color color) {
    DrawOp op;
    op.kind = kind;
    op.rect = rect;
    op.color = color;
    op.clip = CurrentClip();
    ops_.push_back(op);
    return ops_.back();
}

void RecordingRenderTarget::PushClip(const Rect& rect) {
    Rect clip = CurrentClip().Intersect(rect);
    Add(OpKind::PushClip, rect, 0);
    clips_.push_back(clip);
}

void RecordingRenderTarget::PopClip() {
    if (!clips_.empty())
        clips_.pop_back();
    Add(OpKind::PopClip, Rect{}, 0);
}

void RecordingRenderTarget::FillRect(const Rect& rect, Color color) {
    Add(OpKind::FillRect, rect, color);
}

void RecordingRenderTarget::FillRoundRect(const Rect& rect, int radius, Color color) {
    Add(OpKind::FillRoundRect, rect, color).radius = radius;
}

void RecordingRenderTarget::FillEllipse(const Rect& rect, Color color) {
    Add(OpKind::FillEllipse, rect, color);
}

void RecordingRenderTarget::FillPie(const Rect& rect, double startDegrees, double sweepDegrees,
                                    Color color) {
    DrawOp& op = Add(OpKind::FillPie, rect, color);
    op.start = startDegrees;
    op.sweep = sweepDegrees;
}

void RecordingRenderTarget::DrawRectOutline(const Rect& rect, int width, Color color) {
    Add(OpKind::RectOutline, rect, color).width = width;
}

void RecordingRenderTarget::DrawRoundRectOutline(const Rect& rect, int radius, int width,
                                                 Color color) {
    DrawOp& op = Add(OpKind::RoundRectOutline, rect, color);
    op.radius = radius;
    op.width = width;
}

void RecordingRenderTarget::DrawEllipseOutline(const Rect& rect, int width, Color color) {
    Add(OpKind::EllipseOutline, rect, color).width = width;
}

void RecordingRenderTarget::DrawArc(const Rect& rect, double startDegrees, double sweepDegrees,
                                    int width, Color color) {
    DrawOp& op = Add(OpKind::Arc, rect, color);
    op.start = startDegrees;
    op.sweep = sweepDegrees;
    op.width = width;
}

void RecordingRenderTarget::DrawLine(Point from, Point to, int width, Color color) {
    Add(OpKind::Line, Rect{from.x, from.y, to.x, to.y}, color).width = width;
}

void RecordingRenderTarget::DrawImage(const Image& image, const Rect& dest, const Rect& source,
                                      uint8_t alpha, std::optional<Color> tint) {
    DrawOp& op = Add(OpKind::Image, dest, tint.value_or(0));
    op.source = source;
    op.alpha = alpha;
    op.tinted = tint.has_value();
    op.width = image.Width();
}

void RecordingRenderTarget::DrawText(const std::string& utf8, const Rect& rect,
                                     const FontSpec& font, Color color, uint32_t format) {
    DrawOp& op = Add(OpKind::Text, rect, color);
    op.text = utf8;
    op.font = font;
    op.format = format;
}

Size RecordingRenderTarget::MeasureText(const std::string& utf8, const FontSpec& font,
                                        uint32_t format, int maxWidth) {
    return Measure(utf8, font, format, maxWidth);
}

Size RecordingRenderTarget::Measure(const std::string& utf8, const FontSpec& font, uint32_t format,
                                    int maxWidth) {
    int charWidth = std::max(1, font.size / 2);
    int lineHeight = std::max(1, font.size);
    int count = 0;
    for (size_t pos = 0; pos < utf8.size();) {
        NextCodePoint(utf8, pos);
        ++count;
    }
    int width = count * charWidth;
    if ((format & kTextWordBreak) == 0 || maxWidth <= 0 || width <= maxWidth) {
        return Size{width, lineHeight};
    }
    int perLine = std::max(1, maxWidth / charWidth);
    int lines = (count + perLine - 1) / perLine;
    return Size{perLine * charWidth, lines * lineHeight};
}

}  // namespace ui::headless
