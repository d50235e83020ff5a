#pragma once
// IControlHost: what a control asks of the paint manager it belongs to (drawing resources,
// focus, repainting, notifications, name registration). CPaintManagerUI implements it; the
// control base talks only to this interface, so it sits below the manager in the include
// graph. Window thread only, like the manager.
#include <optional>
#include <string>

#include "ui/core/UIDefs.h"
#include "ui/render/RenderEngine.h"

namespace ui {

class CControlUI;
class CPaintManagerUI;

class IControlHost : public DrawResources {
  public:
    // The control is going: forget every reference to it (focus, hot, capture, timers, names).
    virtual void ReapObjects(CControlUI* control) = 0;
    virtual void RenameControl(CControlUI* control, const std::string& oldName) = 0;
    virtual void NeedUpdate() = 0;
    virtual void Invalidate(const RECT& rc) = 0;
    virtual CControlUI* GetFocus() const = 0;
    virtual void SetFocus(CControlUI* control) = 0;
    virtual void NotifyFrom(CControlUI* control, const std::string& type, WPARAM wParam,
                            LPARAM lParam) = 0;
    // The attribute list of a named style ("" when the window defines none of that name).
    virtual std::string StyleAttributes(const std::string& name) const = 0;
    // A rectangle of the client area on the screen; nothing while the window has no native
    // window.
    virtual std::optional<RECT> ClientToScreen(const RECT& rc) const = 0;
};

// The host side of a paint manager (defined with the manager, which knows both types).
IControlHost* ControlHostOf(CPaintManagerUI* manager);

}  // namespace ui
