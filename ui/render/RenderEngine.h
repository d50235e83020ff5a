#pragma once
// Drawing helpers that controls paint with, all over one RenderTarget: image descriptions
// with nine-grid, tiling, fade and tint, colours, outlines, plain and mark-up text, and the
// anti-aliased fills custom controls need. Stateless; everything runs on the window thread.
#include <optional>
#include <string>
#include <vector>

#include "platform/WindowsMacros.h"
#include "ui/core/Geometry.h"
#include "ui/core/RenderTarget.h"
#include "ui/render/HtmlText.h"
#include "ui/render/ImageCache.h"
#include "ui/render/ImageDescription.h"

namespace ui {

// What drawing needs from the window that paints: its image cache, its fonts by id and its
// DPI scaling. The paint manager provides it.
class DrawResources {
  public:
    virtual ~DrawResources() = default;
    virtual ImageCache& RenderImages() = 0;
    // The font registered under id; the default font for -1 or an unknown id.
    virtual FontSpec RenderFont(int id) = 0;
    // A length in 96-DPI pixels scaled to the window's DPI.
    virtual int RenderScale(int value) = 0;
};

// A clickable part of mark-up text as laid out.
struct HtmlLink {
    Rect rect;
    std::string target;
};

// Win32 order colour word (red + green·256 + blue·65536, high byte ignored), as device code
// packs LED colours, turned into an opaque Color.
constexpr Color ColorFromRgbWord(uint32_t word) {
    return MakeColor(static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8),
                     static_cast<uint8_t>(word >> 16));
}

class CRenderEngine {
  public:
    // Draws the image a description names into rc (only where it meets paint). When tinted
    // is set every pixel takes the colour of tintRgb (a Win32 order colour word, see
    // ColorFromRgbWord) keeping its own alpha, at level/255 of the image's opacity.
    // False when nothing could be drawn (no file, image missing).
    static bool DrawImageString(RenderTarget& target, DrawResources* res, const Rect& rc,
                                const Rect& paint, const std::string& image,
                                const std::string& modify = "", uint32_t tintRgb = 0, int level = 0,
                                bool tinted = false);
    static bool DrawImageInfo(RenderTarget& target, DrawResources* res, const Rect& rc,
                              const Rect& paint, const TDrawInfo& info,
                              std::optional<Color> tint = std::nullopt, int level = 255);

    // Draws source of the image into dest, clipped to paint. Non-zero corner widths keep the
    // borders unscaled (nine-grid); hole leaves the centre out; xTiled/yTiled repeat the
    // centre instead of stretching it. alphaBlend is kept for callers; images always blend.
    static void DrawImage(RenderTarget& target, const Image& image, const Rect& dest,
                          const Rect& paint, const Rect& source, const Rect& corner,
                          bool alphaBlend, uint8_t fade = 255, bool hole = false,
                          bool xTiled = false, bool yTiled = false,
                          std::optional<Color> tint = std::nullopt);

    static void DrawColor(RenderTarget& target, const Rect& rc, Color color);
    // Bands from first to second colour, top to bottom (vertical) or left to right.
    static void DrawGradient(RenderTarget& target, const Rect& rc, Color first, Color second,
                             bool vertical, int steps = 64);
    // A line from (rc.left, rc.top) to (rc.right, rc.bottom).
    static void DrawLine(RenderTarget& target, const Rect& rc, int width, Color color);
    static void DrawRect(RenderTarget& target, const Rect& rc, int width, Color color);
    static void DrawRoundRect(RenderTarget& target, const Rect& rc, int width, int radius,
                              Color color);
    static void FillRoundRect(RenderTarget& target, const Rect& rc, int radius, Color color);
    static void FillEllipse(RenderTarget& target, const Rect& rc, Color color);
    static void FillPie(RenderTarget& target, const Rect& rc, double startDegrees,
                        double sweepDegrees, Color color);

    // Text with kText* format flags. With kTextCalcRect nothing is drawn and rc's right and
    // bottom become the size the text needs (rc.right is the width limit when word-breaking).
    static void DrawText(RenderTarget& target, DrawResources* res, Rect& rc,
                         const std::string& text, Color color, int fontId, uint32_t format);
    static void DrawText(RenderTarget& target, Rect& rc, const std::string& text, Color color,
                         const FontSpec& font, uint32_t format);
    static Size GetTextSize(RenderTarget& target, DrawResources* res, const std::string& text,
                            int fontId, uint32_t format);

    // Mark-up text (tags in ui/render/HtmlText.h) laid out in rc: word-wrapped unless
    // kTextSingleLine, aligned by the format flags. Links are drawn in linkColor and their
    // rectangles reported when links is given. kTextCalcRect measures as DrawText does.
    static void DrawHtmlText(RenderTarget& target, DrawResources* res, Rect& rc,
                             const std::string& text, Color color, int fontId, uint32_t format,
                             std::vector<HtmlLink>* links = nullptr, Color linkColor = 0xFF1A73E8);
};

}  // namespace ui
