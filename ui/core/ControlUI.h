#pragma once
// CControlUI: the base of every control. It keeps the common attributes (name, text,
// colours, images, sizes, state), takes part in layout (SetPos / EstimateSize), paints itself
// in layers (background colour, background image, state image, text, border), receives input
// as TEventUI and raises notifications through its paint manager.
//
// Sizes set by skins and code are 96-DPI pixels; the getters return them scaled to the
// manager's DPI. Controls are owned by their parent container (or by the manager for the
// root) and destroyed with it.
//
// Threads: window thread only, like the paint manager that owns the tree.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "ui/core/Backend.h"
#include "ui/core/RenderTarget.h"
#include "ui/core/StringUtil.h"
#include "ui/core/UIDefs.h"

namespace ui {

class CPaintManagerUI;
class IControlHost;
class CControlUI;

using FINDCONTROLPROC = CControlUI* (*)(CControlUI*, void*);

class CControlUI {
  public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // --- identity ------------------------------------------------------------------------
    virtual std::string GetName() const { return m_sName; }
    virtual void SetName(const std::string& name);
    virtual std::string GetClass() const { return "ControlUI"; }
    // This object as the named interface ("Control", "Container", "IContainer", "Button" ...),
    // nullptr when it is not one. Names compare without regard to case.
    virtual void* GetInterface(std::string_view name);
    virtual UINT GetControlFlags() const { return 0; }

    // Runs the control's action (a button's click); false while invisible or disabled.
    virtual bool Activate();
    virtual CControlUI* GetParent() const { return m_pParent; }
    CPaintManagerUI* GetManager() const { return m_pManager; }
    // Joins a manager and a parent (containers pass it on to their children); with init,
    // DoInit runs once. CPaintManagerUI::InitControls also registers the names.
    virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true);

    // --- text ----------------------------------------------------------------------------
    // With the resource-text flag the text is a language key and GetText answers its
    // translation (CResourceManager); GetTextKey always answers what was set.
    virtual std::string GetText() const;
    virtual void SetText(const std::string& text);
    const std::string& GetTextKey() const { return m_sText; }
    bool IsResourceText() const { return m_bResourceText; }
    void SetResourceText(bool resource);
    virtual std::string GetToolTip() const;
    virtual void SetToolTip(const std::string& text);
    const std::string& GetUserData() const { return m_sUserData; }
    void SetUserData(const std::string& text) { m_sUserData = text; }
    uintptr_t GetTag() const { return m_pTag; }
    void SetTag(uintptr_t tag) { m_pTag = tag; }
    // Notifications of this control carry this virtual window name (inherited from parents).
    std::string GetVirtualWnd() const;
    void SetVirtualWnd(const std::string& name) { m_sVirtualWnd = name; }

    // --- look ----------------------------------------------------------------------------
    Color GetBkColor() const { return m_dwBackColor; }
    void SetBkColor(Color color);
    Color GetBkColor2() const { return m_dwBackColor2; }
    void SetBkColor2(Color color);  // with a second colour the background is a gradient
    const std::string& GetBkImage() const { return m_sBkImage; }
    void SetBkImage(const std::string& image);
    Color GetBorderColor() const { return m_dwBorderColor; }
    void SetBorderColor(Color color);
    Color GetFocusBorderColor() const { return m_dwFocusBorderColor; }
    void SetFocusBorderColor(Color color);
    int GetBorderSize() const;  // scaled
    void SetBorderSize(int size);
    Size GetBorderRound() const;  // scaled
    void SetBorderRound(Size round);
    std::string GetCursor() const { return m_sCursor; }
    void SetCursor(const std::string& cursor) { m_sCursor = cursor; }
    // No colour adjustment (hue/saturation) is applied; kept for custom controls.
    Color GetAdjustColor(Color color) const { return color; }

    // Draws an image description over the control (modify overrides single keys). False when
    // nothing could be drawn.
    bool DrawImage(RenderTarget& target, const std::string& image, const std::string& modify = "");

    // --- position and size ----------------------------------------------------------------
    virtual const RECT& GetPos() const { return m_rcItem; }
    // rc in window client pixels (already scaled).
    virtual void SetPos(RECT rc, bool bNeedInvalidate = true);
    virtual void Move(SIZE offset, bool bNeedInvalidate = true);
    RECT GetRelativePos() const;  // relative to the parent's position
    int GetWidth() const { return m_rcItem.Width(); }
    int GetHeight() const { return m_rcItem.Height(); }
    int GetX() const { return m_rcItem.left; }
    int GetY() const { return m_rcItem.top; }
    virtual RECT GetPadding() const;  // scaled
    virtual void SetPadding(RECT padding);
    virtual SIZE GetFixedXY() const;  // float position, scaled
    virtual void SetFixedXY(SIZE xy);
    virtual int GetFixedWidth() const;  // 0: take what the layout gives
    virtual void SetFixedWidth(int cx);
    virtual int GetFixedHeight() const;
    virtual void SetFixedHeight(int cy);
    virtual int GetMinWidth() const;
    virtual void SetMinWidth(int cx);
    virtual int GetMaxWidth() const;
    virtual void SetMaxWidth(int cx);
    virtual int GetMinHeight() const;
    virtual void SetMinHeight(int cy);
    virtual int GetMaxHeight() const;
    virtual void SetMaxHeight(int cy);
    // Floating controls are placed by "pos" relative to their parent, outside the flow.
    virtual bool IsFloat() const { return m_bFloat; }
    virtual void SetFloat(bool floating = true);
    // The size the control wants inside the available space (fixed sizes, scaled).
    virtual SIZE EstimateSize(SIZE szAvailable);
    // The unscaled "pos" rectangle of a floating control.
    const RECT& GetFloatPos() const { return m_rcFloatPos; }

    // --- state ---------------------------------------------------------------------------
    virtual bool IsVisible() const { return m_bVisible && m_bInternVisible; }
    bool IsOwnVisible() const { return m_bVisible; }
    virtual void SetVisible(bool visible = true);
    virtual void SetInternVisible(bool visible = true);  // hidden by the parent (tabs)
    // The control's own flag; SetEnabled of a container leaves its children's flags alone.
    virtual bool IsEnabled() const { return m_bEnabled; }
    virtual void SetEnabled(bool enabled = true);
    // Its own flag and every ancestor's: what input and painting go by, so that a disabled
    // container refuses input to everything it holds and shows it disabled.
    bool IsEffectivelyEnabled() const;
    virtual bool IsMouseEnabled() const { return m_bMouseEnabled; }
    virtual void SetMouseEnabled(bool enabled = true) { m_bMouseEnabled = enabled; }
    virtual bool IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
    virtual void SetKeyboardEnabled(bool enabled = true) { m_bKeyboardEnabled = enabled; }
    virtual bool IsFocused() const { return m_bFocused; }
    virtual void SetFocus();
    // The "menu" attribute: a context-menu event raises "menu".
    bool IsContextMenuUsed() const { return m_bMenuUsed; }
    void SetContextMenuUsed(bool used) { m_bMenuUsed = used; }

    // --- tree walk ----------------------------------------------------------------------
    virtual CControlUI* FindControl(FINDCONTROLPROC proc, void* data, UINT flags);

    // --- updates -------------------------------------------------------------------------
    void Invalidate();  // repaint this control's rectangle
    bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
    void NeedUpdate();  // lay this control out again
    void NeedParentUpdate();

    // --- life ----------------------------------------------------------------------------
    void Init();  // once, after the control joined a manager: DoInit
    virtual void DoInit() {}

    // --- input ---------------------------------------------------------------------------
    void Event(TEventUI& event);
    // Default: hot/focus bookkeeping, "timer" for timers, "menu" for context menus when
    // enabled; anything else goes to the parent.
    virtual void DoEvent(TEventUI& event);

    // --- attributes ----------------------------------------------------------------------
    virtual void SetAttribute(std::string_view name, std::string_view value);
    // `name="value" name2="value2"` (the form of Default definitions).
    void ApplyAttributeList(std::string_view list);
    // Applies the attribute list of a named style ("Style" definition of the window's
    // layouts). False when the control has no window yet or the window lacks the style.
    bool ApplyStyle(std::string_view name);
    // The control's rectangle on the screen (its window's client position plus its own);
    // nothing while it belongs to no window.
    std::optional<RECT> GetScreenPos() const;

    // --- painting ------------------------------------------------------------------------
    // Paints what of the control meets rcPaint; false when pStopControl was reached.
    virtual bool DoPaint(RenderTarget& target, const RECT& rcPaint, CControlUI* pStopControl);
    virtual void PaintBkColor(RenderTarget& target);
    virtual void PaintBkImage(RenderTarget& target);
    virtual void PaintStatusImage(RenderTarget& target);
    virtual void PaintForeColor(RenderTarget& target);
    virtual void PaintForeImage(RenderTarget& target);
    virtual void PaintText(RenderTarget& target);
    virtual void PaintBorder(RenderTarget& target);

    // A 96-DPI length in this control's window pixels.
    int Scale(int value) const;

  protected:
    CPaintManagerUI* m_pManager = nullptr;
    IControlHost* m_pHost = nullptr;  // the same manager, as the interface this file uses
    CControlUI* m_pParent = nullptr;
    std::string m_sName;
    std::string m_sText;
    std::string m_sToolTip;
    std::string m_sUserData;
    std::string m_sVirtualWnd;
    std::string m_sCursor;
    uintptr_t m_pTag = 0;
    bool m_bResourceText = false;

    RECT m_rcItem;
    RECT m_rcPaint;  // the part being painted (inside DoPaint)
    RECT m_rcPadding;
    SIZE m_cXY;       // float offset (unscaled)
    SIZE m_cxyFixed;  // unscaled
    SIZE m_cxyMin;
    SIZE m_cxyMax{9999, 9999};
    RECT m_rcFloatPos;
    bool m_bFloat = false;

    bool m_bVisible = true;
    bool m_bInternVisible = true;
    bool m_bEnabled = true;
    bool m_bMouseEnabled = true;
    bool m_bKeyboardEnabled = true;
    bool m_bFocused = false;
    bool m_bMenuUsed = false;
    bool m_bUpdateNeeded = true;
    bool m_bInited = false;

    Color m_dwBackColor = 0;
    Color m_dwBackColor2 = 0;
    Color m_dwBorderColor = 0;
    Color m_dwFocusBorderColor = 0;
    int m_nBorderSize = 0;
    SIZE m_cxyBorderRound;
    std::string m_sBkImage;
};

// A control with a status image per state (buttons, options); the state bits are the
// UISTATE_ values.
inline bool HasState(UINT state, UINT bits) {
    return (state & bits) != 0;
}

}  // namespace ui
