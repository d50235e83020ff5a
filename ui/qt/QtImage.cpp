#include "ui/qt/QtImage.h"

#include <QByteArray>
#include <QPainter>
#include <QSvgRenderer>

namespace ui::qt {
namespace {

// SVG files are XML; raster formats all start with binary magic numbers.
bool LooksLikeSvg(const std::string& bytes) {
    std::string head = bytes.substr(0, 1024);
    return head.find("<svg") != std::string::npos ||
           (head.rfind("<?xml", 0) == 0 && bytes.find("<svg") != std::string::npos);
}

constexpr int kMaxSvgSide = 8192;

}  // namespace

QImage DecodeImageBytes(const std::string& bytes) {
    if (bytes.empty())
        return {};
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (LooksLikeSvg(bytes)) {
        QSvgRenderer renderer(data);
        if (!renderer.isValid())
            return {};
        QSize size = renderer.defaultSize();
        if (size.isEmpty() || size.width() > kMaxSvgSide || size.height() > kMaxSvgSide)
            return {};
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        return image;
    }
    QImage image;
    if (!image.loadFromData(data))
        return {};
    return image.copy();  // detach from the borrowed bytes
}

}  // namespace ui::qt
