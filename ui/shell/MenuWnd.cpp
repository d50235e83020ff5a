#include "ui/shell/MenuWnd.h"

#include <algorithm>
#include <cstdio>

#include "platform/Trace.h"
#include "ui/skin/ControlFactory.h"

namespace ui {
namespace {

constexpr int kDefaultMenuWidth = 160;
constexpr int kDefaultItemHeight = 26;

const BuiltInControlRegistration kMenu("Menu",
                                       [] { return static_cast<CControlUI*>(new CMenuUI); });
const BuiltInControlRegistration kMenuElement("MenuElement", [] {
    return static_cast<CControlUI*>(new CMenuElementUI);
});

}  // namespace

// --- CMenuUI -------------------------------------------------------------------------------

void* CMenuUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "Menu"))
        return static_cast<CMenuUI*>(this);
    return CVerticalLayoutUI::GetInterface(name);
}

Size CMenuUI::MenuSize() const {
    RECT inset = GetInset();
    int width = GetFixedWidth() > 0 ? GetFixedWidth() : Scale(kDefaultMenuWidth);
    int height = inset.top + inset.bottom;
    int visible = 0;
    for (CControlUI* item : m_items) {
        if (!item->IsVisible() || item->IsFloat())
            continue;
        RECT pad = item->GetPadding();
        SIZE est = item->EstimateSize(SIZE{width, 0});
        height += est.cy + pad.top + pad.bottom;
        ++visible;
    }
    if (visible > 1)
        height += GetChildPadding() * (visible - 1);
    return Size{width, height};
}

// --- CMenuElementUI ------------------------------------------------------------------------

CMenuElementUI::CMenuElementUI() {
    m_uTextStyle = kTextSingleLine | kTextVCenter | kTextEndEllipsis;
    m_rcTextPadding = RECT{28, 0, 8, 0};
    m_dwHotBkColor = 0xFFE5F1FB;
}

void* CMenuElementUI::GetInterface(std::string_view name) {
    if (EqualsNoCase(name, "MenuElement"))
        return static_cast<CMenuElementUI*>(this);
    return CButtonUI::GetInterface(name);
}

void CMenuElementUI::SetChecked(bool checked) {
    m_bChecked = checked;
    Invalidate();
}

void CMenuElementUI::SetIcon(const std::string& image) {
    m_sIcon = image;
    Invalidate();
}

SIZE CMenuElementUI::EstimateSize(SIZE szAvailable) {
    SIZE sz = CButtonUI::EstimateSize(szAvailable);
    if (sz.cy == 0)
        sz.cy = Scale(kDefaultItemHeight);
    return sz;
}

void CMenuElementUI::SetAttribute(std::string_view name, std::string_view value) {
    if (EqualsNoCase(name, "checked")) {
        SetCheckable(true);
        SetChecked(ParseBool(value));
    } else if (EqualsNoCase(name, "checkable")) {
        SetCheckable(ParseBool(value));
    } else if (EqualsNoCase(name, "icon")) {
        SetIcon(std::string(value));
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void CMenuElementUI::PaintStatusImage(RenderTarget& target) {
    CButtonUI::PaintStatusImage(target);
    int side = Scale(16);
    Rect box{m_rcItem.left + Scale(6), m_rcItem.top + (m_rcItem.Height() - side) / 2, 0, 0};
    box.right = box.left + side;
    box.bottom = box.top + side;
    if (!m_sIcon.empty()) {
        char modify[96];
        std::snprintf(modify, sizeof modify, "dest='%d,%d,%d,%d'", box.left - m_rcItem.left,
                      box.top - m_rcItem.top, box.right - m_rcItem.left, box.bottom - m_rcItem.top);
        DrawImage(target, m_sIcon, modify);
    } else if (m_bCheckable && m_bChecked) {
        // A plain check mark when the skin gives no icon.
        Color color = CurrentTextColor();
        int w = std::max(1, Scale(2));
        target.DrawLine(Point{box.left + side / 5, box.top + side / 2},
                        Point{box.left + side * 2 / 5, box.top + side * 3 / 4}, w, color);
        target.DrawLine(Point{box.left + side * 2 / 5, box.top + side * 3 / 4},
                        Point{box.left + side * 4 / 5, box.top + side / 4}, w, color);
    }
}

// --- CMenuWnd ------------------------------------------------------------------------------

CMenuWnd::CMenuWnd() = default;

CMenuWnd* CMenuWnd::CreateMenu(CMenuElementUI* owner, const std::string& xml, POINT point,
                               CPaintManagerUI* mainPaintManager,
                               std::map<std::string, bool>* checkInfo, DWORD alignment) {
    auto* menu = new CMenuWnd;
    if (!menu->Init(owner, xml, point, mainPaintManager, checkInfo, alignment))
        return nullptr;
    return menu;
}

bool CMenuWnd::Init(CMenuElementUI* /*owner*/, const std::string& xml, POINT point,
                    CPaintManagerUI* mainPaintManager, std::map<std::string, bool>* checkInfo,
                    DWORD alignment) {
    m_sXml = xml;
    m_ptBase = point;
    m_dwAlignment = alignment;
    m_pMainManager = mainPaintManager;
    m_hMainWnd = mainPaintManager ? mainPaintManager->GetPaintWindow() : nullptr;
    m_pCheckInfo = checkInfo;
    InUse hold(*this);  // a failed Create may already have finished the window
    HWND hwnd = Create(m_hMainWnd, "", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                       RECT{point.x, point.y, point.x + 1, point.y + 1});
    if (hwnd == nullptr) {
        platform::TraceF("ui: menu %s could not be opened", xml.c_str());
        DeleteSelf();
        return false;
    }
    ShowWindow(true, true);
    return true;
}

CMenuUI* CMenuWnd::GetMenuUI() const {
    CControlUI* root = m_pm.GetRoot();
    if (root == nullptr)
        return nullptr;
    if (auto* menu = static_cast<CMenuUI*>(root->GetInterface("Menu")))
        return menu;
    auto found = m_pm.FindSubControlsByClass(root, "MenuUI");
    return found.empty() ? nullptr : static_cast<CMenuUI*>(found.front());
}

Rect CMenuWnd::PlaceMenu(Size size, Point point, DWORD alignment, const Rect& workArea) {
    int x = (alignment & eMenuAlignment_Right) ? point.x - size.cx : point.x;
    int y = (alignment & eMenuAlignment_Bottom) ? point.y - size.cy : point.y;
    if (!workArea.IsEmpty()) {
        // Flip to the other side when the menu would leave the screen, then clamp.
        if (x + size.cx > workArea.right)
            x = point.x - size.cx;
        if (x < workArea.left)
            x = workArea.left;
        if (y + size.cy > workArea.bottom)
            y = point.y - size.cy;
        if (y < workArea.top)
            y = workArea.top;
    }
    return Rect{x, y, x + size.cx, y + size.cy};
}

void CMenuWnd::InitWindow() {
    // A menu is drawn at its owner's DPI, like every other window of the program.
    if (m_pMainManager != nullptr)
        m_pm.SetDPI(m_pMainManager->GetDPI());
    CMenuUI* menu = GetMenuUI();
    if (menu != nullptr && m_pCheckInfo != nullptr) {
        for (CControlUI* item : m_pm.FindSubControlsByClass(menu, "MenuElementUI")) {
            auto it = m_pCheckInfo->find(item->GetName());
            if (it == m_pCheckInfo->end())
                continue;
            auto* element = static_cast<CMenuElementUI*>(item);
            element->SetCheckable(true);
            element->SetChecked(it->second);
        }
    }
    Size size = m_pm.GetInitSize();
    if (menu != nullptr && (size.cx <= 0 || size.cy <= 0))
        size = menu->MenuSize();
    if (size.cx <= 0 || size.cy <= 0)
        size = Size{kDefaultMenuWidth, kDefaultItemHeight};
    SetWindowPos(PlaceMenu(size, m_ptBase, m_dwAlignment, GetBackend().WorkArea()));
}

void CMenuWnd::Notify(TNotifyUI& msg) {
    if (msg.sType == "click" && msg.pSender != nullptr && !m_bChosen) {
        auto* element = static_cast<CMenuElementUI*>(msg.pSender->GetInterface("MenuElement"));
        if (element == nullptr)
            return;
        m_bChosen = true;
        if (element->IsCheckable()) {
            element->SetChecked(!element->IsChecked());
            if (m_pCheckInfo != nullptr)
                (*m_pCheckInfo)[element->GetName()] = element->IsChecked();
        }
        if (m_pMainManager != nullptr && IsWindow(m_hMainWnd)) {
            auto cmd = std::make_unique<MenuCmd>();
            cmd->szName = element->GetName();
            cmd->szUserData = element->GetUserData();
            cmd->szText = element->GetText();
            cmd->bChecked = element->IsChecked();
            MenuCmd* kept = m_pMainManager->KeepMenuCmd(std::move(cmd));
            ui::PostMessage(m_hMainWnd, WM_MENUCLICK, reinterpret_cast<WPARAM>(kept), 0);
        }
        Close(IDOK);
        return;
    }
    WindowImplBase::Notify(msg);
}

LRESULT CMenuWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM /*lParam*/, bool& bHandled) {
    bHandled = false;
    if ((uMsg == WM_KEYDOWN && wParam == VK_ESCAPE) || (uMsg == WM_ACTIVATE && wParam == 0)) {
        // Escape, or the user went elsewhere: the menu goes without a choice.
        Close(IDCANCEL);
        bHandled = true;
    }
    return 0;
}

void CMenuWnd::OnFinalMessage(HWND /*hWnd*/) {
    DeleteSelf();
}

}  // namespace ui
