#include "App/Images/TemplateIconImage.h"

#include "tests/App/Images/BlankPng.h"
#include "tests/App/OffscreenApplication.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace ondravell;

namespace {

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

// A JPEG whose EXIF data says the camera was turned: orientation 6, shown turned a quarter clockwise.
QByteArray jpegTurnedClockwise(const QImage& image) {
    QByteArray jpeg = encoded(image, "jpeg");
    const char exif[] = "\xFF\xE1\x00\x22"
                        "Exif\x00\x00"
                        "MM\x00\x2A\x00\x00\x00\x08"
                        "\x00\x01"
                        "\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00"
                        "\x00\x00\x00\x00";
    jpeg.insert(2, QByteArray(exif, sizeof(exif) - 1));
    return jpeg;
}

// Only the headers of a BMP file that claims `width` × `height` pixels.
QByteArray bmpHeader(qint32 width, qint32 height) {
    QByteArray bytes(54, '\0');
    auto put32 = [&](int at, quint32 value) { qToLittleEndian(value, bytes.data() + at); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54 + 16);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<quint32>(width));
    put32(22, static_cast<quint32>(height));
    qToLittleEndian<quint16>(1, bytes.data() + 26);
    qToLittleEndian<quint16>(24, bytes.data() + 28);
    return bytes + QByteArray(16, '\0');
}

QImage decodedPNG(const QByteArray& png) {
    return QImage::fromData(png, "png");
}

// The most memory the process has held so far.
qint64 peakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

} // namespace

TEST(TemplateIconImage, TheLongestSideIsExactlyTheLimit) {
    const std::vector<std::pair<QSize, QSize>> cases{
        {{1000, 10}, {128, 1}}, {{10, 1000}, {1, 128}},   {{300, 200}, {128, 85}},   {{64, 64}, {64, 64}},
        {{4000, 10}, {128, 1}}, {{129, 129}, {128, 128}}, {{1000, 999}, {128, 127}}, {{128, 3}, {128, 3}},
    };
    for (const auto& [source, expected] : cases)
        EXPECT_EQ(TemplateIconImage::normalizedSize(source, 128), expected)
            << source.width() << "x" << source.height();
    for (int width = 129; width <= 5000; ++width)
        ASSERT_EQ(TemplateIconImage::normalizedSize({width, 7}, 128).width(), 128) << width;
}

TEST(TemplateIconImage, UploadsBecomeOrientedPNGsOfAtMost128Pixels) {
    ensureOffscreenApplication();
    QImage wide(4000, 10, QImage::Format_RGB32);
    wide.fill(Qt::green);
    TemplateIconImage::Normalized icon = TemplateIconImage::normalized(encoded(wide, "png"), 128);
    ASSERT_FALSE(icon.png.isEmpty()) << icon.error.toStdString();
    EXPECT_TRUE(icon.png.startsWith("\x89PNG"));
    EXPECT_EQ(decodedPNG(icon.png).size(), QSize(128, 1));

    // Red on the left, blue on the right; turned clockwise, red is on top.
    QImage photo(40, 20, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            photo.setPixel(x, y, qRgb(255, 0, 0));
    icon = TemplateIconImage::normalized(jpegTurnedClockwise(photo), 128);
    QImage turned = decodedPNG(icon.png);
    ASSERT_EQ(turned.size(), QSize(20, 40));
    EXPECT_GT(qRed(turned.pixel(10, 5)), 200);
    EXPECT_LT(qBlue(turned.pixel(10, 5)), 60);
    EXPECT_GT(qBlue(turned.pixel(10, 35)), 200);
}

TEST(TemplateIconImage, RefusesWhatIsNoPictureOrTooManyPixelsBeforeDecoding) {
    ensureOffscreenApplication();
    const std::vector<std::pair<QByteArray, QString>> cases{
        {QByteArray("just some text, not a picture"), QStringLiteral("无法读取该图片")},
        {QByteArray(), QStringLiteral("无法读取该图片")},
        {bmpHeader(10000, 10000), QStringLiteral("图片尺寸过大（超过 6400 万像素），请换更小的")},
        {bmpHeader(65000, 1000), QStringLiteral("图片尺寸过大（超过 6400 万像素），请换更小的")},
        // A BMP decodes only whole: 20 megapixels would take 80 MB.
        {bmpHeader(5000, 4000), QStringLiteral("图片尺寸过大，无法读取，请换更小的")},
    };
    for (const auto& [bytes, message] : cases) {
        TemplateIconImage::Normalized icon = TemplateIconImage::normalized(bytes, 128);
        EXPECT_TRUE(icon.png.isEmpty());
        EXPECT_EQ(icon.error, message);
    }
    // A stored icon far larger than any the editor writes is not drawn in a list row.
    EXPECT_TRUE(TemplateIconImage::fitted(bmpHeader(2000, 2000), {20, 20}).isNull());
    QImage small(300, 200, QImage::Format_RGB32);
    small.fill(Qt::red);
    EXPECT_EQ(TemplateIconImage::fitted(encoded(small, "png"), {20, 20}).size(), QSize(20, 13));
}

TEST(TemplateIconImage, AFiftyMegapixelPngIsDecodedAtTheSizeKept) {
    ensureOffscreenApplication();
    const QByteArray png = blankPng(10000, 5000);
    ASSERT_LT(png.size(), 2 * 1024 * 1024) << "small enough to pass the upload's file-size check";
    const qint64 before = peakResidentBytes();
    TemplateIconImage::Normalized icon = TemplateIconImage::normalized(png, 128);
    const qint64 growth = peakResidentBytes() - before;
    ASSERT_FALSE(icon.png.isEmpty()) << icon.error.toStdString();
    EXPECT_EQ(decodedPNG(icon.png).size(), QSize(128, 64));
    // Decoded whole, the picture alone would take 200 MB.
    EXPECT_LT(growth, 32LL * 1024 * 1024) << "the peak grew by " << growth / (1024 * 1024) << " MB";
}
