#include "controls/HandImgSelectButtonUI.h"

#include <algorithm>
#include <cstdio>

#include "controls/HandImageDrawing.h"
#include "ui/core/PaintManager.h"

namespace controls {
namespace {

// The cursor names a skin may give, as the system's standard cursors know them.
constexpr const char* kCursors[] = {"arrow",  "ibeam",   "wait",     "cross",    "uparrow",
                                    "size",   "icon",    "sizenwse", "sizenesw", "sizewe",
                                    "sizens", "sizeall", "no",       "hand"};

bool IsKnownCursor(std::string_view value) {
    for (const char* name : kCursors) {
        if (ui::EqualsNoCase(value, name))
            return true;
    }
    return false;
}

// One axis of the pan: [low, high) is the source window on an image of size extent; the
// window keeps its width and never leaves the image.
void PanAxis(int last, int now, int& low, int& high, int extent) {
    if (now < last) {
        int d = last - now;
        if (high < extent) {
            d = std::min(d, extent - high);
            low += d;
            high += d;
        }
    } else {
        int d = now - last;
        if (low > 0) {
            if (d < low) {
                low -= d;
                high -= d;
            } else {
                high -= low;
                low = 0;
            }
        }
    }
}

}  // namespace

void* CHandImgSelectButtonUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return static_cast<CHandImgSelectButtonUI*>(this);
    return CButtonUI::GetInterface(name);
}

void CHandImgSelectButtonUI::SetAttribute(std::string_view name, std::string_view value) {
    if (ui::EqualsNoCase(name, "handimage")) {
        SetHandImage(std::string(value));
    } else if (ui::EqualsNoCase(name, "cursor") && !value.empty()) {
        if (IsKnownCursor(value))
            SetCursor(ui::ToLowerAscii(value));
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void CHandImgSelectButtonUI::SetHandImage(const std::string& file) {
    handImage_ = file;
    LoadHandImage();
}

void CHandImgSelectButtonUI::DoInit() {
    // A layout gives the picture before the control has a window to load it with.
    if (!handImage_.empty() && imageWidth_ == 0)
        LoadHandImage();
}

void CHandImgSelectButtonUI::LoadHandImage() {
    if (m_pManager == nullptr || handImage_.empty())
        return;
    const ui::TImageInfo* image = m_pManager->GetImageEx(handImage_);
    if (image == nullptr)
        return;
    imageWidth_ = image->width;
    imageHeight_ = image->height;
    // Before the first layout the fixed size is the control's size.
    int width = m_rcItem.IsEmpty() ? GetFixedWidth() : GetWidth();
    int height = m_rcItem.IsEmpty() ? GetFixedHeight() : GetHeight();
    sourceRect_ = ui::RECT{0, 0, width, height};
    if (width < imageWidth_ || height < imageHeight_) {
        UpdateShownImage();
    } else {
        shownImage_ = handImage_;
    }
    Invalidate();
}

void CHandImgSelectButtonUI::UpdateShownImage() {
    char source[96];
    std::snprintf(source, sizeof source, "source='%d,%d,%d,%d'", sourceRect_.left, sourceRect_.top,
                  sourceRect_.right, sourceRect_.bottom);
    shownImage_ = "file='" + handImage_ + "' " + source;
}

void CHandImgSelectButtonUI::Pan(ui::POINT point) {
    PanAxis(lastPoint_.x, point.x, sourceRect_.left, sourceRect_.right, imageWidth_);
    PanAxis(lastPoint_.y, point.y, sourceRect_.top, sourceRect_.bottom, imageHeight_);
    lastPoint_ = point;
    UpdateShownImage();
}

void CHandImgSelectButtonUI::DoEvent(ui::TEventUI& event) {
    const ui::UINT kPushedCaptured = ui::UISTATE_PUSHED | ui::UISTATE_CAPTURED;
    switch (event.Type) {
        case ui::UIEVENT_BUTTONDOWN:
        case ui::UIEVENT_DBLCLICK:
            dragging_ = true;
            if (m_rcItem.Contains(event.ptMouse) && IsEnabled()) {
                m_uButtonState |= kPushedCaptured;
                lastPoint_ = event.ptMouse;
                Invalidate();
            }
            return;
        case ui::UIEVENT_BUTTONUP:
            if (m_uButtonState & ui::UISTATE_CAPTURED) {
                m_uButtonState &= ~kPushedCaptured;
                Invalidate();
            }
            dragging_ = false;
            return;
        case ui::UIEVENT_MOUSEMOVE:
            if (dragging_) {
                Pan(event.ptMouse);
                if (m_uButtonState & ui::UISTATE_CAPTURED) {
                    if (m_rcItem.Contains(event.ptMouse))
                        m_uButtonState |= ui::UISTATE_PUSHED;
                    else
                        m_uButtonState &= ~static_cast<ui::UINT>(ui::UISTATE_PUSHED);
                }
                Invalidate();
            }
            return;
        case ui::UIEVENT_MOUSEENTER:
        case ui::UIEVENT_MOUSELEAVE:
            if (IsEnabled()) {
                bool enter = event.Type == ui::UIEVENT_MOUSEENTER;
                if (enter)
                    m_uButtonState |= ui::UISTATE_HOT;
                else
                    m_uButtonState &= ~static_cast<ui::UINT>(ui::UISTATE_HOT);
                if (m_pManager != nullptr)
                    m_pManager->SendNotify(this, enter ? "msenter" : "msleave");
                Invalidate();
            }
            break;
        default:
            break;
    }
    CButtonUI::DoEvent(event);
}

void CHandImgSelectButtonUI::PaintStatusImage(ui::RenderTarget& target) {
    CButtonUI::PaintStatusImage(target);
    if (!shownImage_.empty())
        DrawHandImage(*this, target, m_rcPaint, shownImage_, HandImageFallback::ChosenFile,
                      handImage_);
}

}  // namespace controls
