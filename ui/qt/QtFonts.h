#pragma once
// QFonts for FontSpecs, made once and reused (painting asks for the same few fonts again
// and again). Window thread only.
#include <QFont>
#include <QFontMetrics>

#include "ui/core/RenderTarget.h"

namespace ui::qt {

const QFont& FontFor(const FontSpec& wanted);
const QFontMetrics& MetricsFor(const FontSpec& wanted);
void ClearFontCache();
// Text asked for in `face` is drawn in `family` first (`face` stays the second choice);
// clears the cache.
void SetFaceSubstitute(const std::string& face, const std::string& family);

// Qt alignment/wrapping flags for kText* format flags.
int QtTextFlags(uint32_t format);

// The size text needs with the format, within maxWidth when word-breaking (0: unlimited).
Size MeasureTextWith(const std::string& utf8, const FontSpec& font, uint32_t format, int maxWidth);

}  // namespace ui::qt
