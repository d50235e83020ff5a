#include "ui/qt/QtTray.h"

#include <QCursor>
#include <QIcon>
#include <QPixmap>

#include "ui/qt/QtImage.h"

namespace ui::qt {

QtTrayIcon::QtTrayIcon(TrayIconEvents& events) : events_(events) {
    QObject::connect(&icon_, &QSystemTrayIcon::activated, &icon_,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         QPoint p = QCursor::pos();
                         if (reason == QSystemTrayIcon::Trigger)
                             events_.OnTrayClick(MouseButton::Left, Point{p.x(), p.y()});
                         else if (reason == QSystemTrayIcon::Context)
                             events_.OnTrayClick(MouseButton::Right, Point{p.x(), p.y()});
                     });
}

QtTrayIcon::~QtTrayIcon() {
    icon_.hide();
}

void QtTrayIcon::SetToolTip(const std::string& text) {
    icon_.setToolTip(QString::fromStdString(text));
}

void QtTrayIcon::SetIcon(const Image& icon) {
    if (auto* image = dynamic_cast<const QtImage*>(&icon)) {
        icon_.setIcon(QIcon(QPixmap::fromImage(image->Get())));
        icon_.show();  // a tray icon without a picture would show as an empty slot
    }
}

}  // namespace ui::qt
