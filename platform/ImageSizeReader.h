#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace ondravell::platform {

struct PixelSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The pixel size of an image file, read from its header alone. Only regular files are read; may be
// called from any thread.
class ImageSizeReader {
public:
    virtual ~ImageSizeReader() = default;
    // nullopt for anything that is not a readable image.
    virtual std::optional<PixelSize> pixelSize(const std::filesystem::path& path) const = 0;
};

} // namespace ondravell::platform
