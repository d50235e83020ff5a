#pragma once
// A window built from layout text on the headless realisation that records what it is told,
// for driving the input controls as a user would.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ui/core/ControlUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/headless/HeadlessBackend.h"

namespace ui::controls_test {

struct Seen {
    std::string type;
    std::string sender;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class RecordingWindow : public WindowImplBase {
  public:
    explicit RecordingWindow(std::string layout) : layout_(std::move(layout)) {}

    std::vector<Seen> seen;
    std::function<void(TNotifyUI&)> onNotify;  // runs inside the notification

    void Notify(TNotifyUI& msg) override {
        seen.push_back(
            Seen{msg.sType, msg.pSender ? msg.pSender->GetName() : "", msg.wParam, msg.lParam});
        if (onNotify)
            onNotify(msg);
        WindowImplBase::Notify(msg);
    }
    // Types raised by one control, in order (hover, focus and timer noise left out).
    std::vector<std::string> From(const std::string& sender) const {
        std::vector<std::string> out;
        for (const Seen& s : seen) {
            static const std::vector<std::string> kNoise{"timer", "msenter", "msleave", "setfocus",
                                                         "killfocus"};
            if (s.sender == sender &&
                std::find(kNoise.begin(), kNoise.end(), s.type) == kNoise.end()) {
                out.push_back(s.type);
            }
        }
        return out;
    }
    const Seen* Last(const std::string& type) const {
        for (auto it = seen.rbegin(); it != seen.rend(); ++it) {
            if (it->type == type)
                return &*it;
        }
        return nullptr;
    }
    headless::HeadlessWindow* Native() const {
        return static_cast<headless::HeadlessWindow*>(GetNativeWindow());
    }
    template <typename T>
    T* Get(const std::string& name) {
        m_pm.UpdateLayout();
        CControlUI* c = m_pm.FindControl(name);
        return c ? dynamic_cast<T*>(c) : nullptr;
    }
    Rect PosOf(const std::string& name) {
        m_pm.UpdateLayout();
        return m_pm.FindControl(name)->GetPos();
    }

  protected:
    std::string GetWindowClassName() const override { return "ControlsTestWindow"; }
    std::string GetSkinFile() override { return layout_; }

  private:
    std::string layout_;
};

class ControlsTest : public ::testing::Test {
  protected:
    void Open(const std::string& layout) {
        backend.Install();
        window = new RecordingWindow(layout);
        ASSERT_NE(window->Create(nullptr, "controls", WS_POPUP | WS_VISIBLE, 0, 0, 0, 400, 300),
                  nullptr);
        backend.ProcessPending();
        window->GetPaintManager()->UpdateLayout();
        window->seen.clear();
    }
    void TearDown() override {
        if (window != nullptr && IsWindow(window->GetHWND()))
            DestroyWindow(window->GetHWND());
        delete window;
        backend.ProcessPending();
    }
    headless::HeadlessBackend backend;
    RecordingWindow* window = nullptr;
};

inline Point Centre(const Rect& r) {
    return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace ui::controls_test
