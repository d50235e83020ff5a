#pragma once
// CPaintManagerUI: the control tree of one window. It lays the tree out, paints it, turns
// the window's input messages into control events (hot, pushed, captured, focus, enter and
// leave), runs control timers, delivers notifications to the window's listeners, and keeps
// the window's fonts, images and DPI. Everything runs on the window thread.
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/core/ControlHost.h"
#include "ui/core/DPI.h"
#include "ui/core/Notify.h"
#include "ui/core/StringUtil.h"
#include "ui/core/UIDefs.h"
#include "ui/render/RenderEngine.h"
#include "ui/skin/ResourceManager.h"

namespace ui {

class CControlUI;
class CWindowWnd;
class NativeWindow;

struct TFontInfo {
    std::string face;
    int size = 12;  // 96-DPI pixels
    bool bold = false;
    bool underline = false;
    bool italic = false;
};

// A menu choice delivered with WM_MENUCLICK; the receiver's paint manager owns it until the
// receiver releases it with DeletePtr (or the manager goes).
struct MenuCmd {
    std::string szName;
    std::string szUserData;
    std::string szText;
    bool bChecked = false;
};

class CPaintManagerUI : public IControlHost, public ITextObserver {
  public:
    CPaintManagerUI();
    ~CPaintManagerUI() override;
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    // --- process-wide ------------------------------------------------------------------
    static void SetInstance(HINSTANCE instance);
    static HINSTANCE GetInstance();
    // The executable's folder with a trailing '/' (the program folder).
    static std::string GetInstancePath();
    static void SetResourcePath(const std::string& path);  // a trailing '/' is added
    static const std::string& GetResourcePath();
    static void SetResourceType(int type);  // UILIB_FILE: plain files
    static int GetResourceType();
    // Runs the window thread's message loop until the quit message; returns its code.
    static int MessageLoop();
    // Every live paint manager (for SetAllDPI, ReloadText).
    static std::vector<CPaintManagerUI*> GetPaintManagers();

    // --- window --------------------------------------------------------------------------
    void Init(HWND hwnd, const std::string& name = "");
    HWND GetPaintWindow() const { return m_hWndPaint; }
    const std::string& GetName() const { return m_sName; }
    NativeWindow* GetNativeWindow() const;
    SIZE GetClientSize() const;
    // Window attributes of a layout's root element.
    void SetWindowAttribute(std::string_view name, std::string_view value);
    SIZE GetInitSize() const;  // scaled
    void SetInitSize(int cx, int cy);
    SIZE GetMinInfo() const;
    void SetMinInfo(int cx, int cy);
    SIZE GetMaxInfo() const;
    void SetMaxInfo(int cx, int cy);
    RECT GetCaptionRect() const { return m_rcCaption; }
    bool IsLayered() const { return m_bLayered; }
    const std::string& GetWindowCaption() const { return m_sCaption; }

    // --- control tree --------------------------------------------------------------------
    // Makes root the tree of this window (the old one is deleted) and initialises it.
    bool AttachDialog(CControlUI* root);
    // Initialises a control added later (names, DoInit). parent may be null.
    bool InitControls(CControlUI* control, CControlUI* parent = nullptr);
    CControlUI* GetRoot() const { return m_pRoot; }
    // By name, without regard to case; the first control of that name.
    CControlUI* FindControl(const std::string& name) const;
    // The topmost visible, enabled control under a point of the client area.
    CControlUI* FindControl(POINT pt) const;
    CControlUI* FindSubControlByName(CControlUI* parent, const std::string& name) const;
    CControlUI* FindSubControlByClass(CControlUI* parent, const std::string& className,
                                      int index = 0) const;
    std::vector<CControlUI*> FindSubControlsByClass(CControlUI* parent,
                                                    const std::string& className) const;
    // A control going away: forget it everywhere (focus, hot, timers, pending notifications).
    void ReapObjects(CControlUI* control) override;
    void RenameControl(CControlUI* control, const std::string& oldName) override;

    // Option groups: one selected option per group name (case-sensitive) in this window.
    bool AddOptionGroup(const std::string& group, CControlUI* control);
    const std::vector<CControlUI*>* GetOptionGroup(const std::string& group) const;
    void RemoveOptionGroup(const std::string& group, CControlUI* control);

    // --- layout and painting -------------------------------------------------------------
    void NeedUpdate() override { m_bUpdateNeeded = true; }
    bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
    void Invalidate();
    void Invalidate(const RECT& rc) override;
    // Lays the tree out now when anything asked for it (painting and input do it anyway).
    void UpdateLayout();
    void Paint(RenderTarget& target, const RECT& dirty);

    // --- input ---------------------------------------------------------------------------
    // Handles a window message for the control tree; true when it took it (lRes is the
    // result). Pre-filters and filters run first.
    bool MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    bool PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    CControlUI* GetFocus() const override { return m_pFocus; }
    void SetFocus(CControlUI* control) override;
    void SetFocusNeeded(CControlUI* control) { SetFocus(control); }
    bool SetNextTabControl(bool forward = true);
    CControlUI* GetHot() const { return m_pEventHover; }
    void SetCapture();
    void ReleaseCapture();
    bool IsCaptured() const { return m_bMouseCapture; }
    POINT GetMousePos() const { return m_ptLastMousePos; }
    // Modifier keys held at the last input message (MK_SHIFT, MK_CONTROL, MK_ALT).
    UINT GetKeyState() const { return m_uKeyState; }

    // --- timers --------------------------------------------------------------------------
    // Repeating timer on a control; each tick is a UIEVENT_TIMER event with wParam = id
    // (a control raises it as a "timer" notification). Setting it again restarts it.
    bool SetTimer(CControlUI* control, UINT id, UINT elapseMs);
    bool KillTimer(CControlUI* control, UINT id);
    void KillTimer(CControlUI* control);
    void RemoveAllTimers();
    bool HasTimer(CControlUI* control, UINT id) const;

    // --- notifications -------------------------------------------------------------------
    bool AddNotifier(INotifyUI* notifier);
    bool RemoveNotifier(INotifyUI* notifier);
    // Synchronous unless async: then it is delivered from the message loop (dropped when the
    // sender is destroyed before).
    void SendNotify(TNotifyUI& msg, bool async = false);
    void SendNotify(CControlUI* control, const std::string& type, WPARAM wParam = 0,
                    LPARAM lParam = 0, bool async = false);
    bool AddPreMessageFilter(IMessageFilterUI* filter);
    bool RemovePreMessageFilter(IMessageFilterUI* filter);
    bool AddMessageFilter(IMessageFilterUI* filter);
    bool RemoveMessageFilter(IMessageFilterUI* filter);
    // Frees something handed over with a message (menu commands).
    void DeletePtr(void* ptr);
    MenuCmd* KeepMenuCmd(std::unique_ptr<MenuCmd> cmd);

    // --- DPI -----------------------------------------------------------------------------
    CDPI* GetDPIObj() { return &m_dpi; }
    int GetDPI() const { return m_dpi.GetDPI(); }
    // New DPI for this window: fonts and images follow, the window keeps its 96-DPI size.
    void SetDPI(int dpi);
    static void SetAllDPI(int dpi);
    // Drops what was made for the old DPI (scaled fonts, images) and lays out again.
    void ResetDPIAssets();

    // --- fonts ---------------------------------------------------------------------------
    // Sizes are 96-DPI pixels. Shared fonts are seen by every manager.
    void AddFont(int id, const std::string& face, int size, bool bold = false,
                 bool underline = false, bool italic = false, bool shared = false);
    void SetDefaultFont(const std::string& face, int size, bool bold = false,
                        bool underline = false, bool italic = false, bool shared = false);
    const TFontInfo* GetFontInfo(int id) const;  // nullptr when unknown
    const TFontInfo& GetDefaultFontInfo() const;
    // The font of an id (-1 or unknown: default) as drawing needs it, DPI-scaled.
    FontSpec GetFont(int id) const;
    void RemoveFont(int id);
    void RemoveAllFonts(bool shared = false);
    // Loads a font file's bytes for the process; its family name, empty on failure.
    static std::string AddFontMemResource(const std::string& bytes);
    Color GetDefaultFontColor() const { return m_dwDefaultFontColor; }
    void SetDefaultFontColor(Color color) { m_dwDefaultFontColor = color; }
    Color GetDefaultDisabledColor() const { return m_dwDefaultDisabledColor; }
    void SetDefaultDisabledColor(Color color) { m_dwDefaultDisabledColor = color; }

    // --- images --------------------------------------------------------------------------
    const TImageInfo* GetImageEx(const std::string& bitmap, const std::string& type = "",
                                 Color mask = 0, bool hsl = false, HINSTANCE instance = nullptr);
    const TImageInfo* GetImage(const std::string& bitmap) { return GetImageEx(bitmap); }
    const TDrawInfo* GetDrawInfo(const std::string& image, const std::string& modify = "");
    // An "Image" definition of a layout: name -> file (with restype and mask).
    void AddImageDefinition(const std::string& name, const std::string& file,
                            const std::string& type, Color mask, bool shared);
    void RemoveAllImages();
    ImageCache& GetImageCache() { return *m_images; }

    // --- Default attribute lists ---------------------------------------------------------
    void AddDefaultAttributeList(const std::string& controlName, const std::string& list,
                                 bool shared = false);
    std::string GetDefaultAttributeList(const std::string& controlName) const;
    void RemoveAllDefaultAttributeList(bool shared = false);

    // --- DrawResources -------------------------------------------------------------------
    ImageCache& RenderImages() override { return *m_images; }
    FontSpec RenderFont(int id) override { return GetFont(id); }
    int RenderScale(int value) override { return m_dpi.Scale(value); }

    // --- IControlHost --------------------------------------------------------------------
    void NotifyFrom(CControlUI* control, const std::string& type, WPARAM wParam,
                    LPARAM lParam) override {
        SendNotify(control, type, wParam, lParam);
    }
    std::string StyleAttributes(const std::string& name) const override {
        return GetDefaultAttributeList(name);
    }
    std::optional<RECT> ClientToScreen(const RECT& rc) const override;

  private:
    void OnTextsReloaded() override;

    struct TimerInfo {
        CControlUI* control = nullptr;
        UINT id = 0;
        int backendId = 0;
    };
    struct ImageDefinition {
        std::string file;
        std::string type;
        Color mask = 0;
    };

    void ResolveLayout();
    void DispatchMouseMove(POINT pt, WPARAM keys);
    void SendEvent(CControlUI* control, int type, POINT pt, WPARAM wParam = 0, LPARAM lParam = 0,
                   uint32_t key = 0);
    void DeliverNotify(TNotifyUI& msg);
    void DrainAsyncNotify();
    void RegisterNames(CControlUI* control);
    void OnTimerTick(CControlUI* control, UINT id);
    void UpdateCursor(CControlUI* control);
    // Frameless windows move when the user drags their caption band (not over a control
    // that takes clicks).
    bool StartCaptionDrag(POINT pt, CControlUI* hit);
    // One handler per group of input messages; true when the message was consumed.
    bool OnSizeMessage(WPARAM wParam, LPARAM lParam);
    bool OnMouseMoveMessage(POINT pt, WPARAM wParam);
    bool OnMouseLeaveMessage();
    bool OnButtonDownMessage(UINT uMsg, POINT pt, WPARAM wParam, LPARAM lParam);
    bool OnButtonUpMessage(POINT pt, WPARAM wParam, LPARAM lParam);
    bool OnRightButtonDownMessage(POINT pt, WPARAM wParam, LPARAM lParam);
    bool OnRightButtonUpMessage(POINT pt, WPARAM wParam, LPARAM lParam);
    // A message aimed at the enabled control under the point (context menu, wheel).
    bool OnPointedMessage(int eventType, POINT pt, WPARAM wParam, LPARAM lParam);
    bool OnKeyMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    bool OnKillFocusMessage();

    HWND m_hWndPaint = nullptr;
    std::string m_sName;
    std::string m_sCaption;
    CControlUI* m_pRoot = nullptr;
    CControlUI* m_pFocus = nullptr;
    CControlUI* m_pEventHover = nullptr;
    CControlUI* m_pEventClick = nullptr;
    CControlUI* m_pEventRClick = nullptr;
    bool m_bMouseCapture = false;
    bool m_bCaptionDrag = false;
    unsigned m_nSizeMessages = 0;
    POINT m_ptDragCursor;
    RECT m_rcDragWindow;
    bool m_bUpdateNeeded = true;
    bool m_bFirstLayout = true;
    bool m_bLayered = false;
    POINT m_ptLastMousePos{-1, -1};
    UINT m_uKeyState = 0;
    SIZE m_szInitWindowSize;
    SIZE m_szMinWindow;
    SIZE m_szMaxWindow;
    RECT m_rcCaption;

    std::unordered_map<std::string, std::vector<CControlUI*>, NoCaseHash, NoCaseEqual> m_names;
    std::map<std::string, std::vector<CControlUI*>> m_optionGroups;
    std::vector<INotifyUI*> m_aNotifiers;
    std::vector<IMessageFilterUI*> m_aPreMessageFilters;
    std::vector<IMessageFilterUI*> m_aMessageFilters;
    std::deque<TNotifyUI> m_aAsyncNotify;
    bool m_bAsyncNotifyPosted = false;
    std::vector<TimerInfo> m_aTimers;
    std::vector<std::unique_ptr<MenuCmd>> m_aMenuCmds;

    CDPI m_dpi;
    std::map<int, TFontInfo> m_fonts;
    TFontInfo m_defaultFont;
    bool m_bHasDefaultFont = false;
    Color m_dwDefaultFontColor = 0xFF000000;
    Color m_dwDefaultDisabledColor = 0xFFA7A6AA;
    std::unique_ptr<ImageCache> m_images;
    std::map<std::string, ImageDefinition, NoCaseLess> m_imageDefs;
    std::map<std::string, std::string, NoCaseLess> m_defaultAttrs;
};

}  // namespace ui
