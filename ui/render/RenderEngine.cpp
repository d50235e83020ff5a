#include "ui/render/RenderEngine.h"

#include <algorithm>

namespace ui {
namespace {

// More tiles than this are drawn stretched: a tiny tile over a huge area is a skin mistake,
// not a reason to stall painting.
constexpr long kMaxTiles = 20000;

bool IsZero(const Rect& r) {
    return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0;
}

void DrawPart(RenderTarget& target, const Image& image, const Rect& dst, const Rect& src,
              bool tileX, bool tileY, uint8_t alpha, std::optional<Color> tint) {
    if (dst.IsEmpty() || src.IsEmpty())
        return;
    if (!tileX && !tileY) {
        target.DrawImage(image, dst, src, alpha, tint);
        return;
    }
    int stepX = tileX ? src.Width() : dst.Width();
    int stepY = tileY ? src.Height() : dst.Height();
    long tiles = (long(dst.Width()) / stepX + 1) * (long(dst.Height()) / stepY + 1);
    if (tiles > kMaxTiles) {
        target.DrawImage(image, dst, src, alpha, tint);
        return;
    }
    for (int y = dst.top; y < dst.bottom; y += stepY) {
        int h = std::min(stepY, dst.bottom - y);
        for (int x = dst.left; x < dst.right; x += stepX) {
            int w = std::min(stepX, dst.right - x);
            Rect s = src;
            // A cut-off last tile shows the matching part of the source, not a squeezed one.
            if (tileX)
                s.right = s.left + w;
            if (tileY)
                s.bottom = s.top + h;
            target.DrawImage(image, Rect{x, y, x + w, y + h}, s, alpha, tint);
        }
    }
}

// Splits [from, to) at the two margins, keeping the middle non-negative.
void Split(int from, int to, int first, int last, int out[4]) {
    int span = std::max(0, to - from);
    first = std::clamp(first, 0, span);
    last = std::clamp(last, 0, span - first);
    out[0] = from;
    out[1] = from + first;
    out[2] = to - last;
    out[3] = to;
}

// Like Split, but keeps at least one source pixel in the middle: corners that meet would
// leave nothing to stretch across the middle of a wider target.
void SplitSource(int from, int to, int first, int last, int out[4]) {
    int span = to - from;
    if (span >= 3 && first >= 0 && last >= 0 && first + last >= span) {
        first = std::min(first, (span - 1) / 2);
        last = span - 1 - first;
    }
    Split(from, to, first, last, out);
}

struct Piece {
    std::string text;
    FontSpec font;
    Color color = 0;
    bool strike = false;
    int link = -1;
    int x = 0;
    Size size;
};

struct Line {
    std::vector<Piece> pieces;
    int width = 0;
    int visibleWidth = 0;  // without the blanks that end the line
    int height = 0;
};

FontSpec ResolveFont(DrawResources* res, int id) {
    return res ? res->RenderFont(id) : FontSpec{};
}

// Words with their trailing blanks, so wrapping never starts a line with a blank.
std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find(' ', pos);
        if (end == std::string::npos) {
            words.push_back(text.substr(pos));
            break;
        }
        end = text.find_first_not_of(' ', end);
        if (end == std::string::npos)
            end = text.size();
        words.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

}  // namespace

bool CRenderEngine::DrawImageString(RenderTarget& target, DrawResources* res, const Rect& rc,
                                    const Rect& paint, const std::string& image,
                                    const std::string& modify, uint32_t tintRgb, int level,
                                    bool tinted) {
    if (!res || image.empty())
        return false;
    const TDrawInfo& info = res->RenderImages().GetDrawInfo(image, modify);
    if (tinted)
        return DrawImageInfo(target, res, rc, paint, info, ColorFromRgbWord(tintRgb), level);
    return DrawImageInfo(target, res, rc, paint, info);
}

bool CRenderEngine::DrawImageInfo(RenderTarget& target, DrawResources* res, const Rect& rc,
                                  const Rect& paint, const TDrawInfo& info,
                                  std::optional<Color> tint, int level) {
    if (!res || info.file.empty())
        return false;
    const TImageInfo* img = res->RenderImages().GetImage(info.file, info.resType, info.mask);
    if (!img)
        return false;

    Rect dest = rc;
    if (!IsZero(info.dest)) {
        dest = Rect{rc.left + res->RenderScale(info.dest.left),
                    rc.top + res->RenderScale(info.dest.top),
                    std::min(rc.right, rc.left + res->RenderScale(info.dest.right)),
                    std::min(rc.bottom, rc.top + res->RenderScale(info.dest.bottom))};
    }
    Rect source = info.source;
    if (IsZero(source))
        source = Rect{0, 0, img->width, img->height};
    source.right = std::min(source.right, img->width);
    source.bottom = std::min(source.bottom, img->height);
    if (source.IsEmpty() || dest.Intersect(rc).IsEmpty() || dest.Intersect(paint).IsEmpty())
        return false;

    int alpha = info.fade;
    if (tint)
        alpha = alpha * std::clamp(level, 0, 255) / 255;
    DrawImage(target, *img->image, dest, paint, source, info.corner, true,
              static_cast<uint8_t>(alpha), info.hole, info.xTiled, info.yTiled, tint);
    return true;
}

void CRenderEngine::DrawImage(RenderTarget& target, const Image& image, const Rect& dest,
                              const Rect& paint, const Rect& source, const Rect& corner,
                              bool /*alphaBlend*/, uint8_t fade, bool hole, bool xTiled,
                              bool yTiled, std::optional<Color> tint) {
    Rect src = source.Intersect(Rect{0, 0, image.Width(), image.Height()});
    if (fade == 0 || src.IsEmpty() || dest.IsEmpty())
        return;
    Rect visible = dest.Intersect(paint);
    if (visible.IsEmpty())
        return;

    target.PushClip(visible);
    if (IsZero(corner) && !hole) {
        DrawPart(target, image, dest, src, xTiled, yTiled, fade, tint);
    } else {
        int sx[4], sy[4], dx[4], dy[4];
        SplitSource(src.left, src.right, corner.left, corner.right, sx);
        SplitSource(src.top, src.bottom, corner.top, corner.bottom, sy);
        Split(dest.left, dest.right, sx[1] - sx[0], sx[3] - sx[2], dx);
        Split(dest.top, dest.bottom, sy[1] - sy[0], sy[3] - sy[2], dy);
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (hole && row == 1 && col == 1)
                    continue;
                Rect d{dx[col], dy[row], dx[col + 1], dy[row + 1]};
                Rect s{sx[col], sy[row], sx[col + 1], sy[row + 1]};
                DrawPart(target, image, d, s, xTiled && col == 1, yTiled && row == 1, fade, tint);
            }
        }
    }
    target.PopClip();
}

void CRenderEngine::DrawColor(RenderTarget& target, const Rect& rc, Color color) {
    if (ColorAlpha(color) == 0 || rc.IsEmpty())
        return;
    target.FillRect(rc, color);
}

void CRenderEngine::DrawGradient(RenderTarget& target, const Rect& rc, Color first, Color second,
                                 bool vertical, int steps) {
    int span = vertical ? rc.Height() : rc.Width();
    if (span <= 0)
        return;
    steps = std::clamp(steps, 1, span);
    auto mix = [](uint8_t a, uint8_t b, int i, int n) {
        return static_cast<uint8_t>(n <= 1 ? a : a + (int(b) - int(a)) * i / (n - 1));
    };
    for (int i = 0; i < steps; ++i) {
        int from = span * i / steps, to = span * (i + 1) / steps;
        Color c = MakeColor(mix(ColorRed(first), ColorRed(second), i, steps),
                            mix(ColorGreen(first), ColorGreen(second), i, steps),
                            mix(ColorBlue(first), ColorBlue(second), i, steps),
                            mix(ColorAlpha(first), ColorAlpha(second), i, steps));
        Rect band = vertical ? Rect{rc.left, rc.top + from, rc.right, rc.top + to}
                             : Rect{rc.left + from, rc.top, rc.left + to, rc.bottom};
        DrawColor(target, band, c);
    }
}

void CRenderEngine::DrawLine(RenderTarget& target, const Rect& rc, int width, Color color) {
    if (ColorAlpha(color) == 0 || width <= 0)
        return;
    target.DrawLine(Point{rc.left, rc.top}, Point{rc.right, rc.bottom}, width, color);
}

void CRenderEngine::DrawRect(RenderTarget& target, const Rect& rc, int width, Color color) {
    if (ColorAlpha(color) == 0 || width <= 0 || rc.IsEmpty())
        return;
    target.DrawRectOutline(rc, width, color);
}

void CRenderEngine::DrawRoundRect(RenderTarget& target, const Rect& rc, int width, int radius,
                                  Color color) {
    if (ColorAlpha(color) == 0 || width <= 0 || rc.IsEmpty())
        return;
    target.DrawRoundRectOutline(rc, radius, width, color);
}

void CRenderEngine::FillRoundRect(RenderTarget& target, const Rect& rc, int radius, Color color) {
    if (ColorAlpha(color) == 0 || rc.IsEmpty())
        return;
    target.FillRoundRect(rc, radius, color);
}

void CRenderEngine::FillEllipse(RenderTarget& target, const Rect& rc, Color color) {
    if (ColorAlpha(color) == 0 || rc.IsEmpty())
        return;
    target.FillEllipse(rc, color);
}

void CRenderEngine::FillPie(RenderTarget& target, const Rect& rc, double startDegrees,
                            double sweepDegrees, Color color) {
    if (ColorAlpha(color) == 0 || rc.IsEmpty() || sweepDegrees == 0)
        return;
    target.FillPie(rc, startDegrees, sweepDegrees, color);
}

void CRenderEngine::DrawText(RenderTarget& target, DrawResources* res, Rect& rc,
                             const std::string& text, Color color, int fontId, uint32_t format) {
    DrawText(target, rc, text, color, ResolveFont(res, fontId), format);
}

void CRenderEngine::DrawText(RenderTarget& target, Rect& rc, const std::string& text, Color color,
                             const FontSpec& font, uint32_t format) {
    if (format & kTextCalcRect) {
        int limit = (format & kTextWordBreak) && !(format & kTextSingleLine) ? rc.Width() : 0;
        Size size = target.MeasureText(text, font, format & ~kTextCalcRect, std::max(0, limit));
        rc.right = rc.left + size.cx;
        rc.bottom = rc.top + size.cy;
        return;
    }
    if (text.empty() || rc.IsEmpty() || ColorAlpha(color) == 0)
        return;
    target.DrawText(text, rc, font, color, format);
}

Size CRenderEngine::GetTextSize(RenderTarget& target, DrawResources* res, const std::string& text,
                                int fontId, uint32_t format) {
    return target.MeasureText(text, ResolveFont(res, fontId), format & ~kTextCalcRect, 0);
}

void CRenderEngine::DrawHtmlText(RenderTarget& target, DrawResources* res, Rect& rc,
                                 const std::string& text, Color color, int fontId, uint32_t format,
                                 std::vector<HtmlLink>* links, Color linkColor) {
    if (links)
        links->clear();
    HtmlDocument doc = ParseHtmlText(text);
    const bool wrap = (format & kTextWordBreak) && !(format & kTextSingleLine);
    const int maxWidth = rc.Width();
    const FontSpec baseFont = ResolveFont(res, fontId);
    const int baseHeight = target.MeasureText("Ay", baseFont, kTextSingleLine, 0).cy;

    std::vector<Line> lines(1);
    for (const HtmlRun& run : doc.runs) {
        if (run.lineBreak) {
            if (format & kTextSingleLine)
                continue;
            lines.emplace_back();
            continue;
        }
        FontSpec font = run.fontId >= 0 ? ResolveFont(res, run.fontId) : baseFont;
        font.bold = font.bold || run.bold;
        font.italic = font.italic || run.italic;
        font.underline = font.underline || run.underline || run.link >= 0;
        Color pieceColor = run.color ? *run.color : (run.link >= 0 ? linkColor : color);
        std::vector<std::string> words = wrap ? SplitWords(run.text) : std::vector{run.text};
        for (std::string& word : words) {
            Size size = target.MeasureText(word, font, kTextSingleLine, 0);
            size_t kept = word.find_last_not_of(' ') + 1;  // 0 for a word of blanks
            int inked = kept == 0 || kept == word.size()
                            ? size.cx
                            : target.MeasureText(word.substr(0, kept), font, kTextSingleLine, 0).cx;
            Line* line = &lines.back();
            if (wrap && !line->pieces.empty() && line->width + inked > maxWidth) {
                lines.emplace_back();
                line = &lines.back();
            }
            line->visibleWidth = line->width + inked;
            line->pieces.push_back(
                Piece{std::move(word), font, pieceColor, run.strike, run.link, line->width, size});
            line->width += size.cx;
            line->height = std::max(line->height, size.cy);
        }
    }

    int total = 0, widest = 0;
    for (Line& line : lines) {
        if (line.height == 0)
            line.height = baseHeight;
        total += line.height;
        widest = std::max(widest, line.visibleWidth);
    }
    if (format & kTextCalcRect) {
        rc.right = rc.left + widest;
        rc.bottom = rc.top + total;
        return;
    }

    int y = rc.top;
    if (format & kTextVCenter)
        y += (rc.Height() - total) / 2;
    else if (format & kTextBottom)
        y += rc.Height() - total;

    const bool clip = !(format & kTextNoClip);
    if (clip)
        target.PushClip(rc);
    for (const Line& line : lines) {
        int x = rc.left;
        if (format & kTextCenter)
            x += (maxWidth - line.visibleWidth) / 2;
        else if (format & kTextRight)
            x += maxWidth - line.visibleWidth;
        for (const Piece& piece : line.pieces) {
            Rect box{x + piece.x, y, x + piece.x + piece.size.cx, y + line.height};
            // Pieces of one line share a baseline closely enough when bottom-aligned.
            if (ColorAlpha(piece.color) != 0)
                target.DrawText(piece.text, box, piece.font, piece.color,
                                kTextSingleLine | kTextBottom | kTextNoPrefix | kTextNoClip);
            if (piece.strike) {
                int mid = box.bottom - piece.size.cy / 2;
                target.DrawLine(Point{box.left, mid}, Point{box.right, mid},
                                std::max(1, piece.font.size / 14), piece.color);
            }
            if (links && piece.link >= 0)
                links->push_back(HtmlLink{box, doc.links[static_cast<size_t>(piece.link)]});
        }
        y += line.height;
    }
    if (clip)
        target.PopClip();
}

}  // namespace ui
