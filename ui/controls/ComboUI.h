#pragma once
// CComboUI: a field showing the selected item and a drop-down list window with all items.
// The items are list rows (normally CListLabelElementUI) owned by the combo; while the
// list is open they are shown in the drop-down window and come back when it closes.
// Notifications: "itemselect" (wParam: new index, lParam: previous, -1 for none) and
// "dropdown" when the list opens.
#include <memory>
#include <string>

#include "ui/controls/ListUI.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowWnd.h"

namespace ui {

class CComboUI;
class CVerticalLayoutUI;

// The drop-down list window of a combo (a pop-up: it closes when it loses focus). Window
// thread only, like the combo.
class CComboWnd : public CWindowWnd {
  public:
    explicit CComboWnd(CComboUI* owner);
    ~CComboWnd() override;

    // Creates and shows the window below (or above, when the screen ends) the combo. The
    // window owns itself: it deletes itself when it is gone, or here when it cannot open.
    bool Open();
    // The combo goes away first: give its items back at once and close.
    void DetachOwner();

    CPaintManagerUI& GetPaintManager() { return m_pm; }
    CVerticalLayoutUI* GetLayout() const { return m_pLayout; }

    std::string GetWindowClassName() const override { return "ComboWnd"; }
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

  protected:
    void OnFinalMessage(HWND hWnd) override;
    bool IsPopupWindow() const override { return true; }

  private:
    void ReturnItems();
    RECT DropRect() const;

    CComboUI* m_pOwner;
    CPaintManagerUI m_pm;
    CVerticalLayoutUI* m_pLayout = nullptr;
    bool m_bItemsReturned = false;
};

class CComboUI : public CContainerUI, public IListOwnerUI {
  public:
    CComboUI();
    ~CComboUI() override;

    std::string GetClass() const override { return "ComboUI"; }
    void* GetInterface(std::string_view name) override;
    UINT GetControlFlags() const override;

    // --- items -----------------------------------------------------------------------
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;
    bool SetItemIndex(CControlUI* control, int index) override;
    // An item's user data ("" when the index is out of range).
    std::string GetItemUserData(int index) const;
    void SetItemUserData(int index, const std::string& userData);

    // --- selection -------------------------------------------------------------------
    TListInfoUI* GetListInfo() override { return &m_info; }
    int GetCurSel() const override { return m_iCurSel; }
    CControlUI* GetCurItem() const { return GetItemAt(m_iCurSel); }
    bool SelectItem(int index, bool takeFocus = false, bool notify = true) override;
    // The same, as some callers spell it.
    bool SelectItem1(int index, bool takeFocus = false, bool notify = true) {
        return SelectItem(index, takeFocus, notify);
    }
    bool SelectMultiItem(int index, bool takeFocus = false, bool notify = true) override {
        return SelectItem(index, takeFocus, notify);
    }
    bool UnSelectItem(int index, bool others = false) override;
    // Selects the first item whose user data is the text (or the number, written in
    // decimal); false and no change when none has it.
    bool UserDataSetSelectItem(const std::string& userData, bool takeFocus = false,
                               bool notify = true);
    bool UserDataSetSelectItem(int userData, bool takeFocus = false, bool notify = true) {
        return UserDataSetSelectItem(std::to_string(userData), takeFocus, notify);
    }
    CControlUI* GetOwnerControl() override { return this; }

    // The selected item's text ("" with none).
    std::string GetText() const override;

    // --- drop-down -------------------------------------------------------------------
    bool Activate() override;  // opens the list
    bool IsDropDownOpen() const { return m_pWindow != nullptr; }
    void CloseDropDown();
    CComboWnd* GetDropDownWindow() const { return m_pWindow; }
    // Size of the list window in 96-DPI pixels; width 0: the combo's width.
    SIZE GetDropBoxSize() const { return m_szDropBox; }
    void SetDropBoxSize(SIZE size) { m_szDropBox = size; }
    const std::string& GetDropBoxAttributeList() const { return m_sDropBoxAttributes; }

    // --- look --------------------------------------------------------------------------
    void SetTextColor(Color color);
    void SetFont(int id);
    RECT GetTextPadding() const;  // scaled

    // --- CControlUI ------------------------------------------------------------------
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    SIZE EstimateSize(SIZE szAvailable) override;
    CControlUI* FindControl(FINDCONTROLPROC proc, void* data, UINT flags) override;
    bool DoPaint(RenderTarget& target, const RECT& rcPaint, CControlUI* pStopControl) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintBkColor(RenderTarget& target) override;
    void PaintStatusImage(RenderTarget& target) override;
    void PaintText(RenderTarget& target) override;
    void PaintBorder(RenderTarget& target) override;

  private:
    friend class CComboWnd;
    void Reindex();
    int NextSelectable(int from, int step) const;
    void DropDownClosed();

    int m_iCurSel = -1;
    CComboWnd* m_pWindow = nullptr;
    TListInfoUI m_info;
    SIZE m_szDropBox{0, 150};
    std::string m_sDropBoxAttributes;
    RECT m_rcTextPadding{8, 0, 24, 0};
    int m_iFont = -1;
    Color m_dwTextColor = 0;
    Color m_dwDisabledTextColor = 0;
    UINT m_uTextStyle =
        kTextLeft | kTextVCenter | kTextSingleLine | kTextEndEllipsis | kTextNoPrefix;
    bool m_bShowHtml = false;
    bool m_bHot = false;
    Color m_dwArrowColor = 0xFF5F6670;
    std::string m_sNormalImage;
    std::string m_sHotImage;
    std::string m_sPushedImage;
    std::string m_sFocusedImage;
    std::string m_sDisabledImage;
};

}  // namespace ui
