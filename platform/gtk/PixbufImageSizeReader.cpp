#include "platform/gtk/PixbufImageSizeReader.h"

#include <fcntl.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace ondravell::platform {

std::optional<PixelSize> PixbufImageSizeReader::pixelSize(const std::filesystem::path& path) const {
    // The loaders open the file by name; naming the descriptor already checked to be a regular file
    // keeps a FIFO swapped in meanwhile from stalling them.
    int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        return std::nullopt;
    std::optional<PixelSize> size;
    struct stat info {};
    if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)) {
        std::string checked = "/proc/self/fd/" + std::to_string(descriptor);
        int width = 0;
        int height = 0;
        if (gdk_pixbuf_get_file_info(checked.c_str(), &width, &height) && width > 0 && height > 0)
            size = PixelSize{width, height};
    }
    ::close(descriptor);
    return size;
}

} // namespace ondravell::platform
