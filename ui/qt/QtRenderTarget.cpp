#include "ui/qt/QtRenderTarget.h"

#include <QImage>
#include <QPainterPath>

#include "ui/qt/QtFonts.h"
#include "ui/qt/QtGeometry.h"
#include "ui/qt/QtImage.h"

namespace ui::qt {
namespace {

QColor ToQColor(Color c) {
    return QColor::fromRgba(c);
}

// Strokes are centred on the path: move them inside so a width-w outline covers exactly the
// outer w pixels of the rectangle, as fills next to it expect.
QRectF Inset(const Rect& r, int width) {
    qreal h = width / 2.0;
    return ToQRectF(r).adjusted(h, h, -h, -h);
}

}  // namespace

QtRenderTarget::QtRenderTarget(QPainter& painter, Size pixelSize) : p_(painter), size_(pixelSize) {
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setRenderHint(QPainter::TextAntialiasing, true);
    p_.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void QtRenderTarget::PushClip(const Rect& rect) {
    Rect clip = clips_.empty() ? rect : clips_.back().Intersect(rect);
    if (clip.IsEmpty())
        clip = Rect{0, 0, 0, 0};
    clips_.push_back(clip);
    p_.setClipRect(ToQRect(clip));
}

void QtRenderTarget::PopClip() {
    if (clips_.empty())
        return;
    clips_.pop_back();
    if (clips_.empty())
        p_.setClipping(false);
    else
        p_.setClipRect(ToQRect(clips_.back()));
}

void QtRenderTarget::Fill(Color color) {
    p_.setPen(Qt::NoPen);
    p_.setBrush(ToQColor(color));
}

void QtRenderTarget::Stroke(int width, Color color) {
    QPen pen(ToQColor(color));
    pen.setWidth(std::max(1, width));
    pen.setJoinStyle(Qt::MiterJoin);
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
}

void QtRenderTarget::FillRect(const Rect& rect, Color color) {
    if (rect.IsEmpty())
        return;
    p_.fillRect(ToQRect(rect), ToQColor(color));
}

void QtRenderTarget::FillRoundRect(const Rect& rect, int radius, Color color) {
    if (rect.IsEmpty())
        return;
    Fill(color);
    p_.drawRoundedRect(ToQRectF(rect), radius, radius);
}

void QtRenderTarget::FillEllipse(const Rect& rect, Color color) {
    if (rect.IsEmpty())
        return;
    Fill(color);
    p_.drawEllipse(ToQRectF(rect));
}

void QtRenderTarget::FillPie(const Rect& rect, double startDegrees, double sweepDegrees,
                             Color color) {
    if (rect.IsEmpty())
        return;
    Fill(color);
    p_.drawPie(ToQRectF(rect), static_cast<int>(startDegrees * 16),
               static_cast<int>(sweepDegrees * 16));
}

void QtRenderTarget::DrawRectOutline(const Rect& rect, int width, Color color) {
    if (rect.IsEmpty())
        return;
    // Square outlines stay crisp: four filled bands instead of an anti-aliased stroke.
    int w = std::clamp(width, 1, std::min(rect.Width(), rect.Height()));
    QColor c = ToQColor(color);
    p_.fillRect(QRect(rect.left, rect.top, rect.Width(), w), c);
    p_.fillRect(QRect(rect.left, rect.bottom - w, rect.Width(), w), c);
    p_.fillRect(QRect(rect.left, rect.top + w, w, rect.Height() - 2 * w), c);
    p_.fillRect(QRect(rect.right - w, rect.top + w, w, rect.Height() - 2 * w), c);
}

void QtRenderTarget::DrawRoundRectOutline(const Rect& rect, int radius, int width, Color color) {
    if (rect.IsEmpty())
        return;
    Stroke(width, color);
    qreal r = std::max(0.0, radius - width / 2.0);
    p_.drawRoundedRect(Inset(rect, width), r, r);
}

void QtRenderTarget::DrawEllipseOutline(const Rect& rect, int width, Color color) {
    if (rect.IsEmpty())
        return;
    Stroke(width, color);
    p_.drawEllipse(Inset(rect, width));
}

void QtRenderTarget::DrawArc(const Rect& rect, double startDegrees, double sweepDegrees, int width,
                             Color color) {
    if (rect.IsEmpty())
        return;
    Stroke(width, color);
    p_.drawArc(Inset(rect, width), static_cast<int>(startDegrees * 16),
               static_cast<int>(sweepDegrees * 16));
}

void QtRenderTarget::DrawLine(Point from, Point to, int width, Color color) {
    QPen pen(ToQColor(color));
    pen.setWidth(std::max(1, width));
    pen.setCapStyle(Qt::FlatCap);
    p_.setPen(pen);
    // Axis-aligned lines sit on pixel centres so a 1-pixel line is one sharp pixel wide.
    qreal off = (pen.width() % 2) ? 0.5 : 0.0;
    if (from.y == to.y)
        p_.drawLine(QPointF(from.x, from.y + off), QPointF(to.x, to.y + off));
    else if (from.x == to.x)
        p_.drawLine(QPointF(from.x + off, from.y), QPointF(to.x + off, to.y));
    else
        p_.drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
}

void QtRenderTarget::DrawImage(const Image& image, const Rect& dest, const Rect& source,
                               uint8_t alpha, std::optional<Color> tint) {
    if (dest.IsEmpty() || source.IsEmpty() || alpha == 0)
        return;
    const auto* qimage = dynamic_cast<const QtImage*>(&image);
    if (!qimage)
        return;  // an image of another realisation cannot be drawn here
    p_.save();
    p_.setOpacity(alpha / 255.0);
    bool scaled = dest.Width() != source.Width() || dest.Height() != source.Height();
    p_.setRenderHint(QPainter::SmoothPixmapTransform, scaled);
    if (tint) {
        // The tint colour where the image has ink, keeping the image's own alpha.
        QImage part = qimage->Get().copy(ToQRect(source));
        QImage tinted(part.size(), QImage::Format_ARGB32_Premultiplied);
        tinted.fill(QColor::fromRgba(*tint | 0xFF000000u));
        QPainter mask(&tinted);
        mask.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        mask.drawImage(0, 0, part);
        mask.end();
        p_.drawImage(ToQRectF(dest), tinted);
    } else {
        p_.drawImage(ToQRectF(dest), qimage->Get(), ToQRectF(source));
    }
    p_.restore();
}

void QtRenderTarget::DrawText(const std::string& utf8, const Rect& rect, const FontSpec& font,
                              Color color, uint32_t format) {
    if (utf8.empty() || rect.IsEmpty())
        return;
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    p_.setFont(FontFor(font));
    p_.setPen(ToQColor(color));
    QRect box = ToQRect(rect);
    if ((format & kTextEndEllipsis) && !(format & kTextWordBreak))
        text = MetricsFor(font).elidedText(text, Qt::ElideRight, box.width());
    p_.drawText(box, QtTextFlags(format), text);
}

Size QtRenderTarget::MeasureText(const std::string& utf8, const FontSpec& font, uint32_t format,
                                 int maxWidth) {
    return MeasureTextWith(utf8, font, format, maxWidth);
}

}  // namespace ui::qt
