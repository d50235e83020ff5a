#pragma once
// The small mark-up of DrawHtmlText. Tags (names without regard to case, closing tags
// "</x>" end the innermost of their kind):
//   <b>…</b> bold   <i>…</i> italic   <u>…</u> underline   <s>…</s> struck through
//   <c #AARRGGBB>…</c> text colour ("#RRGGBB" is opaque)   <f id>…</f> font by id
//   <a target>…</a> link (target optional; the link rectangles are reported)
//   <n> line break (also "<br>")
// Entities &lt; &gt; &amp; &quot; stand for < > & ". A "<" that starts no known tag is text.
#include <optional>
#include <string>
#include <vector>

#include "ui/core/Geometry.h"

namespace ui {

struct HtmlRun {
    std::string text;  // empty for a line break
    bool lineBreak = false;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int fontId = -1;  // -1: the font the caller passed
    std::optional<Color> color;
    int link = -1;  // index into HtmlDocument::links
};

struct HtmlDocument {
    std::vector<HtmlRun> runs;
    std::vector<std::string> links;  // targets, in order of appearance
};

HtmlDocument ParseHtmlText(const std::string& markup);

// The text without tags (entities decoded, line breaks as "\n").
std::string HtmlPlainText(const std::string& markup);

}  // namespace ui
