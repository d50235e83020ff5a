#include "ui/qt/QtSystemNotices.h"

#include <QGuiApplication>
#include <QScreen>

#ifdef T418_HAVE_QT_DBUS
#include <QDBusConnection>
#endif

#include "platform/Trace.h"

namespace ui::qt {

QtSystemNotices::QtSystemNotices(std::function<void(SystemNotice)> handler)
    : handler_(std::move(handler)) {
#ifdef T418_HAVE_QT_DBUS
    QDBusConnection bus = QDBusConnection::systemBus();
    if (bus.isConnected()) {
        watchesSleep_ = bus.connect("org.freedesktop.login1", "/org/freedesktop/login1",
                                    "org.freedesktop.login1.Manager", "PrepareForSleep", this,
                                    SLOT(OnPrepareForSleep(bool)));
    }
#endif
    if (!watchesSleep_)
        platform::Trace("ui: no sleep notices from the system (logind not reached)");
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (app == nullptr)
        return;
    for (QScreen* screen : QGuiApplication::screens())
        WatchScreen(screen);
    connect(app, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        WatchScreen(screen);
        Tell(SystemNotice::DisplayChanged);
    });
    connect(app, &QGuiApplication::screenRemoved, this,
            [this](QScreen*) { Tell(SystemNotice::DisplayChanged); });
    connect(app, &QGuiApplication::primaryScreenChanged, this,
            [this](QScreen*) { Tell(SystemNotice::DisplayChanged); });
}

QtSystemNotices::~QtSystemNotices() = default;

void QtSystemNotices::WatchScreen(QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this,
            [this](const QRect&) { Tell(SystemNotice::DisplayChanged); });
}

void QtSystemNotices::OnPrepareForSleep(bool start) {
    Tell(start ? SystemNotice::Suspend : SystemNotice::Resume);
}

void QtSystemNotices::Tell(SystemNotice notice) {
    // A copy: the handler may replace this object's handler while it runs.
    auto handler = handler_;
    if (handler)
        handler(notice);
}

}  // namespace ui::qt
