#pragma once
// Pop-up windows (NativeWindowParams::popup: menus, drop-down lists and every later kind, such
// as the skin frame or tool tips) go away as the desktop's own do. A button press outside the
// pop-up, in another window of the program or on the desktop, dismisses it and reaches nothing
// else; so do its owner window being deactivated, moved, resized, minimised or hidden, the
// program losing the desktop's focus, and another window of the program being shown active.
// Dismissing hides the pop-up at once (Qt lets the pointer and keyboard go) and then, from the
// event loop, tells the library that the window lost the focus and that the desktop asks it
// to close. Window thread only.
#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

namespace ui::qt {

// What dismissing asks of one of our pop-up windows (WindowWidget is one).
class PopupWindow {
  public:
    virtual void Dismiss() = 0;

  protected:
    ~PopupWindow() = default;
};

// Watches the owner window of one pop-up; a child of the pop-up's widget.
class PopupOwnerWatch : public QObject {
  public:
    PopupOwnerWatch(QWidget& popupWidget, PopupWindow& popup, QWidget& owner);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& popupWidget_;
    PopupWindow& popup_;
    QPointer<QWidget> owner_;
};

// Dismisses the open pop-ups, topmost first, down to the first one that holds the point.
void DismissPopupsOutside(QPoint globalPos);
// Dismisses every open pop-up.
void DismissAllPopups();

}  // namespace ui::qt
