#pragma once

#include "platform/ImageSizeReader.h"

namespace ondravell::platform {

// Pixel sizes from the image's header through QImageReader; any thread.
class QtImageSizeReader final : public ImageSizeReader {
public:
    std::optional<PixelSize> pixelSize(const std::filesystem::path& path) const override;
};

} // namespace ondravell::platform
