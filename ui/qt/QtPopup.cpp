#include "ui/qt/QtPopup.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace ui::qt {
namespace {

// Qt keeps the open pop-ups as a stack whose top is the active one. Bounded: a pop-up that
// refuses to go must not hang the loop.
constexpr int kMaxPopups = 32;

void Dismiss(QWidget* popup) {
    if (auto* window = dynamic_cast<PopupWindow*>(popup)) {
        window->Dismiss();
        return;
    }
    popup->close();  // one of Qt's own (a file dialog's list)
    if (QApplication::activePopupWidget() == popup)
        popup->hide();
}

}  // namespace

PopupOwnerWatch::PopupOwnerWatch(QWidget& popupWidget, PopupWindow& popup, QWidget& owner)
    : QObject(&popupWidget), popupWidget_(popupWidget), popup_(popup), owner_(&owner) {
    owner.installEventFilter(this);
}

bool PopupOwnerWatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched != owner_.data() || !popupWidget_.isVisible())
        return false;
    switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Hide:
        case QEvent::WindowDeactivate:
            popup_.Dismiss();
            break;
        case QEvent::WindowStateChange:
            if (owner_->isMinimized())
                popup_.Dismiss();
            break;
        default:
            break;
    }
    return false;
}

void DismissPopupsOutside(QPoint globalPos) {
    for (int i = 0; i < kMaxPopups; ++i) {
        QWidget* top = QApplication::activePopupWidget();
        if (top == nullptr || top->geometry().contains(globalPos))
            return;
        Dismiss(top);
    }
}

void DismissAllPopups() {
    for (int i = 0; i < kMaxPopups; ++i) {
        QWidget* top = QApplication::activePopupWidget();
        if (top == nullptr)
            return;
        Dismiss(top);
    }
}

}  // namespace ui::qt
