#pragma once
// Notifications: what controls tell the window ("click", "selectchanged", "timer", ...),
// the listeners that receive them, and CNotifyPump, which routes them to handlers chosen by
// notification type (and optionally control name) and by virtual window name.
// Threads: window thread only; notifications and filters run there.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/core/StringUtil.h"
#include "ui/core/UIDefs.h"

namespace ui {

class CControlUI;

struct TNotifyUI {
    std::string sType;
    std::string sVirtualWnd;  // the sender's virtual window ("" : the window itself)
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;
    POINT ptMouse;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotifyUI {
  public:
    virtual ~INotifyUI() = default;
    virtual void Notify(TNotifyUI& msg) = 0;
};

// Sees window messages before the controls do (AddPreMessageFilter / AddMessageFilter).
class IMessageFilterUI {
  public:
    virtual ~IMessageFilterUI() = default;
    virtual LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;
};

using NotifyHandler = std::function<void(TNotifyUI&)>;

// Message maps by notification type. A notification whose sVirtualWnd names a registered
// virtual window goes to that pump only; others go to this pump's own handlers.
class CNotifyPump {
  public:
    virtual ~CNotifyPump() = default;

    // Names compare without regard to case. False when the name is taken or empty.
    bool AddVirtualWnd(const std::string& name, CNotifyPump* pump);
    bool RemoveVirtualWnd(const std::string& name);
    CNotifyPump* GetVirtualWnd(const std::string& name) const;

    // Handlers of a type; with a control name only notifications from that control.
    void AddNotifyHandler(const std::string& type, NotifyHandler handler);
    void AddNotifyHandler(const std::string& type, const std::string& controlName,
                          NotifyHandler handler);

    // Routes the notification; true when a handler (here or in a virtual window) took it.
    bool NotifyPump(TNotifyUI& msg);

  protected:
    bool LoopDispatch(TNotifyUI& msg);

  private:
    struct Entry {
        std::string type;
        std::string controlName;  // empty: any sender
        NotifyHandler handler;
    };
    std::vector<Entry> entries_;
    std::map<std::string, CNotifyPump*, NoCaseLess> virtualWnds_;
};

}  // namespace ui
