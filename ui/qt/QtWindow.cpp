#include "ui/qt/QtWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QInputMethodEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "platform/Trace.h"
#include "ui/qt/QtGeometry.h"
#include "ui/qt/QtImage.h"
#include "ui/qt/QtKeys.h"
#include "ui/qt/QtPopup.h"
#include "ui/qt/QtRenderTarget.h"

namespace ui::qt {
namespace {

// Win32 extended styles the window flags follow.
constexpr uint32_t kExTopmost = 0x00000008u;
constexpr uint32_t kExToolWindow = 0x00000080u;
constexpr uint32_t kExNoActivate = 0x08000000u;

Qt::WindowFlags FlagsFor(const NativeWindowParams& params) {
    Qt::WindowFlags flags = params.popup ? Qt::Popup : Qt::Window;
    if (!params.popup && (params.exStyle & kExToolWindow))
        flags = Qt::Tool;
    if (params.frameless || params.popup)
        flags |= Qt::FramelessWindowHint;
    if (params.exStyle & kExTopmost)
        flags |= Qt::WindowStaysOnTopHint;
    if (params.exStyle & kExNoActivate)
        flags |= Qt::WindowDoesNotAcceptFocus;
    return flags;
}

MouseButton ButtonFromQt(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        case Qt::BackButton:
            return MouseButton::X1;
        case Qt::ForwardButton:
            return MouseButton::X2;
        default:
            return MouseButton::None;
    }
}

int DpiOf(const QWidget* widget) {
    // Qt already maps these logical pixels onto the screen's device pixels; what is left to
    // the library is the user's text scaling (logical DPI).
    QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return 96;
    int dpi = static_cast<int>(screen->logicalDotsPerInch() + 0.5);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

WindowWidget::WindowWidget(const NativeWindowParams& params, NativeWindowEvents& events)
    : QWidget(nullptr, FlagsFor(params)),
      events_(&events),
      transparent_(params.transparent),
      popup_(params.popup),
      noActivate_((params.exStyle & kExNoActivate) != 0) {
    setMouseTracking(true);
    // A window that takes no activation takes no keyboard focus either: the focus stays
    // where it was, and the outside click that dismisses it stands for its loss.
    setFocusPolicy(noActivate_ ? Qt::NoFocus : Qt::StrongFocus);
    if (noActivate_)
        setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_InputMethodEnabled);
    // The library paints every pixel itself; Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
    setAttribute(Qt::WA_NoSystemBackground, !transparent_);
    if (transparent_)
        setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(QString::fromStdString(params.title));
    if (!params.rect.IsEmpty())
        setGeometry(ToQRect(params.rect));
}

QImage WindowWidget::RenderToImage() {
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(transparent_ ? Qt::transparent : Qt::white);
    QPainter painter(&image);
    QtRenderTarget target(painter, Size{width(), height()});
    if (events_)
        events_->OnPaint(target, Rect{0, 0, width(), height()});
    painter.end();
    return image;
}

void WindowWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (transparent_) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(event->rect(), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    QRect r = event->rect();
    QtRenderTarget target(painter, Size{width(), height()});
    target.PushClip(Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    if (events_)
        events_->OnPaint(target, Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    target.PopClip();
}

void WindowWidget::Mouse(MouseAction action, QMouseEvent* event) {
    MouseEvent e;
    e.action = action;
    e.button = ButtonFromQt(event->button());
    QPoint p = event->position().toPoint();
    e.pos = Point{p.x(), p.y()};
    e.modifiers = ModifiersFromQt(event->modifiers());
    // Qt hands the release of a dismissing press to the pop-up it closed: it is nobody's.
    if (events_ && !dismissed_)
        events_->OnMouse(e);
}

void WindowWidget::mousePressEvent(QMouseEvent* event) {
    // While a pop-up is open Qt hands it every press, in the program and on the desktop.
    if (popup_ && !rect().contains(event->position().toPoint())) {
        DismissPopupsOutside(event->globalPosition().toPoint());
        return;
    }
    Mouse(MouseAction::Down, event);
}
void WindowWidget::mouseReleaseEvent(QMouseEvent* event) {
    Mouse(MouseAction::Up, event);
}
void WindowWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (popup_ && !rect().contains(event->position().toPoint())) {
        DismissPopupsOutside(event->globalPosition().toPoint());
        return;
    }
    Mouse(MouseAction::DoubleClick, event);
}
void WindowWidget::mouseMoveEvent(QMouseEvent* event) {
    Mouse(MouseAction::Move, event);
}

void WindowWidget::wheelEvent(QWheelEvent* event) {
    int delta = event->angleDelta().y();
    if (delta == 0)
        delta = event->angleDelta().x();
    if (delta == 0)
        return;
    MouseEvent e;
    e.action = MouseAction::Wheel;
    QPoint p = event->position().toPoint();
    e.pos = Point{p.x(), p.y()};
    e.wheelDelta = delta;
    e.modifiers = ModifiersFromQt(event->modifiers());
    if (events_)
        events_->OnMouse(e);
}

void WindowWidget::leaveEvent(QEvent*) {
    MouseEvent e;
    e.action = MouseAction::Leave;
    QPoint p = mapFromGlobal(QCursor::pos());
    e.pos = Point{p.x(), p.y()};
    if (events_)
        events_->OnMouse(e);
}

void WindowWidget::Key(bool down, QKeyEvent* event) {
    KeyEvent e;
    e.down = down;
    e.virtualKey = VirtualKeyFromQt(event->key(), event->modifiers());
    // X11 and Wayland report the key code (evdev + 8); the library turns it into the PC scan
    // code. Offscreen desktops report none and the virtual key stands in for it.
    e.nativeCode = event->nativeScanCode();
    e.autoRepeat = event->isAutoRepeat();
    e.modifiers = ModifiersFromQt(event->modifiers());
    if (event->key() == Qt::Key_Backtab)
        e.modifiers |= kModShift;
    if (!events_)
        return;
    // Keys without a virtual key of their own (international keys) still reach the input
    // observers through their native code.
    if (e.virtualKey != 0 || e.nativeCode != 0)
        events_->OnKey(e);
    if (!events_ || !down || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return;
    QString text = event->text();
    // Control characters (Backspace, Enter, Escape, Tab) arrive as keys, not as text.
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return;
    if (!text.isEmpty())
        events_->OnText(text.toStdString());
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
    Key(true, event);
}
void WindowWidget::keyReleaseEvent(QKeyEvent* event) {
    Key(false, event);
}

void WindowWidget::inputMethodEvent(QInputMethodEvent* event) {
    if (events_ && !event->commitString().isEmpty())
        events_->OnText(event->commitString().toStdString());
    event->accept();
}

QVariant WindowWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImCursorRectangle || query == Qt::ImAnchorRectangle)
        return QRect(imeRect_.left, imeRect_.top, imeRect_.Width(), imeRect_.Height());
    if (query == Qt::ImEnabled)
        return true;
    return QWidget::inputMethodQuery(query);
}

void WindowWidget::focusInEvent(QFocusEvent*) {
    focusReported_ = true;
    if (events_)
        events_->OnFocus(true);
}
void WindowWidget::focusOutEvent(QFocusEvent*) {
    focusReported_ = false;
    if (events_)
        events_->OnFocus(false);
}
void WindowWidget::resizeEvent(QResizeEvent*) {
    if (events_)
        events_->OnResize(Size{width(), height()});
}
void WindowWidget::moveEvent(QMoveEvent*) {
    if (events_)
        events_->OnMove(Point{x(), y()});
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    // The library decides whether and when the window goes (WM_CLOSE handlers may refuse).
    event->ignore();
    // Qt closes the open pop-ups when the program loses the desktop's focus.
    if (popup_) {
        Dismiss();
        return;
    }
    if (events_)
        events_->OnCloseRequest();
}

void WindowWidget::showEvent(QShowEvent*) {
    dismissed_ = false;
}

void WindowWidget::changeEvent(QEvent* event) {
    // A click on a window that a modal dialog blocks activates it (Qt focuses the window
    // clicked); as on every desktop the dialog keeps the focus.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !isEnabled()) {
        for (QWidget* other : QApplication::topLevelWidgets()) {
            QWindow* handle = other->windowHandle();
            if (other != this && other->isVisible() && other->isModal() && handle &&
                handle->transientParent() == windowHandle()) {
                other->raise();
                other->activateWindow();
                break;
            }
        }
    }
    QWidget::changeEvent(event);
}

void WindowWidget::Dismiss() {
    if (!popup_ || dismissed_ || !isVisible())
        return;
    dismissed_ = true;
    // Qt would replay the dismissing press to the window under the pointer; the desktop's
    // pop-ups swallow it.
    setAttribute(Qt::WA_NoMouseReplay);
    hide();
    // The library may destroy the window when it hears of it: not inside this widget's event.
    QTimer::singleShot(0, QCoreApplication::instance(), [self = QPointer<WindowWidget>(this)] {
        if (self && self->events_ && (self->focusReported_ || self->noActivate_)) {
            self->focusReported_ = false;
            self->events_->OnFocus(false);
        }
        if (self && self->events_)
            self->events_->OnCloseRequest();
    });
}

void WindowWidget::NotifyDpiChanged(int dpi) {
    if (events_)
        events_->OnDpiChanged(dpi);
}

QtWindow::QtWindow(const NativeWindowParams& params, NativeWindowEvents& events)
    : widget_(new WindowWidget(params, events)) {
    widget_->winId();  // creates the platform window: owners and screen changes need it
    QWindow* handle = widget_->windowHandle();
    if (!handle)
        return;
    if (auto* owner = dynamic_cast<QtWindow*>(params.owner); owner && owner->Widget()) {
        owner_ = owner->Widget();
        handle->setTransientParent(owner->Widget()->windowHandle());
        if (params.popup)
            new PopupOwnerWatch(*widget_, *widget_, *owner->Widget());
    }
    // Moving to a screen of another DPI re-scales the skin. The widget may outlive this object.
    QObject::connect(handle, &QWindow::screenChanged, widget_, [widget = widget_.data()](QScreen*) {
        widget->NotifyDpiChanged(DpiOf(widget));
    });
}

QtWindow::~QtWindow() {
    if (!widget_)
        return;
    // The library's window often ends inside one of this widget's own events (a click that
    // chooses a menu item, the desktop's close, Qt closing pop-ups while it delivers a focus
    // change): the widget goes once control is back in the event loop.
    widget_->Detach();
    widget_->hide();
    widget_->deleteLater();
}

void QtWindow::Show(bool show, bool activate) {
    if (!widget_)
        return;
    if (!show) {
        widget_->hide();
        return;
    }
    // Another window coming to the front deactivates the pop-ups' owners.
    if (activate && !widget_->IsPopup())
        DismissAllPopups();
    // A window shown over its disabled owner is a modal dialog: the desktop then keeps the
    // focus on it when the owner is clicked.
    if (!widget_->IsPopup() && owner_ && !owner_->isEnabled() && !widget_->isVisible())
        widget_->setWindowModality(Qt::WindowModal);
    widget_->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    widget_->show();
    // The offscreen platform (screenshots, tests) has no stacking to change.
    if (activate && QGuiApplication::platformName() != QLatin1String("offscreen")) {
        widget_->raise();
        widget_->activateWindow();
    }
}

bool QtWindow::IsVisible() const {
    return widget_ && widget_->isVisible();
}

void QtWindow::SetRect(const Rect& screenRect) {
    if (widget_ && !screenRect.IsEmpty())
        widget_->setGeometry(ToQRect(screenRect));
}

Rect QtWindow::GetRect() const {
    if (!widget_)
        return {};
    QRect g = widget_->geometry();
    return Rect{g.x(), g.y(), g.x() + g.width(), g.y() + g.height()};
}

void QtWindow::SetTitle(const std::string& title) {
    if (widget_)
        widget_->setWindowTitle(QString::fromStdString(title));
}

void QtWindow::SetIcon(const Image& icon) {
    if (auto* image = dynamic_cast<const QtImage*>(&icon); image && widget_)
        widget_->setWindowIcon(QIcon(QPixmap::fromImage(image->Get())));
}

void QtWindow::Invalidate(const Rect& clientRect) {
    if (!widget_ || clientRect.IsEmpty())
        return;
    widget_->update(ToQRect(clientRect));
}

void QtWindow::SetCursor(CursorShape shape) {
    if (!widget_)
        return;
    Qt::CursorShape q = Qt::ArrowCursor;
    switch (shape) {
        case CursorShape::Arrow:
            q = Qt::ArrowCursor;
            break;
        case CursorShape::Hand:
            q = Qt::PointingHandCursor;
            break;
        case CursorShape::IBeam:
            q = Qt::IBeamCursor;
            break;
        case CursorShape::SizeWE:
            q = Qt::SizeHorCursor;
            break;
        case CursorShape::SizeNS:
            q = Qt::SizeVerCursor;
            break;
        case CursorShape::Wait:
            q = Qt::WaitCursor;
            break;
    }
    widget_->setCursor(q);
}

void QtWindow::SetMouseCapture(bool capture) {
    if (!widget_ || capture == captured_)
        return;
    captured_ = capture;
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;  // no pointer to grab there
    // Qt already keeps the mouse on the pressed window until release; an explicit grab
    // only matters for captures that outlive the button.
    if (capture && widget_->isVisible())
        widget_->grabMouse();
    else if (!capture && QWidget::mouseGrabber() == widget_)
        widget_->releaseMouse();
}

void QtWindow::SetFocus() {
    if (widget_)
        widget_->setFocus(Qt::OtherFocusReason);
}

void QtWindow::SetEnabled(bool enabled) {
    if (widget_)
        widget_->setEnabled(enabled);
}

void QtWindow::Minimize() {
    if (widget_)
        widget_->showMinimized();
}

void QtWindow::Maximize(bool maximize) {
    if (!widget_)
        return;
    if (maximize)
        widget_->showMaximized();
    else
        widget_->showNormal();
}

void QtWindow::Raise() {
    if (!widget_)
        return;
    widget_->raise();
    widget_->activateWindow();
}

void QtWindow::SetImeCursor(const Rect& caretRect) {
    if (!widget_)
        return;
    widget_->SetImeRect(caretRect);
    if (widget_->hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

int QtWindow::Dpi() const {
    return DpiOf(widget_.data());
}

bool QtWindow::SaveScreenshot(const std::string& pngPath) {
    if (!widget_ || widget_->width() <= 0 || widget_->height() <= 0)
        return false;
    QImage image = widget_->RenderToImage();
    if (!image.save(QString::fromStdString(pngPath), "PNG")) {
        platform::TraceF("ui: screenshot \"%s\" cannot be written", pngPath.c_str());
        return false;
    }
    return true;
}

}  // namespace ui::qt
