#pragma once
// Shared pieces of the headless GUI tests: a window built from layout text that records the
// notifications it receives, and a fixture that installs the headless realisation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/core/ControlUI.h"
#include "ui/core/WindowImplBase.h"
#include "ui/headless/HeadlessBackend.h"

namespace ui::testing {

struct Seen {
    std::string type;
    std::string sender;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class LayoutWindow : public WindowImplBase {
  public:
    explicit LayoutWindow(std::string layout) : layout_(std::move(layout)) {}

    std::vector<Seen> seen;
    std::vector<UINT> messages;  // custom messages that reached HandleCustomMessage
    bool finalMessage = false;

    void Notify(TNotifyUI& msg) override {
        seen.push_back(
            Seen{msg.sType, msg.pSender ? msg.pSender->GetName() : "", msg.wParam, msg.lParam});
        WindowImplBase::Notify(msg);
    }
    std::vector<std::string> Types() const {
        std::vector<std::string> out;
        for (const Seen& s : seen)
            out.push_back(s.type);
        return out;
    }
    std::vector<std::string> TypesFrom(const std::string& sender) const {
        std::vector<std::string> out;
        for (const Seen& s : seen) {
            if (s.sender == sender)
                out.push_back(s.type);
        }
        return out;
    }
    headless::HeadlessWindow* Native() const {
        return static_cast<headless::HeadlessWindow*>(GetNativeWindow());
    }
    CControlUI* Find(const std::string& name) { return m_pm.FindControl(name); }
    // Centre of a control in client coordinates.
    Point CentreOf(const std::string& name) {
        m_pm.UpdateLayout();
        const Rect& r = Find(name)->GetPos();
        return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void ClickOn(const std::string& name) {
        Point p = CentreOf(name);
        Native()->Click(p.x, p.y);
    }

    std::function<LRESULT(UINT, WPARAM, LPARAM, bool&)> onMessage;
    std::function<void()> onFinal;
    bool ownsItself = false;  // deleted (DeleteSelf) once it is gone

  protected:
    std::string GetWindowClassName() const override { return "LayoutWindow"; }
    std::string GetSkinFile() override { return layout_; }
    LRESULT HandleCustomMessage(UINT msg, WPARAM w, LPARAM l, bool& handled) override {
        if (msg >= WM_USER)
            messages.push_back(msg);
        if (onMessage)
            return onMessage(msg, w, l, handled);
        handled = false;
        return 0;
    }
    void OnFinalMessage(HWND) override {
        finalMessage = true;
        if (onFinal)
            onFinal();
        if (ownsItself)
            DeleteSelf();
    }

  private:
    std::string layout_;
};

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override { backend.Install(); }
    headless::HeadlessBackend backend;
};

}  // namespace ui::testing
