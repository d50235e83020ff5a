#pragma once
// One top-level QWidget per native window; paints through QtRenderTarget and turns Qt's
// input events into the library's mouse, key, text and focus callbacks. Window thread only.
#include <QPointer>
#include <QWidget>
#include <memory>

#include "ui/core/Backend.h"
#include "ui/qt/QtPopup.h"

namespace ui::qt {

class WindowWidget : public QWidget, public PopupWindow {
  public:
    WindowWidget(const NativeWindowParams& params, NativeWindowEvents& events);

    void SetImeRect(const Rect& rect) { imeRect_ = rect; }
    // The library's window is gone: no more callbacks (the widget itself goes later).
    void Detach() { events_ = nullptr; }
    bool IsAttached() const { return events_ != nullptr; }
    bool IsPopup() const { return popup_; }
    // A pop-up goes away as on every desktop (see QtPopup.h): hidden at once, the library
    // told from the event loop.
    void Dismiss() override;
    void NotifyDpiChanged(int dpi);
    // Paints the whole client area into an image through the same path as the screen.
    QImage RenderToImage();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool) override { return false; }  // Tab belongs to the controls

  private:
    void Mouse(MouseAction action, QMouseEvent* event);
    void Key(bool down, QKeyEvent* event);

    NativeWindowEvents* events_;
    bool transparent_;
    bool popup_;
    bool noActivate_;  // WS_EX_NOACTIVATE: never focused; dismissing reports the focus lost
    bool dismissed_ = false;
    bool focusReported_ = false;  // the library last heard "focus gained"
    Rect imeRect_;
};

class QtWindow : public NativeWindow {
  public:
    QtWindow(const NativeWindowParams& params, NativeWindowEvents& events);
    ~QtWindow() override;

    void Show(bool show, bool activate) override;
    bool IsVisible() const override;
    void SetRect(const Rect& screenRect) override;
    Rect GetRect() const override;
    void SetTitle(const std::string& title) override;
    void SetIcon(const Image& icon) override;
    void Invalidate(const Rect& clientRect) override;
    void SetCursor(CursorShape shape) override;
    void SetMouseCapture(bool capture) override;
    void SetFocus() override;
    void SetEnabled(bool enabled) override;
    void Minimize() override;
    void Maximize(bool maximize) override;
    void Raise() override;
    void SetImeCursor(const Rect& caretRect) override;
    int Dpi() const override;
    bool SaveScreenshot(const std::string& pngPath) override;

    QWidget* Widget() const { return widget_; }

  private:
    QPointer<WindowWidget> widget_;
    QPointer<QWidget> owner_;
    bool captured_ = false;
};

}  // namespace ui::qt
