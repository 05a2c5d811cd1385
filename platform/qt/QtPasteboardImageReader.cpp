#include "platform/qt/QtPasteboardImageReader.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace ondravell::platform {

void QtPasteboardImageReader::readPNG(PNGHandler handler) {
    QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull())
        return handler(std::nullopt);
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return handler(std::nullopt);
    handler(png.toStdString());
}

} // namespace ondravell::platform
