#include "Screenshot.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "platform/Trace.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowWnd.h"
#include "ui/qt/QtWindow.h"

namespace gallery {

bool WriteScreenshot(ui::HWND mainWindow, const std::string& pngPath) {
    ui::CWindowWnd* window = ui::GetWindowObject(mainWindow);
    auto* native = window ? dynamic_cast<ui::qt::QtWindow*>(window->GetNativeWindow()) : nullptr;
    if (!native || !native->Widget())
        return false;
    QWidget* main = native->Widget();
    QImage image(main->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, main->grab());
    // Pop-ups of the gallery are separate top-level windows; put them over the main one.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget == main || !widget->isVisible())
            continue;
        QPoint at = widget->geometry().topLeft() - main->geometry().topLeft();
        painter.drawPixmap(at, widget->grab());
    }
    painter.end();
    if (!image.save(QString::fromStdString(pngPath), "PNG")) {
        platform::TraceF("ui-gallery: cannot write \"%s\"", pngPath.c_str());
        return false;
    }
    return true;
}

}  // namespace gallery
