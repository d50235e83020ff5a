#pragma once
// The desktop's notices for Backend::SetSystemNoticeHandler: logind's PrepareForSleep signal
// on the system bus (when Qt's D-Bus module is built in and the bus answers) and the screens
// being added, removed or resized.
// Threads: window thread.
#include <QObject>
#include <functional>

#include "ui/core/Backend.h"

class QScreen;

namespace ui::qt {

class QtSystemNotices : public QObject {
    Q_OBJECT

  public:
    explicit QtSystemNotices(std::function<void(SystemNotice)> handler);
    ~QtSystemNotices() override;

    // Whether the sleep notices are watched (the system bus and logind answered).
    bool WatchesSleep() const { return watchesSleep_; }

  private slots:
    void OnPrepareForSleep(bool start);

  private:
    void WatchScreen(QScreen* screen);
    void Tell(SystemNotice notice);

    std::function<void(SystemNotice)> handler_;
    bool watchesSleep_ = false;
};

}  // namespace ui::qt
