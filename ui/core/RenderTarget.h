#pragma once
// The one drawing interface of the GUI library. The Qt realisation draws with QPainter
// (anti-aliased); the headless one records every primitive with its geometry for tests.
// Threads: a target and the images it draws belong to the window thread.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/WindowsMacros.h"
#include "ui/core/Geometry.h"

namespace ui {

// Text format flags; the values are the Win32 DT_ flags that skins and callers pass.
enum TextFormat : uint32_t {
    kTextLeft = 0x0000,
    kTextCenter = 0x0001,
    kTextRight = 0x0002,
    kTextVCenter = 0x0004,
    kTextBottom = 0x0008,
    kTextWordBreak = 0x0010,
    kTextSingleLine = 0x0020,
    kTextNoClip = 0x0100,
    kTextCalcRect = 0x0400,
    kTextNoPrefix = 0x0800,
    kTextEndEllipsis = 0x8000,
};

struct FontSpec {
    std::string face;  // empty: the default face
    int size = 12;     // pixel height, already DPI-scaled
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// A decoded picture owned by the realisation that decoded it.
class Image {
  public:
    virtual ~Image() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // ARGB of one pixel (straight alpha); used by hit tests on shaped images.
    virtual Color PixelAt(int x, int y) const = 0;
};

class RenderTarget {
  public:
    virtual ~RenderTarget() = default;

    virtual Size PixelSize() const = 0;

    // Clips are intersected with the current one and nest.
    virtual void PushClip(const Rect& rect) = 0;
    virtual void PopClip() = 0;

    // Colours carry their own alpha; everything is blended over what is there.
    virtual void FillRect(const Rect& rect, Color color) = 0;
    virtual void FillRoundRect(const Rect& rect, int radius, Color color) = 0;
    virtual void FillEllipse(const Rect& rect, Color color) = 0;
    // Angles in degrees, 0 at three o'clock, counter-clockwise positive (as QPainter).
    virtual void FillPie(const Rect& rect, double startDegrees, double sweepDegrees,
                         Color color) = 0;
    virtual void DrawRectOutline(const Rect& rect, int width, Color color) = 0;
    virtual void DrawRoundRectOutline(const Rect& rect, int radius, int width, Color color) = 0;
    virtual void DrawEllipseOutline(const Rect& rect, int width, Color color) = 0;
    virtual void DrawArc(const Rect& rect, double startDegrees, double sweepDegrees, int width,
                         Color color) = 0;
    virtual void DrawLine(Point from, Point to, int width, Color color) = 0;

    // Draws the source part of the image scaled into dest at opacity alpha/255. With a tint,
    // every pixel takes the tint's colour and keeps its own alpha (LED previews).
    virtual void DrawImage(const Image& image, const Rect& dest, const Rect& source,
                           uint8_t alpha = 255, std::optional<Color> tint = std::nullopt) = 0;

    virtual void DrawText(const std::string& utf8, const Rect& rect, const FontSpec& font,
                          Color color, uint32_t format) = 0;
    // Size of the text laid out with the format inside maxWidth (0: unlimited).
    virtual Size MeasureText(const std::string& utf8, const FontSpec& font, uint32_t format,
                             int maxWidth) = 0;
};

}  // namespace ui
