#include "ui/controls/EditUI.h"

#include <algorithm>
#include <limits>

#include "ui/controls/ControlsCommon.h"
#include "ui/core/PaintManager.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {

constexpr UINT kCaretTimerId = 0x5E01;
constexpr UINT kCaretBlinkMs = 530;

// The realisation's clipboard; without a realisation there is none.
class BackendClipboard : public ClipboardAccess {
  public:
    std::string GetText() override { return HasBackend() ? GetBackend().ClipboardText() : ""; }
    void SetText(const std::string& text) override {
        if (HasBackend())
            GetBackend().SetClipboardText(text);
    }
};

const BuiltInControlRegistration kEditTag("Edit",
                                          [] { return static_cast<CControlUI*>(new CEditUI); });

}  // namespace

CEditUI::CEditUI() {
    m_uTextStyle = kTextSingleLine | kTextVCenter | kTextLeft | kTextNoPrefix;
    m_rcTextPadding = Rect{4, 2, 4, 2};
}

CEditUI::~CEditUI() {
    if (m_pManager != nullptr)
        m_pManager->KillTimer(this, kCaretTimerId);
}

void* CEditUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "Edit"))
        return this;
    return CLabelUI::GetInterface(name);
}

UINT CEditUI::GetControlFlags() const {
    return IsEffectivelyEnabled() ? UINT{UIFLAG_TABSTOP | UIFLAG_SETCURSOR} : 0u;
}

std::string CEditUI::GetText() const {
    return m_model.Text();
}

void CEditUI::SetText(const std::string& text) {
    SetText(text, true);
}

void CEditUI::SetText(const std::string& text, bool notify) {
    const bool changed = m_model.SetText(text);
    m_sText = m_model.Text();
    m_nScrollX = 0;
    EnsureCaretVisible();
    Invalidate();
    if (changed && notify && m_pManager != nullptr)
        m_pManager->SendNotify(this, "textchanged");
}

void CEditUI::SetMaxChar(UINT maxChars) {
    m_model.SetMaxChars(maxChars);
    m_sText = m_model.Text();
    Invalidate();
}

void CEditUI::SetReadOnly(bool readOnly) {
    m_bReadOnly = readOnly;
    Invalidate();
}

void CEditUI::SetNumberOnly(bool numberOnly) {
    m_model.SetDigitsOnly(numberOnly);
    // Text already there keeps only its digits, as typing would have.
    if (numberOnly)
        SetText(m_model.Text(), false);
}

void CEditUI::SetNumberLimits(long long minValue, long long maxValue) {
    m_model.SetNumberLimits(minValue, maxValue);
}

void CEditUI::SetPasswordMode(bool password) {
    m_bPasswordMode = password;
    Invalidate();
}

void CEditUI::SetPasswordChar(const std::string& utf8Char) {
    const std::string clean = TextEditModel::Sanitize(utf8Char);
    if (clean.empty())
        return;
    m_sPasswordChar = clean.substr(0, TextEditModel::NextBoundary(clean, 0));
    Invalidate();
}

void CEditUI::SetTipValue(const std::string& text) {
    m_sTipValue = text;
    Invalidate();
}

void CEditUI::SetSel(long start, long end) {
    const std::string& text = m_model.Text();
    const auto byteOf = [&text](long chars) {
        if (chars < 0)
            return text.size();
        size_t offset = 0;
        for (long i = 0; i < chars && offset < text.size(); ++i)
            offset = TextEditModel::NextBoundary(text, offset);
        return offset;
    };
    m_model.SetSelection(byteOf(start), byteOf(end));
    EnsureCaretVisible();
    Invalidate();
}

void CEditUI::SetSelAll() {
    m_model.SelectAll();
    EnsureCaretVisible();
    Invalidate();
}

void CEditUI::ReplaceSel(const std::string& text, bool notify) {
    const bool changed = m_model.Insert(text);
    m_sText = m_model.Text();
    EnsureCaretVisible();
    Invalidate();
    if (changed && notify && m_pManager != nullptr)
        m_pManager->SendNotify(this, "textchanged");
}

void CEditUI::SetNormalImage(const std::string& image) {
    m_sNormalImage = image;
    Invalidate();
}
void CEditUI::SetHotImage(const std::string& image) {
    m_sHotImage = image;
    Invalidate();
}
void CEditUI::SetFocusedImage(const std::string& image) {
    m_sFocusedImage = image;
    Invalidate();
}
void CEditUI::SetDisabledImage(const std::string& image) {
    m_sDisabledImage = image;
    Invalidate();
}

std::string CEditUI::DisplayText() const {
    if (!m_bPasswordMode)
        return m_model.Text();
    std::string out;
    for (size_t i = 0; i < m_model.CharCount(); ++i)
        out += m_sPasswordChar;
    return out;
}

size_t CEditUI::DisplayOffset(size_t modelOffset) const {
    if (!m_bPasswordMode)
        return modelOffset;
    const std::string& text = m_model.Text();
    size_t chars = 0;
    for (size_t i = 0; i < modelOffset && i < text.size(); i = TextEditModel::NextBoundary(text, i))
        ++chars;
    return chars * m_sPasswordChar.size();
}

int CEditUI::TextWidth(const std::string& text) const {
    if (text.empty() || m_pManager == nullptr || !HasBackend())
        return 0;
    return GetBackend()
        .MeasureText(text, m_pManager->GetFont(m_iFont), kTextSingleLine | kTextNoPrefix, 0)
        .cx;
}

RECT CEditUI::TextRect() const {
    return m_rcItem.Deflate(GetTextPadding());
}

size_t CEditUI::OffsetAtX(int x) const {
    const std::string display = DisplayText();
    const RECT rc = TextRect();
    const int target = x - rc.left + m_nScrollX;
    if (target <= 0)
        return 0;
    // The boundary nearest to the point, walking the characters left to right.
    const std::string& text = m_model.Text();
    size_t model = 0;
    int prevWidth = 0;
    while (model < text.size()) {
        const size_t next = TextEditModel::NextBoundary(text, model);
        const int width = TextWidth(display.substr(0, DisplayOffset(next)));
        if (width >= target)
            return (target - prevWidth < width - target) ? model : next;
        prevWidth = width;
        model = next;
    }
    return text.size();
}

void CEditUI::SetPos(RECT rc, bool bNeedInvalidate) {
    const int oldWidth = m_rcItem.Width();
    CLabelUI::SetPos(rc, bNeedInvalidate);
    if (m_rcItem.Width() != oldWidth)
        EnsureCaretVisible();
}

void CEditUI::EnsureCaretVisible() {
    const RECT rc = TextRect();
    if (rc.Width() <= 0) {
        // Not laid out yet: nothing can be in view; SetPos scrolls once there is room.
        m_nScrollX = 0;
        return;
    }
    const int visible = std::max(1, rc.Width() - 1);
    const std::string display = DisplayText();
    const int caretX = TextWidth(display.substr(0, DisplayOffset(m_model.Caret())));
    const int total = TextWidth(display);
    if (caretX - m_nScrollX > visible)
        m_nScrollX = caretX - visible;
    if (caretX < m_nScrollX)
        m_nScrollX = caretX;
    // No empty space right of the text while it is scrolled.
    m_nScrollX = std::clamp(m_nScrollX, 0, std::max(0, total - visible));
}

RECT CEditUI::CaretRect() const {
    const RECT rc = TextRect();
    const std::string display = DisplayText();
    int x = rc.left - m_nScrollX;
    const int total = TextWidth(display);
    if (total < rc.Width()) {
        if (m_uTextStyle & kTextCenter)
            x = rc.left + (rc.Width() - total) / 2;
        if (m_uTextStyle & kTextRight)
            x = rc.right - total;
    }
    const int cx = x + TextWidth(display.substr(0, DisplayOffset(m_model.Caret())));
    const int fontSize = m_pManager ? m_pManager->GetFont(m_iFont).size : Scale(12);
    const int h = std::min(rc.Height(), fontSize + Scale(4));
    const int top = rc.top + (rc.Height() - h) / 2;
    return Rect{cx, top, cx + 1, top + h};
}

void CEditUI::RestartCaretBlink() {
    m_bCaretOn = true;
    if (m_pManager != nullptr && IsFocused()) {
        m_pManager->SetTimer(this, kCaretTimerId, kCaretBlinkMs);
        // Input methods place their composition window at the caret.
        if (NativeWindow* native = m_pManager->GetNativeWindow())
            native->SetImeCursor(CaretRect());
    }
    Invalidate();
}

void CEditUI::AfterEdit(bool changed) {
    m_sText = m_model.Text();
    EnsureCaretVisible();
    RestartCaretBlink();
    if (changed && m_pManager != nullptr)
        m_pManager->SendNotify(this, "textchanged");
}

bool CEditUI::HandleKey(const TEventUI& event) {
    const UINT keys = EventKeyState(*this, event);
    const bool shift = IsShiftHeld(keys);
    const bool ctrl = IsCtrlHeld(keys);
    BackendClipboard clipboard;
    switch (event.chKey) {
        case VK_LEFT:
            m_model.MoveCaret(ctrl ? CaretMove::WordLeft : CaretMove::CharLeft, shift);
            break;
        case VK_RIGHT:
            m_model.MoveCaret(ctrl ? CaretMove::WordRight : CaretMove::CharRight, shift);
            break;
        case VK_HOME:
        case VK_UP:
            m_model.MoveCaret(CaretMove::Home, shift);
            break;
        case VK_END:
        case VK_DOWN:
            m_model.MoveCaret(CaretMove::End, shift);
            break;
        case VK_BACK:
            if (m_bReadOnly)
                return true;
            AfterEdit(ctrl ? m_model.DeleteWordBack() : m_model.Backspace());
            return true;
        case VK_DELETE:
            if (m_bReadOnly)
                return true;
            AfterEdit(m_model.DeleteForward());
            return true;
        case VK_RETURN:
            if (m_pManager != nullptr)
                m_pManager->SendNotify(this, "return");
            return true;
        default:
            if (!ctrl)
                return false;
            switch (event.chKey) {
                case 'A':
                    m_model.SelectAll();
                    break;
                case 'C':
                    // A password never leaves the edit.
                    if (!m_bPasswordMode)
                        m_model.Copy(clipboard);
                    return true;
                case 'X':
                    if (m_bReadOnly || m_bPasswordMode)
                        return true;
                    AfterEdit(m_model.Cut(clipboard));
                    return true;
                case 'V':
                    if (m_bReadOnly)
                        return true;
                    AfterEdit(m_model.Paste(clipboard));
                    return true;
                default:
                    return false;
            }
            break;
    }
    EnsureCaretVisible();
    RestartCaretBlink();
    return true;
}

void CEditUI::DoEvent(TEventUI& event) {
    NoteModifierKeys(event);
    if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
        CLabelUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
        case UIEVENT_SETFOCUS:
            m_bFocused = true;
            RestartCaretBlink();
            return;
        case UIEVENT_KILLFOCUS: {
            m_bFocused = false;
            m_bSelecting = false;
            m_bCaretOn = false;
            if (m_pManager != nullptr)
                m_pManager->KillTimer(this, kCaretTimerId);
            // The paint manager raises "killfocus" after this event: the limits apply
            // before the owner reads the text.
            if (m_model.ApplyNumberLimits()) {
                m_sText = m_model.Text();
                if (m_pManager != nullptr)
                    m_pManager->SendNotify(this, "textchanged");
            }
            m_nScrollX = 0;
            Invalidate();
            return;
        }
        case UIEVENT_TIMER:
            if (event.wParam == kCaretTimerId) {
                m_bCaretOn = !m_bCaretOn;
                Invalidate();
                return;
            }
            break;
        case UIEVENT_BUTTONDOWN: {
            if (!IsEffectivelyEnabled())
                return;
            const bool wasFocused = IsFocused();
            if (!wasFocused)
                SetFocus();
            const bool shift = IsShiftHeld(EventKeyState(*this, event));
            m_model.SetCaret(OffsetAtX(event.ptMouse.x), shift);
            m_bSelecting = true;
            EnsureCaretVisible();
            RestartCaretBlink();
            return;
        }
        case UIEVENT_DBLCLICK:
            if (!IsEffectivelyEnabled())
                return;
            if (!IsFocused())
                SetFocus();
            m_model.SelectWordAt(OffsetAtX(event.ptMouse.x));
            EnsureCaretVisible();
            RestartCaretBlink();
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_bSelecting) {
                m_model.SetCaret(OffsetAtX(event.ptMouse.x), true);
                EnsureCaretVisible();
                Invalidate();
            }
            return;
        case UIEVENT_BUTTONUP:
            m_bSelecting = false;
            return;
        case UIEVENT_MOUSEENTER:
            if (IsEffectivelyEnabled()) {
                m_bHot = true;
                Invalidate();
            }
            return;
        case UIEVENT_MOUSELEAVE:
            if (m_bHot) {
                m_bHot = false;
                Invalidate();
            }
            return;
        case UIEVENT_KEYDOWN:
            if (IsEffectivelyEnabled() && HandleKey(event))
                return;
            break;
        case UIEVENT_CHAR: {
            if (!IsEffectivelyEnabled() || m_bReadOnly)
                return;
            const uint32_t cp = event.chKey;
            // Control characters (Ctrl combinations, Return, Tab) are keys, not text.
            if (cp < 0x20 || cp == 0x7F)
                return;
            AfterEdit(m_model.Insert(EncodeUtf8(cp)));
            return;
        }
        default:
            break;
    }
    CLabelUI::DoEvent(event);
}

void CEditUI::SetAttribute(std::string_view name, std::string_view value) {
    const std::string v(value);
    int n = 0;
    Color c = 0;
    if (EqualsNoCase(name, "readonly")) {
        SetReadOnly(ParseBool(v));
    } else if (EqualsNoCase(name, "numberonly")) {
        SetNumberOnly(ParseBool(v));
    } else if (EqualsNoCase(name, "password")) {
        SetPasswordMode(ParseBool(v));
    } else if (EqualsNoCase(name, "passwordchar")) {
        SetPasswordChar(v);
    } else if (EqualsNoCase(name, "maxchar")) {
        if (ParseInt(v, n) && n >= 0)
            SetMaxChar(static_cast<UINT>(n));
    } else if (EqualsNoCase(name, "minvalue") || EqualsNoCase(name, "maxvalue")) {
        // Either limit alone leaves the other open.
        if (!ParseInt(v, n))
            return;
        (EqualsNoCase(name, "minvalue") ? m_nLimitMin : m_nLimitMax) = n;
        SetNumberLimits(m_nLimitMin.value_or(std::numeric_limits<long long>::min()),
                        m_nLimitMax.value_or(std::numeric_limits<long long>::max()));
    } else if (EqualsNoCase(name, "tipvalue")) {
        SetTipValue(v);
    } else if (EqualsNoCase(name, "tipvaluecolor")) {
        if (ParseColor(v, c))
            m_dwTipValueColor = c;
    } else if (EqualsNoCase(name, "selbkcolor") || EqualsNoCase(name, "selectedbkcolor")) {
        if (ParseColor(v, c))
            m_dwSelBkColor = c;
    } else if (EqualsNoCase(name, "seltextcolor")) {
        if (ParseColor(v, c))
            m_dwSelTextColor = c;
    } else if (EqualsNoCase(name, "caretcolor")) {
        if (ParseColor(v, c))
            m_dwCaretColor = c;
    } else if (EqualsNoCase(name, "nativebkcolor")) {
        if (ParseColor(v, c))
            SetBkColor(c);
    } else if (EqualsNoCase(name, "normalimage")) {
        SetNormalImage(v);
    } else if (EqualsNoCase(name, "hotimage")) {
        SetHotImage(v);
    } else if (EqualsNoCase(name, "focusedimage")) {
        SetFocusedImage(v);
    } else if (EqualsNoCase(name, "disabledimage")) {
        SetDisabledImage(v);
    } else if (EqualsNoCase(name, "text")) {
        SetText(v, false);
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

void CEditUI::PaintBkColor(RenderTarget& target) {
    // An edit without a skin of its own is a white field.
    if (GetBkColor() == 0 && GetBkImage().empty() && m_sNormalImage.empty()) {
        CRenderEngine::DrawColor(target, m_rcItem,
                                 IsEffectivelyEnabled() ? 0xFFFFFFFF : 0xFFF2F2F2);
        return;
    }
    CLabelUI::PaintBkColor(target);
}

void CEditUI::PaintStatusImage(RenderTarget& target) {
    const std::string* image = &m_sNormalImage;
    if (!IsEffectivelyEnabled() && !m_sDisabledImage.empty()) {
        image = &m_sDisabledImage;
    } else if (IsFocused() && !m_sFocusedImage.empty()) {
        image = &m_sFocusedImage;
    } else if (m_bHot && !m_sHotImage.empty()) {
        image = &m_sHotImage;
    }
    if (!image->empty())
        DrawImage(target, *image);
}

void CEditUI::PaintBorder(RenderTarget& target) {
    if (GetBorderSize() > 0 || !m_sNormalImage.empty() || !GetBkImage().empty()) {
        CLabelUI::PaintBorder(target);
        return;
    }
    // The default field outline: blue while focused, darker while hot.
    const Color color = IsFocused() ? 0xFF2F80ED : (m_bHot ? 0xFF8A8F98 : 0xFFB8BCC4);
    target.DrawRectOutline(m_rcItem, IsFocused() ? 2 : 1, color);
}

void CEditUI::PaintText(RenderTarget& target) {
    if (m_pManager == nullptr)
        return;
    const RECT rc = TextRect();
    if (rc.IsEmpty())
        return;
    const FontSpec font = m_pManager->GetFont(m_iFont);
    const UINT format = kTextSingleLine | kTextVCenter | kTextNoPrefix | kTextNoClip;
    const std::string display = DisplayText();
    target.PushClip(rc);
    if (display.empty()) {
        if (!IsFocused() && !m_sTipValue.empty()) {
            target.DrawText(m_sTipValue, rc, font, m_dwTipValueColor,
                            m_uTextStyle | kTextSingleLine);
        }
    } else {
        // Centred or right-aligned text keeps its alignment while it fits.
        int x = rc.left - m_nScrollX;
        const int total = TextWidth(display);
        if (total < rc.Width()) {
            if (m_uTextStyle & kTextCenter)
                x = rc.left + (rc.Width() - total) / 2;
            if (m_uTextStyle & kTextRight)
                x = rc.right - total;
        }
        const Color color = GetAdjustColor(CurrentTextColor());
        const size_t selBegin = DisplayOffset(m_model.SelectionBegin());
        const size_t selEnd = DisplayOffset(m_model.SelectionEnd());
        const auto drawPiece = [&](size_t from, size_t to, Color pieceColor, Color bk) {
            if (from >= to)
                return;
            const int left = x + TextWidth(display.substr(0, from));
            const int right = x + TextWidth(display.substr(0, to));
            if (ColorAlpha(bk) != 0)
                target.FillRect(Rect{left, rc.top, right, rc.bottom}, bk);
            target.DrawText(display.substr(from, to - from),
                            Rect{left, rc.top, right + 2, rc.bottom}, font, pieceColor, format);
        };
        if (m_model.HasSelection() && IsFocused()) {
            drawPiece(0, selBegin, color, 0);
            drawPiece(selBegin, selEnd, m_dwSelTextColor, m_dwSelBkColor);
            drawPiece(selEnd, display.size(), color, 0);
        } else {
            drawPiece(0, display.size(), color, 0);
        }
    }
    if (IsCaretShown()) {
        target.FillRect(CaretRect(),
                        m_dwCaretColor ? m_dwCaretColor : GetAdjustColor(CurrentTextColor()));
    }
    target.PopClip();
}

}  // namespace ui
