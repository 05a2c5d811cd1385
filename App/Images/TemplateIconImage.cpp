#include "App/Images/TemplateIconImage.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>

namespace ondravell {

namespace {

constexpr int allocationLimitMiB = static_cast<int>(TemplateIconImage::maxDecodeBytes / (1 << 20));
constexpr qint64 bytesPerPixel = 4;

} // namespace

QSize TemplateIconImage::normalizedSize(QSize source, int maxSide) {
    const qint64 width = source.width();
    const qint64 height = source.height();
    const qint64 longest = std::max(width, height);
    if (width <= 0 || height <= 0 || maxSide <= 0)
        return {};
    if (longest <= maxSide)
        return source;
    // Whole-number arithmetic: the longest side comes out as `maxSide` exactly, never one less.
    auto scaled = [&](qint64 side) {
        return static_cast<int>(std::max<qint64>(1, side * maxSide / longest));
    };
    return {scaled(width), scaled(height)};
}

QImage TemplateIconImage::decode(const QByteArray& bytes, QString* error, qint64 pixelLimit, int maxSide) {
    auto refuse = [&](const char* message) {
        if (error)
            *error = QString::fromUtf8(message);
        return QImage();
    };
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    // The decoder stops at this much memory, also for formats whose header gives no size.
    reader.setAllocationLimit(allocationLimitMiB);
    if (!reader.canRead())
        return refuse(unreadableMessage);
    // The size before the EXIF turn, which is also what a scaled read is asked for in.
    const QSize stated = reader.size();
    const qint64 statedPixels = stated.isValid() ? qint64(stated.width()) * stated.height() : 0;
    if (statedPixels > pixelLimit)
        return refuse(tooManyPixelsMessage);
    const bool wholeTooLarge = statedPixels * bytesPerPixel > maxDecodeBytes;
    const QSize kept = maxSide > 0 && stated.isValid() ? normalizedSize(stated, maxSide) : stated;
    if (kept != stated && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(kept);
    else if (wholeTooLarge)
        return refuse(tooLargeToReadMessage);
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return refuse(wholeTooLarge ? tooLargeToReadMessage : unreadableMessage);
    if (qint64(image.width()) * image.height() > pixelLimit)
        return refuse(tooManyPixelsMessage);
    return image;
}

TemplateIconImage::Normalized TemplateIconImage::normalized(const QByteArray& bytes, int maxSide) {
    Normalized result;
    QImage image = decode(bytes, &result.error, maxPixels, maxSide);
    if (image.isNull())
        return result;
    const QSize size = normalizedSize(image.size(), maxSide);
    QImage scaled = image.convertToFormat(QImage::Format_ARGB32);
    if (size != image.size())
        scaled = scaled.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QBuffer out(&result.png);
    out.open(QIODevice::WriteOnly);
    if (scaled.isNull() || !QImageWriter(&out, "png").write(scaled)) {
        result.png.clear();
        result.error = QString::fromUtf8(processingFailedMessage);
    }
    return result;
}

QImage TemplateIconImage::fitted(const QByteArray& bytes, QSize box) {
    QImage image = decode(bytes, nullptr, maxDisplayPixels);
    if (image.isNull() || box.isEmpty())
        return image;
    return image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QStringList TemplateIconImage::namePatterns() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    return patterns;
}

} // namespace ondravell
