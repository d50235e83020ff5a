#include "ui/render/HtmlText.h"

#include <cctype>
#include <cstdlib>

#include "ui/render/ImageDescription.h"

namespace ui {
namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return "";
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

struct Style {
    int bold = 0, italic = 0, underline = 0, strike = 0;
    std::vector<Color> colors;
    std::vector<int> fonts;
    int link = -1;
};

class Parser {
  public:
    explicit Parser(const std::string& text) : text_(text) {}

    HtmlDocument Run() {
        size_t pos = 0;
        while (pos < text_.size()) {
            char c = text_[pos];
            if (c == '<') {
                size_t close = text_.find('>', pos + 1);
                if (close != std::string::npos &&
                    ApplyTag(text_.substr(pos + 1, close - pos - 1))) {
                    pos = close + 1;
                    continue;
                }
                pending_ += c;
                ++pos;
            } else if (c == '&') {
                pos = Entity(pos);
            } else {
                pending_ += c;
                ++pos;
            }
        }
        Flush();
        return std::move(doc_);
    }

  private:
    size_t Entity(size_t pos) {
        static const struct {
            const char* name;
            char ch;
        } kEntities[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}};
        for (const auto& e : kEntities) {
            if (text_.compare(pos, std::char_traits<char>::length(e.name), e.name) == 0) {
                pending_ += e.ch;
                return pos + std::char_traits<char>::length(e.name);
            }
        }
        pending_ += '&';
        return pos + 1;
    }

    void Flush() {
        if (pending_.empty())
            return;
        HtmlRun run;
        run.text = std::move(pending_);
        pending_.clear();
        run.bold = style_.bold > 0;
        run.italic = style_.italic > 0;
        run.underline = style_.underline > 0;
        run.strike = style_.strike > 0;
        if (!style_.colors.empty())
            run.color = style_.colors.back();
        if (!style_.fonts.empty())
            run.fontId = style_.fonts.back();
        run.link = style_.link;
        doc_.runs.push_back(std::move(run));
    }

    // Applies a known tag; false leaves the text as it stands.
    bool ApplyTag(const std::string& body) {
        std::string inner = Trim(body);
        if (inner.empty())
            return false;
        bool closing = inner[0] == '/';
        if (closing)
            inner = Trim(inner.substr(1));
        size_t space = inner.find_first_of(" \t");
        std::string name = Lower(inner.substr(0, space));
        std::string arg = space == std::string::npos ? "" : Trim(inner.substr(space + 1));

        auto counter = [&](int& n) {
            Flush();
            if (closing)
                n = n > 0 ? n - 1 : 0;
            else
                ++n;
            return true;
        };
        if (name == "b")
            return counter(style_.bold);
        if (name == "i")
            return counter(style_.italic);
        if (name == "u")
            return counter(style_.underline);
        if (name == "s")
            return counter(style_.strike);
        if (name == "n" || name == "br") {
            Flush();
            HtmlRun run;
            run.lineBreak = true;
            doc_.runs.push_back(run);
            return true;
        }
        if (name == "c") {
            if (closing) {
                Flush();
                if (!style_.colors.empty())
                    style_.colors.pop_back();
                return true;
            }
            Color color = 0;
            if (!ParseColorValue(arg, color))
                return false;
            Flush();
            style_.colors.push_back(color);
            return true;
        }
        if (name == "f") {
            if (closing) {
                Flush();
                if (!style_.fonts.empty())
                    style_.fonts.pop_back();
                return true;
            }
            char* end = nullptr;
            long id = std::strtol(arg.c_str(), &end, 10);
            if (arg.empty() || *end != '\0' || id < 0 || id > 100000)
                return false;
            Flush();
            style_.fonts.push_back(static_cast<int>(id));
            return true;
        }
        if (name == "a") {
            Flush();
            if (closing) {
                style_.link = -1;
            } else {
                style_.link = static_cast<int>(doc_.links.size());
                doc_.links.push_back(arg);
            }
            return true;
        }
        return false;
    }

    const std::string& text_;
    std::string pending_;
    Style style_;
    HtmlDocument doc_;
};

}  // namespace

HtmlDocument ParseHtmlText(const std::string& markup) {
    return Parser(markup).Run();
}

std::string HtmlPlainText(const std::string& markup) {
    std::string out;
    for (const HtmlRun& run : ParseHtmlText(markup).runs)
        out += run.lineBreak ? "\n" : run.text;
    return out;
}

}  // namespace ui
