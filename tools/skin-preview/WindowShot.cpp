#include "WindowShot.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "platform/Trace.h"
#include "ui/core/MessageModel.h"
#include "ui/core/WindowWnd.h"
#include "ui/qt/QtWindow.h"

namespace preview {

bool WriteWindowShot(ui::HWND hwnd, const std::string& pngPath) {
    ui::CWindowWnd* window = ui::GetWindowObject(hwnd);
    auto* native = window ? dynamic_cast<ui::qt::QtWindow*>(window->GetNativeWindow()) : nullptr;
    if (!native || !native->Widget())
        return false;
    QWidget* widget = native->Widget();
    QImage image(widget->size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, widget->grab());
    painter.end();
    if (!image.save(QString::fromStdString(pngPath), "PNG")) {
        platform::TraceF("skin-preview: cannot write \"%s\"", pngPath.c_str());
        return false;
    }
    return true;
}

}  // namespace preview
