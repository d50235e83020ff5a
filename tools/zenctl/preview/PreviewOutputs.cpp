#include "tools/zenctl/preview/PreviewOutputs.h"

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace zenctl::preview {

PreviewOutputs::PreviewOutputs(const PreviewOptions& options) : options_(options) {
    if (options_.apngFile.empty())
        return;
    apngPart_ = options_.apngFile + ".part";
    apngStream_.open(apngPart_, std::ios::binary | std::ios::trunc);
    if (!apngStream_) {
        Fail("cannot write " + apngPart_);
        return;
    }
    apng_ = std::make_unique<ApngWriter>(apngStream_, static_cast<uint32_t>(options_.frames));
}

PreviewOutputs::~PreviewOutputs() {
    // An animation that was not finished leaves nothing behind.
    if (!apngPart_.empty()) {
        apngStream_.close();
        std::error_code ec;
        std::filesystem::remove(apngPart_, ec);
    }
}

bool PreviewOutputs::Fail(const std::string& message) {
    if (error_.empty())
        error_ = message;
    return false;
}

bool PreviewOutputs::Add(const QImage& frame, int index, uint32_t delayMs) {
    if (!error_.empty())
        return false;
    if (!options_.outFolder.empty()) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%04d.png", index);
        const std::string path = (std::filesystem::path(options_.outFolder) / name).string();
        if (!frame.save(QString::fromStdString(path), "PNG"))
            return Fail("cannot write " + path);
    }
    if (apng_) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!frame.save(&buffer, "PNG"))
            return Fail("a frame cannot be encoded");
        if (!apng_->AddFrame(std::string_view(png.constData(), static_cast<size_t>(png.size())),
                             delayMs))
            return Fail(options_.apngFile + ": " + apng_->Error());
    }
    if (!options_.stripFile.empty()) {
        if (strip_.isNull()) {
            const long long width = static_cast<long long>(frame.width()) * options_.frames;
            if (width > kMaxStripWidth)
                return Fail("--strip holds at most " +
                            std::to_string(kMaxStripWidth / std::max(1, frame.width())) +
                            " frames of this picture");
            strip_ = QImage(static_cast<int>(width), frame.height(), QImage::Format_ARGB32);
            strip_.fill(Qt::transparent);
        }
        // Pixel for pixel, whatever scale the frame was rendered at.
        QImage pixels = frame;
        pixels.setDevicePixelRatio(1);
        QPainter painter(&strip_);
        painter.drawImage(index * frame.width(), 0, pixels);
    }
    return true;
}

bool PreviewOutputs::Finish() {
    if (!error_.empty())
        return false;
    if (apng_) {
        if (!apng_->Finish())
            return Fail(options_.apngFile + ": " + apng_->Error());
        apngStream_.close();
        std::error_code ec;
        std::filesystem::rename(apngPart_, options_.apngFile, ec);
        if (ec)
            return Fail("cannot write " + options_.apngFile + ": " + ec.message());
        apngPart_.clear();
    }
    if (!strip_.isNull() && !strip_.save(QString::fromStdString(options_.stripFile), "PNG"))
        return Fail("cannot write " + options_.stripFile);
    return true;
}

}  // namespace zenctl::preview
