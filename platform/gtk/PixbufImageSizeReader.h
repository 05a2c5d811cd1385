#pragma once

#include "platform/ImageSizeReader.h"

namespace ondravell::platform {

// Pixel sizes from the image header, through gdk-pixbuf's loaders; no pixels are decoded.
class PixbufImageSizeReader final : public ImageSizeReader {
public:
    std::optional<PixelSize> pixelSize(const std::filesystem::path& path) const override;
};

} // namespace ondravell::platform
