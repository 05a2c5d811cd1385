#include "App/Selection/QRCodeMatrix.h"

#include <memory>
#include <qrencode.h>

namespace ondravell {

std::optional<QRCodeMatrix> QRCodeMatrix::encode(std::string_view text) {
    // Checked before the encoder, which would otherwise try every version for a long text.
    if (text.empty() || text.size() > maxBytes)
        return std::nullopt;
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeData(int(text.size()), reinterpret_cast<const unsigned char*>(text.data()), 0,
                          QR_ECLEVEL_M),
        &QRcode_free);
    if (!code || code->width <= 0)
        return std::nullopt;
    QRCodeMatrix matrix;
    matrix.width = code->width;
    const std::size_t count = std::size_t(code->width) * std::size_t(code->width);
    matrix.dark.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        matrix.dark[i] = (code->data[i] & 1) != 0;
    return matrix;
}

} // namespace ondravell
