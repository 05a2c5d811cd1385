#include "platform/qt/QtImageSizeReader.h"

#include <QImageReader>
#include <system_error>

namespace ondravell::platform {

std::optional<PixelSize> QtImageSizeReader::pixelSize(const std::filesystem::path& path) const {
    // A FIFO or device could keep the reader waiting for ever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    QImageReader reader(QString::fromStdString(path.string()));
    QSize size = reader.size();
    if (!size.isValid())
        return std::nullopt;
    return PixelSize{size.width(), size.height()};
}

} // namespace ondravell::platform
