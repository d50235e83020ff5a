#pragma once
// A headless window built from layout text with the program's controls registered, that
// records the notifications it receives.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/ProgramControls.h"
#include "devices/DeviceControls.h"
#include "ui/core/ControlUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowImplBase.h"
#include "ui/headless/HeadlessBackend.h"

namespace devices_test {

struct Seen {
    std::string type;
    std::string sender;
    ui::WPARAM wParam = 0;
    ui::LPARAM lParam = 0;
};

class PageWindow : public ui::WindowImplBase {
  public:
    explicit PageWindow(std::string layout) : layout_(std::move(layout)) {}
    std::vector<Seen> seen;

    void Notify(ui::TNotifyUI& msg) override {
        seen.push_back(
            Seen{msg.sType, msg.pSender ? msg.pSender->GetName() : "", msg.wParam, msg.lParam});
        WindowImplBase::Notify(msg);
    }
    int Count(const std::string& type) const {
        int n = 0;
        for (const Seen& s : seen)
            n += s.type == type ? 1 : 0;
        return n;
    }
    ui::headless::HeadlessWindow* Native() const {
        return static_cast<ui::headless::HeadlessWindow*>(GetNativeWindow());
    }
    template <typename T>
    T* Get(const std::string& name) {
        m_pm.UpdateLayout();
        return dynamic_cast<T*>(m_pm.FindControl(name));
    }

  protected:
    std::string GetWindowClassName() const override { return "DevicePageTest"; }
    std::string GetSkinFile() override { return layout_; }

  private:
    std::string layout_;
};

// A picture all images of a test can use: registered under a name in the window's cache.
class TestImage : public ui::Image {
  public:
    TestImage(int w, int h) : w_(w), h_(h) {}
    int Width() const override { return w_; }
    int Height() const override { return h_; }
    ui::Color PixelAt(int, int) const override { return 0xFFFFFFFF; }

  private:
    int w_, h_;
};

class PageTest : public ::testing::Test {
  protected:
    void Open(const std::string& layout, int width = 600, int height = 400) {
        controls::ControlCreators creators;
        controls::AddCustomControlCreators(creators);
        devices::AddDeviceControlCreators(creators);
        controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
        backend.Install();
        window = new PageWindow(layout);
        ASSERT_NE(
            window->Create(nullptr, "page", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, width, height),
            nullptr);
        backend.ProcessPending();
        window->GetPaintManager()->UpdateLayout();
        window->seen.clear();
    }
    void AddImage(const std::string& name, int w, int h) {
        window->GetPaintManager()->GetImageCache().AddImage(name,
                                                            std::make_shared<TestImage>(w, h));
    }
    void TearDown() override {
        if (window != nullptr && ui::IsWindow(window->GetHWND()))
            ui::DestroyWindow(window->GetHWND());
        delete window;
        backend.ProcessPending();
    }
    ui::headless::HeadlessBackend backend;
    PageWindow* window = nullptr;
};

inline ui::Point Centre(const ui::Rect& r) {
    return ui::Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace devices_test
