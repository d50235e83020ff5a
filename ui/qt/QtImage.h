#pragma once
// An image decoded by the Qt realisation: a premultiplied ARGB QImage.
#include <QImage>

#include "ui/core/RenderTarget.h"

namespace ui::qt {

class QtImage : public Image {
  public:
    explicit QtImage(QImage image)
        : image_(image.convertToFormat(QImage::Format_ARGB32_Premultiplied)) {}
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    Color PixelAt(int x, int y) const override {
        if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
            return 0;
        return image_.pixelColor(x, y).rgba();  // straight alpha
    }
    const QImage& Get() const { return image_; }

  private:
    QImage image_;
};

// PNG, JPEG, BMP (by content) or SVG (rendered at its own size); null QImage on failure.
QImage DecodeImageBytes(const std::string& bytes);

}  // namespace ui::qt
