#pragma once
// WindowImplBase: a window built from a layout. Create() makes the native window; WM_CREATE
// builds the layout named by GetSkinFile() into the paint manager (unknown tags go to
// CreateControl), calls InitWindow() and posts "windowinit". Notifications reach Notify(),
// which routes them through the message maps (CNotifyPump); "click" reaches OnClick().
// Messages pass HandleCustomMessage first, then the paint manager, then the default
// procedure.
// Threads: window thread only (see CWindowWnd).
#include <string>

#include "ui/core/Notify.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowWnd.h"
#include "ui/skin/DialogBuilder.h"

namespace ui {

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback,
                       public IQueryControlText {
  public:
    WindowImplBase();
    ~WindowImplBase() override;

    // Runs before the paint manager sees a message (pre-filter).
    LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void Notify(TNotifyUI& msg) override;
    CControlUI* CreateControl(const std::string& pstrClass) override;
    std::string QueryControlText(const std::string& key, const std::string& type) override;

    CPaintManagerUI* GetPaintManager() { return &m_pm; }
    CControlUI* FindControl(const std::string& name) const { return m_pm.FindControl(name); }

  protected:
    virtual std::string GetSkinFolder() { return {}; }
    // The layout: a res.xml name, a file relative to the resource path, or XML text.
    virtual std::string GetSkinFile() = 0;
    virtual int GetSkinType() { return UILIB_FILE; }
    virtual std::string GetManagerName() { return {}; }
    virtual void InitWindow() {}
    virtual void InitResource() {}
    virtual void OnClick(TNotifyUI& msg);
    // Escape and Return reach the window here first; true swallows the key.
    virtual bool ResponseDefaultKeyEvent(WPARAM wParam);
    virtual LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);

    virtual LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnMouseHover(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnKillFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnSetFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnGetMinMaxInfo(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnLButtonUp(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    // Kept for windows written against frame messages; skins draw their own frame, so the
    // desktop never sends these here.
    virtual LRESULT OnNcActivate(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnNcPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    // Controls over which a press in the caption band does not drag the window.
    virtual bool IsInStaticControl(CControlUI* control);
    virtual UINT GetStyle() const { return CWindowWnd::GetStyle(); }

    CPaintManagerUI m_pm;
};

}  // namespace ui
