#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace ondravell {

// Pictures of the user's templates: the uploaded file turned into the stored icon (a PNG at most 128
// pixels on its longest side), and stored icons read back for display. Every decode is bounded: the
// size the file's header states is checked before anything of that size is allocated, a picture is
// decoded straight at the size that is kept where its format's decoder scales while it reads (PNG,
// JPEG), and no decoder may allocate more than `maxDecodeBytes`.
struct TemplateIconImage {
    // Larger pictures are refused, whatever their file size.
    static constexpr qint64 maxPixels = 64LL * 1000 * 1000;
    // What one decode may hold: a picture whose decoder needs it whole at full size (BMP, GIF, ...) is
    // refused beyond 16 megapixels of 32-bit colour.
    static constexpr qint64 maxDecodeBytes = 64LL * 1024 * 1024;
    // Stored icons are at most 128 pixels wide; a far larger one (written by hand or by an import) is
    // not drawn at all, so a list of them never decodes megapixels to show 20-pixel pictures.
    static constexpr qint64 maxDisplayPixels = 1024LL * 1024;

    static constexpr const char* tooManyPixelsMessage = "图片尺寸过大（超过 6400 万像素），请换更小的";
    static constexpr const char* tooLargeToReadMessage = "图片尺寸过大，无法读取，请换更小的";
    static constexpr const char* unreadableMessage = "无法读取该图片";
    static constexpr const char* processingFailedMessage = "图片处理失败";

    struct Normalized {
        // PNG bytes; empty when the picture was refused.
        QByteArray png;
        QString error;
    };

    // The stored icon for the bytes of an uploaded file: decoded with its EXIF orientation applied,
    // scaled down (never up) so that its longest side is `maxSide` exactly, encoded as PNG.
    static Normalized normalized(const QByteArray& bytes, int maxSide);
    // The pixel size of that icon: the longest side `maxSide`, the other in proportion, truncated, at
    // least 1; a smaller picture keeps its size.
    static QSize normalizedSize(QSize source, int maxSide);
    // The picture the bytes hold, oriented as its EXIF data says; with `maxSide`, decoded at
    // `normalizedSize(…, maxSide)`. A null image and the reason when they hold none, one over
    // `pixelLimit`, or one that cannot be decoded within `maxDecodeBytes`.
    static QImage decode(const QByteArray& bytes, QString* error = nullptr, qint64 pixelLimit = maxPixels,
                         int maxSide = 0);
    // The picture scaled to fit `box` with its aspect ratio kept; null when it does not decode or has
    // more than `maxDisplayPixels`.
    static QImage fitted(const QByteArray& bytes, QSize box);
    // The upload dialog's name patterns: one per format this build decodes ("*.png", "*.jpg", ...).
    static QStringList namePatterns();
};

} // namespace ondravell
