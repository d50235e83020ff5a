#pragma once
// The desktop tray icon through QSystemTrayIcon.
#include <QSystemTrayIcon>

#include "ui/core/Backend.h"

namespace ui::qt {

class QtTrayIcon : public NativeTrayIcon {
  public:
    explicit QtTrayIcon(TrayIconEvents& events);
    ~QtTrayIcon() override;
    void SetToolTip(const std::string& text) override;
    void SetIcon(const Image& icon) override;

  private:
    TrayIconEvents& events_;
    QSystemTrayIcon icon_;
};

}  // namespace ui::qt
