#pragma once
// Pop-up menus built from a layout. The layout's root is a "Menu" (a vertical list) holding
// "MenuElement" items; an item's name is what the menu reports. A chosen item reaches the
// window of the main paint manager as WM_MENUCLICK (1145) with wParam pointing to a MenuCmd
// that the receiver releases with CPaintManagerUI::DeletePtr. The menu closes after a
// choice, on Escape and on a click outside it. Window thread only.
//
//   <Window><Menu width="160">
//     <MenuElement name="about_menu" text="About"/>
//     <MenuElement name="exit" text="Exit" icon="exit.png"/>
//   </Menu></Window>
#include <map>
#include <string>

#include "ui/controls/ButtonUI.h"
#include "ui/core/WindowImplBase.h"
#include "ui/layout/VerticalLayoutUI.h"

namespace ui {

// Where the menu opens relative to the point: its left or right edge, its top or bottom.
enum MenuAlignment : DWORD {
    eMenuAlignment_Left = 1 << 1,
    eMenuAlignment_Top = 1 << 2,
    eMenuAlignment_Right = 1 << 3,
    eMenuAlignment_Bottom = 1 << 4,
};

class CMenuUI : public CVerticalLayoutUI {
  public:
    std::string GetClass() const override { return "MenuUI"; }
    void* GetInterface(std::string_view name) override;
    // Width (fixed or 160) and the heights of the visible items plus the inset.
    Size MenuSize() const;
};

class CMenuElementUI : public CButtonUI {
  public:
    CMenuElementUI();
    std::string GetClass() const override { return "MenuElementUI"; }
    void* GetInterface(std::string_view name) override;

    bool IsChecked() const { return m_bChecked; }
    void SetChecked(bool checked);
    // A check mark is drawn for checkable items that are checked.
    bool IsCheckable() const { return m_bCheckable; }
    void SetCheckable(bool checkable) { m_bCheckable = checkable; }
    const std::string& GetIcon() const { return m_sIcon; }
    void SetIcon(const std::string& image);

    SIZE EstimateSize(SIZE szAvailable) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintStatusImage(RenderTarget& target) override;

  private:
    bool m_bChecked = false;
    bool m_bCheckable = false;
    std::string m_sIcon;
};

class CMenuWnd : public WindowImplBase {
  public:
    CMenuWnd();

    // Makes and shows a menu (it deletes itself when it closes). nullptr when the layout
    // cannot be built.
    static CMenuWnd* CreateMenu(CMenuElementUI* owner, const std::string& xml, POINT point,
                                CPaintManagerUI* mainPaintManager,
                                std::map<std::string, bool>* checkInfo = nullptr,
                                DWORD alignment = eMenuAlignment_Left | eMenuAlignment_Top);
    // The same for a menu object the caller made with new. False when it could not open;
    // the menu has then deleted itself.
    bool Init(CMenuElementUI* owner, const std::string& xml, POINT point,
              CPaintManagerUI* mainPaintManager, std::map<std::string, bool>* checkInfo = nullptr,
              DWORD alignment = eMenuAlignment_Left | eMenuAlignment_Top);

    CMenuUI* GetMenuUI() const;
    // Screen rectangle the menu takes for a size, a point and an alignment, kept inside the
    // work area.
    static Rect PlaceMenu(Size size, Point point, DWORD alignment, const Rect& workArea);

    void Notify(TNotifyUI& msg) override;

  protected:
    std::string GetWindowClassName() const override { return "MenuWnd"; }
    std::string GetSkinFile() override { return m_sXml; }
    bool IsPopupWindow() const override { return true; }
    void InitWindow() override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    void OnFinalMessage(HWND hWnd) override;

  private:
    std::string m_sXml;
    POINT m_ptBase;
    DWORD m_dwAlignment = eMenuAlignment_Left | eMenuAlignment_Top;
    CPaintManagerUI* m_pMainManager = nullptr;
    HWND m_hMainWnd = nullptr;
    std::map<std::string, bool>* m_pCheckInfo = nullptr;
    bool m_bChosen = false;
};

}  // namespace ui
