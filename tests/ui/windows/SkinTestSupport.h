#pragma once
// Shared pieces of the window tests: the headless realisation with the real skin and its
// English texts, and clicks on a control of any window.
#include <gtest/gtest.h>

#include <string>

#include "ui/core/ControlUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowImplBase.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/skin/ResourceManager.h"

namespace skintest {

inline std::string SkinDir() {
    return std::string(T418_RESOURCES_DIR) + "/skin/";
}

class SkinTest : public ::testing::Test {
  protected:
    void SetUp() override {
        backend.Install();
        ui::CPaintManagerUI::SetResourcePath(SkinDir());
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml"));
    }
    void TearDown() override { ui::CResourceManager::GetInstance()->Release(); }

    ui::headless::HeadlessBackend backend;
};

inline ui::WindowImplBase* WindowOf(ui::HWND hwnd) {
    return dynamic_cast<ui::WindowImplBase*>(ui::GetWindowObject(hwnd));
}

// Clicks the middle of a visible control of the window; false when it is not there.
inline bool ClickOn(ui::HWND hwnd, const std::string& name) {
    ui::WindowImplBase* window = WindowOf(hwnd);
    if (window == nullptr)
        return false;
    window->GetPaintManager()->UpdateLayout();
    ui::CControlUI* control = window->FindControl(name);
    if (control == nullptr || !control->IsVisible())
        return false;
    const ui::Rect& r = control->GetPos();
    static_cast<ui::headless::HeadlessWindow*>(window->GetNativeWindow())
        ->Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return true;
}

}  // namespace skintest
