#pragma once
// The mouse page at the size the main window gives it, built from the real skin through the
// program's own panel tags, in a mouse object without a device; and the blank-page measure
// the page screenshot tests share.
// Threads: window thread only.
#include <QImage>
#include <set>
#include <string>
#include <utility>

#include "app/PanelTags.h"
#include "devices/mouse/OrvaneMouseDevice.h"
#include "ui/core/StringUtil.h"
#include "ui/core/WindowImplBase.h"

namespace t418test {

class MousePageWindow : public ui::WindowImplBase {
  public:
    explicit MousePageWindow(std::string className) : className_(std::move(className)) {}
    ui::CControlUI* CreateControl(const std::string& tag) override {
        if (ui::EqualsNoCase(tag, "OrvaneMouseDevice")) {
            mouse = new devices::COrvaneMouseDevice;
            return mouse;
        }
        return app::CreatePanelControl(tag, this, m_pm);
    }
    devices::COrvaneMouseDevice* mouse = nullptr;  // owned by the page

  protected:
    std::string GetWindowClassName() const override { return className_; }
    std::string GetSkinFile() override {
        return R"(<Window size="976,500" defaultfontcolor="#FFC9D1DC" disabledfontcolor="#FF5A6270">
  <Font id="1" name="" size="14" bold="true"/>
  <Font id="7" name="" size="14" default="true"/>
  <Font id="8" name="" size="12"/>
  <Font id="9" name="" size="11"/>
  <VerticalLayout bkcolor="#FF15181D"><Include source="XML/DeviceXml/mousedevice.xml"/></VerticalLayout>
</Window>)";
    }

  private:
    std::string className_;
};

// Distinct colours on a two-pixel grid: a page that failed to draw has few.
inline size_t ColourCount(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

}  // namespace t418test
