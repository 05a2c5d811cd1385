#pragma once

#include "platform/ImageSizeReader.h"

#include <map>

namespace ondravell::platform {

// Pixel sizes for tests: the size given for a path, nothing for any other.
class FixedImageSizeReader final : public ImageSizeReader {
public:
    std::map<std::filesystem::path, PixelSize> sizes;

    std::optional<PixelSize> pixelSize(const std::filesystem::path& path) const override {
        auto found = sizes.find(path);
        return found == sizes.end() ? std::nullopt : std::optional<PixelSize>(found->second);
    }
};

} // namespace ondravell::platform
