#pragma once

#include <QByteArray>
#include <QtEndian>
#include <zlib.h>

// A fully transparent RGBA PNG of `width` × `height` pixels, written a row at a time: a picture of
// many megapixels that costs only its compressed bytes (about a thousandth of its pixels) to make.
inline QByteArray blankPng(quint32 width, quint32 height) {
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    auto chunk = [&](const char* type, const QByteArray& data) {
        QByteArray body = QByteArray(type, 4) + data;
        char field[4];
        qToBigEndian(static_cast<quint32>(data.size()), field);
        png += QByteArray(field, 4) + body;
        qToBigEndian(static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(body.constData()),
                                                static_cast<uInt>(body.size()))),
                     field);
        png += QByteArray(field, 4);
    };
    QByteArray header(13, '\0');
    qToBigEndian(width, header.data());
    qToBigEndian(height, header.data() + 4);
    header[8] = 8; // bits per sample
    header[9] = 6; // RGBA
    chunk("IHDR", header);

    // Each row: filter type 0, then four zero bytes a pixel.
    const QByteArray row(static_cast<qsizetype>(1 + 4 * qsizetype(width)), '\0');
    QByteArray compressed;
    char out[1 << 16];
    z_stream stream{};
    deflateInit(&stream, Z_BEST_COMPRESSION);
    for (quint32 y = 0; y < height; ++y) {
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(row.constData()));
        stream.avail_in = static_cast<uInt>(row.size());
        const int flush = y + 1 == height ? Z_FINISH : Z_NO_FLUSH;
        do {
            stream.next_out = reinterpret_cast<Bytef*>(out);
            stream.avail_out = sizeof(out);
            deflate(&stream, flush);
            compressed.append(out, static_cast<qsizetype>(sizeof(out) - stream.avail_out));
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    chunk("IDAT", compressed);
    chunk("IEND", {});
    return png;
}
