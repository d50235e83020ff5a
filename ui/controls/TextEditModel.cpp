#include "ui/controls/TextEditModel.h"

#include <algorithm>
#include <charconv>

namespace ui {
namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence starting at i, 0 when it is invalid.
size_t SequenceLength(const std::string& s, size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t len = 0;
    uint32_t cp = 0;
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0) {
        len = 2;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (size_t k = 1; k < len; ++k) {
        const auto cc = static_cast<unsigned char>(s[i + k]);
        if (!IsContinuation(cc))
            return 0;
        cp = (cp << 6) | (cc & 0x3F);
    }
    // Overlong forms, surrogates and values beyond the Unicode range are refused.
    static constexpr uint32_t kMinForLength[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinForLength[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

// Letters, digits and every non-ASCII character belong to words; the rest separates them.
bool IsWordByte(unsigned char c) {
    return c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
           (c >= 'A' && c <= 'Z') || c == '_';
}

}  // namespace

size_t TextEditModel::NextBoundary(const std::string& text, size_t offset) {
    if (offset >= text.size())
        return text.size();
    ++offset;
    while (offset < text.size() && IsContinuation(static_cast<unsigned char>(text[offset])))
        ++offset;
    return offset;
}

size_t TextEditModel::PrevBoundary(const std::string& text, size_t offset) {
    if (offset == 0)
        return 0;
    offset = std::min(offset, text.size());
    --offset;
    while (offset > 0 && IsContinuation(static_cast<unsigned char>(text[offset])))
        --offset;
    return offset;
}

std::string TextEditModel::Sanitize(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const size_t len = SequenceLength(utf8, i);
        if (len == 0) {
            ++i;
            continue;
        }
        const char c = utf8[i];
        if (len == 1 && (c == '\r' || c == '\n' || c == '\0')) {
            // a single-line edit has no line breaks
        } else if (len == 1 && c == '\t') {
            out += ' ';
        } else if (len == 1 && static_cast<unsigned char>(c) < 0x20) {
            // other control characters are not text
        } else {
            out.append(utf8, i, len);
        }
        i += len;
    }
    return out;
}

std::string TextEditModel::Filter(const std::string& utf8) const {
    std::string clean = Sanitize(utf8);
    if (digitsOnly_) {
        std::erase_if(clean, [](char c) { return c < '0' || c > '9'; });
    }
    return clean;
}

size_t TextEditModel::CharCount() const {
    size_t n = 0;
    for (unsigned char c : text_)
        if (!IsContinuation(c))
            ++n;
    return n;
}

size_t TextEditModel::Snap(size_t offset) const {
    offset = std::min(offset, text_.size());
    while (offset > 0 && offset < text_.size() &&
           IsContinuation(static_cast<unsigned char>(text_[offset])))
        --offset;
    return offset;
}

bool TextEditModel::SetText(const std::string& utf8) {
    std::string filtered = Filter(utf8);
    if (maxChars_ > 0) {
        size_t chars = 0, end = 0;
        while (end < filtered.size() && chars < maxChars_) {
            end = NextBoundary(filtered, end);
            ++chars;
        }
        filtered.resize(end);
    }
    const bool changed = filtered != text_;
    text_ = std::move(filtered);
    caret_ = anchor_ = text_.size();
    return changed;
}

std::string TextEditModel::SelectedText() const {
    return text_.substr(SelectionBegin(), SelectionEnd() - SelectionBegin());
}

void TextEditModel::SetSelection(size_t anchor, size_t caret) {
    anchor_ = Snap(anchor);
    caret_ = Snap(caret);
}

void TextEditModel::SetCaret(size_t offset, bool extendSelection) {
    caret_ = Snap(offset);
    if (!extendSelection)
        anchor_ = caret_;
}

void TextEditModel::SelectAll() {
    anchor_ = 0;
    caret_ = text_.size();
}

void TextEditModel::MoveCaret(CaretMove move, bool extendSelection) {
    size_t pos = caret_;
    const auto byteAt = [this](size_t i) { return static_cast<unsigned char>(text_[i]); };
    switch (move) {
        case CaretMove::CharLeft:
            // Without Shift an existing selection collapses to its start, as desktop edits do.
            if (HasSelection() && !extendSelection) {
                pos = SelectionBegin();
            } else {
                pos = PrevBoundary(text_, pos);
            }
            break;
        case CaretMove::CharRight:
            if (HasSelection() && !extendSelection) {
                pos = SelectionEnd();
            } else {
                pos = NextBoundary(text_, pos);
            }
            break;
        case CaretMove::WordLeft:
            while (pos > 0 && !IsWordByte(byteAt(pos - 1)))
                --pos;
            while (pos > 0 && IsWordByte(byteAt(pos - 1)))
                --pos;
            break;
        case CaretMove::WordRight:
            while (pos < text_.size() && IsWordByte(byteAt(pos)))
                ++pos;
            while (pos < text_.size() && !IsWordByte(byteAt(pos)))
                ++pos;
            break;
        case CaretMove::Home:
            pos = 0;
            break;
        case CaretMove::End:
            pos = text_.size();
            break;
    }
    SetCaret(pos, extendSelection);
}

void TextEditModel::SelectWordAt(size_t offset) {
    offset = Snap(offset);
    const auto isWord = [this](size_t i) {
        return IsWordByte(static_cast<unsigned char>(text_[i]));
    };
    size_t begin = offset, end = offset;
    if (offset < text_.size() && isWord(offset)) {
        while (begin > 0 && isWord(begin - 1))
            --begin;
        while (end < text_.size() && isWord(end))
            ++end;
    } else if (offset < text_.size()) {
        end = NextBoundary(text_, offset);
    }
    SetSelection(begin, end);
}

bool TextEditModel::ReplaceSelection(const std::string& filtered) {
    const size_t begin = SelectionBegin();
    const size_t end = SelectionEnd();
    std::string insert = filtered;
    if (maxChars_ > 0) {
        size_t keptChars = 0;
        for (size_t i = 0; i < text_.size(); ++i) {
            if ((i < begin || i >= end) && !IsContinuation(static_cast<unsigned char>(text_[i])))
                ++keptChars;
        }
        const size_t room = keptChars >= maxChars_ ? 0 : maxChars_ - keptChars;
        size_t chars = 0, cut = 0;
        while (cut < insert.size() && chars < room) {
            cut = NextBoundary(insert, cut);
            ++chars;
        }
        insert.resize(cut);
    }
    if (insert.empty() && begin == end)
        return false;
    text_.replace(begin, end - begin, insert);
    caret_ = anchor_ = begin + insert.size();
    return true;
}

bool TextEditModel::Insert(const std::string& utf8) {
    const std::string filtered = Filter(utf8);
    // Typing a refused character must not wipe the selection it would have replaced.
    if (filtered.empty())
        return false;
    return ReplaceSelection(filtered);
}

bool TextEditModel::Backspace() {
    if (!HasSelection()) {
        if (caret_ == 0)
            return false;
        anchor_ = PrevBoundary(text_, caret_);
    }
    return ReplaceSelection({});
}

bool TextEditModel::DeleteForward() {
    if (!HasSelection()) {
        if (caret_ >= text_.size())
            return false;
        anchor_ = NextBoundary(text_, caret_);
    }
    return ReplaceSelection({});
}

bool TextEditModel::DeleteWordBack() {
    if (!HasSelection()) {
        const size_t end = caret_;
        MoveCaret(CaretMove::WordLeft, false);
        anchor_ = end;
    }
    return ReplaceSelection({});
}

bool TextEditModel::Cut(ClipboardAccess& clipboard) {
    if (!HasSelection())
        return false;
    clipboard.SetText(SelectedText());
    return ReplaceSelection({});
}

void TextEditModel::Copy(ClipboardAccess& clipboard) const {
    if (HasSelection())
        clipboard.SetText(SelectedText());
}

bool TextEditModel::Paste(ClipboardAccess& clipboard) {
    return Insert(clipboard.GetText());
}

void TextEditModel::SetMaxChars(size_t maxChars) {
    maxChars_ = maxChars;
    if (maxChars_ > 0 && CharCount() > maxChars_) {
        const size_t anchor = anchor_, caret = caret_;
        SetText(text_);
        SetSelection(anchor, caret);
    }
}

void TextEditModel::SetNumberLimits(long long minValue, long long maxValue) {
    if (minValue > maxValue)
        std::swap(minValue, maxValue);
    limits_ = Limits{minValue, maxValue};
}

bool TextEditModel::ApplyNumberLimits() {
    if (!limits_ || text_.empty())
        return false;
    long long value = 0;
    const char* first = text_.data();
    const char* last = first + text_.size();
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ptr == first)
        return false;  // not a number: left for the owner to judge
    if (ec == std::errc::result_out_of_range) {
        value = (*first == '-') ? limits_->min : limits_->max;
    }
    const long long clamped = std::clamp(value, limits_->min, limits_->max);
    if (clamped == value && ec == std::errc())
        return false;
    return SetText(std::to_string(clamped));
}

}  // namespace ui
