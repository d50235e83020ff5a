#include "windows/SkinFrame.h"

#include "platform/Trace.h"
#include "ui/core/ControlUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/StringUtil.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/shell/FileDialog.h"
#include "ui/skin/DialogBuilder.h"
#include "windows/ProgramIcons.h"
#include "windows/SkinChoiceFile.h"

namespace windows {
namespace {

CSkinFrame* g_skinFrame = nullptr;  // the open frame (window thread only)

}  // namespace

ui::HWND CSkinFrame::Open(ui::HWND mainWnd, ui::CControlUI* skinButton) {
    if (g_skinFrame != nullptr && ui::IsWindow(g_skinFrame->GetHWND()))
        ui::DestroyWindow(g_skinFrame->GetHWND());
    auto* frame = new CSkinFrame(mainWnd, skinButton);
    g_skinFrame = frame;
    // No owner: the frame is a window of its own over the main window.
    if (frame->Create(nullptr, "skinframe", kSkinFrameStyle, kSkinFrameExStyle) == nullptr) {
        // A window that got as far as its final message has deleted itself.
        if (g_skinFrame == frame) {
            g_skinFrame = nullptr;
            delete frame;
        }
        platform::Trace("SkinFrame: the frame cannot be created");
        return nullptr;
    }
    frame->skinButton_ = nullptr;
    return frame->GetHWND();
}

ui::HWND CSkinFrame::Current() {
    return g_skinFrame != nullptr ? g_skinFrame->GetHWND() : nullptr;
}

CSkinFrame::CSkinFrame(ui::HWND mainWnd, ui::CControlUI* skinButton)
    : mainWnd_(mainWnd), skinButton_(skinButton) {
    if (skinButton != nullptr && skinButton->GetManager() != nullptr)
        dpi_ = skinButton->GetManager()->GetDPI();
}

CSkinFrame::~CSkinFrame() {
    if (g_skinFrame == this)
        g_skinFrame = nullptr;
}

void CSkinFrame::OnFinalMessage(ui::HWND /*hWnd*/) {
    if (g_skinFrame == this)
        g_skinFrame = nullptr;
    DeleteSelf();
}

ui::LRESULT CSkinFrame::HandleMessage(ui::UINT uMsg, ui::WPARAM wParam, ui::LPARAM lParam) {
    switch (uMsg) {
        case ui::WM_CREATE:
            return OnCreate();
        case ui::WM_KILLFOCUS:
            // A click anywhere else: the choice is over.
            Close();
            return 0;
        case ui::WM_NCACTIVATE:
            if (!IsMinimized())
                return wParam == 0 ? 1 : 0;
            break;
        default:
            break;
    }
    ui::HWND self = m_hWnd;
    ui::LRESULT lRes = 0;
    if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes))
        return lRes;
    if (!ui::IsWindow(self))
        return lRes;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

ui::LRESULT CSkinFrame::OnCreate() {
    SetIcon(kSkinFrameIconId);
    m_pm.Init(m_hWnd);
    m_pm.SetDPI(dpi_);
    ui::CDialogBuilder builder;
    ui::CControlUI* root = builder.Create("skin.xml", "", nullptr, &m_pm);
    if (root == nullptr) {
        platform::Trace("SkinFrame: skin.xml has no layout");
        return -1;
    }
    m_pm.AttachDialog(root);
    m_pm.AddNotifier(this);
    PlaceUnderButton();
    return 0;
}

void CSkinFrame::PlaceUnderButton() {
    const ui::SIZE size = m_pm.GetInitSize();
    ui::RECT rc = GetWindowRect();
    const int cx = size.cx > 0 ? size.cx : rc.Width();
    const int cy = size.cy > 0 ? size.cy : rc.Height();
    ui::CWindowWnd* main = ui::GetWindowObject(mainWnd_);
    if (skinButton_ == nullptr || main == nullptr) {
        SetWindowPos(ui::RECT{rc.left, rc.top, rc.left + cx, rc.top + cy});
        return;
    }
    // Right edge on the button's right edge, top on its bottom.
    const ui::RECT button = skinButton_->GetPos();
    ui::POINT corner{button.right - cx, button.bottom};
    main->ClientToScreen(corner);
    SetWindowPos(ui::RECT{corner.x, corner.y, corner.x + cx, corner.y + cy});
}

void CSkinFrame::Notify(ui::TNotifyUI& msg) {
    if (msg.pSender != nullptr && msg.sType == "click")
        OnClick(msg.pSender);
}

void CSkinFrame::OnClick(ui::CControlUI* sender) {
    const std::string name = sender->GetName();
    if (ui::EqualsNoCase(name, "skin_image_btn")) {
        const std::string image = sender->GetUserData();
        if (!IsSkinImageName(image)) {
            platform::TraceF("SkinFrame: \"%s\" names no image of the skin", image.c_str());
            return;
        }
        PublishImage(image);
        Record(true, image);
    } else if (ui::EqualsNoCase(name, "skin_color_btn")) {
        SkinChangedParam change;
        change.bColor = true;
        change.bkcolor = sender->GetBkColor();
        ProgramSkinObserver().Publish(change);
    } else if (ui::EqualsNoCase(name, "skin_color") || ui::EqualsNoCase(name, "skin_image")) {
        auto* tab = dynamic_cast<ui::CTabLayoutUI*>(m_pm.FindControl("skin_tab"));
        if (tab != nullptr)
            tab->SelectItem(ui::EqualsNoCase(name, "skin_color") ? 1 : 0);
    } else if (ui::EqualsNoCase(name, "skin_reset")) {
        PublishImage(kDefaultSkinImage);
        Record(false, kDefaultSkinImage);
    } else if (ui::EqualsNoCase(name, "skin_Custom")) {
        ui::FileDialogRequest request;
        request.filters = ui::ParseFileFilter(kSkinPictureFilter);
        request.fileName = "*.png";
        request.defaultSuffix = "png";
        if (CWindowWnd* main = ui::GetWindowObject(mainWnd_))
            request.owner = main->GetNativeWindow();
        const std::string path = ui::GetFileDialog().Open(request);
        if (path.empty())
            return;  // cancelled: nothing changes
        PublishImage(path);
    }
}

void CSkinFrame::PublishImage(const std::string& image) {
    SkinChangedParam change;
    change.bColor = false;
    change.bgimage = image;
    ProgramSkinObserver().Publish(change);
}

void CSkinFrame::Record(bool chosen, const std::string& image) {
    const std::string path = SkinIniPath(true);
    if (!RecordSkinImage(path, chosen, image))
        platform::TraceF("SkinFrame: %s cannot be written", path.c_str());
}

}  // namespace windows
