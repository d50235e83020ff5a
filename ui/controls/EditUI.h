#pragma once
// CEditUI: a single-line text edit drawn by the library itself: caret, selection with mouse
// and keyboard, clipboard, digits-only input, a maximum length, number limits applied when
// the edit loses focus, password display and a hint text while empty.
// Notifications: "textchanged" (each change of the text) and "return"; the paint manager
// raises "setfocus" and "killfocus" for every control.
#include <optional>
#include <string>

#include "ui/controls/LabelUI.h"
#include "ui/controls/TextEditModel.h"

namespace ui {

class CEditUI : public CLabelUI {
  public:
    CEditUI();
    ~CEditUI() override;

    std::string GetClass() const override { return "EditUI"; }
    void* GetInterface(std::string_view name) override;
    UINT GetControlFlags() const override;

    // The typed text (never a translation). SetText(text) raises "textchanged" when the
    // text changed, as typing would; SetText(text, false) changes it silently.
    std::string GetText() const override;
    void SetText(const std::string& text) override;
    void SetText(const std::string& text, bool notify);
    // A new size keeps the caret in view (text set before the first layout starts unscrolled).
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;

    void SetMaxChar(UINT maxChars);  // 0: unlimited
    UINT GetMaxChar() const { return static_cast<UINT>(m_model.MaxChars()); }
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_bReadOnly; }
    void SetNumberOnly(bool numberOnly);
    bool IsNumberOnly() const { return m_model.IsDigitsOnly(); }
    // Inclusive; a number outside is replaced by the nearest limit when focus leaves.
    void SetNumberLimits(long long minValue, long long maxValue);
    void ClearNumberLimits() { m_model.ClearNumberLimits(); }
    void SetPasswordMode(bool password);
    bool IsPasswordMode() const { return m_bPasswordMode; }
    void SetPasswordChar(const std::string& utf8Char);
    void SetTipValue(const std::string& text);  // hint shown while empty and unfocused
    const std::string& GetTipValue() const { return m_sTipValue; }

    // Selection in characters (as desktop edits count); end -1: to the end.
    void SetSel(long start, long end);
    void SetSelAll();
    std::string GetSelText() const { return m_model.SelectedText(); }
    // Replaces the selection with text as if typed (rules apply); notify as for SetText.
    void ReplaceSel(const std::string& text, bool notify = true);
    const TextEditModel& GetModel() const { return m_model; }
    bool IsCaretShown() const { return m_bCaretOn && IsFocused(); }

    void SetNormalImage(const std::string& image);
    void SetHotImage(const std::string& image);
    void SetFocusedImage(const std::string& image);
    void SetDisabledImage(const std::string& image);

    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintBkColor(RenderTarget& target) override;
    void PaintStatusImage(RenderTarget& target) override;
    void PaintText(RenderTarget& target) override;
    void PaintBorder(RenderTarget& target) override;

  private:
    std::string DisplayText() const;
    // Display-text byte offset of a model offset (they differ in password mode).
    size_t DisplayOffset(size_t modelOffset) const;
    int TextWidth(const std::string& text) const;
    RECT TextRect() const;
    RECT CaretRect() const;
    size_t OffsetAtX(int x) const;
    void EnsureCaretVisible();
    void AfterEdit(bool changed);
    void RestartCaretBlink();
    bool HandleKey(const TEventUI& event);

    TextEditModel m_model;
    bool m_bReadOnly = false;
    bool m_bPasswordMode = false;
    std::string m_sPasswordChar = "*";
    std::string m_sTipValue;
    std::optional<long long> m_nLimitMin;  // as the skin gave them
    std::optional<long long> m_nLimitMax;
    Color m_dwTipValueColor = 0xFFA0A0A0;
    Color m_dwSelBkColor = 0xFF3390FF;
    Color m_dwSelTextColor = 0xFFFFFFFF;
    Color m_dwCaretColor = 0;  // 0: the text colour
    bool m_bHot = false;
    bool m_bSelecting = false;
    bool m_bCaretOn = false;
    int m_nScrollX = 0;  // how far the text is shifted left to show the caret
    std::string m_sNormalImage;
    std::string m_sHotImage;
    std::string m_sFocusedImage;
    std::string m_sDisabledImage;
};

}  // namespace ui
