#pragma once
// The editing state of a single-line edit: UTF-8 text, caret and selection as byte offsets
// that always sit on character boundaries, and the input rules (digits only, maximum
// length, number limits). No drawing and no control: CEditUI maps keys and clicks onto it.
#include <cstddef>
#include <optional>
#include <string>

namespace ui {

// Where cut, copy and paste go; the edit passes the realisation's clipboard, tests a string.
class ClipboardAccess {
  public:
    virtual ~ClipboardAccess() = default;
    virtual std::string GetText() = 0;
    virtual void SetText(const std::string& text) = 0;
};

enum class CaretMove { CharLeft, CharRight, WordLeft, WordRight, Home, End };

class TextEditModel {
  public:
    const std::string& Text() const { return text_; }
    // Replaces the text as code does: invalid UTF-8 and line breaks are dropped, the rules
    // apply (a digits-only edit keeps only the digits, the length is cut). Caret to the end.
    // Returns whether the text changed.
    bool SetText(const std::string& utf8);

    size_t CharCount() const;

    // --- caret and selection (byte offsets on character boundaries) --------------------
    size_t Caret() const { return caret_; }
    size_t Anchor() const { return anchor_; }
    size_t SelectionBegin() const { return anchor_ < caret_ ? anchor_ : caret_; }
    size_t SelectionEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
    bool HasSelection() const { return anchor_ != caret_; }
    std::string SelectedText() const;
    // Offsets are clamped to the text and moved back to the start of their character.
    void SetSelection(size_t anchor, size_t caret);
    void SetCaret(size_t offset, bool extendSelection);
    void SelectAll();
    void MoveCaret(CaretMove move, bool extendSelection);
    // The word around an offset (double click).
    void SelectWordAt(size_t offset);

    // --- editing; each returns whether the text changed --------------------------------
    // Replaces the selection with the text after the input rules; a digits-only edit
    // refuses anything that is not a digit, and the maximum length cuts what does not fit.
    bool Insert(const std::string& utf8);
    bool Backspace();       // the selection, or the character before the caret
    bool DeleteForward();   // the selection, or the character after the caret
    bool DeleteWordBack();  // Ctrl+Backspace
    bool Cut(ClipboardAccess& clipboard);
    void Copy(ClipboardAccess& clipboard) const;
    bool Paste(ClipboardAccess& clipboard);

    // --- input rules --------------------------------------------------------------------
    void SetDigitsOnly(bool digitsOnly) { digitsOnly_ = digitsOnly; }
    bool IsDigitsOnly() const { return digitsOnly_; }
    // In characters; 0 means unlimited. Shortens a longer current text.
    void SetMaxChars(size_t maxChars);
    size_t MaxChars() const { return maxChars_; }
    // Inclusive limits applied by ApplyNumberLimits (when the edit loses focus).
    void SetNumberLimits(long long minValue, long long maxValue);
    void ClearNumberLimits() { limits_.reset(); }
    bool HasNumberLimits() const { return limits_.has_value(); }
    // A number outside the limits becomes the nearest limit; empty text stays empty.
    // Returns whether the text changed.
    bool ApplyNumberLimits();

    // --- UTF-8 helpers shared with the control's hit testing -----------------------------
    static size_t NextBoundary(const std::string& text, size_t offset);
    static size_t PrevBoundary(const std::string& text, size_t offset);
    // Invalid sequences, NULs and line breaks removed; tabs become spaces.
    static std::string Sanitize(const std::string& utf8);

  private:
    std::string Filter(const std::string& utf8) const;
    bool ReplaceSelection(const std::string& filtered);
    size_t Snap(size_t offset) const;

    std::string text_;
    size_t caret_ = 0;
    size_t anchor_ = 0;
    bool digitsOnly_ = false;
    size_t maxChars_ = 0;
    struct Limits {
        long long min;
        long long max;
    };
    std::optional<Limits> limits_;
};

}  // namespace ui
