#include "App/Selection/QRCodeMatrix.h"

#include <dlfcn.h>
#include <memory>
#include <qrencode.h>

namespace ondravell {

namespace {

// The encoder library is loaded the first time a code is asked for: most runs of the program never
// draw one, and start-up does not wait for it.
struct Encoder {
    decltype(&QRcode_encodeData) encodeData = nullptr;
    decltype(&QRcode_free) free = nullptr;
};

Encoder loadEncoder() {
    void* library = ::dlopen("libqrencode.so.4", RTLD_LAZY | RTLD_LOCAL);
    if (!library)
        return {};
    Encoder encoder{reinterpret_cast<decltype(&QRcode_encodeData)>(::dlsym(library, "QRcode_encodeData")),
                    reinterpret_cast<decltype(&QRcode_free)>(::dlsym(library, "QRcode_free"))};
    if (!encoder.encodeData || !encoder.free)
        return {};
    return encoder;
}

const Encoder& encoder() {
    static const Encoder loaded = loadEncoder();
    return loaded;
}

} // namespace

std::optional<QRCodeMatrix> QRCodeMatrix::encode(std::string_view text) {
    // Checked before the encoder, which would otherwise try every version for a long text.
    if (text.empty() || text.size() > maxBytes)
        return std::nullopt;
    const Encoder& qr = encoder();
    if (!qr.encodeData)
        return std::nullopt;
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        qr.encodeData(int(text.size()), reinterpret_cast<const unsigned char*>(text.data()), 0, QR_ECLEVEL_M),
        qr.free);
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
